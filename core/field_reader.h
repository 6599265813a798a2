// Reading the fields of a rule-file line: a field runs up to the next separator byte, and
// after it exactly one byte is passed over, so two separators in a row enclose an empty
// field. Each file format passes its own separator test.
#ifndef QUILLON_CORE_FIELD_READER_H_
#define QUILLON_CORE_FIELD_READER_H_

#include <string_view>

namespace quillon {

template <typename IsSeparator>
class FieldReader {
 public:
  FieldReader(std::string_view line, IsSeparator is_separator)
      : line_(line), is_separator_(is_separator) {}

  // True when no byte is left to read.
  bool AtEnd() const { return pos_ >= line_.size(); }

  // Reads the next field (empty at the end) and passes over one byte after it.
  std::string_view Next() {
    const size_t start = pos_ < line_.size() ? pos_ : line_.size();
    size_t end = start;
    while (end < line_.size() && !is_separator_(static_cast<unsigned char>(line_[end]))) ++end;
    pos_ = end + 1;
    return line_.substr(start, end - start);
  }

  // The byte at the reading position; only valid when !AtEnd().
  char Peek() const { return line_[pos_]; }
  void Skip(size_t count) { pos_ += count; }

 private:
  std::string_view line_;
  IsSeparator is_separator_;
  size_t pos_ = 0;
};

}  // namespace quillon

#endif  // QUILLON_CORE_FIELD_READER_H_
