// The command line: the program's own options, Qt's standard options let
// through for Qt, and every refusal naming the argument as typed.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"

namespace kestrami {
namespace {

using Action = CommandLine::Action;

struct ArgumentsCase {
    const char* name;
    std::vector<std::string_view> arguments;
    Action action;
    std::string refusal;
};
void PrintTo(const ArgumentsCase& c, std::ostream* os)
{
    *os << c.name;
}

class CommandLineTest : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(CommandLineTest, TakesOrRefuses)
{
    const ArgumentsCase& c = GetParam();
    const CommandLine read = ReadCommandLine(c.arguments);
    EXPECT_EQ(read.action, c.action);
    EXPECT_EQ(read.refusal, c.refusal);
}

#ifdef _WIN32
const ArgumentsCase kX11Display{
    "X11DisplayNotOnWindows", {"-display", ":0"}, Action::Refuse, "unknown option '-display'"};
#else
const ArgumentsCase kX11Display{"X11Display", {"-display", ":0", "--geometry", "300x200"}, Action::Start, ""};
#endif

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    ::testing::Values(
        ArgumentsCase{"None", {}, Action::Start, ""},
        ArgumentsCase{"VersionOneDash", {"-version"}, Action::Version, ""},
        ArgumentsCase{"QtOptionsTaken",
                      {"-style", "Fusion", "--platform", "xcb", "-reverse", "-qwindowgeometry", "300x200+0+0",
                       "--style=Windows", "-session", "1a2b_3c", "-widgetcount", "-qwindowtitle", "--help"},
                      Action::Start,
                      ""},
        ArgumentsCase{"ValueMayLookLikeAnOption", {"-qwindowtitle", "--help", "-v"}, Action::Version, ""},
        kX11Display,
        ArgumentsCase{
            "UnknownNamedAsTyped", {"-reverse", "--bogus"}, Action::Refuse, "unknown option '--bogus'"},
        ArgumentsCase{"FirstRefusalDecides", {"-x", "--help"}, Action::Refuse, "unknown option '-x'"},
        ArgumentsCase{"LettersNotCombined", {"-hv"}, Action::Refuse, "unknown option '-hv'"},
        ArgumentsCase{"ValueOnAFlag", {"--version=2"}, Action::Refuse, "unexpected value after '--version'"},
        ArgumentsCase{
            "JoinedValueQtDoesNotTake", {"-platform=xcb"}, Action::Refuse, "unknown option '-platform=xcb'"},
        ArgumentsCase{
            "MissingValue", {"-reverse", "--platform"}, Action::Refuse, "missing value after '--platform'"},
        ArgumentsCase{"Argument", {"Kestrami.txt"}, Action::Refuse, "unexpected argument 'Kestrami.txt'"},
        ArgumentsCase{"DoubleDashAlone", {"--"}, Action::Refuse, "unexpected argument '--'"},
        ArgumentsCase{"DashAlone", {"-"}, Action::Refuse, "unexpected argument '-'"},
        ArgumentsCase{"BytesKept", {"--\xE9t\xE9"}, Action::Refuse, "unknown option '--\xE9t\xE9'"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrami
