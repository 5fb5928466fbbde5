// Saving the list: the bytes of a block, appending to what is there, the
// refusal of an empty list, where the file goes, failures that leave no
// trace and say so, and the messages the window shows afterwards. Failures a
// disk makes only when it breaks are injected through AppendOptions.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

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
const std::string kFullOne = "FULL Range:\r\n400-500 MHz\r\nFo=435.1250  n=5620\r\n\r\n \r\n";
const std::string kFullTwo =
    "FULL Range:\r\n400-500 MHz\r\nFo=435.1250  n=5620\r\nFo=438.5000  n=6160\r\n\r\n \r\n";

TEST(ResultsFile, BlockAndPath)
{
    EXPECT_EQ(ResultsBlock({}), "\r\n \r\n");
    EXPECT_EQ(ResultsBlock({"", "x"}), "\r\nx\r\n\r\n \r\n");
    EXPECT_EQ(ResultsBlock({"HAM Range:", "430-440 MHz", "Fo=435.1250  n=5620", "Fo=438.5000  n=6160"}),
              kHamTwo);
    EXPECT_EQ(kHamTwo.size(), 72u);
    // A line never splits into lines of the file, nor forges a block's end.
    EXPECT_EQ(ResultsBlock({"Fo=5\r\nFo=999.9999  n=99999\r\n\r\n \r\nFAKE.0000  n=1"}),
              "Fo=5Fo=999.9999  n=99999 FAKE.0000  n=1\r\n\r\n \r\n");
    // Nor shows in another order than it is stored.
    EXPECT_EQ(ResultsBlock({"Fo=435.12\u202Eevil\u202C\u2066iso\u2069500  n=5619"}),
              "Fo=435.12eviliso500  n=5619\r\n\r\n \r\n");
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
            const SaveOutcome outcome = calc.SaveResults({folder.path()});
            EXPECT_EQ(outcome.status, lines.size() > 2 ? Status::Saved : Status::NothingToSave);
            EXPECT_EQ(outcome.path, lines.size() > 2 ? file : "");
            EXPECT_EQ(outcome.reason, "");
            EXPECT_FALSE(outcome.tell_place);
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
    DivisorCalculator calc = test::Started(Band::Ham);
    const SaveOutcome outcome = calc.SaveResults({"/nonexistent/kestrami"});
    EXPECT_EQ(outcome.status, Status::NothingToSave);
    EXPECT_EQ(outcome.path, "");
}

TEST(SaveResults, FolderEndingInSeparatorDoublesIt)
{
    TempFolder folder;
    DivisorCalculator calc = test::Started(Band::Ham);
    test::Keys(calc, "4351250E");
    const SaveOutcome outcome = calc.SaveResults({folder.path() + "/"});
    EXPECT_EQ(outcome.status, Status::Saved);
    EXPECT_EQ(outcome.path, folder.path() + "//Kestrami.txt");
    EXPECT_EQ(test::ReadWholeFile(folder.File("Kestrami.txt")), kHamOne);
}

// Each failure names the file and the reason, keeps the list, and does not
// stop a later save elsewhere.
struct FailureCase {
    const char* name;
    // 'm' missing folder, 'f' folder is a file, 'd' Kestrami.txt a folder,
    // 'u' the program's folder unknown
    char shape;
    std::string reason;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class SaveFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SaveFailureTest, ReportsPathAndReasonKeepsList)
{
    const FailureCase& c = GetParam();
    TempFolder scratch;
    SavePlaces places{scratch.path()};
    if (c.shape == 'm') {
        places.program = scratch.File("absent");
    } else if (c.shape == 'f') {
        places.program = scratch.File("plain");
        test::WriteWholeFile(places.program, "x");
    } else if (c.shape == 'd') {
        fs::create_directory(scratch.File("Kestrami.txt"));
    } else {
        places = {"", "File name too long", scratch.path()};
    }
    DivisorCalculator calc = test::Started(Band::Full);
    test::Keys(calc, "4351250E4385000E");
    const auto lines = calc.Results().Lines();
    const auto generation = calc.Results().Generation();

    const SaveOutcome outcome = calc.SaveResults(places);
    EXPECT_EQ(outcome.status, Status::Failed);
    EXPECT_EQ(outcome.path, c.shape == 'u' ? "" : places.program + "/Kestrami.txt");
    EXPECT_EQ(outcome.reason, c.reason);
    EXPECT_FALSE(outcome.cut_back_failed);
    EXPECT_EQ(calc.Results().Lines(), lines);
    EXPECT_EQ(calc.Results().Generation(), generation);
    EXPECT_FALSE(calc.IsHam());
    EXPECT_FALSE(fs::exists(scratch.File("Kestrami.txt")) && c.shape != 'd');

    TempFolder good;
    EXPECT_EQ(calc.SaveResults({good.path()}).status, Status::Saved);
    EXPECT_EQ(test::ReadWholeFile(good.File("Kestrami.txt")), kFullTwo);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, SaveFailureTest,
    ::testing::Values(FailureCase{"MissingFolder", 'm', test::SystemReason(test::kNoSuchFolderError)},
                      FailureCase{"FolderIsAFile", 'f', test::SystemReason(test::kNotAFolderError)},
                      FailureCase{"TargetIsAFolder", 'd', "Kestrami.txt is not a regular file"},
                      FailureCase{"ProgramFolderUnknown", 'u',
                                  "The program's folder could not be found: File name too long"}),
    [](const auto& info) { return std::string(info.param.name); });

