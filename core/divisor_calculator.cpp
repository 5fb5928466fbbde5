#include "divisor_calculator.h"

#include <new>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "line_text.h"
#include "platform_files.h"
#include "rounding.h"
#include "user_folders.h"

namespace kestrami {

namespace {

// Cell texts leave out leading and trailing spaces (spaces only, not tabs).
std::string_view TrimSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

double LowerBoundMHz(Band band)
{
    return band == Band::Ham ? 430.0 : 400.0;
}
double UpperBoundMHz(Band band)
{
    return band == Band::Ham ? 440.0 : 500.0;
}
std::string_view FirstHeaderLine(Band band)
{
    return band == Band::Ham ? "HAM Range:" : "FULL Range:";
}
std::string_view SecondHeaderLine(Band band)
{
    return band == Band::Ham ? "430-440 MHz" : "400-500 MHz";
}

EntryRegister::EntryRegister() : cursor_("1")
{
    cells_.fill("0");
    marks_[0] = true;
}

std::size_t EntryRegister::Slot(int i)
{
    if (i < 1 || i > kCells) {
        throw std::out_of_range("cell number outside 1..7");
    }
    return static_cast<std::size_t>(i - 1);
}

void DivisorCalculator::StartUp()
{
    // Every run starts with the band HAM and its two header lines.
    band_ = Band::Ham;
    ClearResults();
}

void DivisorCalculator::PressDigit(char digit)
{
    const double p = TextValue(entry_.cursor_);
    entry_.cells_[EntryRegister::Slot(CellIndex(p))] = std::string(1, digit);
    // On cell 7 this writes "8", which the clamp pulls back to "7", so further
    // digits keep overwriting cell 7.
    WriteCursor(NumberText(p + 1));
}

void DivisorCalculator::StepBack()
{
    // The cell reset is the one the cursor stood on before the step.
    const double p = TextValue(entry_.cursor_);
    WriteCursor(NumberText(p - 1));
    const int cell = p < EntryRegister::kCells ? CellIndex(p) : EntryRegister::kCells;
    entry_.cells_[EntryRegister::Slot(cell)].assign(1, '0');
}

void DivisorCalculator::ClearEntry()
{
    for (auto& cell : entry_.cells_) {
        cell.assign(1, '0');
    }
    WriteCursor("1");
}

void DivisorCalculator::WriteCursor(std::string_view text)
{
    entry_.cursor_ = SingleLineText(text);
    ClampCursor();
}

void DivisorCalculator::WriteCell(int i, std::string_view text)
{
    entry_.cells_[EntryRegister::Slot(i)] = SingleLineText(text);
}

void DivisorCalculator::ClampCursor()
{
    // Mark first, on the value as written; a value out of range therefore
    // clears every mark before the corrective write marks cell 1 or 7. The
    // corrective write re-enters here once and finds the value in range.
    MarkCursor();
    const double v = TextValue(entry_.cursor_);
    if (v < 1) {
        WriteCursor("1");
    } else if (v > EntryRegister::kCells) {
        WriteCursor(NumberText(EntryRegister::kCells));
    }
}

void DivisorCalculator::MarkCursor()
{
    // A cursor value that is not whole marks no cell.
    const double v = TextValue(entry_.cursor_);
    for (int i = 1; i <= EntryRegister::kCells; ++i) {
        entry_.marks_[EntryRegister::Slot(i)] = v == i;
    }
}

std::string DivisorCalculator::FrequencyText() const
{
    std::string text;
    for (int i = 1; i <= EntryRegister::kCells; ++i) {
        if (i == 4) {
            text += '.';
        }
        text += TrimSpaces(entry_.Cell(i));
    }
    // Bytes of two cells that are no UTF-8 alone may form a line break or a
    // direction control when joined; the result line keeps to one line too.
    return SingleLineText(text);
}

std::string ResultLine(std::string_view frequency_text, Band band)
{
    const double f = TextValue(frequency_text);
    if (!(f >= LowerBoundMHz(band) && f <= UpperBoundMHz(band))) {
        return {};
    }
    // Inside the band the quotient lies in 0..16000, so it rounds and prints
    // exactly; no representation error of the division survives the rounding.
    const double n = RoundHalfEven((f - kReferenceMHz) / kStepMHz);
    std::string line = "Fo=";
    line += frequency_text;
    line += "  n=";
    line += NumberText(n);
    return line;
}

void DivisorCalculator::EnterFrequency()
{
    std::string line = ResultLine(FrequencyText(), band_);
    if (!line.empty()) {
        results_.Append(std::move(line));
    }
    ClearEntry();
}

void DivisorCalculator::ClearResults()
{
    results_.RemoveAll();
    results_.Append(std::string(FirstHeaderLine(band_)));
    results_.Append(std::string(SecondHeaderLine(band_)));
}

void DivisorCalculator::SelectBand(Band band)
{
    band_ = band;
    ClearResults();
}

SaveOutcome DivisorCalculator::SaveResults(const SavePlaces& places)
{
    return SaveResults(
        places, [](const std::string& path, std::string_view block) { return AppendBlock(path, block); });
}

SaveOutcome DivisorCalculator::SaveResults(const SavePlaces& places, const AppendFunction& append)
{
    SaveOutcome outcome;
    if (results_.Count() <= 2) {
        return outcome;  // nothing below the headers: no file operation at all
    }
    outcome.status = SaveOutcome::Status::Failed;
    try {
        // An empty folder text would name the root folder; it means the
        // program's folder is unknown, which fails the save.
        if (places.program.empty()) {
            outcome.reason = "The program's folder could not be found: " + places.program_unknown;
            return outcome;
        }
        const std::string block = ResultsBlock(results_.Lines());
        // An installed copy never writes into its own folder: a file there
        // would stay after the program is removed, whoever runs it.
        const bool installed = IsInstalledCopy(places.program, places.install_folders);
        AppendResult appended;
        if (!installed) {
            outcome.path = ResultsFilePath(places.program);
            appended = append(outcome.path, block);
        }
        // Only a place that may not be written sends the file elsewhere; a
        // full disk or a folder named Kestrami.txt is reported as it is.
        const bool elsewhere =
            installed || (appended.status == AppendResult::Status::NotPermitted && !places.documents.empty());
        if (elsewhere) {
            if (places.documents.empty()) {
                outcome.reason = "The documents folder could not be found";
                if (!places.documents_unknown.empty()) {
                    outcome.reason += ": " + places.documents_unknown;
                }
                return outcome;
            }
            outcome.path = ResultsFilePath(places.documents);
            std::string made = MakeFolder(places.documents);
            appended = made.empty() ? append(outcome.path, block)
                                    : AppendResult{AppendResult::Status::Failed, std::move(made)};
        }
        outcome.cut_back_failed = appended.cut_back_failed;
        if (appended.status != AppendResult::Status::Appended) {
            outcome.reason = FailureReason(appended);
            return outcome;
        }
        outcome.status = SaveOutcome::Status::Saved;
        outcome.tell_place = elsewhere && !told_documents_;
        told_documents_ = told_documents_ || elsewhere;
    } catch (const std::bad_alloc&) {
        // The block of a very long list may not fit in memory: a failed save
        // like any other, with the list as it was.
        outcome.status = SaveOutcome::Status::Failed;
        outcome.reason = std::make_error_code(std::errc::not_enough_memory).message();
    }
    return outcome;
}

}  // namespace kestrami
