// The core's system calls on POSIX systems (Linux).
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <system_error>
#include <thread>

#include "platform_files.h"
#include "user_folders.h"

namespace kestrami {

namespace {

using Status = AppendResult::Status;

std::string Reason(int error)
{
    return std::generic_category().message(error);
}

// A file that cannot be opened for writing: denied access and a read-only
// file system mean this place may not be written at all.
AppendResult OpenFailure(int error)
{
    if (error == ENXIO) {
        return {Status::NotRegularFile, {}};  // a pipe without a reader, a device without its hardware
    }
    const bool denied = error == EACCES || error == EPERM || error == EROFS;
    return {denied ? Status::NotPermitted : Status::Failed, Reason(error)};
}

template <typename Call>
auto RetryOnSignal(Call call)
{
    decltype(call()) result;
    do {
        result = call();
    } while (result == -1 && errno == EINTR);
    return result;
}

// Holds the descriptor and closes it on every way out.
class File {
public:
    explicit File(int fd) : fd_(fd) {}
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File()
    {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int fd() const { return fd_; }

private:
    int fd_;
};

// Holds back SIGXFSZ and SIGPIPE on this thread while the block is written:
// a write past the file size limit then fails with EFBIG instead of ending
// the program. A signal the write raised is taken off again before the old
// mask returns; one that was pending before is left alone.
class QuietSignals {
public:
    QuietSignals()
    {
        sigset_t quiet;
        sigemptyset(&quiet);
        for (const int signal : kSignals) {
            sigaddset(&quiet, signal);
        }
        pthread_sigmask(SIG_BLOCK, &quiet, &old_mask_);
        sigpending(&pending_before_);
    }
    QuietSignals(const QuietSignals&) = delete;
    QuietSignals& operator=(const QuietSignals&) = delete;
    ~QuietSignals()
    {
        sigset_t pending;
        sigpending(&pending);
        for (const int signal : kSignals) {
            if (sigismember(&pending, signal) == 1 && sigismember(&pending_before_, signal) != 1) {
                sigset_t one;
                sigemptyset(&one);
                sigaddset(&one, signal);
                const timespec now{};
                RetryOnSignal([&] { return sigtimedwait(&one, nullptr, &now); });
            }
        }
        pthread_sigmask(SIG_SETMASK, &old_mask_, nullptr);
    }

private:
    static constexpr int kSignals[] = {SIGXFSZ, SIGPIPE};
    sigset_t old_mask_;
    sigset_t pending_before_;
};

// Takes the exclusive lock, retrying until the wait is over; the pauses
// between tries start short, as another Kestrami's save takes milliseconds.
// A file system without locks still gets the block in one appending write,
// so only a lock that someone else holds stops the save.
bool Lock(int fd, std::chrono::milliseconds wait)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + wait;
    auto pause = std::chrono::microseconds(500);
    while (RetryOnSignal([&] { return ::flock(fd, LOCK_EX | LOCK_NB); }) != 0) {
        if (errno != EWOULDBLOCK) {
            return true;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(20000));
    }
    return true;
}

ssize_t Write(int fd, std::string_view rest, std::size_t written, const AppendOptions& options)
{
    std::size_t size = rest.size();
    if (options.write_error != 0) {
        if (written >= options.write_after) {
            errno = options.write_error;
            return -1;
        }
        size = std::min(size, options.write_after - written);
    }
    return ::write(fd, rest.data(), size);
}

// Takes a failed block off the end of the file again; false when part of it
// may have stayed.
bool CutBack(int fd, off_t old_size, std::size_t written, const AppendOptions& options)
{
    struct stat now {};
    if (::fstat(fd, &now) != 0) {
        return written == 0;
    }
    if (now.st_size == old_size) {
        return true;  // nothing of the block arrived
    }
    // Someone else appended meanwhile, which only a file system without locks
    // allows: their lines are not cut away with ours.
    if (now.st_size != old_size + static_cast<off_t>(written) || options.cut_back_error != 0) {
        return false;
    }
    return RetryOnSignal([&] { return ::ftruncate(fd, old_size); }) == 0 && ::fsync(fd) == 0;
}

// The text of an environment variable when it holds an absolute path.
std::string AbsoluteFromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

// The home folder: HOME, or where that is unset or not absolute, the one the
// user database names; empty when neither is an absolute path.
std::string HomeFolder()
{
    std::string home = AbsoluteFromEnvironment("HOME");
    if (home.empty()) {
        std::string buffer(16384, '\0');
        passwd entry{};
        passwd* found = nullptr;
        if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
            found->pw_dir != nullptr && found->pw_dir[0] == '/') {
            home = found->pw_dir;
        }
    }
    return home;
}

// The content of a small regular file, or nothing when it is missing,
// unreadable or not a regular file: a pipe or device in its place is never
// read, so it cannot hold the save up.
std::string SmallFileContent(const std::string& path)
{
    constexpr std::size_t kLimit = 1 << 16;
    const File file(
        RetryOnSignal([&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK); }));
    struct stat shape {};
    if (file.fd() < 0 || ::fstat(file.fd(), &shape) != 0 || !S_ISREG(shape.st_mode)) {
        return {};
    }
    std::string content(kLimit, '\0');
    std::size_t size = 0;
    while (size < kLimit) {
        const ssize_t n =
            RetryOnSignal([&] { return ::read(file.fd(), content.data() + size, kLimit - size); });
        if (n <= 0) {
            break;
        }
        size += static_cast<std::size_t>(n);
    }
    content.resize(size);
    return content;
}

}  // namespace

AppendResult AppendBlock(const std::string& path, std::string_view block, const AppendOptions& options)
{
    // Only a regular file takes the block. Looking first keeps a device from
    // being opened at all; O_NONBLOCK keeps a pipe that slips in between from
    // hanging the open, and the look after opening is the one that counts.
    struct stat before {};
    if (::stat(path.c_str(), &before) == 0 && !S_ISREG(before.st_mode)) {
        return {Status::NotRegularFile, {}};
    }
    const File file(RetryOnSignal([&] {
        return ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    }));
    if (file.fd() < 0) {
        return OpenFailure(errno);
    }
    if (::fstat(file.fd(), &before) != 0) {
        return {Status::Failed, Reason(errno)};
    }
    if (!S_ISREG(before.st_mode)) {
        return {Status::NotRegularFile, {}};
    }
    const int flags = ::fcntl(file.fd(), F_GETFL);
    if (flags == -1 || ::fcntl(file.fd(), F_SETFL, flags & ~O_NONBLOCK) == -1) {
        return {Status::Failed, Reason(errno)};
    }
    if (!Lock(file.fd(), options.lock_wait)) {
        return {Status::Locked, {}};
    }
    // The size the file had before this block, read under the lock.
    if (::fstat(file.fd(), &before) != 0) {
        return {Status::Failed, Reason(errno)};
    }

    const auto failed = [&](int error, std::size_t written) {
        AppendResult result{Status::Failed, Reason(error)};
        result.cut_back_failed = !CutBack(file.fd(), before.st_size, written, options);
        return result;
    };

    std::size_t written = 0;
    {
        const QuietSignals quiet;
        while (written < block.size()) {
            const ssize_t n =
                RetryOnSignal([&] { return Write(file.fd(), block.substr(written), written, options); });
            if (n <= 0) {
                return failed(n < 0 ? errno : EIO, written);
            }
            written += static_cast<std::size_t>(n);
        }
    }
    // Every flush failure of a regular file is a lost block.
    if (options.flush_error != 0 || ::fsync(file.fd()) != 0) {
        return failed(options.flush_error != 0 ? options.flush_error : errno, written);
    }
    return {Status::Appended, {}};
}

std::string MakeFolder(const std::string& path)
{
    // Each prefix that ends before a separator, then the whole path.
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string folder = path.substr(0, end);
        if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
            return Reason(errno);
        }
        if (end == std::string::npos) {
            break;
        }
    }
    struct stat made {};
    if (::stat(path.c_str(), &made) != 0) {
        return Reason(errno);
    }
    return S_ISDIR(made.st_mode) ? std::string() : Reason(ENOTDIR);
}

FolderLookup ExecutableFolder()
{
#if defined(__linux__)
    // The kernel's link to the executable, read as bytes whatever they are;
    // the buffer grows until the whole target fits.
    std::string target(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", target.data(), target.size());
        if (n < 0) {
            return {{}, Reason(errno)};
        }
        if (static_cast<std::size_t>(n) < target.size()) {
            target.resize(static_cast<std::size_t>(n));
            break;
        }
        target.resize(target.size() * 2);
    }
    // An executable replaced while it runs reads "<path> (deleted)"; the
    // folder is the same.
    const auto slash = target.rfind('/');
    if (target.empty() || target[0] != '/' || slash == std::string::npos) {
        return {{}, Reason(ENOENT)};
    }
    return {slash == 0 ? std::string("/") : target.substr(0, slash), {}};
#else
    return {{}, Reason(ENOSYS)};
#endif
}

FolderLookup DocumentsFolder()
{
    const std::string home = HomeFolder();
    if (home.empty()) {
        return {{}, "no home folder is set"};
    }
    std::string config = AbsoluteFromEnvironment("XDG_CONFIG_HOME");
    if (config.empty()) {
        config = home + "/.config";
    }
    return {DocumentsFolderFromUserDirs(SmallFileContent(config + "/user-dirs.dirs"), home), {}};
}

const std::vector<std::string>& InstallFolders()
{
    static const std::vector<std::string> folders = {"/usr", "/opt"};
    return folders;
}

}  // namespace kestrami
