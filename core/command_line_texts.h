// What the program says before any window opens: its help and version
// texts and the one-line reasons for ending at once. The program takes
// --help, --version and Qt's standard options; everything else is refused.
// Like every text the program shows, they live in the core and are tested
// there.
#pragma once

#include <string>
#include <string_view>

namespace kestrami {

inline constexpr std::string_view kUsageText =
    "Usage: kestrami [--help | --version] [Qt options]\n"
    "\n"
    "Computes the division number n of the Nokia RD40 radio's synthesizer for\n"
    "a frequency in the 70 cm band, in a window with an on-screen keypad. Every\n"
    "result goes into a list that File > Save appends to Kestrami.txt, beside\n"
    "a copy in a folder of your own, else in your documents folder.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and exit.\n"
    "  -v, --version  Show the version and exit.\n"
    "\n"
    "Qt's standard options, such as -style NAME, -platform NAME or -reverse,\n"
    "are passed on to Qt; see Qt's documentation of QGuiApplication and\n"
    "QApplication.\n";

// "kestrami 1.0.0", with the line end.
inline std::string VersionLine(std::string_view version)
{
    return "kestrami " + std::string(version) + "\n";
}

// One line for anything on the command line the program does not take, such
// as "unknown option '--bogus'".
inline std::string UsageError(std::string_view reason)
{
    return "kestrami: " + std::string(reason) + "; try 'kestrami --help'\n";
}

// Started where no window can be shown, e.g. over ssh without X forwarding.
inline constexpr std::string_view kNoDisplayError =
    "kestrami: no display found; start it on a graphical desktop, or set DISPLAY to a running X server\n";

}  // namespace kestrami
