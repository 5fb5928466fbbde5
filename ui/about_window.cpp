#include "about_window.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

#include <string>

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
    for (QLabel* label :
         {ui_->programNameLabel, ui_->copyrightLabel, ui_->licenceLabel, ui_->contactLabel, ui_->mailLink}) {
        label->adjustSize();
    }

    // Qt shows the hand cursor over the link from its design; the click is
    // made from the label's mouse events. Qt delivers the second press of a
    // double click as a double click, not a press, so it makes no second
    // click.
    ui_->mailLink->installEventFilter(this);
}

AboutWindow::~AboutWindow() = default;

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_->mailLink) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
                link_pressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
                break;
            case QEvent::MouseButtonRelease: {
                const auto* mouse = static_cast<QMouseEvent*>(event);
                const bool click = link_pressed_ && mouse->button() == Qt::LeftButton &&
                                   ui_->mailLink->rect().contains(mouse->position().toPoint());
                link_pressed_ = false;
                if (click) {
                    OnMailLinkClicked();
                }
                break;
            }
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void AboutWindow::OnMailLinkClicked()
{
    // The link's bytes go to the desktop as they stand: TolerantMode takes
    // them without escaping anything again. Whether a mail program starts
    // is the desktop's affair; nothing is reported either way.
    const std::string link = MailtoLink(ui_->mailLink->text().toStdString());
    QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(link), QUrl::TolerantMode));
}

}  // namespace kestrami::ui
