#include "about_window.h"

#include <QDesktopServices>
#include <QUrl>

#include <string>

#include "link_label.h"
#include "look_and_feel.h"
#include "mail_link.h"
#include "services.h"
#include "ui_about_window.h"

namespace kestrami::ui {

AboutWindow::AboutWindow(QWidget* parent)
    : SelfClosingWindow(parent), ui_(std::make_unique<Ui::AboutWindow>())
{
    ui_->setupUi(this);
    setFixedSize(Twips(6540), Twips(2595));

    // Every label takes the window's face; the e-mail link adds its underline.
    UseWindowFace(this);
    // The labels' text stays readable on the grey on any desktop; the link
    // keeps its blue.
    KeepTextReadable(this, QPalette::Window, QPalette::WindowText);

    // The one-line labels fit themselves to their caption in the face that
    // is actually shown.
    for (QLabel* label : {ui_->programNameLabel, ui_->copyrightLabel, ui_->licenceLabel, ui_->contactLabel,
                          static_cast<QLabel*>(ui_->mailLink)}) {
        label->adjustSize();
    }

    // The window itself holds the focus when it opens, as it has nothing
    // else to hold it; Tab brings the focus to the link.
    setFocusPolicy(Qt::ClickFocus);
    setFocus();
    connect(ui_->mailLink, &LinkLabel::clicked, this, &AboutWindow::OnMailLinkClicked);
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::OnMailLinkClicked()
{
    // The link's bytes go to the desktop as they stand: TolerantMode takes
    // them without escaping anything again. Whether a mail program starts
    // is the desktop's affair; nothing is reported either way.
    const std::string link = MailtoLink(ui_->mailLink->text().toStdString());
    QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(link), QUrl::TolerantMode));
}

}  // namespace kestrami::ui
