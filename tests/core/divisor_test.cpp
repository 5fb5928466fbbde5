// ENTER: the frequency text, the band limits and the division number.
#include <gtest/gtest.h>

#include <charconv>
#include <ostream>
#include <string>

#include "divisor_calculator.h"
#include "test_support.h"

namespace kestrami {
namespace {

constexpr Band kHam = Band::Ham;
constexpr Band kFull = Band::Full;
constexpr long kRefused = -1;

// An entry is keyed (as test::Keys) or, when it holds '|', seven typed cell
// texts separated by '|'. text is the frequency text ENTER reads; an
// accepted entry adds "Fo=<text>  n=<n>".
struct EnterCase {
    const char* name;
    Band band;
    const char* entry;
    std::string text;
    long n;
    friend void PrintTo(const EnterCase& c, std::ostream* os) { *os << c.name; }
};

class EnterFrequencyTest : public ::testing::TestWithParam<EnterCase> {};

TEST_P(EnterFrequencyTest, AppendsLineOrNothingAndClearsEntry)
{
    const EnterCase& c = GetParam();
    DivisorCalculator calc = test::Started(c.band);
    const std::string entry = c.entry;
    if (entry.find('|') == std::string::npos) {
        test::Keys(calc, entry);
    } else {
        for (std::size_t i = 1, from = 0; i <= 7; ++i) {
            const std::size_t to = i < 7 ? entry.find('|', from) : entry.size();
            calc.WriteCell(static_cast<int>(i), entry.substr(from, to - from));
            from = to + 1;
        }
    }
    EXPECT_EQ(calc.FrequencyText(), c.text);
    const std::size_t count = c.n == kRefused ? 2 : 3;
    // A second ENTER finds the entry cleared, reads 000.0000 and adds nothing.
    for (int enter = 0; enter < 2; ++enter) {
        calc.EnterFrequency();
        ASSERT_EQ(calc.Results().Count(), count);
        test::ExpectStartState(calc);
    }
    if (c.n != kRefused) {
        EXPECT_EQ(calc.Results().Line(2), "Fo=" + c.text + "  n=" + std::to_string(c.n));
    }
    EXPECT_EQ(calc.SelectedBand(), c.band);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, EnterFrequencyTest,
    ::testing::Values(EnterCase{"Ham_4351250", kHam, "4351250", "435.1250", 5620},
                      EnterCase{"Ham_LowerBound", kHam, "4300000", "430.0000", 4800},
                      EnterCase{"Ham_UpperBound", kHam, "4400000", "440.0000", 6400},
                      EnterCase{"Ham_JustBelowUpperBound", kHam, "4399999", "439.9999", 6400},
                      EnterCase{"Ham_4335000", kHam, "4335000", "433.5000", 5360},
                      EnterCase{"Ham_RoundsDown", kHam, "4300031", "430.0031", 4800},
                      EnterCase{"Ham_RoundsUp", kHam, "4300032", "430.0032", 4801},
                      EnterCase{"Ham_4386500", kHam, "4386500", "438.6500", 6184},
                      EnterCase{"Ham_JustBelowSecondStep", kHam, "4300063", "430.0063", 4801},
                      EnterCase{"Ham_SecondStep", kHam, "4300125", "430.0125", 4802},
                      EnterCase{"Ham_JustBelowBand", kHam, "4299999", "429.9999", kRefused},
                      EnterCase{"Ham_JustAboveBand", kHam, "4400001", "440.0001", kRefused},
                      EnterCase{"Ham_FullOnly", kHam, "4500000", "450.0000", kRefused},
                      EnterCase{"Full_BelowHam", kFull, "4299999", "429.9999", 4800},
                      EnterCase{"Full_LowerBound", kFull, "4000000", "400.0000", 0},
                      EnterCase{"Full_UpperBound", kFull, "5000000", "500.0000", 16000},
                      EnterCase{"Full_4500000", kFull, "4500000", "450.0000", 8000},
                      EnterCase{"Full_JustAboveBand", kFull, "5000001", "500.0001", kRefused},
                      EnterCase{"Full_JustBelowBand", kFull, "3999999", "399.9999", kRefused},
                      EnterCase{"Ham_AllZero", kHam, "0000000", "000.0000", kRefused},
                      EnterCase{"Full_AllZero", kFull, "0000000", "000.0000", kRefused},
                      EnterCase{"Ham_ThreeDigits", kHam, "435", "435.0000", 5600},
                      EnterCase{"Full_ThreeDigits", kFull, "435", "435.0000", 5600},
                      EnterCase{"Ham_ThreeDigitsStepBack", kHam, "435<", "435.0000", 5600},
                      EnterCase{"Full_ThreeDigitsStepBack", kFull, "435<", "435.0000", 5600},
                      EnterCase{"Ham_EighthDigit", kHam, "43512509", "435.1259", 5620},
                      EnterCase{"Ham_StepBackFromSeven", kHam, "4351259<", "435.1250", 5620},
                      EnterCase{"Ham_RetypedAfterClear", kHam, "4500000C4386500", "438.6500", 6184},
                      // Typed cells: spaces around a cell drop out, everything else stays.
                      EnterCase{"SpacesAroundDropped", kHam, " 4 |3  |  5|1|2|5|0", "435.1250", 5620},
                      EnterCase{"OnlySpacesLeaveNothing", kHam, "4|3|5|   |1|2|5", "435.125", 5620},
                      EnterCase{"EmptyCell", kHam, "4|3|5||0|0|0", "435.000", 5600},
                      EnterCase{"LongerCellKept", kHam, "4|3|5|12|0|0|0", "435.12000", 5619},
                      EnterCase{"LongerFirstCell", kHam, "43|5|1|2|5|0|0", "4351.2500", kRefused},
                      EnterCase{"TabDropped", kHam, "4|3|5|\t1|0|0|0", "435.1000", 5616},
                      // Bytes that form a control only once two cells are joined.
                      EnterCase{"ControlFormedAcrossCells", kHam,
                                "4\xE2|\x80\x8E"
                                "3|5|1|2|5|0",
                                "435.1250", 5620},
                      EnterCase{"InnerSpaceKept", kHam, "4|3|5|1 2|0|0|0", "435.1 2000", 5619},
                      EnterCase{"CommaStopsReading", kHam, "4|3|5|,5|0|0|0", "435.,5000", 5600},
                      EnterCase{"ExponentStopsReading", kHam, "4|3|5e3|0|0|0|0", "435e3.0000", 5600},
                      EnterCase{"NegativeRefused", kHam, "-4|3|5|0|0|0|0", "-435.0000", kRefused},
                      EnterCase{"EmptyFirstCells", kFull, " ||  |0|0|0|0", ".0000", kRefused},
                      EnterCase{"Letters", kFull, "a|b|c|d|e|f|g", "abc.defg", kRefused},
                      EnterCase{"HugeRefused", kFull, "99999999999999999999999999999999|0|0|0|0|0|0",
                                "9999999999999999999999999999999900.0000", kRefused},
                      // Exact half steps round to the even number.
                      EnterCase{"HalfStepToEvenDown", kFull, "4|0|0|0|1|5|625", "400.015625", 2},
                      EnterCase{"HalfStepToEvenUp", kFull, "4|0|0|0|4|6|875", "400.046875", 8},
                      EnterCase{"HamHalfStepToEvenDown", kHam, "4|3|0|0|1|5|625", "430.015625", 4802},
                      EnterCase{"HamHalfStepToEvenUp", kHam, "4|3|0|0|4|6|875", "430.046875", 4808}),
    [](const auto& info) { return std::string(info.param.name); });

// ResultLine over every keyable input from 400.0000 to 500.0000 in FULL, and
// from 420.0000 to 450.0000 in HAM, against the division number worked out
// in integers.
TEST(ResultLine, EveryKeyedFrequencyMatchesIntegerDivisor)
{
    char text[] = "ddd.dddd";
    std::string expected;
    int failures = 0;
    for (long long code = 4000000; code <= 5000000 && failures < 10; ++code) {
        for (long long pos = 7, rest = code; pos >= 0; --pos) {
            if (pos != 3) {
                text[pos] = static_cast<char>('0' + rest % 10);
                rest /= 10;
            }
        }
        char n[8];
        expected.assign("Fo=").append(text).append("  n=").append(
            n, std::to_chars(n, n + sizeof n, test::KeyedDivisor(code)).ptr);
        const std::string full = ResultLine(text, Band::Full);
        const bool near_ham = code >= 4200000 && code <= 4500000;
        const bool in_ham = code >= 4300000 && code <= 4400000;
        const std::string ham = near_ham ? ResultLine(text, Band::Ham) : "";
        if (full != expected || ham != (in_ham ? expected : "")) {
            ADD_FAILURE() << text << ": FULL \"" << full << "\", HAM \"" << ham << "\", expected \""
                          << expected << "\"";
            ++failures;
        }
    }
}

}  // namespace
}  // namespace kestrami
