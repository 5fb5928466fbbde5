// Keeping each result on one line: one row of the results list is exactly
// one line of the results file, and shows the characters in the order they
// are stored.
#pragma once

#include <string>
#include <string_view>

namespace kestrami {

// Characters a one-line text never holds: the C0 controls (line feed,
// carriage return, tab, NUL, BEL, ESC, ...), DEL, the C1 controls (next line
// among them), the Unicode line and paragraph separators, and the
// bidirectional formatting characters (the Arabic letter mark U+061C, the
// marks U+200E and U+200F, the embeddings and overrides U+202A..U+202E, the
// isolates U+2066..U+2069), which would show a row in another order than the
// one it is stored in.
bool IsLineControl(char32_t c);

// The UTF-8 text without those characters; every other byte stays as it is.
std::string SingleLineText(std::string_view text);
void AppendSingleLine(std::string& out, std::string_view text);

// A list row as it is shown: the one-line text strictly left to right, so
// that right-to-left letters cannot rearrange what the row seems to say.
std::string LeftToRightText(std::string_view text);

}  // namespace kestrami
