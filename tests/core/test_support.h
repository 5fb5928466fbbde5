// Helpers shared by the core tests: keying, reading the register back as
// short texts, the integer division number, temporary folders, whole files.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "divisor_calculator.h"

namespace kestrami::test {

// '0'..'9' digit keys, '<' the "<--" key, 'C' CE, 'E' ENTER.
inline void Keys(DivisorCalculator& calc, std::string_view keys)
{
    for (const char key : keys) {
        if (key == '<') {
            calc.StepBack();
        } else if (key == 'C') {
            calc.ClearEntry();
        } else if (key == 'E') {
            calc.EnterFrequency();
        } else {
            calc.PressDigit(key);
        }
    }
}

// The seven cells joined: "4351250" after keying those digits.
inline std::string CellsOf(const DivisorCalculator& calc)
{
    std::string cells;
    for (int i = 1; i <= EntryRegister::kCells; ++i) {
        cells += calc.Entry().Cell(i);
    }
    return cells;
}

// The numbers of the marked cells: "1" at start, "" when none is marked.
inline std::string MarksOf(const DivisorCalculator& calc)
{
    std::string marks;
    for (int i = 1; i <= EntryRegister::kCells; ++i) {
        marks += calc.Entry().Mark(i) ? std::to_string(i) : "";
    }
    return marks;
}

// What holds after every operation: cursor value in 1..7, exactly the cell
// equal to it marked (a value that is not whole marks none).
inline void ExpectCursorConsistent(const DivisorCalculator& calc)
{
    const double v = TextValue(calc.Entry().Cursor());
    EXPECT_TRUE(v >= 1 && v <= 7) << "cursor \"" << calc.Entry().Cursor() << "\"";
    std::string marks;
    for (int i = 1; i <= EntryRegister::kCells; ++i) {
        marks += v == i ? std::to_string(i) : "";
    }
    EXPECT_EQ(MarksOf(calc), marks) << "cursor \"" << calc.Entry().Cursor() << "\"";
}

inline void ExpectStartState(const DivisorCalculator& calc)
{
    EXPECT_EQ(CellsOf(calc), "0000000");
    EXPECT_EQ(calc.Entry().Cursor(), "1");
    EXPECT_EQ(MarksOf(calc), "1");
}

// The division number of a keyed "ddddddd" (ddd.dddd MHz, at least 400) in
// integers: k counts 0.0001 MHz above 400 and a step is 62.5 counts, so
// n = k * 16 / 1000 rounded; k * 16 mod 1000 is never 500, so no tie.
inline long long KeyedDivisor(long long code)
{
    return ((code - 4000000) * 16 + 500) / 1000;
}

inline DivisorCalculator Started(Band band)
{
    DivisorCalculator calc;
    calc.StartUp();
    if (band != Band::Ham) {
        calc.SelectBand(band);
    }
    return calc;
}

// A fresh folder, removed with its contents afterwards.
class TempFolder {
public:
    TempFolder() : path_(::testing::TempDir() + "kestrami-core-XXXXXX")
    {
        if (::mkdtemp(path_.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed for " + path_);
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }
    std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

private:
    std::string path_;
};

inline std::string ReadWholeFile(const std::string& path)
{
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

inline void WriteWholeFile(const std::string& path, std::string_view content)
{
    std::ofstream(path, std::ios::binary) << content;
}

}  // namespace kestrami::test
