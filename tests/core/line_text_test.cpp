// One row is one line: what a one-line text leaves out, and how a row shows.
#include <gtest/gtest.h>

#include <string>

#include "line_text.h"

namespace kestrami {
namespace {

struct LineCase {
    const char* name;
    std::string text;
    std::string single_line;
    std::string shown;  // between the left-to-right override and its end
};
void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << c.name;
}

class LineTextTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineTextTest, DropsLineControlsAndShowsLeftToRight)
{
    const LineCase& c = GetParam();
    EXPECT_EQ(SingleLineText(c.text), c.single_line);
    EXPECT_EQ(LeftToRightText(c.text), "\u202D" + c.shown + "\u202C");
    EXPECT_EQ(ShownCharacters(c.text), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LineTextTest,
    ::testing::Values(
        LineCase{"Plain", "Fo=435.1250  n=5620", "Fo=435.1250  n=5620", "Fo=435.1250  n=5620"},
        LineCase{"Empty", "", "", ""},
        LineCase{"ForgedBlock", "5\r\nFo=999.9999  n=99999\r\n\r\n \r\nFAKE", "5Fo=999.9999  n=99999 FAKE",
                 "5\r\nFo=999.9999  n=99999\r\n\r\n \r\nFAKE"},
        LineCase{"NulBelEscTabDel",
                 std::string("4\0"
                             "3\a5\x1B[2J\t.\x7F"
                             "1",
                             13),
                 "435[2J.1",
                 std::string("4\0"
                             "3\a5\x1B[2J\t.\x7F"
                             "1",
                             13)},
        LineCase{"NextLineAndSeparators", "4\u00853\u20285\u2029.", "435.", "4\u00853\u20285\u2029."},
        LineCase{"OtherUnicodeKept", "\u00E9\u20AC\u00A0\u2027\u202F\u00C2",
                 "\u00E9\u20AC\u00A0\u2027\u202F\u00C2", "\u00E9\u20AC\u00A0\u2027\u202F\u00C2"},
        LineCase{"BrokenUtf8Kept", "\xC2\xE2\x80\xFF", "\xC2\xE2\x80\xFF", "\xC2\xE2\x80\xFF"},
        LineCase{"OverridesShownInOrder", "Fo=43\u202E5.1250\u202C  n=\u2067562\u20690",
                 "Fo=43\u202E5.1250\u202C  n=\u2067562\u20690", "Fo=435.1250  n=5620"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrami
