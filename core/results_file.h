// The results file: the block one save appends, and how a save went.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrami {

inline constexpr std::string_view kResultsFileName = "Kestrami.txt";

// The box shown when the list holds no result line yet.
inline constexpr std::string_view kNothingToSaveTitle = "Error";
inline constexpr std::string_view kNothingToSaveText =
    "Nothing to save !\r\nAt least 1 frequency must be\r\nadded to the Results-list.";

struct SaveOutcome {
    enum class Status { NothingToSave, Saved, Failed };
    Status status = Status::NothingToSave;
    std::string path;    // the file written or tried; empty for NothingToSave
    std::string reason;  // the system's reason for a failure
};

// The folder text joined with "/Kestrami.txt", unchanged: a folder that ends
// in a separator gives a doubled one, which every file system accepts.
std::string ResultsFilePath(std::string_view folder);

// One save's block: every line with CR LF, then an empty line, then a line
// holding one space.
std::string ResultsBlock(const std::vector<std::string>& lines);

// The box shown when a save failed: title and text.
inline constexpr std::string_view kSaveFailedTitle = "Error";
std::string SaveFailedText(const SaveOutcome& outcome);

// What the window shows after a save: the "Nothing to save" box, the failure
// box, or nothing at all for a save that succeeded.
struct Message {
    std::string title;
    std::string text;
};
std::optional<Message> SaveMessage(const SaveOutcome& outcome);

}  // namespace kestrami
