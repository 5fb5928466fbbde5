// What the About and the Help window share: a fixed grey frame with the close
// box and window menu only, and closing themselves once as soon as another
// window becomes active or the focus leaves them.
#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>

#include <ostream>
#include <string>
#include <tuple>

#include "about_window.h"
#include "help_window.h"
#include "services.h"
#include "window_test_support.h"

namespace kestrami::ui {
namespace {

struct Kind {
    const char* name;
    QWidget* (*open)();
    const char* caption;
    QSize twips;  // the client area
};
void PrintTo(const Kind& kind, std::ostream* os)
{
    *os << kind.name;
}

const Kind kKinds[] = {
    {"About", []() -> QWidget* { return new AboutWindow; }, "NOKIA Kestrami - About", {6540, 2595}},
    {"Help", []() -> QWidget* { return new HelpWindow; }, "NOKIA Kestrami - Help", {7950, 4245}},
};

class SecondaryWindow : public ::testing::Test {
protected:
    void Open(const Kind& kind)
    {
        window_ = kind.open();
        window_->installEventFilter(&visibility_);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.data()));
    }
    void TearDown() override { delete window_.data(); }

    QPointer<QWidget> window_;
    VisibilityLog visibility_;
    QWidget other_;
};

class Frame : public SecondaryWindow, public ::testing::WithParamInterface<Kind> {
protected:
    void SetUp() override { Open(GetParam()); }
};

TEST_P(Frame, IsAFixedGreyWindowWithCloseBoxAndWindowMenuOnly)
{
    EXPECT_EQ(window_->windowTitle(), GetParam().caption);
    EXPECT_EQ(window_->size() * kTwipsPerPixel, GetParam().twips);
    EXPECT_EQ(window_->minimumSize(), window_->size());
    EXPECT_EQ(window_->maximumSize(), window_->size());

    const Qt::WindowFlags flags = window_->windowFlags();
    EXPECT_TRUE(window_->isWindow());
    EXPECT_TRUE(flags.testFlags(Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    EXPECT_EQ(window_->palette().color(QPalette::Window), kGrey);
    EXPECT_EQ(window_->windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
    EXPECT_TRUE(window_->testAttribute(Qt::WA_DeleteOnClose));
    // An open secondary window never keeps the program running.
    EXPECT_FALSE(window_->testAttribute(Qt::WA_QuitOnClose));
}

INSTANTIATE_TEST_SUITE_P(Windows, Frame, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

// Keys go where the keyboard sends them: to the control with the focus.
void Press(QWidget* window, Qt::Key key)
{
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : window, key);
}
constexpr Step kPressTab = [](QWidget* window, QWidget&) { Press(window, Qt::Key_Tab); };
constexpr Step kPressEscape = [](QWidget* window, QWidget&) { Press(window, Qt::Key_Escape); };

const CloseCase kCloseCases[] = {
    {"AnotherWindowBecomesActive", {kActivateOtherWindow}, true},
    // Deactivation and focus loss both arrive for this one change.
    {"AnotherWindowBecomesActiveWhileTheWindowHoldsTheFocus",
     {kHoldFocusInWindow, kActivateOtherWindow},
     true},
    {"WindowLosesTheFocus", {kHoldFocusInWindow, kClearFocus}, true},
    {"EventsRepeatedForOneChange",
     {kHoldFocusInWindow, kClearFocus, kSendActivationChange, kSendFocusOut},
     true},
    {"ClosedWithTheCloseBox", {kCloseBox}, true},
    {"Escape", {kPressEscape}, true},
    {"EscapeAfterTab", {kPressTab, kPressEscape}, true},
    {"Tab", {kPressTab}, false},
    {"ActivationChangeWhileStillActive", {kSendActivationChange}, false},
};

class Closing : public SecondaryWindow, public ::testing::WithParamInterface<std::tuple<Kind, CloseCase>> {
protected:
    void SetUp() override { Open(std::get<Kind>(GetParam())); }
};

TEST_P(Closing, HidesThenUnloadsOnceWhenTheFocusLeaves)
{
    ExpectClosing(std::get<CloseCase>(GetParam()), window_, other_, visibility_);
}

INSTANTIATE_TEST_SUITE_P(Events, Closing,
                         ::testing::Combine(::testing::ValuesIn(kKinds), ::testing::ValuesIn(kCloseCases)),
                         [](const auto& info) {
                             return std::string(std::get<Kind>(info.param).name) + "_" +
                                    std::get<CloseCase>(info.param).name;
                         });

}  // namespace
}  // namespace kestrami::ui
