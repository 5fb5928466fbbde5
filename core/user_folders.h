// Where a save may go, decided on the folders' texts alone: the user's
// documents folder as the desktop's user-dirs file names it, and whether the
// program is an installed copy, which never writes into its own folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrami {

// The documents folder that a user-dirs file (~/.config/user-dirs.dirs)
// sets, for the absolute home folder given. Its XDG_DOCUMENTS_DIR line holds
// a double-quoted "$HOME/..." or an absolute "/..." path, backslash escaping
// the next character; the last such line counts, as when a shell reads the
// file. A value of any other form, a relative path among them, counts as no
// documents folder and gives the home folder. Without any such line the
// folder is "Documents" in the home folder. Bytes are kept as they are,
// whatever their encoding; trailing slashes go.
std::string DocumentsFolderFromUserDirs(std::string_view user_dirs, std::string_view home);

// Whether the program's folder lies in one of the system's folders for
// installed programs (the folder itself or any folder below it). On Windows
// names are compared regardless of ASCII case, '/' and '\' alike, and a
// "\\?\" prefix is looked through; elsewhere byte for byte.
bool IsInstalledCopy(std::string_view program_folder, const std::vector<std::string>& install_folders);

}  // namespace kestrami
