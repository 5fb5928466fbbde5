// The core's system calls on Windows. Paths come in as UTF-8 and go to the
// system as UTF-16, full paths in the \\?\ form that names every folder
// exactly; the system's reasons come back in UTF-16 and leave as UTF-8.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which they build on.
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "platform_files.h"

namespace kestrami {

namespace {

using Status = AppendResult::Status;

// UTF-16 to UTF-8; empty when the text holds a lone surrogate and strict is
// asked for.
std::string Utf8(std::wstring_view wide, bool strict = false)
{
    const DWORD flags = strict ? WC_ERR_INVALID_CHARS : 0;
    const int length = static_cast<int>(wide.size());
    const int size = ::WideCharToMultiByte(CP_UTF8, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(std::max(size, 0)), '\0');
    ::WideCharToMultiByte(CP_UTF8, flags, wide.data(), length, text.data(), size, nullptr, nullptr);
    return text;
}

// The system's message for the error in the user's language, without the
// full stop and line end it closes with, as the reasons on POSIX have none.
std::string Reason(DWORD error)
{
    wchar_t* message = nullptr;
    const DWORD size = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::wstring_view text(message, message != nullptr ? size : 0);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.back() == L'.') {
        text.remove_suffix(1);
    }
    std::string reason = text.empty() ? "Unknown error " + std::to_string(error) : Utf8(text);
    ::LocalFree(message);
    return reason;
}

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// A full path in the \\?\ form, which the system takes as it is: every name
// exactly as written, where its usual reading drops a name's final dots and
// spaces (so that "C:\a.\Kestrami.txt" would be "C:\a\Kestrami.txt"), and
// longer than MAX_PATH. That form knows no '/', "." or "..", so the path is
// put together again from its names. A relative path, a device's and one in
// the \\?\ form already are left as they are, '/' aside.
std::wstring ExactPath(std::wstring path)
{
    if (path.starts_with(LR"(\\?\)")) {
        std::replace(path.begin(), path.end(), L'/', L'\\');
        return path;
    }
    std::wstring exact;
    std::wstring_view rest = path;
    std::size_t kept = 0;  // names ".." does not climb past: a share's server and name
    const bool drive = path.size() >= 3 &&
                       ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
                       path[1] == L':' && IsSeparator(path[2]);
    const bool device = path.size() >= 4 && (path[2] == L'.' || path[2] == L'?') && IsSeparator(path[3]);
    if (drive) {
        exact = LR"(\\?\)" + path.substr(0, 2);
        rest.remove_prefix(3);
    } else if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]) && !device) {
        exact = LR"(\\?\UNC)";
        rest.remove_prefix(2);
        kept = 2;
    } else {
        return path;
    }
    std::vector<std::wstring_view> names;
    while (!rest.empty()) {
        const auto end = std::find_if(rest.begin(), rest.end(), IsSeparator);
        const std::wstring_view name = rest.substr(0, static_cast<std::size_t>(end - rest.begin()));
        rest.remove_prefix(std::min(name.size() + 1, rest.size()));
        if (name == L"..") {
            if (names.size() > kept) {
                names.pop_back();
            }
        } else if (!name.empty() && name != L".") {
            names.push_back(name);
        }
    }
    for (const std::wstring_view name : names) {
        exact += L'\\';
        exact += name;
    }
    if (names.empty()) {
        exact += L'\\';  // the drive's root folder
    }
    return exact;
}

