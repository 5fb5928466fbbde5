// Where a save may go, from the folders' texts: the documents folder a
// user-dirs file names, and which program folders are installed copies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "user_folders.h"

namespace kestrami {
namespace {

struct UserDirsCase {
    const char* name;
    std::string user_dirs;
    std::string home;
    std::string documents;
};
void PrintTo(const UserDirsCase& c, std::ostream* os)
{
    *os << c.name;
}

class UserDirsTest : public ::testing::TestWithParam<UserDirsCase> {};

TEST_P(UserDirsTest, NamesAnAbsoluteDocumentsFolder)
{
    const UserDirsCase& c = GetParam();
    EXPECT_EQ(DocumentsFolderFromUserDirs(c.user_dirs, c.home), c.documents);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UserDirsTest,
    ::testing::Values(
        UserDirsCase{"NoFile", "", "/home/op", "/home/op/Documents"},
        UserDirsCase{"UnderHome",
                     "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n", "/home/op",
                     "/home/op/Dokumente"},
        UserDirsCase{"Absolute", "  XDG_DOCUMENTS_DIR = \"/srv/docs/\"\r\n", "/home/op", "/srv/docs"},
        UserDirsCase{"HomeItself", "XDG_DOCUMENTS_DIR=\"$HOME/\"", "/home/op/", "/home/op"},
        UserDirsCase{"RelativeCountsAsNone", "XDG_DOCUMENTS_DIR=\"docs\"\n", "/home/op", "/home/op"},
        UserDirsCase{"UnquotedCountsAsNone", "XDG_DOCUMENTS_DIR=/srv/docs\n", "/home/op", "/home/op"},
        UserDirsCase{"UnclosedCountsAsNone", "XDG_DOCUMENTS_DIR=\"/srv/docs\n", "/home/op", "/home/op"},
        UserDirsCase{"OtherVariableCountsAsNone", "XDG_DOCUMENTS_DIR=\"$HOMEDIR/docs\"", "/home/op",
                     "/home/op"},
        UserDirsCase{"LastLineCounts", "XDG_DOCUMENTS_DIR=\"/a\"\nXDG_DOCUMENTS_DIR=\"b\"\n", "/home/op",
                     "/home/op"},
        UserDirsCase{"CommentsAndOtherKeysIgnored",
                     "# XDG_DOCUMENTS_DIR=\"/a\"\nXDG_DOCUMENTS_DIRS=\"/b\"\nXDG_DOCUMENTS_DIR=\"/c\"",
                     "/home/op", "/c"},
        UserDirsCase{"Escapes", "XDG_DOCUMENTS_DIR=\"/a \\\"b\\\" \\\\c\"", "/home/op", "/a \"b\" \\c"},
        UserDirsCase{"BytesKept", "XDG_DOCUMENTS_DIR=\"$HOME/Dok\xE9mente\"", "/home/h\xE9me",
                     "/home/h\xE9me/Dok\xE9mente"},
        UserDirsCase{"RootAsHome", "", "/", "/Documents"}),
    [](const auto& info) { return std::string(info.param.name); });

struct InstalledCase {
    const char* name;
    char system;  // 'p' POSIX, 'w' Windows, '*' both
    std::string program;
    std::vector<std::string> install_folders;
    bool installed;
};
void PrintTo(const InstalledCase& c, std::ostream* os)
{
    *os << c.name;
}

class InstalledCopyTest : public ::testing::TestWithParam<InstalledCase> {};

TEST_P(InstalledCopyTest, LiesInAFolderOfInstalledPrograms)
{
    const InstalledCase& c = GetParam();
#ifdef _WIN32
    const char system = 'w';
#else
    const char system = 'p';
#endif
    if (c.system != '*' && c.system != system) {
        GTEST_SKIP() << "a case of the other system";
    }
    EXPECT_EQ(IsInstalledCopy(c.program, c.install_folders), c.installed);
}

const std::vector<std::string> kPosix = {"/usr", "/opt"};
const std::vector<std::string> kWindows = {"C:\\Program Files", "C:\\Program Files (x86)\\"};

INSTANTIATE_TEST_SUITE_P(
    Folders, InstalledCopyTest,
    ::testing::Values(
        InstalledCase{"UsrBin", '*', "/usr/bin", kPosix, true},
        InstalledCase{"UsrLocalBin", '*', "/usr/local/bin", kPosix, true},
        InstalledCase{"Opt", '*', "/opt", kPosix, true},
        InstalledCase{"PrefixOfAName", '*', "/optional/bin", kPosix, false},
        InstalledCase{"OwnFolder", '*', "/home/op/.local/bin", kPosix, false},
        InstalledCase{"CaseCountsOnPosix", 'p', "/USR/bin", kPosix, false},
        InstalledCase{"ProgramFiles", 'w', "C:\\Program Files\\Kestrami", kWindows, true},
        InstalledCase{"AnyCaseAnySeparator", 'w', "c:/PROGRAM FILES (X86)/Kestrami", kWindows, true},
        InstalledCase{"LongPathForm", 'w', "\\\\?\\C:\\Program Files\\Kestrami", kWindows, true},
        InstalledCase{"SiblingOfProgramFiles", 'w', "C:\\Program Files2\\Kestrami", kWindows, false},
        InstalledCase{"OwnFolderOnWindows", 'w', "C:\\Users\\op\\Kestrami", kWindows, false},
        InstalledCase{"NoFolders", '*', "/usr/bin", {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrami
