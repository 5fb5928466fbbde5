#include "results_file.h"

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
        block += line;
        block += "\r\n";
    }
    block += "\r\n \r\n";
    return block;
}

std::string SaveFailedText(const SaveOutcome& outcome)
{
    std::string text = "The Results-list could not be saved to\r\n";
    text += outcome.path;
    text += "\r\n";
    text += outcome.reason;
    text += "\r\nThe list is kept unchanged.";
    return text;
}

std::optional<Message> SaveMessage(const SaveOutcome& outcome)
{
    switch (outcome.status) {
        case SaveOutcome::Status::NothingToSave:
            return Message{std::string(kNothingToSaveTitle), std::string(kNothingToSaveText)};
        case SaveOutcome::Status::Failed:
            return Message{std::string(kSaveFailedTitle), SaveFailedText(outcome)};
        case SaveOutcome::Status::Saved:
            break;
    }
    return std::nullopt;
}

}  // namespace kestrami
