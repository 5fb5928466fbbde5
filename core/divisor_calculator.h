// Kestrami's calculator core: everything that decides a value or a text.
//
// The user keys a frequency in MHz into seven digit cells, three before and
// four after a fixed decimal sign, with on-screen keys: PressDigit fills the
// cell under the cursor and moves the cursor one cell right, StepBack resets
// the cell the cursor stood on and moves it left, ClearEntry empties the
// display. The cursor is held as text (the window shows it in an editable box),
// so every write of it goes through WriteCursor, which re-marks the cell under
// the cursor and clamps the value into 1..7. EnterFrequency joins the cells
// into "ddd.dddd", reads it as MHz and, when it lies in the selected band,
// appends "Fo=<text>  n=<divisor>" to the results list, where the divisor is
// round((f - 400) / 0.00625); then it clears the entry. SelectBand switches
// between the HAM (430-440 MHz) and FULL (400-500 MHz) bands and, like
// ClearResults, empties the list down to the band's two header lines.
// SaveResults appends the whole list as one block to "Kestrami.txt" beside
// the program, or in the user's documents folder for an installed copy and
// where the program's folder may not be written. The window is the core's only client: it forwards each event
// to one operation here and then shows the new state, following the results
// list through ResultsList::Generation() so that it never rebuilds all rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "results_file.h"

namespace kestrami {

// Reads the leading decimal number of a text, with "." as the decimal sign
// whatever the locale. Spaces, tabs and line feeds are skipped wherever they
// stand; then an optional "+" or "-", then digits with at most one ".".
// Reading stops at the first character that cannot continue the number, so
// "4,6" gives 4, "1e3" gives 1 and "&H10" gives 0 (no exponent or radix
// forms). A text without a leading number gives 0. A number too large for a
// double reads as an infinity of its sign, one too small as zero; the result
// is never NaN.
double TextValue(std::string_view text);

// The cell number for a cursor value: the nearest whole number, exact halves
// to the even neighbour (2.5 -> 2, 3.5 -> 4). The result is held inside the
// cell range 1..7, so that no value, however large, is converted unchecked.
int CellIndex(double x);

// Writes a number as plain decimal text, "-" for negatives, no blanks, no
// grouping: 8 -> "8", 5620 -> "5620". A value that is not whole (reachable
// only through a cursor text the user typed, such as "2.5" + 1) is written
// in the shortest form that reads back to the same value: "3.5".
std::string NumberText(double x);

enum class Band { Ham, Full };

// The cell contents, the cursor text and the underline mark of each cell.
class EntryRegister {
public:
    static constexpr int kCells = 7;

    EntryRegister();

    // Cells are numbered 1..7; these reads take any number in that range.
    const std::string& Cell(int i) const { return cells_[Slot(i)]; }
    bool Mark(int i) const { return marks_[Slot(i)]; }
    const std::string& Cursor() const { return cursor_; }

private:
    friend class DivisorCalculator;
    static std::size_t Slot(int i);

    std::array<std::string, kCells> cells_;
    std::array<bool, kCells> marks_{};
    std::string cursor_;
};

// The lines shown in the results list: two header lines, then result lines
// in the order they were added. Lines are only ever appended at the end or
// all removed at once; Generation() changes with every removal, so a viewer
// that remembers the generation and the number of rows it shows knows
// whether to append the new rows or to start again.
class ResultsList {
public:
    std::size_t Count() const { return lines_.size(); }
    const std::string& Line(std::size_t i) const { return lines_.at(i); }
    const std::vector<std::string>& Lines() const { return lines_; }
    std::uint64_t Generation() const { return generation_; }

private:
    friend class DivisorCalculator;
    void Append(std::string line) { lines_.push_back(std::move(line)); }
    void RemoveAll()
    {
        lines_.clear();
        ++generation_;
    }

    std::vector<std::string> lines_;
    std::uint64_t generation_ = 0;
};

// Band limits and header lines.
inline constexpr double kReferenceMHz = 400.0;
inline constexpr double kStepMHz = 0.00625;  // one divider step: 6.25 kHz
double LowerBoundMHz(Band band);
double UpperBoundMHz(Band band);
std::string_view FirstHeaderLine(Band band);
std::string_view SecondHeaderLine(Band band);

class DivisorCalculator {
public:
    // The entry starts with every cell "0", the cursor "1" and cell 1 marked;
    // the band starts as HAM and the list empty until StartUp fills it.
    DivisorCalculator() = default;

    // Runs once while the main window loads: puts the two HAM header lines
    // into the empty list.
    void StartUp();

    // Keypad operations.
    void PressDigit(char digit);
    void StepBack();
    void ClearEntry();
    void EnterFrequency();

    // Text the user typed into the cursor box or into a cell. Both are
    // one-line boxes: control characters, line breaks among them, and
    // bidirectional formatting characters are left out, so a pasted text can
    // never put a line of its own into the file, nor reorder how a row shows.
    void WriteCursor(std::string_view text);
    void WriteCell(int i, std::string_view text);

    // The cursor's reactions, run after every write of the cursor.
    void ClampCursor();
    void MarkCursor();

    void ClearResults();
    void SelectBand(Band band);

    // Appends the list to "<program folder>/Kestrami.txt" (a plain textual
    // join). For an installed copy, and where the program's folder may not be
    // written, the documents folder takes the file instead, made when
    // missing; the first such save of a run asks the window to say where the
    // file went. With no result line below the
    // headers nothing is touched and the outcome is NothingToSave. A save
    // that fails, also for want of memory, reports why. The list and the
    // band never change.
    SaveOutcome SaveResults(const SavePlaces& places);
    SaveOutcome SaveResults(const SavePlaces& places, const AppendFunction& append);

    // The text the computation reads: cells 1-3, ".", cells 4-7, each less
    // its leading and trailing spaces, joined into one line (line_text.h).
    std::string FrequencyText() const;

    const EntryRegister& Entry() const { return entry_; }
    const ResultsList& Results() const { return results_; }
    Band SelectedBand() const { return band_; }
    bool IsHam() const { return band_ == Band::Ham; }

private:
    EntryRegister entry_;
    ResultsList results_;
    Band band_ = Band::Ham;
    bool told_documents_ = false;
};

// The result line for a frequency text the user entered, or an empty text
// when the frequency lies outside the band (then nothing is added).
std::string ResultLine(std::string_view frequency_text, Band band);

}  // namespace kestrami
