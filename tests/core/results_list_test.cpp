// The band switch and the results list: headers, clearing, and lists longer
// than a 16-bit row count. The generation contract is checked operation by
// operation in random_sequence_test.cpp.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "divisor_calculator.h"
#include "test_support.h"

namespace kestrami {
namespace {

using Lines = std::vector<std::string>;

const Lines kHam = {"HAM Range:", "430-440 MHz"};
const Lines kFull = {"FULL Range:", "400-500 MHz"};
const std::string kFirst = "Fo=435.1250  n=5620";  // accepted in both bands
const std::string kSecond = "Fo=438.6500  n=6184";

Lines With(Lines lines, const Lines& results)
{
    lines.insert(lines.end(), results.begin(), results.end());
    return lines;
}

TEST(ResultsList, StartUpPutsHamHeaders)
{
    DivisorCalculator calc;
    EXPECT_EQ(calc.Results().Count(), 0u);
    calc.StartUp();
    EXPECT_EQ(calc.Results().Lines(), kHam);
    EXPECT_TRUE(calc.IsHam());
}

// 'E' enters 435.1250, 'O' 438.6500, 'X' 450.0000 (refused in HAM);
// 'C' is CLEAR, 'H' and 'F' select the band.
struct ListCase {
    const char* name;
    const char* actions;
    Band band;
    Lines lines;
    friend void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }
};

class BandAndClearTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(BandAndClearTest, ListAfterActions)
{
    const ListCase& c = GetParam();
    DivisorCalculator calc = test::Started(Band::Ham);
    const auto generation = calc.Results().Generation();
    test::Keys(calc, "43");  // an unfinished entry that the list actions must leave alone
    for (const char action : std::string(c.actions)) {
        if (action == 'C') {
            calc.ClearResults();
        } else if (action == 'H' || action == 'F') {
            calc.SelectBand(action == 'H' ? Band::Ham : Band::Full);
        } else {
            test::Keys(calc, action == 'E' ? "C4351250E43" : action == 'O' ? "C4386500E43" : "C4500000E43");
        }
    }
    EXPECT_EQ(calc.Results().Lines(), c.lines);
    EXPECT_EQ(calc.SelectedBand(), c.band);
    EXPECT_EQ(calc.IsHam(), c.band == Band::Ham);
    EXPECT_EQ(calc.Results().Generation() != generation,
              std::string(c.actions).find_first_of("CHF") != std::string::npos);
    EXPECT_EQ(test::CellsOf(calc), "4300000");
    EXPECT_EQ(calc.Entry().Cursor(), "3");
}

INSTANTIATE_TEST_SUITE_P(
    Actions, BandAndClearTest,
    ::testing::Values(ListCase{"Start", "", Band::Ham, kHam},
                      ListCase{"ClearAfterStart", "C", Band::Ham, kHam},
                      ListCase{"FullThenClear", "FC", Band::Full, kFull},
                      ListCase{"ResultsKept", "EO", Band::Ham, With(kHam, {kFirst, kSecond})},
                      ListCase{"RefusedAddsNothing", "XEX", Band::Ham, With(kHam, {kFirst})},
                      ListCase{"ClearDropsResults", "EOC", Band::Ham, kHam},
                      ListCase{"ThreeResultsThenFull", "EOEF", Band::Full, kFull},
                      ListCase{"SameBandAgainClears", "EOH", Band::Ham, kHam},
                      ListCase{"FullAgainClears", "FEEF", Band::Full, kFull},
                      ListCase{"BackToHamWithResults", "FEEH", Band::Ham, kHam},
                      ListCase{"HamFullHamBringsNothingBack", "EEFH", Band::Ham, kHam},
                      ListCase{"FirstAfterSwitchIsLineTwo", "EFE", Band::Full, With(kFull, {kFirst})},
                      ListCase{"FullTakesOutsideHam", "FX", Band::Full, With(kFull, {"Fo=450.0000  n=8000"})},
                      ListCase{"ClearKeepsFull", "FEOC", Band::Full, kFull},
                      ListCase{"ResultsAfterClear", "ECO", Band::Ham, With(kHam, {kSecond})}),
    [](const auto& info) { return std::string(info.param.name); });

// A 16-bit row count would stop at 32,767 lines; the list goes on.
TEST(ResultsList, HoldsFortyThousandResults)
{
    constexpr long long kResults = 40000;
    DivisorCalculator calc = test::Started(Band::Ham);
    for (long long i = 0; i < kResults; ++i) {
        test::Keys(calc, std::to_string(4300000 + 2 * i) + "E");
    }
    ASSERT_EQ(calc.Results().Count(), kResults + 2u);
    for (std::size_t row = 2; row < calc.Results().Count(); ++row) {
        const long long code = 4300000 + 2 * static_cast<long long>(row - 2);
        const std::string digits = std::to_string(code);
        ASSERT_EQ(calc.Results().Line(row), "Fo=" + digits.substr(0, 3) + "." + digits.substr(3) +
                                                "  n=" + std::to_string(test::KeyedDivisor(code)));
    }
    EXPECT_THROW((void)calc.Results().Line(kResults + 2), std::out_of_range);
}

}  // namespace
}  // namespace kestrami
