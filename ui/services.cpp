#include "services.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QResizeEvent>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

#include "line_text.h"

namespace kestrami::ui {

namespace {

void UseFixedFont(QWidget* widget, const QString& family, qreal points, QFont::StyleHint kind, bool bold,
                  bool underline)
{
    // Built afresh, not from the font the widget has, which carries whatever
    // else the desktop's font sets (weight, style, spacing).
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setUnderline(underline);
    font.setStyleHint(kind);
    // Every property counts as the widget's own, so a font the application
    // gets later from the desktop's settings leaves this one as it is.
    font.setResolveMask(QFont::AllPropertiesResolved);
    widget->setFont(font);
}

}  // namespace

void UseDesignFace(QWidget* widget, QFont::StyleHint kind, qreal points, const QString& family)
{
    const QFont now = widget->font();
    UseFixedFont(widget, family.isEmpty() ? now.family() : family, points > 0 ? points : now.pointSizeF(),
                 kind, now.bold(), now.underline());
}

void UseWindowFace(QWidget* area)
{
    UseFixedFont(area, QStringLiteral("MS Sans Serif"), 8.25, QFont::SansSerif, false, false);
}

namespace {

class ClientAreaKeeper : public QObject {
public:
    explicit ClientAreaKeeper(QMainWindow* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Resize) {
            return false;
        }
        const auto* resize = static_cast<QResizeEvent*>(event);
        const int grown = resize->size().height() - resize->oldSize().height();
        // The first layout of a window being shown sets its size itself.
        if (grown == 0 || !resize->oldSize().isValid() || !window_->isVisible() ||
            (window_->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0) {
            return false;
        }
        // Not inside the layout that is resizing the menu bar now: once it
        // has finished.
        QMetaObject::invokeMethod(
            window_, [window = window_, grown] { window->resize(window->width(), window->height() + grown); },
            Qt::QueuedConnection);
        return false;
    }

private:
    QMainWindow* window_;
};

}  // namespace

void KeepClientAreaBelowMenuBar(QMainWindow* window)
{
    window->menuBar()->installEventFilter(new ClientAreaKeeper(window));
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

namespace {

// Screen readers meet the secondary windows as the dialogs they are, and a
// separator line in them as a separator, not as an unnamed frame.
QAccessibleInterface* DialogAccessibleFactory(const QString& class_name, QObject* object)
{
    if (class_name == QLatin1String(SelfClosingWindow::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Dialog);
    }
    if (class_name == QLatin1String("QFrame")) {
        auto* frame = static_cast<QFrame*>(object);
        if (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine) {
            return new QAccessibleWidget(frame, QAccessible::Separator);
        }
    }
    return nullptr;
}

}  // namespace

SelfClosingWindow::SelfClosingWindow(QWidget* parent)
    // A fixed frame with the window menu and the close box only. A dialog
    // window, so that the desktop knows it belongs to its parent: on X11 Qt
    // marks only dialogs WM_TRANSIENT_FOR.
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    static const bool factory_installed = [] {
        QAccessible::installFactory(&DialogAccessibleFactory);
        return true;
    }();
    (void)factory_installed;
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowIcon(WindowIcon());
}

void SelfClosingWindow::changeEvent(QEvent* event)
{
    // Another window became active, wherever the focus was in this one.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        OnDeactivated();
    }
    QWidget::changeEvent(event);
}

void SelfClosingWindow::focusOutEvent(QFocusEvent* event)
{
    // Focus passing between the window and its own controls leaves it open.
    const QWidget* now = QApplication::focusWidget();
    if (now != this && !isAncestorOf(now)) {
        OnFocusLost();
    }
    QWidget::focusOutEvent(event);
}

void SelfClosingWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
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
