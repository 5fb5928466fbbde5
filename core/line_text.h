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

// The characters a list row shows, in their stored order: the text without
// its direction controls (embeddings, overrides, isolates). What a screen
// reader reads for the row.
std::string ShownCharacters(std::string_view text);

// A list row as it is drawn: the shown characters strictly left to right,
// inside a left-to-right override, so no direction override or isolate the
// user typed can rearrange what the row seems to say. Display only; the row
// itself and the file keep the text as it is.
std::string LeftToRightText(std::string_view text);

}  // namespace kestrami
