// The few services the windows need that Qt does not give as such: twips,
// the program's folder, the plain modal message box, and the report of a
// failure nothing else caught. Everything else the windows use is Qt's own.
#pragma once

#include <QApplication>
#include <QString>
#include <QValidator>
#include <QWidget>

#include <exception>
#include <string>

#include "platform_files.h"

class QIcon;
class QMainWindow;

namespace kestrami::ui {

// Window designs are measured in twips: 1/1440 inch, 15 to a pixel at 96
// dots per inch. Qt's high-DPI scaling maps logical pixels to the screen.
inline constexpr int kTwipsPerPixel = 15;
constexpr int Twips(int twips)
{
    return twips / kTwipsPerPixel;
}

// The designs name faces of another desktop, at sizes that do not follow the
// desktop's font setting. This gives the widget its design face (family and
// size where given, else those it has) with the kind of face that stands in
// where it is missing: fixed pitch for the Courier faces, sans serif for
// "MS Sans Serif". Bold and underline stay as they are; every other property
// is fixed too, so no font the desktop sets, then or later, reaches it.
void UseDesignFace(QWidget* widget, QFont::StyleHint kind, qreal points = 0, const QString& family = {});

// A window's default face, "MS Sans Serif" 8.25 pt, for `area` and every
// control in it that names no face of its own: the window's client area,
// which so keeps its look whatever font size the desktop sets. Menus,
// message boxes and title bars, outside it, follow the desktop.
void UseWindowFace(QWidget* area);

// Keeps the client area of a window with a menu bar at its size when the
// menu bar changes its height, as it does when the desktop's menu font
// changes: the window grows or shrinks by as much instead.
void KeepClientAreaBelowMenuBar(QMainWindow* window);

// The program's icon, 16 x 16 and 32 x 32, shared by all three windows.
QIcon WindowIcon();

// A secondary window that closes itself as soon as it stops being the
// program's active window or the focus leaves it: hidden first, then
// destroyed, once, however many of those events one change of focus brings.
// The next opening creates the window afresh. Closing the main window ends
// the program whether or not such a window is open.
class SelfClosingWindow : public QWidget {
    Q_OBJECT

public:
    explicit SelfClosingWindow(QWidget* parent);

protected:
    void changeEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Escape closes the window, as it closes a dialog.
    void keyPressEvent(QKeyEvent* event) override;

    // The window's reactions; both hide, then unload the window.
    void OnDeactivated() { Unload(); }
    void OnFocusLost() { Unload(); }
    void Unload();

private:
    bool closing_ = false;
};

// Keeps a one-line box on one line, in the order typed: line breaks, the
// other control characters and the bidirectional formatting characters are
// dropped as they are typed or pasted; every other character stays as typed.
class SingleLineValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// What the main window asks of the desktop. The program uses Desktop; tests
// put in their own folders and answer message boxes without blocking.
class Platform {
public:
    virtual ~Platform() = default;

    // The folder that holds the running executable, as the system's bytes,
    // or why it cannot be found.
    virtual FolderLookup ProgramFolder() const = 0;

    // The user's documents folder (the home folder where there is none), as
    // an absolute path in the system's bytes, or why it cannot be found: for
    // an installed copy, and where the program's folder may not be written.
    virtual FolderLookup DocumentsFolder() const = 0;

    // A modal message box with a prompt, a style value and a title. Style 0
    // is one OK button and no icon; the call returns after OK.
    virtual void MessageBox(QWidget* parent, const std::string& prompt, int style,
                            const std::string& title) = 0;
};

class Desktop : public Platform {
public:
    FolderLookup ProgramFolder() const override;
    FolderLookup DocumentsFolder() const override;
    void MessageBox(QWidget* parent, const std::string& prompt, int style, const std::string& title) override;
};

// The message box itself: modal to the whole application, CR LF line ends
// shown as line breaks. Exposed so that tests can look at the real box.
void ShowMessageBox(QWidget* parent, const std::string& prompt, int style, const std::string& title);

// The application object. A failure that no handler caught is reported to
// the user in a message and ends the program, instead of vanishing silently.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Reports a failure that escaped an operation. Running out of memory ends
// only that operation: the calculator's operations leave its state as it was
// when an allocation fails, so the user is told and the results are kept.
// Any other failure is reported and ends the program.
void ReportFailure(const std::exception_ptr& failure);
void ReportUnhandledFailure(const QString& what);

// Runs one operation of a handler; a failure does not leave the handler, so
// it never unwinds through the toolkit's frames.
template <typename Operation>
void RunReported(Operation&& operation)
{
    try {
        operation();
    } catch (...) {
        ReportFailure(std::current_exception());
    }
}

}  // namespace kestrami::ui
