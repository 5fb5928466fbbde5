// Text on the backgrounds the designs fix stays readable under any palette,
// measured on what the windows paint, and the CE key is flat yellow under
// every style.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "about_window.h"
#include "help_window.h"
#include "main_window.h"
#include "window_look.h"
#include "window_test_support.h"

namespace kestrami::ui {
namespace {

Rgb ToRgb(const QColor& colour)
{
    return {colour.red(), colour.green(), colour.blue()};
}

// What a control paints where its text goes: the background is the colour
// most of that area has, the text's contrast the highest of any pixel there.
struct Painted {
    QColor background;
    double contrast = 1;
};

Painted Measure(QWidget* control)
{
    QRect area = control->rect().adjusted(4, 4, -4, -4);  // inside a box's or key's edge
    if (auto* scrolled = qobject_cast<QAbstractScrollArea*>(control)) {
        area = scrolled->viewport()->geometry();
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        area = label->contentsRect();
    }
    const QImage image = control->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    Painted painted;
    int most = 0;
    for (const auto& [rgb, count] : counts) {
        if (count > most) {
            most = count;
            painted.background = QColor(rgb);
        }
    }
    for (const auto& [rgb, count] : counts) {
        painted.contrast =
            std::max(painted.contrast, ContrastRatio(ToRgb(QColor(rgb)), ToRgb(painted.background)));
    }
    return painted;
}

// The controls of one window on one background the design fixes, with the
// palette role their text takes.
struct WindowCase {
    const char* name;
    QWidget* (*open)();
    std::vector<const char*> controls;
    QColor background;
    QPalette::ColorRole text;
};
void PrintTo(const WindowCase& c, std::ostream* os)
{
    *os << c.name;
}

const QColor kYellow(255, 255, 0);
FakePlatform platform;

const WindowCase kWindows[] = {
    {"Main",
     []() -> QWidget* { return new MainWindow(platform); },
     {"spareCell", "cell1", "cell2", "cell3", "decimalSign", "cell4", "cell5", "cell6", "cell7",
      "resultsList"},
     QColor(192, 255, 192),
     QPalette::Text},
    {"MainCE",
     []() -> QWidget* { return new MainWindow(platform); },
     {"clearEntryKey"},
     kYellow,
     QPalette::ButtonText},
    {"About",
     []() -> QWidget* { return new AboutWindow; },
     {"programNameLabel", "copyrightLabel", "licenceLabel", "warrantyLabel", "contactLabel"},
     kGrey,
     QPalette::WindowText},
    {"Help", []() -> QWidget* { return new HelpWindow; }, {"helpText"}, kGrey, QPalette::Text},
};

// A desktop palette: its text colour, and the colour that text on the fixed
// backgrounds should then have.
struct PaletteCase {
    const char* name;
    QColor window;
    QColor text;
    QColor shown;
    bool while_open;  // the desktop changes it while the window is open
};
void PrintTo(const PaletteCase& c, std::ostream* os)
{
    *os << c.name;
}

QPalette DesktopPalette(const PaletteCase& c)
{
    QPalette palette = QApplication::style()->standardPalette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        palette.setColor(role, c.window);
    }
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, c.text);
    }
    return palette;
}

const PaletteCase kPalettes[] = {
    // Navy reaches 7:1 on every fixed background: the desktop's colour stays.
    {"LightWithNavyText", QColor(240, 240, 240), QColor(0, 0, 128), QColor(0, 0, 128), false},
    {"Dark", QColor(53, 53, 53), QColor(220, 220, 220), Qt::black, false},
    {"DarkWhileOpen", QColor(53, 53, 53), QColor(220, 220, 220), Qt::black, true},
};

class Readable : public testing::TestWithParam<std::tuple<WindowCase, PaletteCase>> {
protected:
    void TearDown() override { QApplication::setPalette(QApplication::style()->standardPalette()); }
};

TEST_P(Readable, TextOnEveryFixedBackgroundReachesSevenToOne)
{
    const auto& [kind, desktop] = GetParam();
    if (!desktop.while_open) {
        QApplication::setPalette(DesktopPalette(desktop));
    }
    const std::unique_ptr<QWidget> window(kind.open());
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    if (desktop.while_open) {
        QApplication::setPalette(DesktopPalette(desktop));
    }

    for (const char* name : kind.controls) {
        SCOPED_TRACE(name);
        auto* control = window->findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->palette().color(QPalette::Active, kind.text), desktop.shown);
        EXPECT_EQ(control->palette().color(QPalette::Inactive, kind.text), desktop.shown);
        const Painted painted = Measure(control);
        EXPECT_EQ(painted.background, kind.background);
        EXPECT_GE(painted.contrast, kReadableContrast);
    }
    // The link stays blue on any desktop.
    if (const auto* link = window->findChild<QLabel*>("mailLink")) {
        EXPECT_EQ(link->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 255));
    }
}

INSTANTIATE_TEST_SUITE_P(Palettes, Readable,
                         testing::Combine(testing::ValuesIn(kWindows), testing::ValuesIn(kPalettes)),
                         [](const auto& info) {
                             return std::string(std::get<WindowCase>(info.param).name) + "_" +
                                    std::get<PaletteCase>(info.param).name;
                         });

class FlatYellow : public testing::TestWithParam<QString> {
protected:
    void TearDown() override { QApplication::setStyle(QStyleFactory::create("Fusion")); }
};

TEST_P(FlatYellow, CeKeyFaceIsOneYellowUnderEveryStyle)
{
    QApplication::setStyle(QStyleFactory::create(GetParam()));
    MainWindow window(platform);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* key = window.findChild<QPushButton*>("clearEntryKey");
    ASSERT_NE(key, nullptr);
    // The face between the edge and the caption, over the whole width.
    const QImage face = key->grab(QRect(3, 3, key->width() - 6, 12)).toImage();
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            ASSERT_EQ(face.pixelColor(x, y), kYellow) << x << "," << y;
        }
    }
}

TEST_P(FlatYellow, KeypadKeysShowTheFocusFrameWhenTheArrowsReachThem)
{
    QApplication::setStyle(QStyleFactory::create(GetParam()));
    MainWindow window(platform);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (const char* name : {"digitKey5", "clearEntryKey"}) {
        auto* key = window.findChild<QPushButton*>(name);
        const QImage plain = key->grab().toImage();
        window.findChild<QPushButton*>("digitKey6")->setFocus();
        if (key->objectName() == "clearEntryKey") {
            window.findChild<QPushButton*>("digitKey9")->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        }
        ASSERT_EQ(QApplication::focusWidget(), key);
        const QImage framed = key->grab().toImage();
        EXPECT_NE(framed, plain) << name;
        // The frame leaves the face as it was: CE stays flat yellow inside it.
        const auto yellow = [](const QImage& image) {
            int count = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    count += image.pixelColor(x, y) == kYellow ? 1 : 0;
                }
            }
            return count;
        };
        EXPECT_GE(yellow(framed), yellow(plain) * 8 / 10) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, FlatYellow, testing::ValuesIn(QStyleFactory::keys()), [](const auto& info) {
    std::string name = info.param.toStdString();
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    return name;
});

}  // namespace
}  // namespace kestrami::ui
