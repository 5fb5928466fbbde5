// The About window: its design in twips, the e-mail link handed to the
// desktop, and its closing as soon as it loses the focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <ostream>
#include <string>
#include <vector>

#include "form2.h"
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

QRect InTwips(const QRect& r)
{
    return {r.x() * kTwipsPerPixel, r.y() * kTwipsPerPixel, r.width() * kTwipsPerPixel,
            r.height() * kTwipsPerPixel};
}

// Runs the event loop, deferred deletions included, until the window is
// gone; false if it is still there after QTest's usual wait.
template <typename Window>
bool Unloaded(const QPointer<Window>& window)
{
    return QTest::qWaitFor([&] { return window.isNull(); });
}

// Stands in for the desktop's mail program and keeps every link it gets.
class MailProgram : public QObject {
    Q_OBJECT

public:
    std::vector<QUrl> links;

public slots:
    void Open(const QUrl& url) { links.push_back(url); }
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

class AboutWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &mail_, "Open");
        form_ = new Form2;
        form_->installEventFilter(&visibility_);
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.data()));
    }
    void TearDown() override
    {
        delete form_.data();
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    }

    template <typename T = QWidget>
    T* Control(const char* name)
    {
        T* control = form_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    QPointer<Form2> form_;
    MailProgram mail_;
    VisibilityLog visibility_;
};

TEST_F(AboutWindow, IsAFixedGreyWindowWithCloseBoxAndWindowMenuOnly)
{
    EXPECT_EQ(form_->windowTitle(), "NOKIA Kestrami - About");
    EXPECT_EQ(form_->width() * kTwipsPerPixel, 6540);
    EXPECT_EQ(form_->height() * kTwipsPerPixel, 2595);
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
    // The open About window never keeps the program running.
    EXPECT_FALSE(form_->testAttribute(Qt::WA_QuitOnClose));
}

struct Place {
    const char* name;
    QRect twips;  // width and height 0: the control sizes itself to its caption
};

TEST_F(AboutWindow, ControlsSitWhereTheDesignPutsThemAndNothingOverlaps)
{
    // Line1 is one pixel, 15 twips, high.
    const Place places[] = {
        {"Image1", {120, 120, 1920, 1620}},  {"Label1", {2160, 120, 0, 0}},
        {"Label2", {2160, 480, 0, 0}},       {"Label3", {2160, 840, 0, 0}},
        {"Label4", {2160, 1200, 4200, 435}}, {"Line1", {120, 1920, 6240, 15}},
        {"Label5", {120, 2040, 0, 0}},       {"Label6", {120, 2280, 0, 0}},
    };
    for (const auto& [name, twips] : places) {
        SCOPED_TRACE(name);
        const QRect shown = InTwips(Control(name)->geometry());
        EXPECT_EQ(shown.topLeft(), twips.topLeft());
        if (!twips.size().isNull()) {
            EXPECT_EQ(shown.size(), twips.size());
        }
    }

    const QList<QWidget*> controls = form_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(controls.size(), 8);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(controls[i]->objectName().toStdString());
        EXPECT_TRUE(form_->rect().contains(controls[i]->geometry()));
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << "overlaps " << controls[j]->objectName().toStdString();
        }
    }
}

struct LabelCase {
    const char* name;
    const char* text;  // the whole caption, or a part of it when not `exact`
    bool exact;
    bool one_line;
    bool link;
};

