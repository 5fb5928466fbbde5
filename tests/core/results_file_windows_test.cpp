// Saving under the faults Windows really produces: a device or a pipe where
// the file should be, a read-only file, another handle's lock or sharing
// mode, two processes saving at once, and the program's folder with a name
// beyond ASCII, as a probe program copied into it finds it. The POSIX faults
// that Windows has no counterpart for are listed, and skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
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
using Append = AppendResult::Status;

using test::kHamOne;
using test::kHamTwo;

std::wstring Wide(const std::string& path)
{
    return test::PathOf(path).wstring();
}

// The save probe, built beside the tests, copied into a folder.
std::string CopyProbe(const std::string& folder)
{
    const std::string probe = folder + "\\probe.exe";
    fs::copy_file(test::PathOf(ExecutableFolder().path + "\\kestrami_save_probe.exe"), test::PathOf(probe));
    return probe;
}

// Starts a program with its arguments, its output into the file if one is
// given; the process, or nullptr when it did not start.
HANDLE Start(const std::string& program, const std::string& arguments, const std::string& output = {})
{
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!output.empty()) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = ::CreateFileW(Wide(output).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        startup.hStdError = startup.hStdOutput;
    }
    std::wstring command = L"\"" + Wide(program) + L"\" " + Wide(arguments);
    PROCESS_INFORMATION process{};
    const bool started = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, !output.empty(), 0,
                                          nullptr, nullptr, &startup, &process) != 0;
    if (!output.empty()) {
        ::CloseHandle(startup.hStdOutput);
    }
    if (!started) {
        return nullptr;
    }
    ::CloseHandle(process.hThread);
    return process.hProcess;
}

// Waits for the process to end; its exit code, or -1 when it never started.
int Finish(HANDLE process)
{
    DWORD code = static_cast<DWORD>(-1);
    if (process != nullptr) {
        ::WaitForSingleObject(process, INFINITE);
        ::GetExitCodeProcess(process, &code);
        ::CloseHandle(process);
    }
    return static_cast<int>(code);
}

// What the file's name may stand for instead of a regular file, or a file
// that may not be written: nothing is written, and the result says why.
struct TargetCase {
    const char* name;
    // 'n' the NUL device, 'p' a pipe whose reader waits, 'b' a pipe whose
    // one instance is taken, 'r' a file with the read-only attribute, 'u' a
    // path that is not UTF-8
    char shape;
    Append status;
    int error;  // the system's error behind the reason; 0 for none
};
void PrintTo(const TargetCase& c, std::ostream* os)
{
    *os << c.name;
}

class AppendTargetTest : public ::testing::TestWithParam<TargetCase> {};

TEST_P(AppendTargetTest, FailsAtOnceWithoutWriting)
{
    const TargetCase& c = GetParam();
    TempFolder folder;
    std::string path = folder.File("Kestrami.txt");
    HANDLE pipe = INVALID_HANDLE_VALUE;
    HANDLE client = INVALID_HANDLE_VALUE;
    if (c.shape == 'n') {
        path = "NUL";
    } else if (c.shape == 'p' || c.shape == 'b') {
        path = "\\\\.\\pipe\\" + fs::path(folder.path()).filename().string();
        pipe = ::CreateNamedPipeW(Wide(path).c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 0, 4096, 0,
                                  nullptr);
        ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
        if (c.shape == 'b') {
            client = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(client, INVALID_HANDLE_VALUE);
        }
    } else if (c.shape == 'r') {
        test::WriteWholeFile(path, "old\r\n");
        ASSERT_TRUE(::SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY));
    } else {
        path = folder.File("caf\xE9");
    }

    const AppendResult appended = AppendBlock(path, kHamTwo);
    EXPECT_EQ(appended.status, c.status);
    EXPECT_EQ(appended.reason, c.error != 0 ? test::SystemReason(c.error) : "");
    if (pipe != INVALID_HANDLE_VALUE) {
        DWORD waiting = 0;
        ::PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr);
        EXPECT_EQ(waiting, 0u) << "the block went into the pipe";
        ::CloseHandle(client);
        ::CloseHandle(pipe);
    }
    if (c.shape == 'r') {
        ::SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(test::ReadWholeFile(path), "old\r\n");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, AppendTargetTest,
    ::testing::Values(TargetCase{"NulDevice", 'n', Append::NotRegularFile, 0},
                      TargetCase{"PipeWithReader", 'p', Append::NotRegularFile, 0},
                      TargetCase{"PipeAllInstancesBusy", 'b', Append::NotRegularFile, 0},
                      TargetCase{"ReadOnlyFile", 'r', Append::NotPermitted, ERROR_ACCESS_DENIED},
                      TargetCase{"PathNotUtf8", 'u', Append::Failed, ERROR_NO_UNICODE_TRANSLATION}),
    [](const auto& info) { return std::string(info.param.name); });

