// The conversions every rule builds on: the number in a typed text, the cell
// for a cursor value, the text of a number.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale>
#include <string>

#include "divisor_calculator.h"
#include "test_support.h"

namespace kestrami {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct TextCase {
    const char* name;
    std::string text;
    double value;
    friend void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }
};

class TextValueTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextValueTest, ReadsLeadingNumber)
{
    const double v = TextValue(GetParam().text);
    EXPECT_EQ(v, GetParam().value);
    EXPECT_EQ(std::signbit(v), std::signbit(GetParam().value));
}

const std::string kNines(400, '9');
const std::string kTiny = "0." + std::string(400, '0') + "1";

INSTANTIATE_TEST_SUITE_P(
    Texts, TextValueTest,
    ::testing::Values(
        TextCase{"Whole", "12", 12}, TextCase{"BlanksBetweenDigits", " 1 2", 12},
        TextCase{"TabsAndLineFeeds", "\t4\n3 5", 435}, TextCase{"Keyed", "435.1250", 435.125},
        TextCase{"Tenth", "0.1", 0.1}, TextCase{"Plus", "+7", 7}, TextCase{"Minus", "-3", -3},
        TextCase{"BlankAfterSign", " - 3", -3}, TextCase{"LeadingPoint", ".5", 0.5},
        TextCase{"SignedLeadingPoint", "-.5", -0.5}, TextCase{"TrailingPoint", "5.", 5},
        TextCase{"SecondPointStops", "1.2.3", 1.2}, TextCase{"BlankInFraction", "43 5.1 2", 435.12},
        TextCase{"CommaStops", "4,6", 4}, TextCase{"NoExponent", "1e3", 1},
        TextCase{"HugeExponent", "1e999", 1}, TextCase{"NoRadixPrefix", "&H10", 0},
        TextCase{"NoHex", "0x1A", 0}, TextCase{"Letters", "abc", 0}, TextCase{"LeadingComma", ",5", 0},
        TextCase{"Empty", "", 0}, TextCase{"OnlyMinus", "-", 0}, TextCase{"OnlyPoint", ".", 0},
        TextCase{"OnlyBlanks", " \t\n", 0}, TextCase{"MinusPoint", "-.", 0}, TextCase{"TwoSigns", "+-5", 0},
        TextCase{"SignAfterDigits", "5-3", 5}, TextCase{"SignAfterPoint", ".-5", 0},
        TextCase{"Nan", "nan", 0}, TextCase{"Inf", "-inf", 0}, TextCase{"CarriageReturnNoBlank", "\r5", 0},
        TextCase{"NoBreakSpaceNoBlank", "\u00A05", 0}, TextCase{"NonAsciiStops", "7\u00E98", 7},
        TextCase{"LeadingZeros", "00000435.12500000", 435.125}, TextCase{"NegativeZero", "-0", -0.0},
        TextCase{"TieToEven", "9007199254740993", 9007199254740992.0},
        TextCase{"LongMantissa", "123456789012345678901234567890", 123456789012345678901234567890.0},
        TextCase{"Largest", "17976931348623157" + std::string(292, '0'), std::numeric_limits<double>::max()},
        TextCase{"HugeIsInfinity", kNines, kInf}, TextCase{"HugeNegative", "-" + kNines, -kInf},
        TextCase{"HugeWithFraction", kNines + ".5", kInf}, TextCase{"TinyIsZero", kTiny, 0},
        TextCase{"TinyNegative", "-" + kTiny, -0.0}, TextCase{"ManyZeros", std::string(500, '0') + "1", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CellIndex, NearestHalvesToEvenClamped)
{
    // clang-format off
    const struct { double x; int cell; } cases[] = {
        {1, 1}, {4, 4}, {7, 7}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {4.5, 4}, {5.5, 6}, {6.5, 6},
        {4.4999999999999991, 4}, {4.5000000000000009, 5}, {7.5, 7}, {8, 7}, {0.5, 1}, {0, 1}, {-3, 1},
        {2147483648.0, 7}, {-2147483649.0, 1}, {1e300, 7}, {-1e300, 1}, {kInf, 7}, {-kInf, 1},
        {std::numeric_limits<double>::quiet_NaN(), 1}};
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(CellIndex(c.x), c.cell) << "x = " << c.x;
    }
}

TEST(NumberText, PlainDecimal)
{
    // clang-format off
    const struct { double x; const char* text; } cases[] = {
        {8, "8"}, {0, "0"}, {-0.0, "0"}, {5620, "5620"}, {-3, "-3"}, {16000, "16000"},
        {1e16, "10000000000000000"}, {1e22, "10000000000000000000000"}, {3.5, "3.5"}, {-2.25, "-2.25"},
        {0.1 + 0.2, "0.30000000000000004"}, {1.5e-5, "0.000015"}};
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(NumberText(c.x), c.text);
    }
}

// A decimal comma and "." grouping, in the C++ and (where installed) the C
// locale, must change neither reading nor writing.
struct CommaNumbers : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

void ExpectLocaleFree()
{
    EXPECT_EQ(TextValue("4.6"), 4.6);
    EXPECT_EQ(TextValue("4,6"), 4.0);
    EXPECT_EQ(NumberText(3.5), "3.5");
    EXPECT_EQ(NumberText(10000000), "10000000");
    EXPECT_EQ(ResultLine("435.1250", Band::Ham), "Fo=435.1250  n=5620");
}

TEST(Locale, CppDecimalComma)
{
    std::locale::global(std::locale(std::locale::classic(), new CommaNumbers));
    ExpectLocaleFree();
    std::locale::global(std::locale::classic());
}

// Qt programs take LC_ALL from the user's environment, so a German desktop
// reads and writes numbers with a decimal comma in C. On POSIX the locale is
// compiled into a temporary folder, so the test needs no installed locale;
// Windows has its own under its own name.
TEST(Locale, CDecimalComma)
{
#ifdef _WIN32
    if (std::setlocale(LC_ALL, "German_Germany.1252") == nullptr) {
        GTEST_SKIP() << "the C runtime has no German locale";
    }
#else
    const test::TempFolder folder;
    const std::string compile = "localedef -i de_DE -f UTF-8 " + folder.path() + "/de_DE.UTF-8 2>/dev/null";
    if (std::system(compile.c_str()) != 0) {
        GTEST_SKIP() << "localedef or the de_DE locale source is missing";
    }
    ::setenv("LOCPATH", folder.path().c_str(), 1);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
#endif
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
    ExpectLocaleFree();
    std::setlocale(LC_ALL, "C");
#ifndef _WIN32
    ::unsetenv("LOCPATH");
#endif
}

}  // namespace
}  // namespace kestrami
