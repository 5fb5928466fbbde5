#include "services.h"

#include <QCoreApplication>
#include <QEvent>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

#include "line_text.h"

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

QValidator::State SingleLineValidator::validate(QString& input, int& pos) const
{
    qsizetype kept = 0;
    const qsizetype caret = pos;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (IsLineControl(input.at(i).unicode())) {
            pos -= i < caret ? 1 : 0;
        } else {
            input[kept++] = input.at(i);
        }
    }
    input.truncate(kept);
    return Acceptable;
}

FolderLookup Desktop::ProgramFolder() const
{
    return ExecutableFolder();
}

FolderLookup Desktop::DocumentsFolder() const
{
    // Found by the core, which keeps the folder's bytes as the system gives
    // them.
    return kestrami::DocumentsFolder();
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

namespace {

// Memory held back for the failure report: when an allocation fails, it is
// given up so that the report's box can still be built.
class Reserve {
public:
    Reserve() : memory_(std::malloc(kSize)) {}
    Reserve(const Reserve&) = delete;
    Reserve& operator=(const Reserve&) = delete;
    ~Reserve() { std::free(memory_); }
    void Release()
    {
        std::free(memory_);
        memory_ = nullptr;
    }
    void Renew()
    {
        if (memory_ == nullptr) {
            memory_ = std::malloc(kSize);
        }
    }

private:
    static constexpr std::size_t kSize = std::size_t{4} << 20U;
    void* memory_;
};

Reserve& ReportReserve()
{
    static Reserve reserve;
    return reserve;
}

// Shows the report; where even that fails, the report goes to the standard
// error stream instead.
void ShowReport(const QString& text, const char* plain)
{
    ReportReserve().Release();
    try {
        QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Kestrami"), text);
    } catch (...) {
        std::fputs(plain, stderr);
    }
    ReportReserve().Renew();
}

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    ReportReserve();
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportFailure(std::current_exception());
    }
    return false;
}

void ReportFailure(const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        ShowReport(QStringLiteral("Run-time error: out of memory\nThe operation was not carried out; the "
                                  "results list is kept."),
                   "kestrami: run-time error: out of memory; the operation was not carried out\n");
    } catch (const std::exception& unexpected) {
        ReportUnhandledFailure(QString::fromLocal8Bit(unexpected.what()));
    } catch (...) {
        ReportUnhandledFailure(QStringLiteral("unknown failure"));
    }
}

void ReportUnhandledFailure(const QString& what)
{
    ShowReport(QStringLiteral("Run-time error: %1\nThe program ends.").arg(what),
               "kestrami: run-time error; the program ends\n");
    std::exit(EXIT_FAILURE);
}

}  // namespace kestrami::ui
