// A large desktop font changes nothing inside the three windows: their client
// areas paint the same pixels under the default font and under a 16-point
// one, whether the desktop sets it before a window opens or while it is open,
// for the whole application or, as platform themes do, per kind of control.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QTest>

#include <memory>
#include <ostream>
#include <string>
#include <tuple>

#include "about_window.h"
#include "help_window.h"
#include "main_window.h"
#include "window_test_support.h"

namespace kestrami::ui {
namespace {

// The kinds of control a platform theme may give fonts of their own.
const char* const kThemedClasses[] = {"QLabel",    "QPushButton",    "QGroupBox",        "QLineEdit",
                                      "QTextEdit", "QPlainTextEdit", "QAbstractItemView"};

struct Kind {
    const char* name;
    QWidget* (*open)(Platform& platform);
    // The client area, below the menu bar where there is one.
    QWidget* (*client)(QWidget* window);
};
void PrintTo(const Kind& kind, std::ostream* os)
{
    *os << kind.name;
}

QWidget* Whole(QWidget* window)
{
    return window;
}

const Kind kKinds[] = {
    {"Main", [](Platform& p) -> QWidget* { return new MainWindow(p); },
     [](QWidget* w) { return static_cast<QMainWindow*>(w)->centralWidget(); }},
    {"About", [](Platform&) -> QWidget* { return new AboutWindow; }, Whole},
    {"Help", [](Platform&) -> QWidget* { return new HelpWindow; }, Whole},
};

enum class Scope { Application, PerKindOfControl };
enum class When { BeforeOpening, WhileOpen };

class LargeDesktopFont : public testing::TestWithParam<std::tuple<Kind, Scope, When>> {
protected:
    void SetUp() override
    {
        // A caret that does not blink paints the same at every moment.
        QApplication::setCursorFlashTime(0);
        saved_ = QApplication::font();
    }
    void TearDown() override
    {
        QApplication::setFont(saved_);
        for (const char* kind : kThemedClasses) {
            QApplication::setFont(saved_, kind);
        }
        delete window_.data();
    }

    QImage Open()
    {
        delete window_.data();
        window_ = std::get<Kind>(GetParam()).open(platform_);
        window_->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.data()));
        return Paint();
    }
    QImage Paint()
    {
        // The new font's layouts, then the window's answer to them, each on
        // a later turn of the event loop.
        for (int turn = 0; turn < 3; ++turn) {
            QCoreApplication::processEvents();
        }
        return std::get<Kind>(GetParam()).client(window_)->grab().toImage();
    }
    void UseLargeFont()
    {
        // Larger, another family, and bold: nothing of it may reach a window.
        QFont large(QStringLiteral("DejaVu Serif"), 16, QFont::Bold);
        if (std::get<Scope>(GetParam()) == Scope::Application) {
            QApplication::setFont(large);
        } else {
            for (const char* kind : kThemedClasses) {
                QApplication::setFont(large, kind);
            }
        }
    }

    FakePlatform platform_;
    QPointer<QWidget> window_;
    QFont saved_;
};

TEST_P(LargeDesktopFont, LeavesTheClientAreaPixelForPixel)
{
    const QImage usual = Open();
    UseLargeFont();
    const QImage large = std::get<When>(GetParam()) == When::WhileOpen ? Paint() : Open();
    ASSERT_EQ(large.size(), usual.size());
    EXPECT_TRUE(large == usual) << "the client area looks different";
}

INSTANTIATE_TEST_SUITE_P(
    Windows, LargeDesktopFont,
    testing::Combine(testing::ValuesIn(kKinds), testing::Values(Scope::Application, Scope::PerKindOfControl),
                     testing::Values(When::BeforeOpening, When::WhileOpen)),
    [](const auto& info) {
        return std::string(std::get<Kind>(info.param).name) +
               (std::get<Scope>(info.param) == Scope::Application ? "_Application" : "_PerKind") +
               (std::get<When>(info.param) == When::WhileOpen ? "_WhileOpen" : "_BeforeOpening");
    });

}  // namespace
}  // namespace kestrami::ui
