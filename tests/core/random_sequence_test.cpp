// Long random sequences over every operation against a small model of the
// register and the list. After each operation: the cursor rule and marks,
// the cells, the band and its headers, the list (each new line's division
// number worked out independently, in integers for keyed input), and the
// generation contract the window follows: it moves on every removal and only
// then, and while it stays the rows shown remain the first rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "divisor_calculator.h"
#include "test_support.h"

namespace kestrami {
namespace {

constexpr int kOperationsPerSeed = 30000;

std::vector<std::string> Headers(Band band)
{
    return band == Band::Ham ? std::vector<std::string>{"HAM Range:", "430-440 MHz"}
                             : std::vector<std::string>{"FULL Range:", "400-500 MHz"};
}

// A typed text as a one-line box keeps it; the generator's texts hold no
// control characters beyond these.
std::string OneLine(std::string text)
{
    std::erase_if(text, [](char c) { return c == '\t' || c == '\n' || c == '\r'; });
    return text;
}

// The register and the list as the rules describe them.
struct Model {
    std::array<std::string, 7> cells{"0", "0", "0", "0", "0", "0", "0"};
    std::string cursor = "1";
    Band band = Band::Ham;
    std::vector<std::string> lines = Headers(Band::Ham);

    std::string& CellAt(double p) { return cells[static_cast<std::size_t>(CellIndex(p) - 1)]; }
    void WriteCursor(std::string typed)
    {
        std::string text = OneLine(std::move(typed));
        const double v = TextValue(text);
        cursor = v < 1 ? "1" : v > 7 ? "7" : std::move(text);
    }
    void PressDigit(char d)
    {
        const double p = TextValue(cursor);
        CellAt(p) = std::string(1, d);
        WriteCursor(NumberText(p + 1));
    }
    void StepBack()
    {
        const double p = TextValue(cursor);
        WriteCursor(NumberText(p - 1));
        CellAt(p < 7 ? p : 7) = "0";
    }
    void ClearEntry()
    {
        cells.fill("0");
        cursor = "1";
    }
    std::string FrequencyText() const
    {
        std::string text;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            text += i == 3 ? "." : "";
            const auto first = cells[i].find_first_not_of(' ');
            if (first != std::string::npos) {
                text += cells[i].substr(first, cells[i].find_last_not_of(' ') + 1 - first);
            }
        }
        return text;
    }
    void EnterFrequency()
    {
        const std::string text = FrequencyText();
        const double f = TextValue(text);
        if (band == Band::Ham ? (f >= 430 && f <= 440) : (f >= 400 && f <= 500)) {
            lines.push_back("Fo=" + text + "  n=" + std::to_string(std::llrint((f - 400) / 0.00625)));
            // A keyed "ddd.dddd" also gets its number from integer arithmetic.
            const std::string digits = text.substr(0, 3) + text.substr(std::min<std::size_t>(4, text.size()));
            if (text.size() == 8 && text[3] == '.' &&
                digits.find_first_not_of("0123456789") == std::string::npos) {
                EXPECT_EQ(lines.back(),
                          "Fo=" + text + "  n=" + std::to_string(test::KeyedDivisor(std::stoll(digits))));
            }
        }
        ClearEntry();
    }
};

class Generator {
public:
    explicit Generator(std::uint64_t seed) : random_(seed) {}
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    char Digit() { return static_cast<char>('0' + Below(10)); }

    // Texts a user might type, and some nobody would.
    std::string Text()
    {
        // clang-format off
        static const char* const kPieces[] = {
            "", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "43", "12", "-", "+", ".", ",", " ", "\t", "\n",
            "\r", "abc", "e", "1e999", "-0", "nan", "inf", "2.5", "6.5", "0.5", "7.0", "&H10",
            "\xC3\xA9", "\xE2\x82\xAC", "\xFF", "\x80"};
        // clang-format on
        std::string text;
        for (int pieces = Below(4); pieces > 0; --pieces) {
            if (Below(40) == 0) {
                for (int k = 300 + Below(100); k > 0; --k) {
                    text += Digit();
                }
            } else {
                text += kPieces[Below(static_cast<int>(std::size(kPieces)))];
            }
        }
        return text;
    }
    // Half the time a single digit, so that many entries stay readable.
    std::string DigitOrText() { return Below(2) == 0 ? std::string(1, Digit()) : Text(); }
    // Leaning towards 4xx and 43x so that many entries are accepted.
    char KeyFor(int cell)
    {
        return cell == 1 && Below(10) < 9 ? '4' : cell == 2 && Below(2) == 0 ? '3' : Digit();
    }

private:
    std::mt19937_64 random_;
};

class RandomSequenceTest : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(RandomSequenceTest, RulesHoldAfterEveryOperation)
{
    Generator gen(GetParam());
    DivisorCalculator calc = test::Started(Band::Ham);
    Model model;
    std::deque<std::string> recent;  // the last operations, for the failure message
    std::uint64_t generation = calc.Results().Generation();
    std::size_t rows_shown = calc.Results().Count();
    int accepted = 0;