// Failures of the write, the flush and the cut-back, injected into a real
// append: the file keeps what it had, or the result says it may not.
struct FaultCase {
    const char* name;
    AppendOptions options;
    int error;
    std::size_t left;  // bytes of the block that stay in the file
};
void PrintTo(const FaultCase& c, std::ostream* os)
{
    *os << c.name;
}

class AppendFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(AppendFaultTest, CutsBackOrSaysItCouldNot)
{
    const FaultCase& c = GetParam();
    const std::string existing = "old\r\n \r\n";
    TempFolder folder;
    const std::string file = folder.File("Kestrami.txt");
    test::WriteWholeFile(file, existing);

    const AppendResult appended = AppendBlock(file, kHamTwo, c.options);
    EXPECT_EQ(appended.status, Append::Failed);
    EXPECT_EQ(appended.reason, test::SystemReason(c.error));
    EXPECT_EQ(appended.cut_back_failed, c.left > 0);
    EXPECT_EQ(test::ReadWholeFile(file), existing + kHamTwo.substr(0, c.left));
    EXPECT_EQ(AppendBlock(file, kHamOne).status, Append::Appended);
}

AppendOptions Faults(int write_error, std::size_t write_after, int flush_error, int cut_back_error)
{
    AppendOptions options;
    options.write_error = write_error;
    options.write_after = write_after;
    options.flush_error = flush_error;
    options.cut_back_error = cut_back_error;
    return options;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, AppendFaultTest,
    ::testing::Values(
        FaultCase{"DiskFullAtOnce", Faults(test::kDiskFullError, 0, 0, 0), test::kDiskFullError, 0},
        FaultCase{"DiskFullMidway", Faults(test::kDiskFullError, 25, 0, 0), test::kDiskFullError, 0},
        FaultCase{"TooLargeMidway", Faults(test::kTooLargeError, 40, 0, 0), test::kTooLargeError, 0},
        FaultCase{"FlushReadOnly", Faults(0, 0, test::kReadOnlyError, 0), test::kReadOnlyError, 0},
        FaultCase{"FlushInvalid", Faults(0, 0, test::kInvalidError, 0), test::kInvalidError, 0},
        FaultCase{"FlushIo", Faults(0, 0, test::kIoError, 0), test::kIoError, 0},
        FaultCase{"CutBackRefused", Faults(test::kDiskFullError, 25, 0, test::kDeniedError),
                  test::kDiskFullError, 25},
        FaultCase{"FlushAndCutBackFail", Faults(0, 0, test::kReadOnlyError, test::kReadOnlyError),
                  test::kReadOnlyError, kHamTwo.size()}),
    [](const auto& info) { return std::string(info.param.name); });

// Where the file goes: the program's folder, and only when that may not be
// written, or for an installed copy, the documents folder, with the user told
// the first time in a run.
struct PlaceCase {
    const char* name;
    bool installed;        // the program's folder lies in a folder of installed programs
    AppendResult program;  // what appending beside the program gives
    bool documents;        // whether there is a documents folder
    AppendResult elsewhere;
    const char* tried;  // 'p' program folder, 'd' documents, per save of two
    Status status;
    const char* told;  // per save of two
    std::string reason;
};
void PrintTo(const PlaceCase& c, std::ostream* os)
{
    *os << c.name;
}

class SavePlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(SavePlaceTest, TriesTheDocumentsFolderOnlyWhereTheProgramsMayNotBeWritten)
{
    const PlaceCase& c = GetParam();
    TempFolder scratch;
    const FolderLookup documents{c.documents ? scratch.File("Documents") : "", c.documents ? "" : "no home"};
    SavePlaces places{"/srv/kestrami", "", documents};
    places.install_folders = {c.installed ? "/srv" : "/usr"};
    DivisorCalculator calc = test::Started(Band::Ham);
    test::Keys(calc, "4351250E");
    std::string tried;
    std::string told;
    SaveOutcome outcome;
    for (int save = 0; save < 2; ++save) {
        outcome = calc.SaveResults(places, [&](const std::string& path, std::string_view block) {
            EXPECT_EQ(block, kHamOne);
            const bool program = path == "/srv/kestrami/Kestrami.txt";
            EXPECT_TRUE(program || path == scratch.File("Documents") + "/Kestrami.txt") << path;
            tried += program ? 'p' : 'd';
            return program ? c.program : c.elsewhere;
        });
        told += outcome.tell_place ? '1' : '0';
    }
    EXPECT_EQ(tried, c.tried);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(told, c.told);
    EXPECT_EQ(outcome.reason, c.reason);
    const char last = tried.empty() ? ' ' : tried.back();
    EXPECT_EQ(outcome.path, last == 'p'   ? "/srv/kestrami/Kestrami.txt"
                            : last == 'd' ? places.documents + "/Kestrami.txt"
                                          : "");
    EXPECT_EQ(fs::is_directory(scratch.File("Documents")), last == 'd');
}

const AppendResult kAppended{Append::Appended, ""};
const AppendResult kDenied{Append::NotPermitted, test::SystemReason(test::kDeniedError)};
const AppendResult kReadOnly{Append::NotPermitted, test::SystemReason(test::kReadOnlyError)};
const AppendResult kDiskFull{Append::Failed, test::SystemReason(test::kDiskFullError)};

INSTANTIATE_TEST_SUITE_P(
    Places, SavePlaceTest,
    ::testing::Values(
        PlaceCase{"ProgramFolderWritable", false, kAppended, true, kAppended, "pp", Status::Saved, "00", ""},
        PlaceCase{"ProgramFolderDenied", false, kDenied, true, kAppended, "pdpd", Status::Saved, "10", ""},
        PlaceCase{"ReadOnlyFileSystem", false, kReadOnly, true, kAppended, "pdpd", Status::Saved, "10", ""},
        PlaceCase{"NoDocumentsFolder", false, kDenied, false, kAppended, "pp", Status::Failed, "00",
                  test::SystemReason(test::kDeniedError)},
        PlaceCase{"DocumentsFail", false, kDenied, true, kDiskFull, "pdpd", Status::Failed, "00",
                  test::SystemReason(test::kDiskFullError)},
        PlaceCase{"DiskFullStaysThere", false, kDiskFull, true, kAppended, "pp", Status::Failed, "00",
                  test::SystemReason(test::kDiskFullError)},
        PlaceCase{"NotRegularStaysThere",
                  false,
                  {Append::NotRegularFile, ""},
                  true,
                  kAppended,
                  "pp",
                  Status::Failed,
                  "00",
                  "Kestrami.txt is not a regular file"},
        PlaceCase{"LockedStaysThere",
                  false,
                  {Append::Locked, ""},
                  true,
                  kAppended,
                  "pp",
                  Status::Failed,
                  "00",
                  "Kestrami.txt is locked by another program"},
        // An installed copy never writes beside itself, even where it could.
        PlaceCase{"InstalledCopy", true, kAppended, true, kAppended, "dd", Status::Saved, "10", ""},
        PlaceCase{"InstalledCopyWithoutDocumentsFolder", true, kAppended, false, kAppended, "",
                  Status::Failed, "00", "The documents folder could not be found: no home"}),
    [](const auto& info) { return std::string(info.param.name); });