// The UTF-8 path as the system takes it, in the exact form where it is a full
// path; false, with the error set, when the text is not UTF-8.
bool WidePath(const std::string& path, std::wstring& wide)
{
    const int length = static_cast<int>(path.size());
    const int size = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), length, nullptr, 0);
    if (size == 0 && !path.empty()) {
        return false;
    }
    wide.assign(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), length, wide.data(), size);
    wide = ExactPath(std::move(wide));
    return true;
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Another program that has the file open without sharing writing, or holds
// a lock on it, is waited for.
bool Busy(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// A file that cannot be opened for writing: denied access, write-protected
// media and a read-only file mean this place may not be written at all.
AppendResult OpenFailure(DWORD error, const std::wstring& path)
{
    switch (error) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return {Status::Locked, {}};
        case ERROR_PIPE_BUSY:
            return {Status::NotRegularFile, {}};  // a pipe, every instance of it taken
        case ERROR_ACCESS_DENIED:
            if (IsFolder(path)) {
                return {Status::NotRegularFile, {}};  // a folder, which is never opened for writing
            }
            return {Status::NotPermitted, Reason(error)};
        case ERROR_WRITE_PROTECT:
        case ERROR_FILE_READ_ONLY:
        case ERROR_NETWORK_ACCESS_DENIED:
            return {Status::NotPermitted, Reason(error)};
        default:
            return {Status::Failed, Reason(error)};
    }
}

// The wait for another program to let go of the file, spread over the open
// and the lock. The pauses between tries start short, as another Kestrami's
// save takes milliseconds.
class Wait {
public:
    explicit Wait(std::chrono::milliseconds wait) : deadline_(Clock::now() + wait) {}
    // Pauses before the next try; false once the wait is over.
    bool Pause()
    {
        if (Clock::now() >= deadline_) {
            return false;
        }
        std::this_thread::sleep_for(pause_);
        pause_ = std::min(pause_ * 2, std::chrono::microseconds(20000));
        return true;
    }

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point deadline_;
    std::chrono::microseconds pause_{500};
};

// Holds the handle, and the lock once taken, and gives both up on every way
// out. The lock goes first and explicitly: a lock left to the closing of the
// handle may outlive it for a while.
class File {
public:
    explicit File(HANDLE handle) : handle_(handle) {}
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File()
    {
        if (locked_) {
            OVERLAPPED whole{};
            ::UnlockFileEx(handle_, 0, MAXDWORD, MAXDWORD, &whole);
        }
        if (handle_ != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle_);
        }
    }
    HANDLE handle() const { return handle_; }

    // Takes the exclusive lock over the whole file, retrying until the wait
    // is over. A file system without locks still gets the block in one
    // appending write, so only a lock that someone else holds stops the save.
    bool Lock(Wait& wait)
    {
        OVERLAPPED whole{};
        while (!::LockFileEx(handle_, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                             MAXDWORD, &whole)) {
            if (::GetLastError() != ERROR_LOCK_VIOLATION) {
                return true;
            }
            if (!wait.Pause()) {
                return false;
            }
        }
        locked_ = true;
        return true;
    }

private:
    HANDLE handle_;
    bool locked_ = false;
};

// Opens the file, creating it when missing, sharing reading and writing with
// other programs. Appending alone would do for the block, but only the right
// to write data lets a failed block be cut back off; every write still goes
// to the end of the file.
HANDLE Open(const std::wstring& path, Wait& wait)
{
    for (;;) {
        const HANDLE handle = ::CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_WRITE_DATA,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            return handle;
        }
        const DWORD error = ::GetLastError();
        if (!Busy(error) || !wait.Pause()) {
            ::SetLastError(error);
            return INVALID_HANDLE_VALUE;
        }
    }
}

bool Write(HANDLE file, std::string_view rest, std::size_t written, const AppendOptions& options, DWORD& done)
{
    std::size_t size = std::min<std::size_t>(rest.size(), MAXDWORD);
    if (options.write_error != 0) {
        if (written >= options.write_after) {
            ::SetLastError(static_cast<DWORD>(options.write_error));
            return false;
        }
        size = std::min(size, options.write_after - written);
    }
    OVERLAPPED at_end{};  // both offsets all ones: the end of the file
    at_end.Offset = MAXDWORD;
    at_end.OffsetHigh = MAXDWORD;
    return ::WriteFile(file, rest.data(), static_cast<DWORD>(size), &done, &at_end) != 0;
}

