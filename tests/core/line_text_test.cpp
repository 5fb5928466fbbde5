// One row is one line: what a one-line text leaves out, and how a row shows.
#include <gtest/gtest.h>

#include <string>

#include "line_text.h"

namespace kestrami {
namespace {

struct LineCase {
    const char* name;
    std::string text;
    std::string single_line;  // also what shows between the left-to-right override and its end
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
    EXPECT_EQ(LeftToRightText(c.text), "\u202D" + c.single_line + "\u202C");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LineTextTest,
    ::testing::Values(
        LineCase{"Plain", "Fo=435.1250  n=5620", "Fo=435.1250  n=5620"}, LineCase{"Empty", "", ""},
        LineCase{"ForgedBlock", "5\r\nFo=999.9999  n=99999\r\n\r\n \r\nFAKE", "5Fo=999.9999  n=99999 FAKE"},
        LineCase{"NulBelEscTabDel",
                 std::string("4\0"
                             "3\a5\x1B[2J\t.\x7F"
                             "1",
                             13),
                 "435[2J.1"},
        LineCase{"NextLineAndSeparators", "4\u00853\u20285\u2029.", "435."},
        LineCase{"OtherUnicodeKept", "\u00E9\u20AC\u00A0\u2027\u202F\u00C2",
                 "\u00E9\u20AC\u00A0\u2027\u202F\u00C2"},
        LineCase{"BrokenUtf8Kept", "\xC2\xE2\x80\xFF", "\xC2\xE2\x80\xFF"},
        // Every bidirectional formatting character: the row stored is the row
        // seen. Their neighbours in UTF-8 stay.
        LineCase{"DirectionMarksDropped",
                 "4\u061C3\u200E5\u200F.\u202A1\u202B2\u202C5\u202D0\u202E \u2066n\u2067=\u2068x\u2069",
                 "435.1250 n=x"},
        LineCase{"ControlsFormedOnlyOnceOthersAreGone",
                 "4\xC2\x01\x85"
                 "3\xE2\xD8\x9C\x80\x8E"
                 "5\xE2\x80\x01\xAE",
                 "435"},
        LineCase{"NeighboursOfDirectionMarksKept", "\u061B\u061D\u200D\u2065\u206A\xD8",
                 "\u061B\u061D\u200D\u2065\u206A\xD8"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrami
