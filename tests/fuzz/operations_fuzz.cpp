// Bytes decoded into a sequence of calculator operations, typed texts
// included. After each operation the register and the list must obey their
// rules: cursor value in 1..7, exactly the cell equal to it marked, the
// current band's headers on top, every new result line well formed with the
// division number of its own frequency text, and the generation moving on
// every removal and only then.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "divisor_calculator.h"
#include "line_text.h"
#include "results_file.h"

namespace {

using namespace kestrami;

void Require(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

void CheckResultLine(const std::string& line, Band band)
{
    Require(line.rfind("Fo=", 0) == 0);
    const auto split = line.rfind("  n=");
    Require(split != std::string::npos && split >= 3);
    const std::string digits = line.substr(split + 4);
    Require(!digits.empty() && digits.size() <= 5 &&
            digits.find_first_not_of("0123456789") == std::string::npos);
    const double f = TextValue(std::string_view(line).substr(3, split - 3));
    Require(f >= LowerBoundMHz(band) && f <= UpperBoundMHz(band));
    Require(std::stol(digits) == std::lround(std::nearbyint((f - 400) / 0.00625)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    DivisorCalculator calc;
    calc.StartUp();
    std::uint64_t generation = calc.Results().Generation();
    std::size_t rows_checked = calc.Results().Count();

    while (input.remaining_bytes() > 0) {
        bool removes = false;
        switch (input.ConsumeIntegralInRange<int>(0, 11)) {
            case 0:
            case 1:
                calc.PressDigit(static_cast<char>('0' + input.ConsumeIntegralInRange<int>(0, 9)));
                break;
            case 2:
                calc.StepBack();
                break;
            case 3:
                calc.ClearEntry();
                break;
            case 4:
                calc.EnterFrequency();
                Require(calc.Entry().Cursor() == "1");
                for (int i = 1; i <= EntryRegister::kCells; ++i) {
                    Require(calc.Entry().Cell(i) == "0");
                }
                break;
            case 5:
                calc.WriteCursor(input.ConsumeRandomLengthString(32));
                break;
            case 6: {
                const int cell = input.ConsumeIntegralInRange<int>(0, 8);
                std::string text = input.ConsumeRandomLengthString(32);
                const std::string cursor = calc.Entry().Cursor();
                if (cell >= 1 && cell <= EntryRegister::kCells) {
                    calc.WriteCell(cell, text);
                    Require(calc.Entry().Cell(cell) == SingleLineText(text));
                } else {
                    bool thrown = false;
                    try {
                        calc.WriteCell(cell, text);
                    } catch (const std::out_of_range&) {
                        thrown = true;
                    }
                    Require(thrown);
                }
                Require(calc.Entry().Cursor() == cursor);
                break;
            }
            case 7:
                calc.ClearResults();
                removes = true;
                break;
            case 8:
                calc.SelectBand(input.ConsumeBool() ? Band::Ham : Band::Full);
                removes = true;
                break;
            case 9:
                calc.MarkCursor();
                break;
            case 10:
                calc.ClampCursor();
                break;
            case 11: {
                const auto& lines = calc.Results().Lines();
                std::size_t expected = 5;
                for (const auto& line : lines) {
                    expected += line.size() + 2;
                }
                Require(ResultsBlock(lines).size() == expected);
                break;
            }
        }

        const EntryRegister& entry = calc.Entry();
        const double v = TextValue(entry.Cursor());
        Require(v >= 1 && v <= 7);
        for (int i = 1; i <= EntryRegister::kCells; ++i) {
            Require(entry.Mark(i) == (v == i));
        }
        const ResultsList& results = calc.Results();
        Require(results.Count() >= 2);
        Require(results.Line(0) == FirstHeaderLine(calc.SelectedBand()));
        Require(results.Line(1) == SecondHeaderLine(calc.SelectedBand()));
        Require(removes == (results.Generation() != generation));
        if (removes) {
            rows_checked = 2;
        }
        Require(results.Count() >= rows_checked);
        for (; rows_checked < results.Count(); ++rows_checked) {
            CheckResultLine(results.Line(rows_checked), calc.SelectedBand());
        }
        generation = results.Generation();
    }
    return 0;
}