    for (int step = 0; step < kOperationsPerSeed; ++step) {
        const int pick = gen.Below(100);
        const bool removes = pick >= 86 && pick < 92;
        std::string op;
        if (pick < 45) {
            const char d = gen.KeyFor(CellIndex(TextValue(model.cursor)));
            op = std::string("PressDigit ") + d;
            calc.PressDigit(d);
            model.PressDigit(d);
        } else if (pick < 53) {
            op = "StepBack";
            calc.StepBack();
            model.StepBack();
        } else if (pick < 56) {
            op = "ClearEntry";
            calc.ClearEntry();
            model.ClearEntry();
        } else if (pick < 68) {
            op = "EnterFrequency \"" + model.FrequencyText() + "\"";
            calc.EnterFrequency();
            model.EnterFrequency();
        } else if (pick < 76) {
            const std::string text = gen.DigitOrText();
            op = "WriteCursor \"" + text + "\"";
            calc.WriteCursor(text);
            model.WriteCursor(text);
        } else if (pick < 86) {
            const int cell = gen.Below(50) == 0 ? 8 * gen.Below(2) : 1 + gen.Below(7);
            const std::string text = gen.DigitOrText();
            op = "WriteCell " + std::to_string(cell) + " \"" + text + "\"";
            if (cell >= 1 && cell <= 7) {
                calc.WriteCell(cell, text);
                model.cells[static_cast<std::size_t>(cell - 1)] = OneLine(text);
            } else {
                EXPECT_THROW(calc.WriteCell(cell, text), std::out_of_range);
            }
        } else if (pick < 89) {
            op = "ClearResults";
            calc.ClearResults();
            model.lines = Headers(model.band);
        } else if (pick < 92) {
            model.band = gen.Below(2) == 0 ? Band::Ham : Band::Full;
            op = model.band == Band::Ham ? "SelectBand HAM" : "SelectBand FULL";
            calc.SelectBand(model.band);
            model.lines = Headers(model.band);
        } else if (pick < 96) {
            op = "MarkCursor";
            calc.MarkCursor();
        } else {
            op = "ClampCursor";
            calc.ClampCursor();
        }
        recent.push_back(op);
        if (recent.size() > 12) {
            recent.pop_front();
        }
        test::ExpectCursorConsistent(calc);
        EXPECT_EQ(calc.Entry().Cursor(), model.cursor);
        for (int i = 1; i <= 7; ++i) {
            EXPECT_EQ(calc.Entry().Cell(i), model.cells[static_cast<std::size_t>(i - 1)]) << "cell " << i;
        }
        const ResultsList& results = calc.Results();
        EXPECT_EQ(calc.SelectedBand(), model.band);
        EXPECT_EQ(results.Lines(), model.lines);
        EXPECT_EQ(results.Generation() != generation, removes);
        EXPECT_GE(results.Count(), removes ? 2 : rows_shown);
        accepted += static_cast<int>(results.Count() - (removes ? 2 : rows_shown));
        generation = results.Generation();
        rows_shown = results.Count();
        if (HasFailure()) {
            std::string trail;
            for (const std::string& r : recent) {
                trail += "\n  " + r;
            }
            FAIL() << "seed " << GetParam() << ", operation " << step << ", after:" << trail;
        }
    }
    // The sequence must reach the computation, not only the keys.
    EXPECT_GT(accepted, kOperationsPerSeed / 100);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomSequenceTest, ::testing::Values(1u, 435125u, 20240531u, 0xC0FFEEu),
                         [](const auto& info) { return "Seed" + std::to_string(info.param); });

}  // namespace
}  // namespace kestrami
