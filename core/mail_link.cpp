#include "mail_link.h"

#include <cstddef>

namespace kestrami {

namespace {

constexpr std::size_t kPrefixCharacters = 17;

// True for the second and later bytes of a UTF-8 sequence.
constexpr bool IsContinuationByte(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U;
}

}  // namespace

std::string MailtoLink(std::string_view caption)
{
    // Step over the prefix one character at a time; a character's
    // continuation bytes go with it.
    std::size_t at = 0;
    for (std::size_t skipped = 0; skipped < kPrefixCharacters && at < caption.size(); ++skipped) {
        ++at;
        while (at < caption.size() && IsContinuationByte(caption[at])) {
            ++at;
        }
    }
    std::string link = "mailto:";
    link.append(caption.substr(at));
    return link;
}

}  // namespace kestrami
