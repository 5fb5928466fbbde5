// Saving under the faults a POSIX system really produces: pipes and devices
// named Kestrami.txt, the file size limit, another program's lock, a folder
// that may not be written, a read-only mount, and program folders whose
// names are not UTF-8 or are longer than PATH_MAX. They come from the file
// system's shape, resource limits and mounts, not from permission bits, so
// they hold when run as root.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "divisor_calculator.h"
#include "platform_files.h"
#include "results_file.h"
#include "test_support.h"

namespace kestrami {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using Status = SaveOutcome::Status;

using test::kHamOne;
using test::kHamTwo;

// Runs body in a child process; its exit code, or 128 + the signal.
int InChild(const std::function<int()>& body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(body());
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Names a save must not write through, and a folder it may not write.
struct TargetCase {
    const char* name;
    // 'p' a pipe nobody reads, 'r' a pipe a reader holds open, 'n' a link to
    // /dev/full, 's' /sys as the program's folder, where nobody may create
    const char shape;
    std::string reason;
};
void PrintTo(const TargetCase& c, std::ostream* os)
{
    *os << c.name;
}

class SaveTargetTest : public ::testing::TestWithParam<TargetCase> {};

TEST_P(SaveTargetTest, FailsAtOnceWithoutWriting)
{
    const TargetCase& c = GetParam();
    TempFolder scratch;
    const std::string file = scratch.File("Kestrami.txt");
    std::string folder = scratch.path();
    int reader = -1;
    if (c.shape == 'p' || c.shape == 'r') {
        ASSERT_EQ(::mkfifo(file.c_str(), 0666), 0);
        reader = c.shape == 'r' ? ::open(file.c_str(), O_RDONLY | O_NONBLOCK) : -1;
    } else if (c.shape == 'n') {
        fs::create_symlink("/dev/full", file);
    } else {
        folder = "/sys";
    }
    DivisorCalculator calc = test::TwoResults();
    const SaveOutcome outcome = calc.SaveResults({folder});
    EXPECT_EQ(outcome.status, Status::Failed);
    EXPECT_EQ(outcome.path, folder + "/Kestrami.txt");
    EXPECT_EQ(outcome.reason, c.reason);
    if (reader >= 0) {
        char byte = 0;
        EXPECT_LE(::read(reader, &byte, 1), 0) << "the block went into the pipe";
        ::close(reader);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, SaveTargetTest,
    ::testing::Values(TargetCase{"PipeNobodyReads", 'p', "Kestrami.txt is not a regular file"},
                      TargetCase{"PipeWithReader", 'r', "Kestrami.txt is not a regular file"},
                      TargetCase{"LinkToFullDevice", 'n', "Kestrami.txt is not a regular file"},
                      TargetCase{"FolderNobodyMayWrite", 's', std::strerror(EACCES)}),
    [](const auto& info) { return std::string(info.param.name); });

// A write past the file size limit, with SIGXFSZ at its default action of
// ending the process: the save fails with EFBIG instead, and the part that
// fitted is cut back off. The limit is set in a child.
TEST(AppendBlock, FileSizeLimitFailsTheSaveAndLeavesNoPartialBlock)
{
    constexpr rlim_t kRoom = 40;  // bytes that still fit under the limit
    const std::string existing = "old content\r\n \r\n";
    TempFolder folder;
    const std::string file = folder.File("Kestrami.txt");
    test::WriteWholeFile(file, existing);
    DivisorCalculator calc = test::TwoResults();
    ASSERT_GT(kHamTwo.size(), kRoom);

    const int code = InChild([&] {
        ::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{existing.size() + kRoom, existing.size() + kRoom};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 10;
        }
        const SaveOutcome saved = calc.SaveResults({folder.path()});
        if (saved.status != Status::Failed || saved.reason != std::strerror(EFBIG) || saved.cut_back_failed) {
            return 11;
        }
        // Proof that the limit does cut an appending write short here.
        ::signal(SIGXFSZ, SIG_IGN);
        const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND);
        return ::write(fd, kHamTwo.data(), kHamTwo.size()) == static_cast<ssize_t>(kRoom) ? 0 : 12;
    });
    ASSERT_EQ(code, 0) << "10: no limit; 11: the save; 12: no short write; above 128: ended by a signal";
    EXPECT_EQ(test::ReadWholeFile(file), existing + kHamTwo.substr(0, kRoom));
}

// Another program holds the lock and does not let go: the save gives up
// after the wait, without writing, and succeeds once the lock is gone.
TEST(AppendBlock, GivesUpOnALockHeldLongerThanTheWait)
{
    TempFolder folder;
    const std::string file = folder.File("Kestrami.txt");
    test::WriteWholeFile(file, "old\r\n");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        const int fd = ::open(file.c_str(), O_RDONLY);
        const char ok = ::flock(fd, LOCK_EX) == 0 ? '1' : '0';
        if (::write(ready[1], &ok, 1) == 1) {
            ::pause();
        }
        ::_exit(0);
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, '1');

    AppendOptions options;
    options.lock_wait = std::chrono::milliseconds(200);
    const AppendResult appended = AppendBlock(file, kHamTwo, options);
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_EQ(appended.status, AppendResult::Status::Locked);
    EXPECT_EQ(test::ReadWholeFile(file), "old\r\n");
    EXPECT_EQ(AppendBlock(file, kHamTwo, options).status, AppendResult::Status::Appended);
    EXPECT_EQ(test::ReadWholeFile(file), "old\r\n" + kHamTwo);
}

