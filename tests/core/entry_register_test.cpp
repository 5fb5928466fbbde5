// The entry register: digit keys, "<--", CE, and texts typed into the
// cursor box or a cell.
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>

#include "divisor_calculator.h"
#include "test_support.h"

namespace kestrami {
namespace {

using test::CellsOf;
using test::ExpectCursorConsistent;
using test::MarksOf;

struct KeyCase {
    const char* name;
    const char* keys;  // as test::Keys: digits, '<' for "<--", 'C' for CE
    const char* cells;
    const char* cursor;  // the marked cell is always the cursor's
    friend void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }
};

class KeySequenceTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeySequenceTest, CellsCursorAndMark)
{
    const KeyCase& c = GetParam();
    DivisorCalculator calc = test::Started(Band::Ham);
    for (const char key : std::string(c.keys)) {
        SCOPED_TRACE(std::string("after key ") + key);
        test::Keys(calc, std::string(1, key));
        ExpectCursorConsistent(calc);
    }
    EXPECT_EQ(CellsOf(calc), c.cells);
    EXPECT_EQ(calc.Entry().Cursor(), c.cursor);
    EXPECT_EQ(MarksOf(calc), c.cursor);
    EXPECT_EQ(calc.Results().Count(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Keypad, KeySequenceTest,
                         ::testing::Values(KeyCase{"NoKey", "", "0000000", "1"},
                                           KeyCase{"OneDigit", "4", "4000000", "2"},
                                           KeyCase{"ThreeDigits", "435", "4350000", "4"},
                                           KeyCase{"Seven", "4351250", "4351250", "7"},
                                           KeyCase{"EighthReplacesCellSeven", "43512509", "4351259", "7"},
                                           KeyCase{"ManyReplaceCellSeven", "435125098765", "4351255", "7"},
                                           KeyCase{"StepBackAfterThree", "435<", "4350000", "3"},
                                           KeyCase{"TwoStepsBackThenDigit", "435<<7", "4700000", "3"},
                                           KeyCase{"StepBackKeepsCellMovedTo", "4<", "4000000", "1"},
                                           KeyCase{"StepBackOnCellOneResetsIt", "4<<", "0000000", "1"},
                                           KeyCase{"StepBackAtStart", "<", "0000000", "1"},
                                           KeyCase{"StepBackOnSevenResetsIt", "4351257<", "4351250", "6"},
                                           KeyCase{"StepBackAfterEight", "43512509<", "4351250", "6"},
                                           KeyCase{"SecondStepResetsCellStoodOn", "435125<<", "4351200", "5"},
                                           KeyCase{"RefillCellSix", "4351257<9", "4351290", "7"},
                                           KeyCase{"StepBackPastStart", "4351250<<<<<<<<<", "0000000", "1"},
                                           KeyCase{"Retype", "4351250<<<<<<<438", "4380000", "4"},
                                           KeyCase{"ClearAfterEight", "43512509C", "0000000", "1"},
                                           KeyCase{"ClearAfterStepBack", "435<C", "0000000", "1"},
                                           KeyCase{"Clear", "C", "0000000", "1"},
                                           KeyCase{"DigitsAfterClear", "4351250C12", "1200000", "3"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A typed cursor text on a register holding "1234567", then a digit key
// (which cell takes it) or "<--" (which cell is reset), each from the same
// start.
struct CursorCase {
    const char* name;
    const char* typed;
    const char* cursor;  // after the write
    const char* marks;
    int digit_cell;
    const char* cursor_after_digit;
    int reset_cell;
    const char* cursor_after_step;
    friend void PrintTo(const CursorCase& c, std::ostream* os) { *os << c.name; }
};

class WriteCursorTest : public ::testing::TestWithParam<CursorCase> {};

TEST_P(WriteCursorTest, ClampsMarksAndSteersTheKeys)
{
    const CursorCase& c = GetParam();
    DivisorCalculator typed;
    for (int i = 1; i <= EntryRegister::kCells; ++i) {
        typed.WriteCell(i, std::to_string(i));
    }
    typed.WriteCursor(c.typed);
    EXPECT_EQ(typed.Entry().Cursor(), c.cursor);
    EXPECT_EQ(MarksOf(typed), c.marks);
    EXPECT_EQ(CellsOf(typed), "1234567");

    DivisorCalculator digit = typed;
    digit.PressDigit('9');
    std::string cells = "1234567";
    cells[c.digit_cell - 1] = '9';
    EXPECT_EQ(CellsOf(digit), cells);
    EXPECT_EQ(digit.Entry().Cursor(), c.cursor_after_digit);
    ExpectCursorConsistent(digit);

    typed.StepBack();
    cells = "1234567";
    cells[c.reset_cell - 1] = '0';
    EXPECT_EQ(CellsOf(typed), cells);
    EXPECT_EQ(typed.Entry().Cursor(), c.cursor_after_step);
    ExpectCursorConsistent(typed);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WriteCursorTest,
    ::testing::Values(CursorCase{"Zero", "0", "1", "1", 1, "2", 1, "1"},
                      CursorCase{"Negative", "-3", "1", "1", 1, "2", 1, "1"},
                      CursorCase{"NegativeZero", "-0", "1", "1", 1, "2", 1, "1"},
                      CursorCase{"Letters", "abc", "1", "1", 1, "2", 1, "1"},
                      CursorCase{"Empty", "", "1", "1", 1, "2", 1, "1"},
                      CursorCase{"BelowOne", "0.5", "1", "1", 1, "2", 1, "1"},
                      CursorCase{"Nine", "9", "7", "7", 7, "7", 7, "6"},
                      CursorCase{"Twelve", "12", "7", "7", 7, "7", 7, "6"},
                      CursorCase{"AboveSeven", "7.5", "7", "7", 7, "7", 7, "6"},
                      CursorCase{"Huge", "99999999999999999999999999", "7", "7", 7, "7", 7, "6"},
                      CursorCase{"Four", "4", "4", "4", 4, "5", 4, "3"},
                      CursorCase{"BlanksKept", " 4 ", " 4 ", "4", 4, "5", 4, "3"},
                      CursorCase{"PlusKept", "+4", "+4", "4", 4, "5", 4, "3"},
                      CursorCase{"CommaKept", "4,6", "4,6", "4", 4, "5", 4, "3"},
                      CursorCase{"SevenPointZeroKept", "7.0", "7.0", "7", 7, "7", 7, "6"},
                      CursorCase{"ExponentReadsOne", "1e999", "1e999", "1", 1, "2", 1, "1"},
                      CursorCase{"TwoAndHalf", "2.5", "2.5", "", 2, "3.5", 2, "1.5"},
                      CursorCase{"ThreeAndHalf", "3.5", "3.5", "", 4, "4.5", 4, "2.5"},
                      CursorCase{"OneAndHalf", "1.5", "1.5", "", 2, "2.5", 2, "1"},
                      CursorCase{"SixAndHalf", "6.5", "6.5", "", 6, "7", 6, "5.5"},
                      CursorCase{"ReadsAsSeven", "6.9999999999999999999", "6.9999999999999999999", "7", 7,
                                 "7", 7, "6"}),
    [](const auto& info) { return std::string(info.param.name); });

// A typed cell text is kept as typed, less control characters (a cell is a
// one-line box); cursor and marks stay; CE restores.
TEST(WriteCell, StoresTextOnly)
{
    const std::pair<std::string, std::string> kTyped[] = {
        {"", ""},
        {" 4 ", " 4 "},
        {"43", "43"},
        {"x", "x"},
        {"\t", ""},
        {"\xC3\xA9", "\xC3\xA9"},
        {"1e999", "1e999"},
        {"9999999999999999999", "9999999999999999999"},
        {"5\r\nFo=999.9999  n=99999\r\n\r\n \r\nFAKE", "5Fo=999.9999  n=99999 FAKE"},
    };
    for (const char* cursor : {"1", "4", "7", "2.5"}) {
        for (int i = 1; i <= EntryRegister::kCells; ++i) {
            for (const auto& [typed, stored] : kTyped) {
                SCOPED_TRACE(std::string(cursor) + " / " + std::to_string(i) + " / \"" + typed + "\"");
                DivisorCalculator calc;
                calc.WriteCursor(cursor);
                const std::string marks = MarksOf(calc);
                calc.WriteCell(i, typed);
                std::string cells = "000000";
                EXPECT_EQ(CellsOf(calc), cells.insert(static_cast<std::size_t>(i - 1), stored));
                EXPECT_EQ(calc.Entry().Cursor(), cursor);
                EXPECT_EQ(MarksOf(calc), marks);
                calc.ClearEntry();
                test::ExpectStartState(calc);
            }
        }
    }
}

TEST(WriteCell, OutsideOneToSevenThrowsAndChangesNothing)
{
    DivisorCalculator calc;
    test::Keys(calc, "435");
    for (const int i : {0, 8, -1, INT_MIN, INT_MAX}) {
        EXPECT_THROW(calc.WriteCell(i, "9"), std::out_of_range) << i;
        EXPECT_THROW((void)calc.Entry().Cell(i), std::out_of_range) << i;
        EXPECT_THROW((void)calc.Entry().Mark(i), std::out_of_range) << i;
    }
    EXPECT_EQ(CellsOf(calc), "4350000");
    EXPECT_EQ(calc.Entry().Cursor(), "4");
    EXPECT_EQ(MarksOf(calc), "4");
}

}  // namespace
}  // namespace kestrami
