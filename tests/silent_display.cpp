// Stands in for an X server that takes every connection and never answers,
// and runs a program with DISPLAY naming it; exits with the program's status.
//   kestrami_silent_display PROGRAM [ARGUMENTS...]
// The server's socket is an abstract one, which X clients on Linux try before
// the file in /tmp/.X11-unix, so nothing is made on disk. Nothing accepts
// the connections either: the kernel completes them into the queue.
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char* argv[])
{
    if (argc < 2) {
        return 125;
    }
    int listener = -1;
    int display = 7700;
    for (; listener < 0 && display < 7800; ++display) {
        listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const std::string name = "/tmp/.X11-unix/X" + std::to_string(display);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path + 1, name.data(), name.size());  // sun_path[0] 0: abstract
        const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
        if (::bind(listener, reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
            ::listen(listener, 16) != 0) {
            ::close(listener);
            listener = -1;
        }
    }
    if (listener < 0) {
        return 125;
    }
    ::setenv("DISPLAY", (":" + std::to_string(display - 1)).c_str(), 1);
    const pid_t child = ::fork();
    if (child == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // a stopped run takes the program with it
        ::execv(argv[1], argv + 1);
        ::_exit(127);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) {
        return 125;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