// Takes a failed block off the end of the file again; false when part of it
// may have stayed.
bool CutBack(HANDLE file, LONGLONG old_size, std::size_t written, const AppendOptions& options)
{
    LARGE_INTEGER now{};
    if (!::GetFileSizeEx(file, &now)) {
        return written == 0;
    }
    if (now.QuadPart == old_size) {
        return true;  // nothing of the block arrived
    }
    // Someone else appended meanwhile, which only a file system without locks
    // allows: their lines are not cut away with ours.
    if (now.QuadPart != old_size + static_cast<LONGLONG>(written) || options.cut_back_error != 0) {
        return false;
    }
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = old_size;
    return ::SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end) &&
           ::FlushFileBuffers(file);
}

// Makes the folder after whichever of its parents are missing; 0 on success
// or when it is there already, the system's error otherwise. The parents are
// looked for no higher than the drive or share the path starts with.
DWORD Make(const std::wstring& folder, std::size_t root)
{
    DWORD error = ::CreateDirectoryW(folder.c_str(), nullptr) ? 0 : ::GetLastError();
    const std::size_t parent = folder.find_last_of(L"\\/");
    if (error == ERROR_PATH_NOT_FOUND && parent != std::wstring::npos && parent > root) {
        error = Make(folder.substr(0, parent), root);
        if (error == 0) {
            error = ::CreateDirectoryW(folder.c_str(), nullptr) ? 0 : ::GetLastError();
        }
    }
    return error == ERROR_ALREADY_EXISTS ? 0 : error;
}

// The length of the drive or share a path in the \\?\ form starts with:
// "\\?\C:" or "\\?\UNC\server\share"; 0 for any other path.
std::size_t RootLength(const std::wstring& path)
{
    if (path.starts_with(LR"(\\?\UNC\)")) {
        const std::size_t share = path.find(L'\\', 8);
        const std::size_t end = share == std::wstring::npos ? share : path.find(L'\\', share + 1);
        return end == std::wstring::npos ? path.size() : end;
    }
    return path.starts_with(LR"(\\?\)") && path.size() >= 6 && path[5] == L':' ? 6 : 0;
}

// The path of a known folder in UTF-8; 0, or the system's error when there
// is no such folder, or ERROR_NO_UNICODE_TRANSLATION when its name has no
// UTF-8 form.
DWORD KnownFolder(REFKNOWNFOLDERID id, std::string& path)
{
    wchar_t* wide = nullptr;
    const HRESULT result = ::SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &wide);
    DWORD error = SUCCEEDED(result) ? 0 : static_cast<DWORD>(HRESULT_CODE(result));
    if (error == 0) {
        path = Utf8(wide, true);
        error = path.empty() ? ERROR_NO_UNICODE_TRANSLATION : 0;
    }
    ::CoTaskMemFree(wide);
    return error;
}

}  // namespace

