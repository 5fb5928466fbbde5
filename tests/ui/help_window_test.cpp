// The Help window: the usage text as the box shows it, the box that cannot be
// edited, focus inside it that keeps it open, and opening it from the main
// window. Its frame and common closing are checked with the About window's.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <ostream>
#include <string>

#include "about_window.h"
#include "help_text.h"
#include "help_window.h"
#include "main_window.h"
#include "services.h"
#include "window_test_support.h"

namespace kestrami::ui {
namespace {

// The help text's lines, without their CR LF.
QStringList HelpLines()
{
    QStringList lines = QString::fromLatin1(kHelpText.data(), qsizetype(kHelpText.size())).split("\r\n");
    EXPECT_EQ(lines.takeLast(), "") << "the last line has no CR LF";
    return lines;
}

QPlainTextEdit* HelpText(QWidget* form)
{
    auto* box = form->findChild<QPlainTextEdit*>("helpText");
    EXPECT_NE(box, nullptr);
    return box;
}

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form_ = new HelpWindow;
        form_->installEventFilter(&visibility_);
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.data()));
        box_ = HelpText(form_);
        ASSERT_NE(box_, nullptr);
    }
    void TearDown() override { delete form_.data(); }

    QPointer<HelpWindow> form_;
    QPlainTextEdit* box_ = nullptr;
    VisibilityLog visibility_;
};

