// The results file: where a save puts it, the block one save appends, and
// what the window tells the user afterwards.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform_files.h"

namespace kestrami {

inline constexpr std::string_view kResultsFileName = "Kestrami.txt";

// The box shown when the list holds no result line yet.
inline constexpr std::string_view kNothingToSaveTitle = "Error";
inline constexpr std::string_view kNothingToSaveText =
    "Nothing to save !\r\nAt least 1 frequency must be\r\nadded to the Results-list.";

// The folders a save may use, as the window found them. The results file
// belongs beside the program; it goes to the user's documents folder instead
// where that folder may not be written, and always for an installed copy,
// whose file in the system's folders no package would own.
struct SavePlaces {
    SavePlaces(std::string program_folder, std::string unknown_reason = {}, std::string documents_folder = {})
        : program(std::move(program_folder)),
          program_unknown(std::move(unknown_reason)),
          documents(std::move(documents_folder))
    {
    }
    SavePlaces(std::string program_folder, std::string unknown_reason, FolderLookup documents_folder)
        : program(std::move(program_folder)),
          program_unknown(std::move(unknown_reason)),
          documents(std::move(documents_folder.path)),
          documents_unknown(std::move(documents_folder.reason))
    {
    }

    std::string program;            // the executable's folder; empty when it could not be found ...
    std::string program_unknown;    // ... and then the system's reason
    std::string documents;          // the user's documents folder; empty when there is none ...
    std::string documents_unknown;  // ... and then the reason, if one is known
    // A program in one of these folders is an installed copy.
    std::vector<std::string> install_folders = InstallFolders();
};

struct SaveOutcome {
    enum class Status { NothingToSave, Saved, Failed };
    Status status = Status::NothingToSave;
    std::string path;              // the file written, or the last one tried; empty for NothingToSave
                                   // and where no folder to try was known
    std::string reason;            // why a save failed
    bool cut_back_failed = false;  // the file may end in an incomplete block
    bool tell_place = false;       // saved to the documents folder for the first time in this run
};

// Appends one block to the file at a path; AppendBlock, or a test's stand-in.
using AppendFunction = std::function<AppendResult(const std::string& path, std::string_view block)>;

// The folder text joined with "/Kestrami.txt", unchanged: a folder that ends
// in a separator gives a doubled one, which every file system accepts.
std::string ResultsFilePath(std::string_view folder);

// One save's block: every line with CR LF, then an empty line, then a line
// holding one space. A line never holds a line break of its own: any control
// character in it is left out, so one list row is always one file line, and
// so is any bidirectional formatting character, so a viewer shows the line
// in the order it is stored.
std::string ResultsBlock(const std::vector<std::string>& lines);

// The reason a failed append gives in the failure box.
std::string FailureReason(const AppendResult& appended);

// What the window shows after a save: the "Nothing to save" box, the failure
// box, the box that says where the file went the first time it went to the
// documents folder, or nothing at all.
struct Message {
    std::string title;
    std::string text;
};
inline constexpr std::string_view kSaveFailedTitle = "Error";
inline constexpr std::string_view kSavedElsewhereTitle = "Kestrami";
std::optional<Message> SaveMessage(const SaveOutcome& outcome);

}  // namespace kestrami
