#include "results_file.h"

#include "line_text.h"

namespace kestrami {

std::string ResultsFilePath(std::string_view folder)
{
    std::string path(folder);
    path += '/';
    path += kResultsFileName;
    return path;
}

std::string ResultsBlock(const std::vector<std::string>& lines)
{
    std::size_t size = 5;  // the empty line and the single-space line
    for (const auto& line : lines) {
        size += line.size() + 2;
    }
    std::string block;
    block.reserve(size);
    for (const auto& line : lines) {
        AppendSingleLine(block, line);
        block += "\r\n";
    }
    block += "\r\n \r\n";
    return block;
}

std::string FailureReason(const AppendResult& appended)
{
    switch (appended.status) {
        case AppendResult::Status::NotRegularFile:
            return std::string(kResultsFileName) + " is not a regular file";
        case AppendResult::Status::Locked:
            return std::string(kResultsFileName) + " is locked by another program";
        default:
            return appended.reason;
    }
}

std::optional<Message> SaveMessage(const SaveOutcome& outcome)
{
    switch (outcome.status) {
        case SaveOutcome::Status::NothingToSave:
            return Message{std::string(kNothingToSaveTitle), std::string(kNothingToSaveText)};
        case SaveOutcome::Status::Failed: {
            // Only a full path is named: where no folder was known, there is
            // none to name.
            std::string text = outcome.path.empty()
                                   ? "The Results-list could not be saved.\r\n"
                                   : "The Results-list could not be saved to\r\n" + outcome.path + "\r\n";
            text += outcome.reason;
            if (outcome.cut_back_failed) {
                text += "\r\nThe file may now end in an incomplete block.";
            }
            text += "\r\nThe list is kept unchanged.";
            return Message{std::string(kSaveFailedTitle), std::move(text)};
        }
        case SaveOutcome::Status::Saved:
            if (outcome.tell_place) {
                return Message{std::string(kSavedElsewhereTitle),
                               "The Results-list was saved to\r\n" + outcome.path};
            }
            break;
    }
    return std::nullopt;
}

}  // namespace kestrami