// Two processes, each with its own calculator, save 500 blocks each into one
// file: every block must arrive whole.
TEST(SaveResults, ConcurrentSaversNeverInterleave)
{
    constexpr int kSaves = 500;
    TempFolder folder;
    DivisorCalculator savers[2] = {test::Started(Band::Ham), test::Started(Band::Full)};
    for (int i = 0; i < 100; ++i) {
        test::Keys(savers[0], std::to_string(4300000 + 997 * i) + "E");
        test::Keys(savers[1], std::to_string(4000000 + 9973 * i) + "E");
    }
    pid_t pids[2];
    for (int k = 0; k < 2; ++k) {
        pids[k] = ::fork();
        ASSERT_GE(pids[k], 0);
        if (pids[k] == 0) {
            int saved = 0;
            for (int i = 0; i < kSaves; ++i) {
                saved += savers[k].SaveResults({folder.path()}).status == Status::Saved ? 1 : 0;
            }
            ::_exit(saved == kSaves ? 0 : 1);
        }
    }
    for (const pid_t pid : pids) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    const std::string blocks[2] = {ResultsBlock(savers[0].Results().Lines()),
                                   ResultsBlock(savers[1].Results().Lines())};
    const std::string content = test::ReadWholeFile(folder.File("Kestrami.txt"));
    test::ExpectWholeBlocks(content, blocks, kSaves);
}

// A program folder on a read-only mount: the save goes to the documents
// folder. The mount is made in a child's own mount namespace.
TEST(SaveResults, ReadOnlyProgramFolderSavesToTheDocumentsFolder)
{
    TempFolder scratch;
    const std::string program = scratch.File("bin");
    const std::string documents = scratch.File("Documents");
    fs::create_directory(program);
    DivisorCalculator calc = test::TwoResults();
    const int code = InChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount(program.c_str(), program.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
            ::mount(nullptr, program.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
            return 10;
        }
        const SaveOutcome outcome = calc.SaveResults({program, "", documents});
        return outcome.status == Status::Saved && outcome.tell_place ? 0 : 11;
    });
    if (code == 10) {
        GTEST_SKIP() << "no mount namespace here";
    }
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(fs::exists(program + "/Kestrami.txt"));
    EXPECT_EQ(test::ReadWholeFile(documents + "/Kestrami.txt"), kHamTwo);
}

// The program's folder as the running program finds it, through a probe
// program copied into the folder: the bytes of a Latin-1 name unchanged all
// the way to the file, and for a folder deeper than PATH_MAX, started by a
// relative path from inside it, a failed save instead of one into "/".
struct FolderCase {
    const char* name;
    bool deep;
};
void PrintTo(const FolderCase& c, std::ostream* os)
{
    *os << c.name;
}

class ProgramFolderTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(ProgramFolderTest, IsTheExecutablesOwnOrAFailedSave)
{
    const FolderCase& c = GetParam();
    TempFolder scratch;
    std::string folder = scratch.File("caf\xE9");
    ASSERT_EQ(::mkdir(folder.c_str(), 0777), 0);
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; c.deep && level < 25; ++level) {
        const std::string step(200, 'd');
        ASSERT_EQ(::mkdirat(dir, step.c_str(), 0777), 0);
        const int inner = ::openat(dir, step.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(dir);
        dir = inner;
        folder += "/" + step;
    }
    ASSERT_GT(folder.size(), c.deep ? std::size_t{PATH_MAX} : 0);
    const std::string probe = test::ReadWholeFile(KESTRAMI_SAVE_PROBE);
    const int copy = ::openat(dir, "probe", O_WRONLY | O_CREAT, 0755);
    ASSERT_EQ(::write(copy, probe.data(), probe.size()), static_cast<ssize_t>(probe.size()));
    ::close(copy);
    const std::string output = scratch.File("output");
    const struct stat root_before = [] {
        struct stat s {};
        ::stat("/Kestrami.txt", &s);
        return s;
    }();

    const int code = InChild([&] {
        const int out = ::open(output.c_str(), O_WRONLY | O_CREAT, 0666);
        if (::dup2(out, STDOUT_FILENO) < 0 || ::fchdir(dir) != 0) {
            return 126;
        }
        ::execl("./probe", "./probe", nullptr);
        return 127;
    });
    ::close(dir);
    EXPECT_EQ(code, 0);
    // The probe prints the outcome's status, path and reason, a line each.
    if (c.deep) {
        EXPECT_EQ(test::ReadWholeFile(output),
                  "Failed\n\nThe program's folder could not be found: File name too long\n");
    } else {
        EXPECT_EQ(test::ReadWholeFile(output), "Saved\n" + folder + "/Kestrami.txt\n\n");
        EXPECT_EQ(test::ReadWholeFile(folder + "/Kestrami.txt"), kHamOne);
    }
    struct stat root_after {};
    ::stat("/Kestrami.txt", &root_after);
    EXPECT_EQ(root_after.st_size, root_before.st_size) << "a block went into /Kestrami.txt";
    // rm takes the tree apart level by level, which a path this long needs.
    EXPECT_EQ(std::system(("rm -rf '" + scratch.File("caf\xE9") + "'").c_str()), 0);
}

INSTANTIATE_TEST_SUITE_P(Folders, ProgramFolderTest,
                         ::testing::Values(FolderCase{"Latin1Name", false},
                                           FolderCase{"DeeperThanPathMax", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrami
