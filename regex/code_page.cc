// The default code page follows the locale the program was started in: the same
// environment variables that setlocale() reads, in its order of precedence. Only the code
// set matters, and only Shift-JIS has lead bytes. Tested by code_page_test.cc.
#include "regex/code_page.h"

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <string>

namespace quillon {
namespace {

CodePage CodePageFromEnvironment() {
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return CodePageFromLocaleName(value);
  }
  return CodePage::kSingleByte;
}

std::atomic<CodePage>& ActiveSlot() {
  static std::atomic<CodePage> slot{CodePageFromEnvironment()};
  return slot;
}

}  // namespace

CodePage ActiveCodePage() { return ActiveSlot().load(std::memory_order_relaxed); }

void SetActiveCodePage(CodePage code_page) {
  ActiveSlot().store(code_page, std::memory_order_relaxed);
}

CodePage CodePageFromLocaleName(std::string_view locale_name) {
  const size_t dot = locale_name.find('.');
  if (dot == std::string_view::npos) return CodePage::kSingleByte;
  std::string code_set;
  for (char c : locale_name.substr(dot + 1)) {
    if (c == '@') break;  // a modifier such as "@euro" follows the code set
    if (c == '-' || c == '_') continue;
    code_set.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  for (const char* sjis : {"sjis", "shiftjis", "cp932", "windows31j", "ms932"}) {
    if (code_set == sjis) return CodePage::kShiftJis;
  }
  return CodePage::kSingleByte;
}

}  // namespace quillon
