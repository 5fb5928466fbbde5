#include "append_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace kestrami {

namespace {

AppendResult Failure(int error)
{
    return {false, std::generic_category().message(error)};
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

}  // namespace

AppendResult AppendBlock(const std::string& path, std::string_view block)
{
    // O_NONBLOCK keeps a named pipe without a reader from hanging the
    // program (the open fails with ENXIO instead); writing blocks as usual.
    const File file(RetryOnSignal(
        [&] { return ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666); }));
    if (file.fd() < 0) {
        return Failure(errno);
    }
    const int flags = ::fcntl(file.fd(), F_GETFL);
    if (flags == -1 || ::fcntl(file.fd(), F_SETFL, flags & ~O_NONBLOCK) == -1) {
        return Failure(errno);
    }
    // Another Kestrami saving into the same file waits here until this block
    // is complete. A file system without locks still gets the block in one
    // appending write, so a failing lock does not stop the save.
    RetryOnSignal([&] { return ::flock(file.fd(), LOCK_EX); });

    struct stat before {};
    if (::fstat(file.fd(), &before) != 0) {
        return Failure(errno);
    }

    // Only a regular file can be cut back; a device such as /dev/full cannot
    // keep a partial block anyway.
    const auto cut_back = [&](std::size_t written) {
        struct stat now {};
        if (S_ISREG(before.st_mode) && written > 0 && ::fstat(file.fd(), &now) == 0 &&
            now.st_size == before.st_size + static_cast<off_t>(written)) {
            RetryOnSignal([&] { return ::ftruncate(file.fd(), before.st_size); });
        }
    };

    std::size_t written = 0;
    while (written < block.size()) {
        const ssize_t n =
            RetryOnSignal([&] { return ::write(file.fd(), block.data() + written, block.size() - written); });
        if (n <= 0) {
            const int error = n < 0 ? errno : EIO;
            cut_back(written);
            return Failure(error);
        }
        written += static_cast<std::size_t>(n);
    }

    // A device that cannot be synchronised says EINVAL; that is no failure.
    if (::fsync(file.fd()) != 0 && errno != EINVAL && errno != EROFS) {
        const int error = errno;
        cut_back(written);
        return Failure(error);
    }
    return {true, {}};
}

}  // namespace kestrami
