// Saving the list: the bytes of a block, appending to what is there, the
// refusal of an empty list, failures that leave no trace, two savers at
// once. The failures come from the file system's shape and from resource
// limits, not from permission bits, so they hold when run as root.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "append_file.h"
#include "divisor_calculator.h"
#include "results_file.h"
#include "test_support.h"

namespace kestrami {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using Status = SaveOutcome::Status;

const std::string kHamOne = "HAM Range:\r\n430-440 MHz\r\nFo=435.1250  n=5620\r\n\r\n \r\n";
const std::string kHamTwo =
    "HAM Range:\r\n430-440 MHz\r\nFo=435.1250  n=5620\r\nFo=438.5000  n=6160\r\n\r\n \r\n";
const std::string kFullOne = "FULL Range:\r\n400-500 MHz\r\nFo=435.1250  n=5620\r\n\r\n \r\n";
const std::string kFullTwo =
    "FULL Range:\r\n400-500 MHz\r\nFo=435.1250  n=5620\r\nFo=438.5000  n=6160\r\n\r\n \r\n";

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

TEST(ResultsFile, BlockAndPath)
{
    EXPECT_EQ(ResultsBlock({}), "\r\n \r\n");
    EXPECT_EQ(ResultsBlock({"", "x"}), "\r\nx\r\n\r\n \r\n");
    EXPECT_EQ(ResultsBlock({"HAM Range:", "430-440 MHz", "Fo=435.1250  n=5620", "Fo=438.5000  n=6160"}),
              kHamTwo);
    EXPECT_EQ(kHamTwo.size(), 72u);
    EXPECT_EQ(ResultsFilePath("/home/op"), "/home/op/Kestrami.txt");
    EXPECT_EQ(ResultsFilePath("/home/op/"), "/home/op//Kestrami.txt");
}

// Saves and list changes in turn, from a given file content. Keys as in
// test::Keys ('O' enters 438.5000), 'F' selects FULL, 'L' clears, 'S' saves.
struct SaveCase {
    const char* name;
    const char* existing;  // nullptr: no file yet
    const char* actions;
    std::string content;  // nullptr existing and "" content: the file must not exist
    friend void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }
};

class SaveSequenceTest : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveSequenceTest, FileContent)
{
    const SaveCase& c = GetParam();
    TempFolder folder;
    const std::string file = folder.File("Kestrami.txt");
    if (c.existing != nullptr) {
        test::WriteWholeFile(file, c.existing);
    }
    DivisorCalculator calc = test::Started(Band::Ham);
    for (const char action : std::string(c.actions)) {
        if (action == 'S') {
            const auto lines = calc.Results().Lines();
            const auto generation = calc.Results().Generation();
            const Band band = calc.SelectedBand();
            const SaveOutcome outcome = calc.SaveResults(folder.path());
            EXPECT_EQ(outcome.status, lines.size() > 2 ? Status::Saved : Status::NothingToSave);
            EXPECT_EQ(outcome.path, lines.size() > 2 ? file : "");
            EXPECT_EQ(outcome.reason, "");
            EXPECT_EQ(calc.Results().Lines(), lines);
            EXPECT_EQ(calc.Results().Generation(), generation);
            EXPECT_EQ(calc.SelectedBand(), band);
        } else if (action == 'F' || action == 'L') {
            action == 'F' ? calc.SelectBand(Band::Full) : calc.ClearResults();
        } else {
            test::Keys(calc, action == 'O' ? "4385000E" : std::string(1, action));
        }
    }
    EXPECT_EQ(fs::exists(file), c.existing != nullptr || !c.content.empty());
    EXPECT_EQ(test::ReadWholeFile(file), c.content);
}

