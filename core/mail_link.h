// The "mailto:" link behind the About window's e-mail label. Building the
// link from the caption is text work with edge cases (short captions,
// characters beyond ASCII), so it is done and tested in the core; the window
// only hands the result to the desktop.
#pragma once

#include <string>
#include <string_view>

namespace kestrami {

// The label's caption is the prefix "Send e-mail to:  " (17 characters)
// followed by the address. The link is "mailto:" followed directly by the
// caption from its 18th character on, exactly as it stands: nothing added,
// nothing escaped. A caption of 17 characters or fewer gives "mailto:" alone.
// The caption is UTF-8 text; characters, not bytes, are counted.
std::string MailtoLink(std::string_view caption);

}  // namespace kestrami