// A read-only results file beside the program: the save goes to the
// documents folder, as from a folder that may not be written.
TEST(SaveResults, ReadOnlyFileSavesToTheDocumentsFolder)
{
    TempFolder scratch;
    const std::string beside = scratch.File("Kestrami.txt");
    test::WriteWholeFile(beside, "old\r\n");
    ASSERT_TRUE(::SetFileAttributesW(Wide(beside).c_str(), FILE_ATTRIBUTE_READONLY));
    DivisorCalculator calc = test::TwoResults();
    const SaveOutcome outcome = calc.SaveResults({scratch.path(), "", scratch.File("Documents")});
    ::SetFileAttributesW(Wide(beside).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(outcome.status, Status::Saved);
    EXPECT_TRUE(outcome.tell_place);
    EXPECT_EQ(test::ReadWholeFile(beside), "old\r\n");
    EXPECT_EQ(test::ReadWholeFile(scratch.File("Documents/Kestrami.txt")), kHamTwo);
}

// Another handle keeps the file: with its lock over the whole file ('l'), or
// opened without sharing writing ('s'). The save gives up after the wait,
// without writing, and succeeds once the other handle is gone.
class HeldFileTest : public ::testing::TestWithParam<char> {};

TEST_P(HeldFileTest, GivesUpAfterTheWaitAndSavesOnceReleased)
{
    const char shape = GetParam();
    TempFolder folder;
    const std::string file = folder.File("Kestrami.txt");
    test::WriteWholeFile(file, "old\r\n");
    const DWORD share = shape == 's' ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE;
    const HANDLE other =
        ::CreateFileW(Wide(file).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    OVERLAPPED whole{};
    if (shape == 'l') {
        ASSERT_TRUE(::LockFileEx(other, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole));
    }

    AppendOptions options;
    options.lock_wait = std::chrono::milliseconds(200);
    const AppendResult appended = AppendBlock(file, kHamTwo, options);
    if (shape == 'l') {
        ::UnlockFileEx(other, 0, MAXDWORD, MAXDWORD, &whole);
    }
    ::CloseHandle(other);
    EXPECT_EQ(appended.status, Append::Locked);
    EXPECT_EQ(test::ReadWholeFile(file), "old\r\n");
    EXPECT_EQ(AppendBlock(file, kHamTwo, options).status, Append::Appended);
    EXPECT_EQ(test::ReadWholeFile(file), "old\r\n" + kHamTwo);
}

INSTANTIATE_TEST_SUITE_P(Holders, HeldFileTest, ::testing::Values('l', 's'), [](const auto& info) {
    return std::string(info.param == 'l' ? "LockedByAnotherHandle" : "OpenedWithoutSharing");
});

// Two probe processes save 500 blocks each into the file beside them: every
// block must arrive whole.
TEST(SaveResults, ConcurrentSaversNeverInterleave)
{
    constexpr int kSaves = 500;
    constexpr long kSavers[2][2] = {{4300000, 997}, {4000000, 9973}};  // first frequency, step
    TempFolder folder;
    const std::string probe = CopyProbe(folder.path());
    HANDLE processes[2];
    std::string blocks[2];
    for (int k = 0; k < 2; ++k) {
        processes[k] = Start(probe, std::to_string(kSaves) + " " + std::to_string(kSavers[k][0]) + " " +
                                        std::to_string(kSavers[k][1]));
        DivisorCalculator calc = test::Started(Band::Full);
        for (long i = 0; i < 100; ++i) {
            test::Keys(calc, std::to_string(kSavers[k][0] + kSavers[k][1] * i) + "E");
        }
        blocks[k] = ResultsBlock(calc.Results().Lines());
    }
    for (const HANDLE process : processes) {
        EXPECT_EQ(Finish(process), 0);
    }

    const std::string content = test::ReadWholeFile(folder.File("Kestrami.txt"));
    test::ExpectWholeBlocks(content, blocks, kSaves);
}

// The program's folder as the running program finds it, with a name beyond
// ASCII: the probe, copied there, saves beside itself and prints how it went.
TEST(ProgramFolder, IsTheExecutablesOwnWhateverItsName)
{
    TempFolder scratch;
    const std::string folder = scratch.File("caf\xC3\xA9 \xE2\x82\xAC");
    ASSERT_TRUE(fs::create_directory(test::PathOf(folder)));
    const std::string output = scratch.File("output");
    ASSERT_EQ(Finish(Start(CopyProbe(folder), "", output)), 0);

    std::string printed = test::ReadWholeFile(output);
    std::erase(printed, '\r');
    const std::string expected_folder = test::TextOf(test::PathOf(folder).make_preferred());
    EXPECT_EQ(printed, "Saved\n" + expected_folder + "/Kestrami.txt\n\n");
    EXPECT_EQ(test::ReadWholeFile(folder + "/Kestrami.txt"), kHamOne);
}

// Folder names that the system's usual reading of a path would change:
// ending in a dot or a space, which it drops, or deeper than MAX_PATH. The
// save addresses the program's folder and the documents folder, which it
// makes, by their exact names, and no look-alike folder appears. Wine starts
// no program from a folder whose name ends in a dot, so the program's folder
// is given as ExecutableFolder would give it.
struct ExactNameCase {
    const char* name;
    const char* program;    // made by the test, under a fresh folder
    const char* documents;  // nullptr: the program's folder takes the file; else the
                            // program is an installed copy and this folder is made
};
void PrintTo(const ExactNameCase& c, std::ostream* os)
{
    *os << c.name;
}

class ExactNameTest : public ::testing::TestWithParam<ExactNameCase> {};

// A path as the system takes it without changing any name.
std::wstring Exact(const std::string& path)
{
    std::wstring wide = Wide(path);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    return LR"(\\?\)" + wide;
}

// Removes a folder and everything in it by their exact names.
void RemoveExactly(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(search, &found)) {
        const std::wstring name = found.cFileName;
        const std::wstring inner = folder + L"\\" + name;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            ::DeleteFileW(inner.c_str());
        } else if (name != L"." && name != L"..") {
            RemoveExactly(inner);
        }
    }
    if (search != INVALID_HANDLE_VALUE) {
        ::FindClose(search);
    }
    ::RemoveDirectoryW(folder.c_str());
}