// The folders of installed programs as this system names them: a copy
// inside one saves to the documents folder, never beside itself.
TEST(SaveResults, AnInstalledCopyOfThisSystemSavesToTheDocumentsFolder)
{
    TempFolder scratch;
    const std::string program = InstallFolders().front() + "/Kestrami";
    DivisorCalculator calc = test::TwoResults();
    const SaveOutcome outcome = calc.SaveResults(
        {program, "", scratch.File("Documents")}, [&](const std::string& path, std::string_view) {
            EXPECT_EQ(path, scratch.File("Documents") + "/Kestrami.txt");
            return kAppended;
        });
    EXPECT_EQ(outcome.status, Status::Saved);
    EXPECT_TRUE(outcome.tell_place);
}

// The real thing for an installed copy: a documents folder that is not there
// yet is made, and takes exactly the block.
TEST(SaveResults, MakesTheDocumentsFolderWhenMissing)
{
    TempFolder scratch;
    const SavePlaces places{scratch.File("bin"), "", scratch.File("home/op/Documents")};
    DivisorCalculator calc = test::TwoResults();
    const auto denied = [&](const std::string& path, std::string_view block) {
        return path == places.program + "/Kestrami.txt" ? kDenied : AppendBlock(path, block);
    };
    const SaveOutcome outcome = calc.SaveResults(places, denied);
    EXPECT_EQ(outcome.status, Status::Saved);
    EXPECT_TRUE(outcome.tell_place);
    EXPECT_EQ(test::ReadWholeFile(places.documents + "/Kestrami.txt"), kHamTwo);
}

// Folder names beyond ASCII, as UTF-8 on every system: two-, three- and
// four-byte characters (the last a surrogate pair in UTF-16), a folder made
// level by level, and the block in the file of that very name.
TEST(SaveResults, IntoFoldersNamedBeyondAscii)
{
    TempFolder scratch;
    const std::string folder = scratch.File("caf\xC3\xA9 \xE2\x82\xAC/\xF0\x9F\x93\xBB");
    ASSERT_EQ(MakeFolder(folder), "");
    EXPECT_TRUE(fs::is_directory(test::PathOf(folder)));
    DivisorCalculator calc = test::Started(Band::Ham);
    test::Keys(calc, "4351250E");
    EXPECT_EQ(calc.SaveResults({folder}).status, Status::Saved);
    EXPECT_EQ(test::ReadWholeFile(folder + "/Kestrami.txt"), kHamOne);
}

struct MessageCase {
    const char* name;
    SaveOutcome outcome;
    const char* title;  // nullptr: no box
    std::string text;
};
void PrintTo(const MessageCase& c, std::ostream* os)
{
    *os << c.name;
}

class SaveMessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(SaveMessageTest, BoxAfterASave)
{
    const MessageCase& c = GetParam();
    const auto message = SaveMessage(c.outcome);
    ASSERT_EQ(message.has_value(), c.title != nullptr);
    if (message) {
        EXPECT_EQ(message->title, c.title);
        EXPECT_EQ(message->text, c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Messages, SaveMessageTest,
    ::testing::Values(
        MessageCase{"NothingToSave",
                    {},
                    "Error",
                    "Nothing to save !\r\nAt least 1 frequency must be\r\nadded to the Results-list."},
        MessageCase{"Saved", {Status::Saved, "/a/Kestrami.txt", "", false, false}, nullptr, ""},
        MessageCase{
            "Failed",
            {Status::Failed, "/a/Kestrami.txt", "Kestrami.txt is locked by another program", false, false},
            "Error",
            "The Results-list could not be saved to\r\n/a/Kestrami.txt\r\nKestrami.txt is locked by "
            "another program\r\nThe list is kept unchanged."},
        MessageCase{
            "FailedWithPartOfTheBlockLeft",
            {Status::Failed, "/a/Kestrami.txt", "No space left on device", true, false},
            "Error",
            "The Results-list could not be saved to\r\n/a/Kestrami.txt\r\nNo space left on device\r\nThe "
            "file may now end in an incomplete block.\r\nThe list is kept unchanged."},
        MessageCase{
            "FailedWithoutAFolder",
            {Status::Failed, "", "The documents folder could not be found: no home folder is set", false,
             false},
            "Error",
            "The Results-list could not be saved.\r\nThe documents folder could not be found: no home "
            "folder is set\r\nThe list is kept unchanged."},
        MessageCase{"SavedToDocumentsFirstTime",
                    {Status::Saved, "/home/op/Documents/Kestrami.txt", "", false, true},
                    "Kestrami",
                    "The Results-list was saved to\r\n/home/op/Documents/Kestrami.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrami
