// Text made safe for the structured output formats. JSON and XML must be valid UTF-8,
// while a tagged text may hold any bytes (an 8-bit file read as it is, broken UTF-8), so
// every byte that starts no valid UTF-8 sequence is written as U+FFFD and counted; XML
// also refuses most control characters, which are replaced the same way. Markup
// characters are escaped, so any text gives a well-formed document.
// Tested by format_writer_test.cc and fuzz/format_writer_fuzzer.cc.
#ifndef QUILLON_CORE_MARKUP_ESCAPE_H_
#define QUILLON_CORE_MARKUP_ESCAPE_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace quillon {

// Appends text as the body of a JSON string (without the quotes): " and \ escaped,
// control characters as \n, \t, \r or \u00XX. Returns how many bytes became U+FFFD.
size_t AppendJsonEscaped(std::string_view text, std::string* out);

// Appends text as XML character data or an attribute value: & < > " ' as entities, TAB,
// LF and CR as character references (so attribute values keep them). Other characters
// XML 1.0 does not allow (C0 controls, U+FFFE, U+FFFF) become U+FFFD like stray bytes.
// Returns how many characters or bytes became U+FFFD.
size_t AppendXmlEscaped(std::string_view text, std::string* out);

// The same for a writer's plain text fields: text with TAB and line breaks turned into
// spaces, so that a field stays one field of one line (tsv, CoNLL-U).
void AppendOneField(std::string_view text, std::string* out);

}  // namespace quillon

#endif  // QUILLON_CORE_MARKUP_ESCAPE_H_
