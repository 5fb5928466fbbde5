// The texts behind the About and Help windows: the "mailto:" link made from
// the e-mail label's caption, and the usage text of the Help window.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "help_text.h"
#include "mail_link.h"

namespace kestrami {
namespace {

struct LinkCase {
    const char* name;
    std::string_view caption;
    std::string_view link;
};
void PrintTo(const LinkCase& c, std::ostream* os)
{
    *os << c.name;
}

class MailtoLinkTest : public ::testing::TestWithParam<LinkCase> {};

TEST_P(MailtoLinkTest, TakesTheCaptionFromItsEighteenthCharacter)
{
    EXPECT_EQ(MailtoLink(GetParam().caption), GetParam().link);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, MailtoLinkTest,
    ::testing::Values(
        LinkCase{"Address", "Send e-mail to:  kestrami@example.org", "mailto:kestrami@example.org"},
        LinkCase{"Empty", "", "mailto:"}, LinkCase{"ShorterThanPrefix", "Send e-mail", "mailto:"},
        LinkCase{"PrefixOnly", "Send e-mail to:  ", "mailto:"},
        LinkCase{"OneCharacterAfter", "Send e-mail to:  k", "mailto:k"},
        // The cut is by position: a prefix of other words loses 17 characters too.
        LinkCase{"OtherPrefix", "Mail me here now:a@b.example", "mailto:a@b.example"},
        LinkCase{"OneBlankPrefix", "Send e-mail to: kestrami@example.org", "mailto:estrami@example.org"},
        // Nothing is escaped, trimmed or added.
        LinkCase{"KeptAsItStands", "Send e-mail to:  a b?subject=x&y%20 ", "mailto:a b?subject=x&y%20 "},
        // Characters, not bytes: a two-byte "\u00e9" in the prefix is one of 17.
        LinkCase{"WideCharacterInPrefix", "Send \xc3\xa9-mail to:  a@b.example", "mailto:a@b.example"},
        LinkCase{"WideCharacterInAddress", "Send e-mail to:  j\xc3\xb6rg@example.org",
                 "mailto:j\xc3\xb6rg@example.org"}),
    [](const auto& info) { return std::string(info.param.name); });

std::vector<std::string_view> HelpLines()
{
    std::vector<std::string_view> lines;
    std::string_view rest = kHelpText;
    for (auto end = rest.find("\r\n"); end != std::string_view::npos; end = rest.find("\r\n")) {
        lines.push_back(rest.substr(0, end));
        rest.remove_prefix(end + 2);
    }
    EXPECT_TRUE(rest.empty()) << "text after the last line end: \"" << rest << '"';
    return lines;
}

TEST(HelpText, Is42LinesOf1409CharactersEachEndedByCrLf)
{
    EXPECT_EQ(kHelpText.size(), 1409U);
    EXPECT_EQ(HelpLines().size(), 42U);
    // No other control character: no lone CR or LF, no tab.
    for (const std::string_view line : HelpLines()) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](char c) { return c >= 0x20 && c <= 0x7e; }));
    }
}

TEST(HelpText, EveryLineHasItsLength)
{
    constexpr std::array<std::size_t, 42> kLengths{19, 1,  56, 53, 31, 0,  11, 0,  51, 39, 0, 52, 50, 49,
                                                   45, 0,  56, 36, 0,  57, 57, 35, 0,  57, 0, 53, 44, 0,
                                                   46, 54, 54, 54, 27, 0,  59, 26, 0,  57, 8, 0,  54, 34};
    const auto lines = HelpLines();
    ASSERT_EQ(lines.size(), kLengths.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i + 1));
        EXPECT_EQ(lines[i].size(), kLengths[i]) << lines[i];
    }
    // Line 35 is the one longest line.
    const auto longest =
        std::max_element(lines.begin(), lines.end(), [](auto a, auto b) { return a.size() < b.size(); });
    EXPECT_EQ(longest - lines.begin(), 34);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](auto line) { return line.size() == 59; }), 1);
}

TEST(HelpText, BlanksAtLineEndsAreKeptOnExactlyTheirLines)
{
    const auto lines = HelpLines();
    std::vector<std::size_t> ending_in_blank;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].empty() && lines[i].back() == ' ') {
            ending_in_blank.push_back(i + 1);
        }
    }
    // Line 2 is a single blank.
    EXPECT_EQ(ending_in_blank, (std::vector<std::size_t>{2, 30, 31, 32, 42}));
    EXPECT_EQ(lines[1], " ");
}

struct LineCase {
    std::size_t number;
    std::string_view text;
};

TEST(HelpText, LinesReadAsWritten)
{
    // Leading blanks, quotes and the spelling as the text has them.
    constexpr std::array<LineCase, 10> kLines{{
        {1, "Kestrami.exe - Help"},
        {10, "   \"70cm HAM band\" or \"70cm FULL range\""},
        {14, "   click on \"<--\" to go back 1 posistion or click"},
        {21, "         this grid is entered, the result will be rounded"},
        {22, "         to the next 12,5 KHz step."},
        {24, "4) Proceed to step 2) to calculate more devision numbers."},
        {30, "   \"Kestrami.txt\" in the same folder as Kestrami.exe. "},
        {35, "   Note: if no calculations have been made you will receive"},
        {38, "6) To exit the programm select \"File\" --> \"Exit\" from the"},
        {42, "the menu item \"Info\" --> \"About\". "},
    }};
    const auto lines = HelpLines();
    ASSERT_EQ(lines.size(), 42U);
    for (const auto& [number, text] : kLines) {
        SCOPED_TRACE("line " + std::to_string(number));
        EXPECT_EQ(lines[number - 1], text);
    }
}

}  // namespace
}  // namespace kestrami
