#include "user_folders.h"

#include <algorithm>

namespace kestrami {

namespace {

constexpr std::string_view kSpaces = " \t";

std::string WithoutTrailingSlashes(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

// The home folder followed by a path that is empty or starts with '/'.
std::string UnderHome(std::string_view home, std::string_view rest)
{
    while (home.ends_with('/')) {
        home.remove_suffix(1);
    }
    return WithoutTrailingSlashes(std::string(home) + std::string(rest.empty() && home.empty() ? "/" : rest));
}

// The value of an XDG_DOCUMENTS_DIR line, unescaped; empty where it is not
// in double quotes or they do not close. False for any other line.
bool DocumentsValue(std::string_view line, std::string& value)
{
    const auto skip_spaces = [&] {
        line.remove_prefix(std::min(line.find_first_not_of(kSpaces), line.size()));
    };
    skip_spaces();
    constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR";
    if (!line.starts_with(kKey)) {
        return false;
    }
    line.remove_prefix(kKey.size());
    skip_spaces();
    if (!line.starts_with('=')) {
        return false;
    }
    line.remove_prefix(1);
    skip_spaces();
    value.clear();  // set, but to nothing that counts, unless the quotes close
    if (!line.starts_with('"')) {
        return true;
    }
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (line[i] == '"') {
            return true;
        }
        if (line[i] == '\\' && i + 1 < line.size()) {
            ++i;
        }
        value += line[i];
    }
    value.clear();
    return true;
}

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

bool IsSeparator(char c)
{
    return c == '/' || (kWindows && c == '\\');
}

bool SameCharacter(char a, char b)
{
    if (IsSeparator(a) && IsSeparator(b)) {
        return true;
    }
    const auto lower = [](char c) {
        return kWindows && c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return lower(a) == lower(b);
}

std::string_view WithoutLongPrefix(std::string_view folder)
{
    if (kWindows && (folder.starts_with("\\\\?\\") || folder.starts_with("//?/"))) {
        folder.remove_prefix(4);
    }
    return folder;
}

}  // namespace

std::string DocumentsFolderFromUserDirs(std::string_view user_dirs, std::string_view home)
{
    bool set = false;
    std::string value;
    while (!user_dirs.empty()) {
        const std::size_t end = std::min(user_dirs.find('\n'), user_dirs.size());
        std::string line_value;
        if (DocumentsValue(user_dirs.substr(0, end), line_value)) {
            set = true;
            value = std::move(line_value);
        }
        user_dirs.remove_prefix(std::min(end + 1, user_dirs.size()));
    }
    if (!set) {
        return UnderHome(home, "/Documents");
    }
    constexpr std::string_view kHome = "$HOME";
    if (value.starts_with(kHome) && (value.size() == kHome.size() || value[kHome.size()] == '/')) {
        return UnderHome(home, std::string_view(value).substr(kHome.size()));
    }
    return value.starts_with('/') ? WithoutTrailingSlashes(value) : UnderHome(home, "");
}

bool IsInstalledCopy(std::string_view program_folder, const std::vector<std::string>& install_folders)
{
    const std::string_view program = WithoutLongPrefix(program_folder);
    return std::any_of(install_folders.begin(), install_folders.end(), [&](const std::string& folder) {
        std::string_view root = WithoutLongPrefix(folder);
        while (!root.empty() && IsSeparator(root.back())) {
            root.remove_suffix(1);
        }
        return !root.empty() && program.size() >= root.size() &&
               std::equal(root.begin(), root.end(), program.begin(), SameCharacter) &&
               (program.size() == root.size() || IsSeparator(program[root.size()]));
    });
}

}  // namespace kestrami
