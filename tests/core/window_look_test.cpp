// The windows' decisions of look and place: readable text colours, the
// results list's font, the longest keyed line and where a secondary window
// opens.
#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

#include "divisor_calculator.h"
#include "window_look.h"

namespace kestrami {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kLightGreen{192, 255, 192};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kGrey{192, 192, 192};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kPaleGrey{220, 220, 220};

struct ContrastCase {
    Rgb a;
    Rgb b;
    double ratio;
};

TEST(ContrastRatioTest, FollowsTheWcagFormulaInEitherOrder)
{
    const ContrastCase cases[] = {
        {kBlack, kWhite, 21.0},           {kGrey, kGrey, 1.0},
        {{119, 119, 119}, kWhite, 4.478},  // WCAG's own example, #777 on white
        {kBlack, kLightGreen, 18.306},    {kBlack, kYellow, 19.556},
        {{0, 0, 255}, kGrey, 4.723},  // the About window's link
    };
    for (const auto& [a, b, ratio] : cases) {
        SCOPED_TRACE(testing::Message() << a.red << ',' << a.green << ',' << a.blue);
        EXPECT_NEAR(ContrastRatio(a, b), ratio, 0.001);
        EXPECT_DOUBLE_EQ(ContrastRatio(a, b), ContrastRatio(b, a));
    }
}

struct TextCase {
    const char* name;
    Rgb background;
    Rgb desktop_text;
    Rgb shown;
};
void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << c.name;
}

class ReadableTextColourTest : public testing::TestWithParam<TextCase> {};

TEST_P(ReadableTextColourTest, KeepsTheDesktopsColourOnlyWhereItReachesSevenToOne)
{
    const Rgb shown = ReadableTextColour(GetParam().background, GetParam().desktop_text);
    EXPECT_EQ(shown, GetParam().shown);
    EXPECT_GE(ContrastRatio(shown, GetParam().background), kReadableContrast);
}

INSTANTIATE_TEST_SUITE_P(
    Palettes, ReadableTextColourTest,
    testing::Values(TextCase{"LightPaletteBlackKept", kLightGreen, kBlack, kBlack},
                    TextCase{"LightPaletteNavyKept", kGrey, kNavy, kNavy},  // 8.8:1
                    TextCase{"DarkPaletteOnGreenGivesBlack", kLightGreen, kPaleGrey, kBlack},
                    TextCase{"DarkPaletteOnYellowGivesBlack", kYellow, kWhite, kBlack},
                    // 4.4:1 is readable to many, but short of 7:1.
                    TextCase{"MidGreyOnGreyGivesBlack", kGrey, {80, 80, 80}, kBlack},
                    TextCase{"DarkBackgroundKeepsLightText", {40, 40, 40}, kPaleGrey, kPaleGrey},
                    TextCase{"DarkBackgroundGivesWhite", {70, 70, 70}, {90, 90, 90}, kWhite}),
    [](const auto& info) { return std::string(info.param.name); });

struct FontCase {
    const char* name;
    double design_fits_up_to;    // largest size at which the design face fits
    double fallback_fits_up_to;  // and the fallback face
    ListFont font;
};
void PrintTo(const FontCase& c, std::ostream* os)
{
    *os << c.name;
}

class FittingListFontTest : public testing::TestWithParam<FontCase> {};

TEST_P(FittingListFontTest, PrefersTheDesignThenTheLargestSizeThatFits)
{
    const FontCase& c = GetParam();
    EXPECT_EQ(FittingListFont(12, 6,
                              [&](bool design_face, double points) {
                                  return points <=
                                         (design_face ? c.design_fits_up_to : c.fallback_fits_up_to);
                              }),
              c.font);
}

INSTANTIATE_TEST_SUITE_P(Widths, FittingListFontTest,
                         testing::Values(FontCase{"DesignFits", 12, 12, {true, 12}},
                                         // The design face is tried at the design size only.
                                         FontCase{"DesignFitsOnlySmaller", 11, 0, {false, 6}},
                                         FontCase{"FallbackAtTheDesignSize", 0, 12, {false, 12}},
                                         FontCase{"FallbackTenAndAHalf", 0, 10.75, {false, 10.5}},
                                         FontCase{"FallbackAtTheSmallest", 0, 6, {false, 6}},
                                         FontCase{"NothingFits", 0, 0, {false, 6}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LongestKeyedResultLineTest, NoKeyedFrequencyMakesALongerLine)
{
    const std::string longest = LongestKeyedResultLine();
    EXPECT_EQ(longest, "Fo=500.0000  n=16000");
    // Every frequency the keys can make in the wider band, 400.0000 to
    // 500.0000 MHz: three digits, the decimal sign and four digits.
    std::set<std::size_t> lengths;
    for (int tenths_of_khz = 0; tenths_of_khz <= 1'000'000; ++tenths_of_khz) {
        const int whole = 400 + tenths_of_khz / 10'000;
        std::string text = std::to_string(10'000 + tenths_of_khz % 10'000);
        text = std::to_string(whole) + "." + text.substr(1);
        lengths.insert(ResultLine(text, Band::Full).size());
    }
    EXPECT_EQ(*lengths.rbegin(), longest.size());
    EXPECT_EQ(*lengths.begin(), std::string("Fo=400.0000  n=0").size());
}

struct PlaceCase {
    const char* name;
    Rect main_client;
    Size window;
    Point offset;
    Point origin;
};
void PrintTo(const PlaceCase& c, std::ostream* os)
{
    *os << c.name;
}

class SecondaryWindowOriginTest : public testing::TestWithParam<PlaceCase> {};

TEST_P(SecondaryWindowOriginTest, OpensOverTheMainWindowAndOnTheScreen)
{
    const PlaceCase& c = GetParam();
    const Margins frame{4, 24, 4, 4};
    const Rect screen{0, 0, 1280, 1024};
    EXPECT_EQ(SecondaryWindowOrigin(c.main_client, c.window, c.offset, frame, screen), c.origin);
}

// The main client area 480 x 409; About 436 x 173 at (29, 95) from it, Help
// 530 x 283 at (-29, 54).
INSTANTIATE_TEST_SUITE_P(
    Places, SecondaryWindowOriginTest,
    testing::Values(
        PlaceCase{"AboutAtItsOffset", {275, 195, 480, 409}, {436, 173}, {29, 95}, {304, 290}},
        // Wider than the main window: centred across, offset down.
        PlaceCase{"HelpCentredAcross", {275, 195, 480, 409}, {530, 283}, {-29, 54}, {250, 249}},
        PlaceCase{"OffsetBelowTheMainWindow", {275, 195, 480, 409}, {436, 173}, {29, 300}, {304, 313}},
        PlaceCase{"MainWindowAtTheRightEdge", {1000, 195, 480, 409}, {436, 173}, {29, 95}, {840, 290}},
        PlaceCase{"MainWindowAboveTheTop", {100, -300, 480, 409}, {436, 173}, {29, 95}, {129, 24}},
        PlaceCase{"LargerThanTheScreen", {0, 0, 480, 409}, {2000, 1100}, {29, 95}, {4, 24}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrami
