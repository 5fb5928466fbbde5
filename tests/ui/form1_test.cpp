#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "form1.h"
#include "services.h"

namespace kestrami::ui {
namespace {

class FakePlatform : public Platform {
public:
    std::string ProgramFolder() const override { return folder; }
    void MessageBox(QWidget*, const std::string& prompt, int style, const std::string& title) override
    {
        boxes.push_back({prompt, style, title});
    }
    struct Box {
        std::string prompt;
        int style;
        std::string title;
    };
    std::string folder = "/nonexistent";
    std::vector<Box> boxes;
};

TEST(Form1, Smoke)
{
    FakePlatform platform;
    Form1 window(platform);
    window.show();
    QTest::mouseClick(window.findChild<QPushButton*>("Command4"), Qt::LeftButton);
    EXPECT_EQ(window.findChild<QLineEdit*>("dig_1")->text(), "4");
}

}  // namespace
}  // namespace kestrami::ui
