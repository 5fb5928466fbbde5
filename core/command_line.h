// Reading the command line: the program's own --help and --version, and
// Qt's standard options, which are left for Qt to take. Anything else is
// refused, named exactly as it was typed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrami {

struct CommandLine {
    enum class Action { Start, Help, Version, Refuse };
    Action action = Action::Start;
    std::string refusal;  // for Refuse: what was wrong, e.g. "unknown option '--bogus'"
};

// Reads the arguments after the program's name. Help wins over version,
// and a refusal over both: the first argument that is not taken decides it.
// Options are written with one dash or two, as Qt's own are: "-help" is
// "--help", "--style" is "-style". Qt's options that take a value take the
// next argument, whatever it is, or for -style, -stylesheet and
// -qmljsdebugger also "=value".
CommandLine ReadCommandLine(const std::vector<std::string_view>& arguments);

}  // namespace kestrami
