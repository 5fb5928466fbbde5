// The usage text of the Help window, fixed at build time: 42 lines, each
// ended by CR LF, 1409 characters in all. Blanks at the start and end of a
// line are part of the text, and so is its spelling; the window shows it as
// it stands. It is kept in the core, like every text the program shows, so
// that its exact bytes are checked by the core's tests without Qt.
#pragma once

#include <string_view>

namespace kestrami {

inline constexpr std::string_view kHelpText =
    "Kestrami.exe - Help\r\n"
    " \r\n"
    "This tool helps to calculate the division-number for the\r\n"
    "programmable divider in the TX/RX synthesizer circuit\r\n"
    "on the Nokia RD40 mobile radio.\r\n"
    "\r\n"
    "How to use:\r\n"
    "\r\n"
    "1) From the menu select \"Settings\" and check either\r\n"
    "   \"70cm HAM band\" or \"70cm FULL range\"\r\n"
    "\r\n"
    "2) Enter the desired operating frequency by clicking\r\n"
    "   on the numerical keys 0-9. If a mistake is made\r\n"
    "   click on \"<--\" to go back 1 posistion or click\r\n"
    "   on \"CE\" to clear all input on the display.\r\n"
    "\r\n"
    "3) Click on \"E N T E R\" to calculate the division-number\r\n"
    "   and add it to the \"Results\" list.\r\n"
    "\r\n"
    "   Note: The RD40 uses 12,5 steps. If a frequency outside\r\n"
    "         this grid is entered, the result will be rounded\r\n"
    "         to the next 12,5 KHz step.\r\n"
    "\r\n"
    "4) Proceed to step 2) to calculate more devision numbers.\r\n"
    "\r\n"
    "5) From the menu select \"File\" --> \"Save\" to save the\r\n"
    "   contents of the \"Results\" list to a file.\r\n"
    "\r\n"
    "   The data will be stored in a textfile named\r\n"
    "   \"Kestrami.txt\" in the same folder as Kestrami.exe. \r\n"
    "   If such a file already exists the new calculations \r\n"
    "   will be appended to the end of the file, otherwise \r\n"
    "   a new file is generated.\r\n"
    "\r\n"
    "   Note: if no calculations have been made you will receive\r\n"
    "         an error message.\r\n"
    "\r\n"
    "6) To exit the programm select \"File\" --> \"Exit\" from the\r\n"
    "   menu.\r\n"
    "\r\n"
    "More info about the author can be found by clicking on\r\n"
    "the menu item \"Info\" --> \"About\". \r\n";

}  // namespace kestrami