INSTANTIATE_TEST_SUITE_P(
    Saves, SaveSequenceTest,
    ::testing::Values(SaveCase{"NothingAfterStartUp", nullptr, "S", ""},
                      SaveCase{"NothingInFull", nullptr, "FS", ""},
                      SaveCase{"NothingAfterRefused", nullptr, "4500000ES", ""},
                      SaveCase{"NothingWhenOnlyKeyed", nullptr, "4351250S", ""},
                      SaveCase{"NothingAfterClear", nullptr, "4351250ELS", ""},
                      SaveCase{"NothingAfterBandChange", nullptr, "4351250EFS", ""},
                      SaveCase{"TwoResults", nullptr, "4351250EOS", kHamTwo},
                      SaveCase{"OneResultFiveLines", nullptr, "4351250ES", kHamOne},
                      SaveCase{"SavedTwiceUnchanged", nullptr, "4351250ESS", kHamOne + kHamOne},
                      SaveCase{"SaveAddSave", nullptr, "4351250ESOS", kHamOne + kHamTwo},
                      SaveCase{"FullBlock", nullptr, "F4351250EOS", kFullTwo},
                      SaveCase{"BandChangeBetweenSaves", nullptr, "4351250ESF4351250ES", kHamOne + kFullOne},
                      SaveCase{"ClearedListNotSaved", nullptr, "4351250ESLS", kHamOne},
                      SaveCase{"EmptyFileAppended", "", "4351250ES", kHamOne},
                      SaveCase{"NothingLeavesFileAlone", "abc", "S", "abc"},
                      SaveCase{"ExistingLinesKept", "old\r\n \r\n", "4351250ES", "old\r\n \r\n" + kHamOne},
                      SaveCase{"LastLineWithoutEndContinued", "abc", "4351250ES", "abc" + kHamOne},
                      SaveCase{"ExistingBytesKept", "\xFF\xFE\n", "F4351250ES", "\xFF\xFE\n" + kFullOne}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveResults, NothingToSaveEvenIntoMissingFolder)
{
    const SaveOutcome outcome = test::Started(Band::Ham).SaveResults("/nonexistent/kestrami");
    EXPECT_EQ(outcome.status, Status::NothingToSave);
    EXPECT_EQ(outcome.path, "");
}

TEST(SaveResults, FolderEndingInSeparatorDoublesIt)
{
    TempFolder folder;
    DivisorCalculator calc = test::Started(Band::Ham);
    test::Keys(calc, "4351250E");
    const SaveOutcome outcome = calc.SaveResults(folder.path() + "/");
    EXPECT_EQ(outcome.status, Status::Saved);
    EXPECT_EQ(outcome.path, folder.path() + "//Kestrami.txt");
    EXPECT_EQ(test::ReadWholeFile(folder.File("Kestrami.txt")), kHamOne);
}

// Each failure names the file and the system's reason, keeps the list, and
// does not stop a later save elsewhere.
struct FailureCase {
    const char* name;
    // 'm' missing folder, 'f' folder is a file, 'd' Kestrami.txt a folder,
    // 'p' a named pipe nobody reads, 'n' a link to /dev/full
    char shape;
    int error;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class SaveFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SaveFailureTest, ReportsPathAndReasonKeepsList)
{
    const FailureCase& c = GetParam();
    TempFolder scratch;
    std::string folder = scratch.path();
    if (c.shape == 'm') {
        folder = scratch.File("absent");
    } else if (c.shape == 'f') {
        folder = scratch.File("plain");
        test::WriteWholeFile(folder, "x");
    } else if (c.shape == 'd') {
        fs::create_directory(scratch.File("Kestrami.txt"));
    } else if (c.shape == 'p') {
        ASSERT_EQ(mkfifo(scratch.File("Kestrami.txt").c_str(), 0666), 0);
    } else if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "/dev/full is missing";
    } else {
        fs::create_symlink("/dev/full", scratch.File("Kestrami.txt"));
    }
    DivisorCalculator calc = test::Started(Band::Full);
    test::Keys(calc, "4351250E4385000E");
    const auto lines = calc.Results().Lines();
    const auto generation = calc.Results().Generation();

    const SaveOutcome outcome = calc.SaveResults(folder);
    EXPECT_EQ(outcome.status, Status::Failed);
    EXPECT_EQ(outcome.path, folder + "/Kestrami.txt");
    EXPECT_EQ(outcome.reason, std::strerror(c.error));
    const std::string message = SaveFailedText(outcome);
    EXPECT_NE(message.find(outcome.path), std::string::npos) << message;
    EXPECT_NE(message.find(outcome.reason), std::string::npos) << message;
    EXPECT_EQ(calc.Results().Lines(), lines);
    EXPECT_EQ(calc.Results().Generation(), generation);
    EXPECT_FALSE(calc.IsHam());

    TempFolder good;
    EXPECT_EQ(calc.SaveResults(good.path()).status, Status::Saved);
    EXPECT_EQ(test::ReadWholeFile(good.File("Kestrami.txt")), kFullTwo);
}

INSTANTIATE_TEST_SUITE_P(Targets, SaveFailureTest,
                         ::testing::Values(FailureCase{"MissingFolder", 'm', ENOENT},
                                           FailureCase{"FolderIsAFile", 'f', ENOTDIR},
                                           FailureCase{"TargetIsAFolder", 'd', EISDIR},
                                           FailureCase{"TargetIsAPipeNobodyReads", 'p', ENXIO},
                                           FailureCase{"TargetOnFullDevice", 'n', ENOSPC}),
                         [](const auto& info) { return std::string(info.param.name); });

// A write cut short by the file size limit (SIGXFSZ ignored, so write()
// returns EFBIG after the part that fitted) must leave the file as it was,
// through AppendBlock and through SaveResults. The limit is set in a child.
TEST(AppendBlock, CutsPartialBlockBackOff)
{
    constexpr rlim_t kRoom = 40;  // bytes that still fit under the limit
    const std::string existing = "old content\r\n \r\n";
    TempFolder folder;
    const std::string file = folder.File("Kestrami.txt");
    const std::string probe = folder.File("probe.txt");
    test::WriteWholeFile(file, existing);
    test::WriteWholeFile(probe, existing);
    DivisorCalculator calc = test::Started(Band::Ham);
    test::Keys(calc, "4351250E4385000E");
    ASSERT_GT(kHamTwo.size(), kRoom);

    const int code = InChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{existing.size() + kRoom, existing.size() + kRoom};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 10;
        }
        // Proof that the limit does cut an appending write short here.
        const int fd = ::open(probe.c_str(), O_WRONLY | O_APPEND);
        if (::write(fd, kHamTwo.data(), kHamTwo.size()) != static_cast<ssize_t>(kRoom)) {
            return 11;
        }
        const AppendResult appended = AppendBlock(file, kHamTwo);
        if (appended.ok || appended.reason != std::strerror(EFBIG) || test::ReadWholeFile(file) != existing) {
            return 12;
        }
        const SaveOutcome saved = calc.SaveResults(folder.path());
        return saved.status == Status::Failed && saved.reason == std::strerror(EFBIG) ? 0 : 13;
    });
    ASSERT_EQ(code, 0) << "10, 11: no short write could be provoked; 12: AppendBlock; 13: SaveResults";
    EXPECT_EQ(test::ReadWholeFile(probe).size(), existing.size() + kRoom);
    EXPECT_EQ(test::ReadWholeFile(file), existing);
    EXPECT_EQ(calc.SaveResults(folder.path()).status, Status::Saved);
    EXPECT_EQ(test::ReadWholeFile(file), existing + kHamTwo);
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
                saved += savers[k].SaveResults(folder.path()).status == Status::Saved ? 1 : 0;
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
    int counts[2] = {0, 0};
    for (std::size_t pos = 0; pos < content.size();) {
        const int k = content.compare(pos, blocks[0].size(), blocks[0]) == 0   ? 0
                      : content.compare(pos, blocks[1].size(), blocks[1]) == 0 ? 1
                                                                               : -1;
        ASSERT_NE(k, -1) << "no whole block at byte " << pos << " after " << counts[0] + counts[1]
                         << " blocks";
        ++counts[k];
        pos += blocks[k].size();
    }
    EXPECT_EQ(counts[0], kSaves);
    EXPECT_EQ(counts[1], kSaves);
}

}  // namespace
}  // namespace kestrami
