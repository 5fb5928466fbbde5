// Keeping each result on one line: one row of the results list is exactly
// one line of the results file, and shows the characters in the order they
// are stored.
#pragma once

#include <string>
#include <string_view>

namespace kestrami {

// Characters a one-line text never holds: the C0 controls (line feed,
// carriage return, tab, NUL, BEL, ESC, ...), DEL, the C1 controls (next line
// among them) and the Unicode line and paragraph separators.
bool IsLineControl(char32_t c);

// The UTF-8 text without those characters; every other byte stays as it is.
std::string SingleLineText(std::string_view text);
void AppendSingleLine(std::string& out, std::string_view text);

// A list row as it is shown: the characters strictly left to right in their
// stored order, so no direction override or isolate the user typed can
// rearrange what the row seems to say. Display only; the row itself and the
// file keep the text as it is.
std::string LeftToRightText(std::string_view text);

}  // namespace kestrami
