#include "line_text.h"

#include <algorithm>
#include <cstddef>

namespace kestrami {

namespace {

// The length in bytes of the character that starts at text[at] when it is
// one to leave out of a one-line text, else 0. In UTF-8 the C1 controls are
// C2 80..C2 9F, the Arabic letter mark U+061C is D8 9C, and the rest lie in
// E2 80 8E..E2 81 A9: the marks U+200E, U+200F (E2 80 8E, 8F), the
// separators U+2028, U+2029 (E2 80 A8, A9), the embeddings and overrides
// U+202A..U+202E (E2 80 AA..AE) and the isolates U+2066..U+2069 (E2 81 A6..A9).
std::size_t LineControlAt(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0U;
    };
    const unsigned lead = byte(at);
    const unsigned second = byte(at + 1);
    if (lead < 0x20 || lead == 0x7F) {
        return 1;
    }
    if ((lead == 0xC2 && second >= 0x80 && second <= 0x9F) || (lead == 0xD8 && second == 0x9C)) {
        return 2;
    }
    if (lead == 0xE2) {
        const unsigned third = byte(at + 2);
        const bool marks = second == 0x80 && (third == 0x8E || third == 0x8F);
        const bool separators_and_embeddings = second == 0x80 && third >= 0xA8 && third <= 0xAE;
        const bool isolates = second == 0x81 && third >= 0xA6 && third <= 0xA9;
        return marks || separators_and_embeddings || isolates ? 3 : 0;
    }
    return 0;
}

// True for the bytes that can start a character to leave out: C0 controls,
// DEL, and the lead bytes of the others.
constexpr bool CanStartControl(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F || byte == 0xC2 || byte == 0xD8 || byte == 0xE2;
}

}  // namespace

bool IsLineControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

void AppendSingleLine(std::string& out, std::string_view text)
{
    // Almost every line holds none of them: one quick look, one copy.
    const auto first = std::find_if(text.begin(), text.end(),
                                    [](char c) { return CanStartControl(static_cast<unsigned char>(c)); });
    std::size_t kept = 0;  // start of the run not yet copied
    for (auto at = static_cast<std::size_t>(first - text.begin()); at < text.size();) {
        if (const std::size_t length = LineControlAt(text, at)) {
            out.append(text.substr(kept, at - kept));
            at += length;
            kept = at;
        } else {
            ++at;
        }
    }
    out.append(text.substr(kept));
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