AppendResult AppendBlock(const std::string& path, std::string_view block, const AppendOptions& options)
{
    std::wstring name;
    if (!WidePath(path, name)) {
        return {Status::Failed, Reason(::GetLastError())};
    }
    // Only a regular file takes the block. A folder is never opened for
    // writing, so looking first tells it from a file that may not be written;
    // a device or pipe is known by its handle, before anything is written.
    // A file marked read-only is written by nobody, administrators included;
    // looking first says so also where the file system would let it pass
    // (Wine run as root).
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {Status::NotRegularFile, {}};
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return {Status::NotPermitted, Reason(ERROR_ACCESS_DENIED)};
    }
    Wait wait(options.lock_wait);
    File file(Open(name, wait));
    if (file.handle() == INVALID_HANDLE_VALUE) {
        return OpenFailure(::GetLastError(), name);
    }
    if (::GetFileType(file.handle()) != FILE_TYPE_DISK) {
        return {Status::NotRegularFile, {}};
    }
    if (!file.Lock(wait)) {
        return {Status::Locked, {}};
    }
    // The size the file had before this block, read under the lock.
    LARGE_INTEGER before{};
    if (!::GetFileSizeEx(file.handle(), &before)) {
        return {Status::Failed, Reason(::GetLastError())};
    }

    const auto failed = [&](DWORD error, std::size_t written) {
        AppendResult result{Status::Failed, Reason(error)};
        result.cut_back_failed = !CutBack(file.handle(), before.QuadPart, written, options);
        return result;
    };

    std::size_t written = 0;
    while (written < block.size()) {
        DWORD n = 0;
        if (!Write(file.handle(), block.substr(written), written, options, n)) {
            return failed(::GetLastError(), written);
        }
        if (n == 0) {
            return failed(ERROR_WRITE_FAULT, written);
        }
        written += n;
    }
    // Every flush failure of a regular file is a lost block.
    if (options.flush_error != 0 || !::FlushFileBuffers(file.handle())) {
        return failed(options.flush_error != 0 ? static_cast<DWORD>(options.flush_error) : ::GetLastError(),
                      written);
    }
    return {Status::Appended, {}};
}

std::string MakeFolder(const std::string& path)
{
    std::wstring folder;
    if (!WidePath(path, folder)) {
        return Reason(::GetLastError());
    }
    if (const DWORD error = Make(folder, RootLength(folder)); error != 0) {
        return Reason(error);
    }
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return Reason(::GetLastError());
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? std::string() : Reason(ERROR_DIRECTORY);
}

FolderLookup ExecutableFolder()
{
    // The system's record of the executable's path; the buffer grows until
    // the whole path fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) {
            return {{}, Reason(::GetLastError())};
        }
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    // A name that is no valid UTF-16 has no UTF-8 path; a save into another
    // folder would be worse than a failed one. A path in the \\?\ form is
    // kept in the usual one, which the user knows; appending turns it back.
    if (path.starts_with(LR"(\\?\UNC\)")) {
        path.replace(0, 8, LR"(\\)");
    } else if (path.starts_with(LR"(\\?\)") && path.size() >= 6 && path[5] == L':') {
        path.erase(0, 4);
    }
    const std::string target = Utf8(path, true);
    const auto separator = target.find_last_of("\\/");
    if (target.empty() || separator == std::string::npos) {
        return {{}, Reason(target.empty() ? ERROR_NO_UNICODE_TRANSLATION : ERROR_BAD_PATHNAME)};
    }
    // A drive's root folder keeps its separator: "C:" alone would name the
    // current folder on that drive.
    const bool drive_root = separator == 2 && target[1] == ':';
    return {target.substr(0, drive_root ? separator + 1 : separator), {}};
}

FolderLookup DocumentsFolder()
{
    // The profile folder stands in only where there is no Documents folder,
    // not where its name cannot be kept.
    std::string path;
    DWORD error = KnownFolder(FOLDERID_Documents, path);
    if (error != 0 && error != ERROR_NO_UNICODE_TRANSLATION) {
        error = KnownFolder(FOLDERID_Profile, path);
    }
    return error == 0 ? FolderLookup{path, {}} : FolderLookup{{}, Reason(error)};
}

const std::vector<std::string>& InstallFolders()
{
    // The 64-bit and the 32-bit Program Files; the first is the
    // system's Program Files for a 64-bit program, the last names it for a
    // 32-bit one where the system has it.
    static const std::vector<std::string> folders = [] {
        std::vector<std::string> found;
        for (const KNOWNFOLDERID* id :
             {&FOLDERID_ProgramFiles, &FOLDERID_ProgramFilesX86, &FOLDERID_ProgramFilesX64}) {
            std::string path;
            if (KnownFolder(*id, path) == 0 && std::find(found.begin(), found.end(), path) == found.end()) {
                found.push_back(path);
            }
        }
        return found;
    }();
    return folders;
}

}  // namespace kestrami