TEST_P(ExactNameTest, SavesIntoTheFolderOfThatVeryName)
{
    const ExactNameCase& c = GetParam();
    TempFolder scratch;
    const std::string program = scratch.path() + "\\" + c.program;
    ASSERT_TRUE(::CreateDirectoryW(Exact(program).c_str(), nullptr));
    SavePlaces places{program};
    std::string folder = program;
    if (c.documents != nullptr) {
        places.install_folders = {scratch.path()};
        places.documents = folder = scratch.path() + "\\" + c.documents;
    }
    DivisorCalculator calc = test::TwoResults();
    const SaveOutcome outcome = calc.SaveResults(places);
    const std::string look_alike = folder.substr(0, folder.size() - 1);
    const bool look_alike_made = ::GetFileAttributesW(Exact(look_alike).c_str()) != INVALID_FILE_ATTRIBUTES;
    const std::string saved = test::ReadWholeFile(test::TextOf(Exact(folder + "\\Kestrami.txt")));
    RemoveExactly(Exact(scratch.path()));
    EXPECT_EQ(outcome.status, Status::Saved) << outcome.reason;
    EXPECT_EQ(outcome.path, folder + "/Kestrami.txt");
    EXPECT_EQ(saved, kHamTwo);
    EXPECT_FALSE(look_alike_made) << look_alike;
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExactNameTest,
    ::testing::Values(ExactNameCase{"ProgramFolderEndingInADot", "a.", nullptr},
                      ExactNameCase{"ProgramFolderEndingInASpace", "a ", nullptr},
                      ExactNameCase{"DocumentsFolderEndingInADot", "bin", "d."},
                      ExactNameCase{"DocumentsFolderEndingInASpace", "bin", "d "},
                      ExactNameCase{
                          "DocumentsFolderDeeperThanMaxPath", "bin",
                          "ddddddddddddddddddddddddddddddddddddddddddddddddd\\ddddddddddddddddddddddddd"
                          "ddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddd\\dd"
                          "ddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddd"
                          "ddddddddddddddddddddddddddddddddddddddd\\dddddddddddddddddddddddddddddddddddd"
                          "dddddddddddddddddddddddd\\ee"}),
    [](const auto& info) { return std::string(info.param.name); });

// The system's own folders: Program Files as the environment names it too,
// and a documents folder in the user's profile.
TEST(KnownFolders, AreTheSystems)
{
    const auto& install = InstallFolders();
    const std::string program_files = test::TextOf(fs::path(_wgetenv(L"ProgramFiles")));
    EXPECT_NE(std::find(install.begin(), install.end(), program_files), install.end()) << program_files;
    const FolderLookup documents = DocumentsFolder();
    EXPECT_EQ(documents.path.rfind(test::TextOf(fs::path(_wgetenv(L"USERPROFILE"))) + "\\", 0), 0u)
        << documents.path;
}

// The POSIX faults that Windows has no counterpart for.
struct PosixOnlyCase {
    const char* name;
    const char* why;
};
void PrintTo(const PosixOnlyCase& c, std::ostream* os)
{
    *os << c.name;
}

class PosixOnlyTest : public ::testing::TestWithParam<PosixOnlyCase> {};

TEST_P(PosixOnlyTest, HasNoWindowsCounterpart)
{
    GTEST_SKIP() << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PosixOnlyTest,
    ::testing::Values(
        PosixOnlyCase{"FileSizeLimit", "Windows has no file size limit per process (RLIMIT_FSIZE, SIGXFSZ)"},
        PosixOnlyCase{"LinkToFullDevice", "Windows has no device that fails every write, like /dev/full"},
        PosixOnlyCase{"ReadOnlyMount",
                      "a read-only mount needs an administrator; the read-only file stands in for it"},
        PosixOnlyCase{"FolderNobodyMayWrite",
                      "Wine does not enforce access control lists; the read-only file stands in for it"},
        PosixOnlyCase{"DeeperThanPathMax",
                      "a program deeper than MAX_PATH starts only with the system's long path setting; a "
                      "documents folder that deep is saved into"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrami
