#include "services.h"

#include <QCoreApplication>
#include <QEvent>
#include <QIcon>
#include <QMessageBox>

#include <cstdlib>
#include <exception>

namespace kestrami::ui {

void UseDesignFace(QWidget* widget, QFont::StyleHint kind, qreal points, const QString& family)
{
    QFont font = widget->font();
    if (!family.isEmpty()) {
        font.setFamily(family);
    }
    if (points > 0) {
        font.setPointSizeF(points);
    }
    font.setStyleHint(kind);
    widget->setFont(font);
}

QIcon WindowIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/assets/kestrami-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/assets/kestrami-32.png"), QSize(32, 32));
    return icon;
}

std::string Desktop::ProgramFolder() const
{
    return QCoreApplication::applicationDirPath().toStdString();
}

void Desktop::MessageBox(QWidget* parent, const std::string& prompt, int style, const std::string& title)
{
    ShowMessageBox(parent, prompt, style, title);
}

void ShowMessageBox(QWidget* parent, const std::string& prompt, int style, const std::string& title)
{
    // The style's icon group picks the icon (0: none, 16: critical, 32:
    // question, 48: warning, 64: information); the box always has one OK
    // button, the only choice the program offers.
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style & 0x70) {
        case 16:
            icon = QMessageBox::Critical;
            break;
        case 32:
            icon = QMessageBox::Question;
            break;
        case 48:
            icon = QMessageBox::Warning;
            break;
        case 64:
            icon = QMessageBox::Information;
            break;
        default:
            break;
    }
    QString text = QString::fromStdString(prompt);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon, QString::fromStdString(title), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

SelfClosingWindow::SelfClosingWindow(QWidget* parent)
    // A fixed frame with the window menu and the close box only. A dialog
    // window, so that the desktop knows it belongs to its parent: on X11 Qt
    // marks only dialogs WM_TRANSIENT_FOR.
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowIcon(WindowIcon());
}

void SelfClosingWindow::changeEvent(QEvent* event)
{
    // Another window became active, wherever the focus was in this one.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        Form_Deactivate();
    }
    QWidget::changeEvent(event);
}

void SelfClosingWindow::focusOutEvent(QFocusEvent* event)
{
    // Focus passing between the window and its own controls leaves it open.
    const QWidget* now = QApplication::focusWidget();
    if (now != this && !isAncestorOf(now)) {
        Form_LostFocus();
    }
    QWidget::focusOutEvent(event);
}

void SelfClosingWindow::Unload()
{
    if (closing_) {
        return;
    }
    closing_ = true;
    hide();
    deleteLater();
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        ReportUnhandledFailure(QString::fromLocal8Bit(failure.what()));
    } catch (...) {
        ReportUnhandledFailure(QStringLiteral("unknown failure"));
    }
    return false;
}

void ReportUnhandledFailure(const QString& what)
{
    QMessageBox::critical(nullptr, QStringLiteral("Kestrami"),
                          QStringLiteral("Run-time error: %1\nThe program ends.").arg(what));
    std::exit(EXIT_FAILURE);
}

}  // namespace kestrami::ui
