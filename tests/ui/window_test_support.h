// What the window tests share: readable Qt values in failure messages, twips,
// a desktop stand-in for the main window, and the closing cases of the
// windows that close themselves.
#pragma once

#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QPointer>
#include <QTest>

#include <ostream>
#include <string>
#include <vector>

#include "services.h"

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QColor& color, std::ostream* os)
{
    *os << color.name().toStdString();
}

namespace kestrami::ui {

// The system's own words, in the user's language, for a folder that does not
// exist, as a failed save reports them (without a closing full stop).
std::string MissingFolderReason();

// The secondary windows' grey, under their labels and the help text too.
inline const QColor kGrey(192, 192, 192);

inline QRect InTwips(const QRect& r)
{
    return {r.x() * kTwipsPerPixel, r.y() * kTwipsPerPixel, r.width() * kTwipsPerPixel,
            r.height() * kTwipsPerPixel};
}

// Stands in for the desktop: folders the test chooses, and message boxes
// that are kept instead of shown.
class FakePlatform : public Platform {
public:
    struct Box {
        std::string prompt;
        int style;
        std::string title;
    };

    FolderLookup ProgramFolder() const override { return {folder, {}}; }
    FolderLookup DocumentsFolder() const override { return {documents, {}}; }
    void MessageBox(QWidget*, const std::string& prompt, int style, const std::string& title) override
    {
        boxes.push_back({prompt, style, title});
    }

    std::string folder;
    std::string documents;
    std::vector<Box> boxes;
};

// Counts how often a window is hidden, and shown again after that.
class VisibilityLog : public QObject {
public:
    int hides = 0;
    int shows_after_hide = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide) {
            ++hides;
        } else if (event->type() == QEvent::Show && hides > 0) {
            ++shows_after_hide;
        }
        return false;
    }
};

// Runs the event loop, deferred deletions included, until the window is
// gone; false if it is still there after QTest's usual wait.
template <typename Window>
bool Unloaded(const QPointer<Window>& window)
{
    return QTest::qWaitFor([&] { return window.isNull(); });
}

// Still there and shown once pending events and deletions have run.
template <typename Window>
void ExpectStillOpen(const QPointer<Window>& window, const VisibilityLog& log)
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(window.isNull()) << "the window was destroyed";
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(log.hides, 0);
}

// One step of a closing case, done to the open window; `other` is a second
// top-level window a step may make the active one.
using Step = void (*)(QWidget* window, QWidget& other);

inline constexpr Step kHoldFocusInWindow = [](QWidget* window, QWidget&) { window->setFocus(); };
inline constexpr Step kClearFocus = [](QWidget* window, QWidget&) { window->clearFocus(); };
inline constexpr Step kCloseBox = [](QWidget* window, QWidget&) { window->close(); };
inline constexpr Step kActivateOtherWindow = [](QWidget*, QWidget& other) {
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
};
// Events as the window system may repeat them for one change of focus.
inline constexpr Step kSendFocusOut = [](QWidget* window, QWidget&) {
    QFocusEvent focus_out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(window, &focus_out);
};
inline constexpr Step kSendActivationChange = [](QWidget* window, QWidget&) {
    QEvent change(QEvent::ActivationChange);
    QApplication::sendEvent(window, &change);
};

struct CloseCase {
    const char* name;
    std::vector<Step> steps;
    bool closes;
};
inline void PrintTo(const CloseCase& c, std::ostream* os)
{
    *os << c.name;
}

// Runs the case's steps while the window is there, then expects it either
// closed once (hidden one time, never shown again, destroyed, and no window
// of its kind back) or still open.
template <typename Window>
void ExpectClosing(const CloseCase& c, const QPointer<Window>& window, QWidget& other,
                   const VisibilityLog& log)
{
    const QMetaObject* kind = window->metaObject();
    for (const Step step : c.steps) {
        if (!window.isNull()) {
            step(window, other);
        }
    }
    if (!c.closes) {
        ExpectStillOpen(window, log);
        return;
    }
    ASSERT_TRUE(Unloaded(window)) << "the window was not destroyed";
    EXPECT_EQ(log.hides, 1);
    EXPECT_EQ(log.shows_after_hide, 0);
    for (const QWidget* top : QApplication::topLevelWidgets()) {
        EXPECT_NE(top->metaObject(), kind) << "the window came back";
    }
}

}  // namespace kestrami::ui
