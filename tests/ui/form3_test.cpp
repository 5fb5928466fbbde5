// The Help window: the usage text as the box shows it, the box that cannot be
// edited, and the closing whenever another window becomes active.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include <ostream>
#include <string>
#include <vector>

#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "help_text.h"
#include "services.h"

// Readable failure messages for Qt's text and colours.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
void PrintTo(const QColor& color, std::ostream* os)
{
    *os << color.name().toStdString();
}

namespace kestrami::ui {
namespace {

const QColor kGrey(192, 192, 192);

// Runs the event loop, deferred deletions included, until the window is
// gone; false if it is still there after QTest's usual wait.
template <typename Window>
bool Unloaded(const QPointer<Window>& window)
{
    return QTest::qWaitFor([&] { return window.isNull(); });
}

// The help text's lines, without their CR LF.
QStringList HelpLines()
{
    QStringList lines = QString::fromLatin1(kHelpText.data(), qsizetype(kHelpText.size())).split("\r\n");
    EXPECT_EQ(lines.takeLast(), "") << "the last line has no CR LF";
    return lines;
}

QPlainTextEdit* Text1(QWidget* form)
{
    auto* box = form->findChild<QPlainTextEdit*>("Text1");
    EXPECT_NE(box, nullptr);
    return box;
}

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

class HelpWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        form_ = new Form3;
        form_->installEventFilter(&visibility_);
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.data()));
        box_ = Text1(form_);
        ASSERT_NE(box_, nullptr);
    }
    void TearDown() override { delete form_.data(); }

    QPointer<Form3> form_;
    QPlainTextEdit* box_ = nullptr;
    VisibilityLog visibility_;
};

