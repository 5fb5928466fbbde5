// The few things the core asks of the operating system: appending one block
// to a file, making a folder, and finding the folder of the running program,
// the user's documents folder and the system's folders of installed programs.
// platform_files_posix.cpp and platform_files_windows.cpp implement them side
// by side; the build compiles the one for its system. Paths are byte strings:
// as the system gives them on POSIX, UTF-8 on Windows.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrami {

// How long an append waits for another program's lock on the file. One
// block is written in far less, so two Kestrami programs saving at once
// always both get through.
inline constexpr std::chrono::milliseconds kLockWait{2000};

struct AppendOptions {
    std::chrono::milliseconds lock_wait = kLockWait;

    // Failures a test makes the system calls report, to reach the paths only
    // a failing disk takes. Error numbers are the system's (errno on POSIX,
    // GetLastError codes on Windows); 0 leaves the call alone.
    int write_error = 0;          // writing stops with this error ...
    std::size_t write_after = 0;  // ... once this many bytes are in the file
    int flush_error = 0;          // the flush to the disk fails
    int cut_back_error = 0;       // cutting the file back to its old size fails
};

struct AppendResult {
    enum class Status {
        Appended,        // the whole block is in the file and on the disk
        NotPermitted,    // this folder or file may not be written: access denied, read-only file system
        NotRegularFile,  // the name is taken by a folder, device, pipe or socket; nothing was written
        Locked,          // another program held its lock for longer than the wait; nothing was written
        Failed,          // anything else
    };
    Status status = Status::Failed;
    std::string reason;            // the system's words for NotPermitted and Failed
    bool cut_back_failed = false;  // part of the block may have stayed at the end of the file
};

// Appends the block to the regular file at path, creating it when missing
// and following symbolic links. The block goes out while an exclusive lock on
// the file is held, so two programs saving at once never mix their blocks; a
// write or flush that fails is cut back off the file, so no partial block
// stays; an appended block is on the disk when this returns. Never hangs
// longer than the lock wait, and never ends the program by a signal.
AppendResult AppendBlock(const std::string& path, std::string_view block, const AppendOptions& options = {});

// Makes the folder and any missing parents. Empty on success (also when the
// folder is there already), the system's reason otherwise.
std::string MakeFolder(const std::string& path);

// The folder that holds the running program's executable, found from the
// system's own record of it, never from the current folder or the command
// line. Empty path, with the system's reason, when it cannot be found.
struct FolderLookup {
    std::string path;
    std::string reason;
};
FolderLookup ExecutableFolder();

// The user's documents folder, always an absolute path: on POSIX the one
// ~/.config/user-dirs.dirs names (under XDG_CONFIG_HOME where that is set),
// read as bytes, or "Documents" in the home folder where it names none, or
// the home folder itself where its value is not a "$HOME/..." or absolute
// path; on Windows the Documents known folder, or the profile folder where
// there is none. Empty path, with the reason, when no such folder is known
// or its name cannot be kept exactly as the system gives it.
FolderLookup DocumentsFolder();

// The system's folders of installed programs: /usr and /opt on POSIX, the
// Program Files folders on Windows, as the system names them.
const std::vector<std::string>& InstallFolders();

}  // namespace kestrami
