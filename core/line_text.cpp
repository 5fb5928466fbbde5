#include "line_text.h"

#include <algorithm>
#include <cstddef>

namespace kestrami {

namespace {

// The length in bytes of the character to leave out of a one-line text that
// ends the text, else 0. In UTF-8 the C1 controls are C2 80..C2 9F, the
// Arabic letter mark U+061C is D8 9C, and the rest lie in E2 80 8E..E2 81 A9:
// the marks U+200E, U+200F (E2 80 8E, 8F), the separators U+2028, U+2029
// (E2 80 A8, A9), the embeddings and overrides U+202A..U+202E (E2 80 AA..AE)
// and the isolates U+2066..U+2069 (E2 81 A6..A9).
std::size_t LineControlAtEnd(std::string_view text)
{
    const auto from_end = [&](std::size_t i) {
        return i <= text.size() ? static_cast<unsigned char>(text[text.size() - i]) : 0x100U;
    };
    const unsigned last = from_end(1);
    if (last < 0x20 || last == 0x7F) {
        return 1;
    }
    const unsigned second = from_end(2);
    if ((second == 0xC2 && last >= 0x80 && last <= 0x9F) || (second == 0xD8 && last == 0x9C)) {
        return 2;
    }
    if (from_end(3) == 0xE2) {
        const bool marks = second == 0x80 && (last == 0x8E || last == 0x8F);
        const bool separators_and_embeddings = second == 0x80 && last >= 0xA8 && last <= 0xAE;
        const bool isolates = second == 0x81 && last >= 0xA6 && last <= 0xA9;
        return marks || separators_and_embeddings || isolates ? 3 : 0;
    }
    return 0;
}

// True for the printable ASCII characters, which are never part of a
// character to leave out.
constexpr bool IsPlainAscii(char c)
{
    return c >= 0x20 && c < 0x7F;
}

}  // namespace

bool IsLineControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

void AppendSingleLine(std::string& out, std::string_view text)
{
    // Each byte goes on the end, and whatever character to leave out then
    // ends the line comes off again. So one that only forms once another
    // is gone (C2 01 85) goes too, and the line never holds one. Printable
    // ASCII, almost every line, goes on in runs: it neither completes such a
    // character nor is part of one.
    const std::size_t start = out.size();
    for (std::size_t at = 0; at < text.size();) {
        const auto plain =
            std::find_if_not(text.begin() + static_cast<std::ptrdiff_t>(at), text.end(), IsPlainAscii);
        const auto run = static_cast<std::size_t>(plain - text.begin()) - at;
        if (run > 0) {
            out.append(text.substr(at, run));
            at += run;
            continue;
        }
        out += text[at++];
        // Erased, not resized: the string only ever shrinks here.
        out.erase(out.size() - LineControlAtEnd(std::string_view(out).substr(start)));
    }
}

std::string SingleLineText(std::string_view text)
{
    std::string line;
    line.reserve(text.size());
    AppendSingleLine(line, text);
    return line;
}

std::string LeftToRightText(std::string_view text)
{
    // A left-to-right override around the row makes every character read
    // left to right; the row holds no direction control that could end it.
    std::string shown = "\xE2\x80\xAD";  // U+202D LEFT-TO-RIGHT OVERRIDE
    shown.reserve(text.size() + 6);
    AppendSingleLine(shown, text);
    shown += "\xE2\x80\xAC";  // U+202C POP DIRECTIONAL FORMATTING
    return shown;
}

}  // namespace kestrami
