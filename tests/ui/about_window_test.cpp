// The About window: its design in twips and the e-mail link handed to the
// desktop. Its frame and its closing are checked with the Help window's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <ostream>
#include <string>
#include <vector>

#include "about_window.h"
#include "services.h"
#include "window_test_support.h"

namespace kestrami::ui {
namespace {

// Stands in for the desktop's mail program and keeps every link it gets.
class MailProgram : public QObject {
    Q_OBJECT

public:
    std::vector<QUrl> links;

public slots:
    void Open(const QUrl& url) { links.push_back(url); }
};

class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &mail_, "Open");
        form_ = new AboutWindow;
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

    QPointer<AboutWindow> form_;
    MailProgram mail_;
    VisibilityLog visibility_;
};

struct Place {
    const char* name;
    QRect twips;  // width and height 0: the control sizes itself to its caption
};

TEST_F(AboutWindowTest, ControlsSitWhereTheDesignPutsThemAndNothingOverlaps)
{
    // separatorLine is one pixel, 15 twips, high.
    const Place places[] = {
        {"radioPicture", {120, 120, 1920, 1620}},   {"programNameLabel", {2160, 120, 0, 0}},
        {"copyrightLabel", {2160, 480, 0, 0}},      {"licenceLabel", {2160, 840, 0, 0}},
        {"warrantyLabel", {2160, 1200, 4200, 435}}, {"separatorLine", {120, 1920, 6240, 15}},
        {"contactLabel", {120, 2040, 0, 0}},        {"mailLink", {120, 2280, 0, 0}},
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

TEST_F(AboutWindowTest, LabelsShowTheirCaptionOnTheGreyAndOnlyTheLinkLooksLikeOne)
{
    const QColor text_colour = QApplication::palette().color(QPalette::Active, QPalette::WindowText);
    const LabelCase labels[] = {
        {"programNameLabel", "Kestrami.exe ver. 1.0", true, true, false},
        {"copyrightLabel", "2026", false, true, false},
        {"licenceLabel", "MIT License", false, true, false},
        {"warrantyLabel", "NO WARRANTY", false, false, false},
        {"contactLabel", "Contact author:", true, true, false},
        {"mailLink", "Send e-mail to:  kestrami@example.org", true, true, true},
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
    EXPECT_LE(Control("copyrightLabel")->width() * kTwipsPerPixel, 2055);
}

TEST_F(AboutWindowTest, WarrantyNoticeWrapsToTwoLinesInsideItsBorder)
{
    const auto* label = Control<QLabel>("warrantyLabel");
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

TEST_F(AboutWindowTest, PictureIsShownUnscaledInsideItsSunkenBorder)
{
    auto* image = Control<QLabel>("radioPicture");
    const QPixmap picture = image->pixmap();
    ASSERT_FALSE(picture.isNull()) << "the picture did not load";
    EXPECT_EQ(picture.size(), QSize(124, 104));
    EXPECT_FALSE(picture.toImage().allGray());
    EXPECT_EQ(image->frameShape(), QFrame::Panel);
    EXPECT_EQ(image->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(image->contentsRect(), QRect(2, 2, 124, 104));

    const QImage shown = image->grab(image->contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, picture.toImage().convertToFormat(QImage::Format_RGB32));
}

TEST_F(AboutWindowTest, SeparatorIsOneGreyPixelLineOnTheWindowsGrey)
{
    const QImage window = form_->grab().toImage();
    // separatorLine runs from x 8 to x 423 at y 128.
    for (const int x : {8, 200, 423}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(window.pixelColor(x, 128), QColor(128, 128, 128));
        EXPECT_EQ(window.pixelColor(x, 127), kGrey);
        EXPECT_EQ(window.pixelColor(x, 129), kGrey);
    }
    EXPECT_EQ(window.pixelColor(7, 128), kGrey);
    EXPECT_EQ(window.pixelColor(424, 128), kGrey);
}

TEST_F(AboutWindowTest, TheWindowHoldsTheFocusAndTheLinkIsTheOnlyTabStop)
{
    EXPECT_EQ(QApplication::focusWidget(), form_.data());
    for (const QWidget* control : form_->findChildren<QWidget*>()) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_EQ(control->focusPolicy(), control->objectName() == "mailLink" ? Qt::TabFocus : Qt::NoFocus);
    }
}

class LinkKey : public AboutWindowTest, public ::testing::WithParamInterface<QKeyCombination> {};

TEST_P(LinkKey, TabReachesTheLinkWhichShowsItsFocusAndTheKeyOpensIt)
{
    QWidget* link = Control("mailLink");
    const QImage unfocused = link->grab().toImage();
    for (int tab = 0; tab < 2; ++tab) {  // the only stop: Tab stays there
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), link);
    }
    EXPECT_NE(link->grab().toImage(), unfocused) << "the focus does not show";
    EXPECT_TRUE(mail_.links.empty());

    QTest::keyClick(link, GetParam().key(), GetParam().keyboardModifiers());
    ASSERT_EQ(mail_.links.size(), 1U);
    EXPECT_EQ(mail_.links[0].toEncoded(), "mailto:kestrami@example.org");
    ExpectStillOpen(form_, visibility_);
}

INSTANTIATE_TEST_SUITE_P(Keys, LinkKey,
                         ::testing::Values(QKeyCombination(Qt::Key_Return),
                                           QKeyCombination(Qt::KeypadModifier, Qt::Key_Enter),
                                           QKeyCombination(Qt::Key_Space)),
                         [](const auto& info) { return std::to_string(info.param.key()); });

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

class LinkClick : public AboutWindowTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(LinkClick, HandsTheMailtoLinkToTheDesktopOncePerClick)
{
    const QWidget* label = Control("mailLink");
    GetParam().act({form_->windowHandle(), label->geometry().center(), QPoint(300, 160)});

    ASSERT_EQ(mail_.links.size(), GetParam().links);
    for (const QUrl& link : mail_.links) {
        EXPECT_EQ(link.toEncoded(), "mailto:kestrami@example.org");
    }
    // Nothing is shown and the window stays open.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ExpectStillOpen(form_, visibility_);
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

TEST_F(AboutWindowTest, ClicksOnThePictureAndTheOtherLabelsDoNothing)
{
    for (const char* name : {"radioPicture", "programNameLabel", "copyrightLabel", "licenceLabel",
                             "warrantyLabel", "separatorLine", "contactLabel"}) {
        SCOPED_TRACE(name);
        const QPoint at = Control(name)->geometry().center();
        QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(form_->windowHandle(), Qt::LeftButton, {}, at);
    }
    EXPECT_TRUE(mail_.links.empty());
    ExpectStillOpen(form_, visibility_);
}

}  // namespace
}  // namespace kestrami::ui

#include "about_window_test.moc"
