// Text from files on its way to a terminal. Messages quote file names and corpus bytes;
// an escape sequence among them could move the cursor, retitle the window or worse, so
// control bytes are shown as \xHH instead of being sent raw. Line feeds stay (messages of
// several lines), and so do tabs and every printable byte, UTF-8 included.
// Tested by fault_e2e_test.cc (messages that quote hostile bytes).
#ifndef QUILLON_CLI_TERMINAL_TEXT_H_
#define QUILLON_CLI_TERMINAL_TEXT_H_

#include <string>
#include <string_view>

namespace quillon {

// text with C0 controls (but LF and TAB), DEL and the C1 controls (U+0080..U+009F in
// UTF-8, and the lone bytes 0x80..0x9F of other code pages are left alone) escaped.
std::string EscapeForTerminal(std::string_view text);

}  // namespace quillon

#endif  // QUILLON_CLI_TERMINAL_TEXT_H_