TEST_F(HelpWindow, IsAFixedGreyWindowWithCloseBoxAndWindowMenuOnly)
{
    EXPECT_EQ(form_->windowTitle(), "NOKIA Kestrami - Help");
    EXPECT_EQ(form_->width() * kTwipsPerPixel, 7950);
    EXPECT_EQ(form_->height() * kTwipsPerPixel, 4245);
    EXPECT_EQ(form_->minimumSize(), form_->size());
    EXPECT_EQ(form_->maximumSize(), form_->size());

    const Qt::WindowFlags flags = form_->windowFlags();
    EXPECT_TRUE(form_->isWindow());
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));

    EXPECT_EQ(form_->palette().color(QPalette::Window), kGrey);
    EXPECT_EQ(form_->windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
    EXPECT_TRUE(form_->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_FALSE(form_->testAttribute(Qt::WA_QuitOnClose));
}

TEST_F(HelpWindow, TextBoxIsABorderlessGreyFixedPitchBoxWithAVerticalScrollBar)
{
    EXPECT_EQ(form_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly), QList<QWidget*>{box_});
    const QRect twips(box_->x() * kTwipsPerPixel, box_->y() * kTwipsPerPixel, box_->width() * kTwipsPerPixel,
                      box_->height() * kTwipsPerPixel);
    EXPECT_EQ(twips, QRect(120, 120, 7695, 3975));
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

TEST_F(HelpWindow, BoxShowsThe42LinesOfTheHelpText)
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

TEST_F(HelpWindow, StartsAtTheFirstLineAndScrollsDownToTheLast)
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

class TypingIntoTheBox : public HelpWindow, public ::testing::WithParamInterface<Typing> {};

TEST_P(TypingIntoTheBox, ChangesNothing)
{
    QTest::mouseClick(box_->viewport(), Qt::LeftButton, {}, QPoint(40, 40));
    const QString before = box_->toPlainText();

    GetParam().type(box_);

    EXPECT_EQ(box_->toPlainText(), before);
    EXPECT_FALSE(box_->document()->isModified());
    ASSERT_FALSE(form_.isNull());
    EXPECT_TRUE(form_->isVisible());
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

TEST_F(HelpWindow, CaretMovesAndSelectsWithTheKeyboard)
{
    box_->setFocus();
    QTest::keyClick(box_, Qt::Key_Down);
    QTest::keyClick(box_, Qt::Key_Down);
    EXPECT_EQ(box_->textCursor().blockNumber(), 2);
    QTest::keyClick(box_, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(box_->textCursor().selectedText(), HelpLines()[2]);
}

enum class Step {
    FocusText1,
    FocusWindow,
    ClearFocus,
    ClickText1,
    ActivateOtherWindow,
    SendFocusOut,
    SendActivationChange
};

struct CloseCase {
    const char* name;
    std::vector<Step> steps;
    bool closes;
};
void PrintTo(const CloseCase& c, std::ostream* os)
{
    *os << c.name;
}

class Closing : public HelpWindow, public ::testing::WithParamInterface<CloseCase> {
protected:
    void Run(Step step)
    {
        if (form_.isNull()) {
            return;
        }
        switch (step) {
            case Step::FocusText1:
                box_->setFocus();
                break;
            case Step::FocusWindow:
                form_->setFocus();
                break;
            case Step::ClearFocus:
                form_->clearFocus();
                break;
            case Step::ClickText1:
                QTest::mouseClick(box_->viewport(), Qt::LeftButton, {}, QPoint(30, 30));
                break;
            case Step::ActivateOtherWindow:
                other_.show();
                other_.activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(&other_));
                break;
            case Step::SendFocusOut: {
                QFocusEvent focus_out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
                QApplication::sendEvent(form_, &focus_out);
                break;
            }
            case Step::SendActivationChange: {
                QEvent change(QEvent::ActivationChange);
                QApplication::sendEvent(form_, &change);
                break;
            }
        }
    }

    QWidget other_;
};

TEST_P(Closing, ClosesOnlyWhenTheFocusLeavesTheWindow)
{
    for (const Step step : GetParam().steps) {
        Run(step);
    }
    if (GetParam().closes) {
        ASSERT_TRUE(Unloaded(form_));
        EXPECT_EQ(visibility_.hides, 1);
        EXPECT_EQ(visibility_.shows_after_hide, 0);
    } else {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_FALSE(form_.isNull());
        EXPECT_TRUE(form_->isVisible());
        EXPECT_EQ(visibility_.hides, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Focus, Closing,
    ::testing::Values(
        // The box takes the focus when the window opens.
        CloseCase{"AnotherWindowBecomesActive", {Step::ActivateOtherWindow}, true},
        CloseCase{"ClickIntoText1ThenAnotherWindowBecomesActive",
                  {Step::ClickText1, Step::ActivateOtherWindow},
                  true},
        // Deactivation and focus loss both arrive for this one change.
        CloseCase{"AnotherWindowBecomesActiveWhileTheWindowHoldsTheFocus",
                  {Step::FocusWindow, Step::ActivateOtherWindow},
                  true},
        CloseCase{"WindowLosesTheFocus", {Step::FocusWindow, Step::ClearFocus}, true},
        CloseCase{"EventsRepeatedForOneChange",
                  {Step::FocusWindow, Step::ClearFocus, Step::SendActivationChange, Step::SendFocusOut},
                  true},
        // Focus moving between the window and its box stays inside.
        CloseCase{"FocusMovesFromTheWindowIntoText1", {Step::FocusWindow, Step::FocusText1}, false},
        CloseCase{"ClickIntoText1", {Step::FocusWindow, Step::ClickText1}, false},
        CloseCase{"ActivationChangeWhileStillActive", {Step::SendActivationChange}, false}),
    [](const auto& info) { return std::string(info.param.name); });

class FakePlatform : public Platform {
public:
    std::string ProgramFolder() const override { return "/nonexistent"; }
    void MessageBox(QWidget*, const std::string&, int, const std::string&) override {}
};

class HelpFromMainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        main_window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main_window_));
        about_ = main_window_.findChild<QAction*>("mnuAbout");
        help_ = main_window_.findChild<QAction*>("mnuHelp");
        ASSERT_NE(about_, nullptr);
        ASSERT_NE(help_, nullptr);
    }

    // Chooses Info > Help and waits for the window to become active.
    QPointer<Form3> OpenHelp()
    {
        help_->trigger();
        QPointer<Form3> help = main_window_.findChild<Form3*>();
        EXPECT_FALSE(help.isNull());
        if (help) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(help.data()));
        }
        return help;
    }

    FakePlatform platform_;
    Form1 main_window_{platform_};
    QAction* about_ = nullptr;
    QAction* help_ = nullptr;
};

TEST_F(HelpFromMainWindow, ReopensFreshAtTheFirstLine)
{
    QPointer<Form3> first = OpenHelp();
    ASSERT_FALSE(first.isNull());
    QPlainTextEdit* box = Text1(first);
    box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
    box->moveCursor(QTextCursor::End);
    ASSERT_GT(box->verticalScrollBar()->value(), 0);

    main_window_.activateWindow();
    ASSERT_TRUE(Unloaded(first));

    const QPointer<Form3> second = OpenHelp();
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(Text1(second)->verticalScrollBar()->value(), 0);
    EXPECT_EQ(Text1(second)->textCursor().position(), 0);
}

TEST_F(HelpFromMainWindow, ChoosingHelpWhileAboutIsOpenClosesAbout)
{
    about_->trigger();
    QPointer<Form2> about = main_window_.findChild<Form2*>();
    ASSERT_FALSE(about.isNull());
    ASSERT_TRUE(QTest::qWaitForWindowActive(about.data()));

    const QPointer<Form3> help = OpenHelp();
    ASSERT_TRUE(Unloaded(about));
    ASSERT_FALSE(help.isNull());
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->isActiveWindow());
}

}  // namespace
}  // namespace kestrami::ui