TEST_F(HelpWindowTest, TextBoxIsABorderlessGreyFixedPitchBoxWithAVerticalScrollBar)
{
    EXPECT_EQ(form_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly), QList<QWidget*>{box_});
    EXPECT_EQ(InTwips(box_->geometry()), QRect(120, 120, 7695, 3975));
    EXPECT_EQ(box_->frameWidth(), 0);
    EXPECT_EQ(box_->palette().color(QPalette::Base), kGrey);
    // The text lies on the window's grey: the box's empty right side is grey.
    EXPECT_EQ(box_->viewport()->grab().toImage().pixelColor(box_->viewport()->width() - 2, 2), kGrey);

    const QFont font = box_->font();
    EXPECT_EQ(font.family(), "Courier New");
    EXPECT_EQ(font.pointSizeF(), 9.75);
    EXPECT_EQ(font.styleHint(), QFont::TypeWriter);
    EXPECT_TRUE(QFontInfo(font).fixedPitch());

    EXPECT_TRUE(box_->verticalScrollBar()->isVisible());
    EXPECT_FALSE(box_->horizontalScrollBar()->isVisible());
    EXPECT_EQ(box_->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(box_->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_TRUE(box_->isReadOnly());
    EXPECT_EQ(box_->textInteractionFlags(), Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

TEST_F(HelpWindowTest, BoxShowsThe42LinesOfTheHelpText)
{
    const QStringList lines = HelpLines();
    ASSERT_EQ(lines.size(), 42);
    EXPECT_EQ(box_->toPlainText(), lines.join('\n') + '\n');
    // One more, empty, line after the last line end.
    ASSERT_EQ(box_->blockCount(), 43);
    for (int i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i + 1));
        EXPECT_EQ(box_->document()->findBlockByNumber(i).text(), lines[i]);
    }
    // No line is cut: line 35, the longest, fits beside the scroll bar.
    const double margins = 2 * box_->document()->documentMargin();
    EXPECT_LE(QFontMetrics(box_->font()).horizontalAdvance(lines[34]) + margins, box_->viewport()->width());
}

TEST_F(HelpWindowTest, StartsAtTheFirstLineAndScrollsDownToTheLast)
{
    EXPECT_EQ(box_->verticalScrollBar()->value(), 0);
    EXPECT_EQ(box_->cursorForPosition(QPoint(0, 0)).blockNumber(), 0);

    QScrollBar* bar = box_->verticalScrollBar();
    bar->setValue(bar->maximum());
    // Line 42 is then in full view.
    const QTextCursor last(box_->document()->findBlockByNumber(41));
    EXPECT_TRUE(box_->viewport()->rect().contains(box_->cursorRect(last)));
}

struct Typing {
    const char* name;
    void (*type)(QWidget* box);
};
void PrintTo(const Typing& t, std::ostream* os)
{
    *os << t.name;
}

class TypingIntoTheBox : public HelpWindowTest, public ::testing::WithParamInterface<Typing> {};

TEST_P(TypingIntoTheBox, ChangesNothing)
{
    QTest::mouseClick(box_->viewport(), Qt::LeftButton, {}, QPoint(40, 40));
    const QString before = box_->toPlainText();

    GetParam().type(box_);

    EXPECT_EQ(box_->toPlainText(), before);
    EXPECT_FALSE(box_->document()->isModified());
    ExpectStillOpen(form_, visibility_);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TypingIntoTheBox,
    ::testing::Values(Typing{"Letters", [](QWidget* box) { QTest::keyClicks(box, "abc xyz"); }},
                      Typing{
                          "EditingKeys",
                          [](QWidget* box) {
                              for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete}) {
                                  QTest::keyClick(box, key);
                              }
                          }},
                      Typing{"CutAll",
                             [](QWidget* box) {
                                 QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                                 QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
                             }},
                      Typing{"Paste",
                             [](QWidget* box) {
                                 QApplication::clipboard()->setText("pasted");
                                 QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
                             }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HelpWindowTest, CaretMovesAndSelectsWithTheKeyboard)
{
    box_->setFocus();
    QTest::keyClick(box_, Qt::Key_Down);
    QTest::keyClick(box_, Qt::Key_Down);
    EXPECT_EQ(box_->textCursor().blockNumber(), 2);
    QTest::keyClick(box_, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(box_->textCursor().selectedText(), HelpLines()[2]);
}

// Focus that moves between the window and its box keeps it open; a click into
// the box does not stop the window closing when another becomes active.
const Step kFocusHelpText = [](QWidget* window, QWidget&) { HelpText(window)->setFocus(); };
const Step kClickHelpText = [](QWidget* window, QWidget&) {
    QTest::mouseClick(HelpText(window)->viewport(), Qt::LeftButton, {}, QPoint(30, 30));
};

class FocusInHelpText : public HelpWindowTest, public ::testing::WithParamInterface<CloseCase> {
protected:
    QWidget other_;
};

TEST_P(FocusInHelpText, ClosesOnlyWhenTheFocusLeavesTheWindow)
{
    ExpectClosing(GetParam(), form_, other_, visibility_);
}

INSTANTIATE_TEST_SUITE_P(
    Focus, FocusInHelpText,
    ::testing::Values(
        CloseCase{
            "ClickIntoHelpTextThenAnotherWindowBecomesActive", {kClickHelpText, kActivateOtherWindow}, true},
        CloseCase{"FocusMovesFromTheWindowIntoHelpText", {kHoldFocusInWindow, kFocusHelpText}, false},
        CloseCase{"ClickIntoHelpText", {kHoldFocusInWindow, kClickHelpText}, false}),
    [](const auto& info) { return std::string(info.param.name); });

class HelpFromMainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        main_window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main_window_));
        about_ = main_window_.findChild<QAction*>("aboutAction");
        help_ = main_window_.findChild<QAction*>("helpAction");
        ASSERT_NE(about_, nullptr);
        ASSERT_NE(help_, nullptr);
    }

    // Chooses Info > Help and waits for the window to become active.
    QPointer<HelpWindow> OpenHelp()
    {
        help_->trigger();
        QPointer<HelpWindow> help = main_window_.findChild<HelpWindow*>();
        EXPECT_FALSE(help.isNull());
        if (help) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(help.data()));
        }
        return help;
    }

    FakePlatform platform_;
    MainWindow main_window_{platform_};
    QAction* about_ = nullptr;
    QAction* help_ = nullptr;
};

TEST_F(HelpFromMainWindow, ReopensFreshAtTheFirstLine)
{
    QPointer<HelpWindow> first = OpenHelp();
    ASSERT_FALSE(first.isNull());
    QPlainTextEdit* box = HelpText(first);
    box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
    box->moveCursor(QTextCursor::End);
    ASSERT_GT(box->verticalScrollBar()->value(), 0);

    main_window_.activateWindow();
    ASSERT_TRUE(Unloaded(first));

    const QPointer<HelpWindow> second = OpenHelp();
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(HelpText(second)->verticalScrollBar()->value(), 0);
    EXPECT_EQ(HelpText(second)->textCursor().position(), 0);
}

TEST_F(HelpFromMainWindow, ChoosingHelpWhileAboutIsOpenClosesAbout)
{
    about_->trigger();
    QPointer<AboutWindow> about = main_window_.findChild<AboutWindow*>();
    ASSERT_FALSE(about.isNull());
    ASSERT_TRUE(QTest::qWaitForWindowActive(about.data()));

    const QPointer<HelpWindow> help = OpenHelp();
    ASSERT_TRUE(Unloaded(about));
    ASSERT_FALSE(help.isNull());
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->isActiveWindow());
}

}  // namespace
}  // namespace kestrami::ui
