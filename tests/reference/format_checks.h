// Small, independent checkers of the output formats, written from the formats' own
// definitions rather than from Quillon's writers: a CoNLL-U validator (sentence layout,
// ten columns, IDs, UPOS values), a JSON Lines parser (RFC 8259, one value a line) and an
// XML 1.0 well-formedness checker (UTF-8, allowed characters, names, attributes,
// references, nesting, one root). Each returns "" for a valid text, or what is wrong and
// on which line. Used by the format tests, the end-to-end tests and the format fuzzer.
#ifndef QUILLON_TESTS_REFERENCE_FORMAT_CHECKS_H_
#define QUILLON_TESTS_REFERENCE_FORMAT_CHECKS_H_

#include <string>
#include <string_view>

namespace quillon::reference {

std::string CheckConllu(std::string_view text);
std::string CheckJsonLines(std::string_view text);
std::string CheckXml(std::string_view text);

}  // namespace quillon::reference

#endif  // QUILLON_TESTS_REFERENCE_FORMAT_CHECKS_H_
