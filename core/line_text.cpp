#include "line_text.h"

#include <algorithm>
#include <cstddef>

namespace kestrami {

namespace {

// The length in bytes of the character that starts at text[at] when it is
// one to leave out of a one-line text, else 0. In UTF-8 the C1 controls are
// C2 80..C2 9F and the separators U+2028, U+2029 are E2 80 A8, E2 80 A9.
std::size_t LineControlAt(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0U;
    };
    const unsigned lead = byte(at);
    if (lead < 0x20 || lead == 0x7F) {
        return 1;
    }
    if (lead == 0xC2 && byte(at + 1) >= 0x80 && byte(at + 1) <= 0x9F) {
        return 2;
    }
    if (lead == 0xE2 && byte(at + 1) == 0x80 && (byte(at + 2) == 0xA8 || byte(at + 2) == 0xA9)) {
        return 3;
    }
    return 0;
}

// The length of a direction control at text[at], else 0: the embeddings and
// overrides U+202A..U+202E (E2 80 AA..AE) and the isolates U+2066..U+2069
// (E2 81 A6..A9).
std::size_t DirectionControlAt(std::string_view text, std::size_t at)
{
    if (text.size() - at < 3 || text[at] != '\xE2') {
        return 0;
    }
    const auto second = static_cast<unsigned char>(text[at + 1]);
    const auto third = static_cast<unsigned char>(text[at + 2]);
    const bool embedding = second == 0x80 && third >= 0xAA && third <= 0xAE;
    const bool isolate = second == 0x81 && third >= 0xA6 && third <= 0xA9;
    return embedding || isolate ? 3 : 0;
}

// True for the bytes that can start a character to leave out: C0 controls,
// DEL, and the lead bytes of the C1 controls and of the separators and
// direction controls.
constexpr bool CanStartControl(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F || byte == 0xC2 || byte == 0xE2;
}

template <typename Skip>
void AppendWithout(std::string& out, std::string_view text, Skip skip)
{
    // Almost every line holds none of them: one quick look, one copy.
    const auto first = std::find_if(text.begin(), text.end(),
                                    [](char c) { return CanStartControl(static_cast<unsigned char>(c)); });
    std::size_t kept = 0;  // start of the run not yet copied
    for (auto at = static_cast<std::size_t>(first - text.begin()); at < text.size();) {
        if (const std::size_t length = skip(text, at)) {
            out.append(text.substr(kept, at - kept));
            at += length;
            kept = at;
        } else {
            ++at;
        }
    }
    out.append(text.substr(kept));
}

}  // namespace

bool IsLineControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

void AppendSingleLine(std::string& out, std::string_view text)
{
    AppendWithout(out, text, LineControlAt);
}

std::string SingleLineText(std::string_view text)
{
    std::string line;
    line.reserve(text.size());
    AppendSingleLine(line, text);
    return line;
}

std::string ShownCharacters(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    AppendWithout(shown, text, DirectionControlAt);
    return shown;
}

std::string LeftToRightText(std::string_view text)
{
    // A left-to-right override around the row makes every character read
    // left to right; the row's own direction controls are left out so that
    // none of them can end or nest inside it.
    std::string shown = "\xE2\x80\xAD";  // U+202D LEFT-TO-RIGHT OVERRIDE
    shown.reserve(text.size() + 6);
    AppendWithout(shown, text, DirectionControlAt);
    shown += "\xE2\x80\xAC";  // U+202C POP DIRECTIONAL FORMATTING
    return shown;
}

}  // namespace kestrami