TEST_F(AboutWindow, LabelsShowTheirCaptionOnTheGreyAndOnlyTheLinkLooksLikeOne)
{
    const QColor text_colour = QApplication::palette().color(QPalette::Active, QPalette::WindowText);
    const LabelCase labels[] = {
        {"Label1", "Kestrami.exe ver. 1.0", true, true, false},
        {"Label2", "2026", false, true, false},
        {"Label3", "MIT License", false, true, false},
        {"Label4", "NO WARRANTY", false, false, false},
        {"Label5", "Contact author:", true, true, false},
        {"Label6", "Send e-mail to:  kestrami@example.org", true, true, true},
    };
    for (const auto& [name, text, exact, one_line, link] : labels) {
        SCOPED_TRACE(name);
        const auto* label = Control<QLabel>(name);
        if (exact) {
            EXPECT_EQ(label->text(), text);
        } else {
            EXPECT_TRUE(label->text().contains(QString::fromLatin1(text)));
        }
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        if (one_line) {
            // Sized to the whole caption on one line.
            const QFontMetrics metrics(label->font());
            EXPECT_FALSE(label->wordWrap());
            EXPECT_GE(label->width(), metrics.horizontalAdvance(label->text()));
            EXPECT_GE(label->height(), metrics.height());
        }
        EXPECT_EQ(label->font().family(), "MS Sans Serif");
        EXPECT_EQ(label->font().pointSizeF(), 8.25);
        EXPECT_FALSE(label->font().bold());
        EXPECT_EQ(label->font().underline(), link);
        EXPECT_EQ(label->palette().color(QPalette::Window), kGrey);
        EXPECT_FALSE(label->autoFillBackground());
        EXPECT_EQ(label->palette().color(QPalette::Active, QPalette::WindowText),
                  link ? QColor(0, 0, 255) : text_colour);
        EXPECT_EQ(label->cursor().shape(), link ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    // The copyright notice keeps to the width the design gives it.
    EXPECT_LE(Control("Label2")->width() * kTwipsPerPixel, 2055);
}

TEST_F(AboutWindow, WarrantyNoticeWrapsToTwoLinesInsideItsBorder)
{
    const auto* label = Control<QLabel>("Label4");
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->frameShape(), QFrame::Panel);
    EXPECT_EQ(label->frameWidth(), 1);

    const QFontMetrics metrics(label->font());
    const QRect text =
        metrics.boundingRect(QRect(0, 0, label->contentsRect().width() - label->indent(), 1000),
                             Qt::TextWordWrap | label->alignment(), label->text());
    EXPECT_EQ(qRound(double(text.height()) / metrics.lineSpacing()), 2);
    EXPECT_LE(text.height(), label->contentsRect().height());
    // Qt's own measure of the label, frame and indent included.
    EXPECT_LE(label->heightForWidth(label->width()), label->height());
}

TEST_F(AboutWindow, PictureIsShownUnscaledInsideItsSunkenBorder)
{
    auto* image = Control<QLabel>("Image1");
    const QPixmap picture = image->pixmap();
    ASSERT_FALSE(picture.isNull()) << "the JPEG did not load";
    EXPECT_EQ(picture.size(), QSize(124, 104));
    EXPECT_FALSE(picture.toImage().allGray());
    EXPECT_EQ(image->frameShape(), QFrame::Panel);
    EXPECT_EQ(image->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(image->contentsRect(), QRect(2, 2, 124, 104));

    const QImage shown = image->grab(image->contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, picture.toImage().convertToFormat(QImage::Format_RGB32));
}

TEST_F(AboutWindow, SeparatorIsOneGreyPixelLineOnTheWindowsGrey)
{
    const QImage window = form_->grab().toImage();
    // Line1 runs from x 8 to x 423 at y 128.
    for (const int x : {8, 200, 423}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(window.pixelColor(x, 128), QColor(128, 128, 128));
        EXPECT_EQ(window.pixelColor(x, 127), kGrey);
        EXPECT_EQ(window.pixelColor(x, 129), kGrey);
    }
    EXPECT_EQ(window.pixelColor(7, 128), kGrey);
    EXPECT_EQ(window.pixelColor(424, 128), kGrey);
}

TEST_F(AboutWindow, NoControlTakesTheFocus)
{
    for (const QWidget* control : form_->findChildren<QWidget*>()) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_EQ(control->focusPolicy(), Qt::NoFocus);
    }
}

// Mouse input goes in through the window as the window system delivers it:
// Qt picks the control under the pointer, keeps a pressed button's control
// for its release and makes double clicks of its own.
struct Pointer {
    QWindow* window;
    QPoint on_label;
    QPoint off_label;
};

struct ClickCase {
    const char* name;
    void (*act)(const Pointer& pointer);
    std::size_t links;
};
void PrintTo(const ClickCase& c, std::ostream* os)
{
    *os << c.name;
}

class LinkClick : public AboutWindow, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(LinkClick, HandsTheMailtoLinkToTheDesktopOncePerClick)
{
    const QWidget* label = Control("Label6");
    GetParam().act({form_->windowHandle(), label->geometry().center(), QPoint(300, 160)});

    ASSERT_EQ(mail_.links.size(), GetParam().links);
    for (const QUrl& link : mail_.links) {
        EXPECT_EQ(link.toEncoded(), "mailto:kestrami@example.org");
    }
    // Nothing is shown and the window stays open.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ASSERT_FALSE(form_.isNull());
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(visibility_.hides, 0);
}

INSTANTIATE_TEST_SUITE_P(
    MouseActions, LinkClick,
    ::testing::Values(
        ClickCase{"Click",
                  [](const Pointer& p) { QTest::mouseClick(p.window, Qt::LeftButton, {}, p.on_label); }, 1},
        // The second press of a double click is no click of its own.
        ClickCase{"DoubleClick",
                  [](const Pointer& p) { QTest::mouseDClick(p.window, Qt::LeftButton, {}, p.on_label); }, 1},
        ClickCase{"RightClick",
                  [](const Pointer& p) { QTest::mouseClick(p.window, Qt::RightButton, {}, p.on_label); }, 0},
        ClickCase{"ReleasedOffTheLabel",
                  [](const Pointer& p) {
                      QTest::mousePress(p.window, Qt::LeftButton, {}, p.on_label);
                      QTest::mouseMove(p.window, p.off_label);
                      QTest::mouseRelease(p.window, Qt::LeftButton, {}, p.off_label);
                  },
                  0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AboutWindow, ClicksOnThePictureAndTheOtherLabelsDoNothing)
{
    for (const char* name : {"Image1", "Label1", "Label2", "Label3", "Label4", "Line1", "Label5"}) {
        SCOPED_TRACE(name);
        const QPoint at = Control(name)->geometry().center();
        QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(form_->windowHandle(), Qt::LeftButton, {}, at);
    }
    EXPECT_TRUE(mail_.links.empty());
    ASSERT_FALSE(form_.isNull());
    EXPECT_TRUE(form_->isVisible());
}

enum class Step { HoldFocusInWindow, ActivateOtherWindow, SendFocusOut, SendActivationChange, CloseBox };

struct CloseCase {
    const char* name;
    std::vector<Step> steps;
    bool closes;
};
void PrintTo(const CloseCase& c, std::ostream* os)
{
    *os << c.name;
}

class Closing : public AboutWindow, public ::testing::WithParamInterface<CloseCase> {
protected:
    void Run(Step step)
    {
        if (form_.isNull()) {
            return;
        }
        switch (step) {
            case Step::HoldFocusInWindow:
                form_->setFocus();
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
            case Step::CloseBox:
                form_->close();
                break;
        }
    }

    QWidget other_;
};

TEST_P(Closing, HidesThenUnloadsOnceWhenTheFocusLeaves)
{
    for (const Step step : GetParam().steps) {
        Run(step);
    }
    if (GetParam().closes) {
        ASSERT_TRUE(Unloaded(form_));
        EXPECT_EQ(visibility_.hides, 1);
        EXPECT_EQ(visibility_.shows_after_hide, 0);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            EXPECT_EQ(qobject_cast<Form2*>(window), nullptr) << "the About window came back";
        }
    } else {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_FALSE(form_.isNull());
        EXPECT_TRUE(form_->isVisible());
        EXPECT_EQ(visibility_.hides, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Events, Closing,
    ::testing::Values(CloseCase{"AnotherWindowBecomesActive", {Step::ActivateOtherWindow}, true},
                      // Deactivation and focus loss both arrive for this one change.
                      CloseCase{"AnotherWindowBecomesActiveWhileTheWindowHoldsTheFocus",
                                {Step::HoldFocusInWindow, Step::ActivateOtherWindow},
                                true},
                      CloseCase{"FocusOut", {Step::SendFocusOut}, true},
                      CloseCase{"EventsRepeatedForOneChange",
                                {Step::SendFocusOut, Step::SendActivationChange, Step::SendFocusOut},
                                true},
                      CloseCase{"ClosedWithTheCloseBox", {Step::CloseBox}, true},
                      CloseCase{"ActivationChangeWhileStillActive", {Step::SendActivationChange}, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrami::ui

#include "form2_test.moc"
