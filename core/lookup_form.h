// The ASCII spelling of a token with typographic characters, under which the modern
// tokenizer's tokens are looked up in the lexicon, the rules and the word lists, so that
// “ is tagged as `` is, ’s as 's, n’t as n't and – as -, while the output keeps the
// text's own bytes. Curly apostrophes inside words become ', dashes become - or --,
// the ellipsis becomes ..., bullets *, currency signs $, full-width forms their ASCII
// twins; a token that is nothing but quotation marks becomes `` or '' (` or ' for a
// single one) by the side it opens or closes. Tested by lookup_form_test.cc.
#ifndef QUILLON_CORE_LOOKUP_FORM_H_
#define QUILLON_CORE_LOOKUP_FORM_H_

#include <span>
#include <string>
#include <string_view>

namespace quillon {

// Whether text holds a byte outside ASCII (only such tokens can have a lookup form).
bool HasNonAscii(std::string_view token);

// Appends the ASCII spelling of token to out and returns true, or returns false and
// leaves out as it is when token has no character that maps.
bool AppendLookupForm(std::string_view token, std::string* out);

// The spellings to try, in order, when a lexicon does not know form: a quotation-mark
// form ``, '' or ` can stand as ` or ' or "; empty for any other form.
std::span<const std::string_view> QuoteFallbacks(std::string_view form);

}  // namespace quillon

#endif  // QUILLON_CORE_LOOKUP_FORM_H_
