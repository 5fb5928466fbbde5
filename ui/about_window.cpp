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

Form2::Form2(QWidget* parent) : SelfClosingWindow(parent), ui_(std::make_unique<Ui::Form2>())
{
    ui_->setupUi(this);
    setFixedSize(Twips(6540), Twips(2595));

    // Every label takes the window's face; Label6 adds its underline to it.
    UseDesignFace(this, QFont::SansSerif, 8.25, QStringLiteral("MS Sans Serif"));
    // The labels' text stays readable on the grey on any desktop; Label6
    // keeps its blue.
    KeepTextReadable(this, QPalette::Window, QPalette::WindowText);

    // The one-line labels fit themselves to their caption in the face that
    // is actually shown.
    for (QLabel* label : {ui_->Label1, ui_->Label2, ui_->Label3, ui_->Label5, ui_->Label6}) {
        label->adjustSize();
    }

    // Qt shows the hand cursor over Label6 from its design; the click is
    // made from the label's mouse events. Qt delivers the second press of a
    // double click as a double click, not a press, so it makes no second
    // click.
    ui_->Label6->installEventFilter(this);
}

Form2::~Form2() = default;

bool Form2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_->Label6) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
                label6_pressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
                break;
            case QEvent::MouseButtonRelease: {
                const auto* mouse = static_cast<QMouseEvent*>(event);
                const bool click = label6_pressed_ && mouse->button() == Qt::LeftButton &&
                                   ui_->Label6->rect().contains(mouse->position().toPoint());
                label6_pressed_ = false;
                if (click) {
                    Label6_Click();
                }
                break;
            }
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::Label6_Click()
{
    // The link's bytes go to the desktop as they stand: TolerantMode takes
    // them without escaping anything again. Whether a mail program starts
    // is the desktop's affair; nothing is reported either way.
    const std::string link = MailtoLink(ui_->Label6->text().toStdString());
    QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(link), QUrl::TolerantMode));
}

}  // namespace kestrami::ui
