// Word-class colours. Tested by tag_colours_test.cc.
#include "ui/tag_colours.h"

#include <string_view>

namespace quillon {
namespace {

QTextLayout::FormatRange Range(int start, int length, WordClass word_class, bool dark) {
  QTextLayout::FormatRange range;
  range.start = start;
  range.length = length;
  range.format.setForeground(WordClassColour(word_class, dark));
  return range;
}

}  // namespace

QColor WordClassColour(WordClass word_class, bool dark_background) {
  QColor colour;
  switch (word_class) {
    case WordClass::kNoun:
      colour = QColor(0x0b, 0x5f, 0xa5);  // blue
      break;
    case WordClass::kVerb:
      colour = QColor(0xc0, 0x39, 0x2b);  // red
      break;
    case WordClass::kAdjective:
      colour = QColor(0x1e, 0x84, 0x49);  // green
      break;
    case WordClass::kAdverb:
      colour = QColor(0x8e, 0x44, 0xad);  // purple
      break;
    case WordClass::kFunction:
      colour = QColor(0x6e, 0x6e, 0x6e);  // grey
      break;
    case WordClass::kPunctuation:
      colour = QColor(0xb9, 0x77, 0x0e);  // amber
      break;
    case WordClass::kOther:
      colour = QColor(0x11, 0x7a, 0x8b);  // teal
      break;
  }
  return dark_background ? colour.lighter(170) : colour;
}

std::string AsciiShape(QStringView text) {
  std::string shape(static_cast<size_t>(text.size()), '\x80');
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i].unicode();
    if (unit < 0x80) shape[static_cast<size_t>(i)] = static_cast<char>(unit);
  }
  return shape;
}

QList<QTextLayout::FormatRange> ResultLineColours(const QString& line, const ResultLayout& layout,
                                                  bool dark_background) {
  QList<QTextLayout::FormatRange> ranges;
  const std::string shape = AsciiShape(line);
  const std::string_view text = shape;
  size_t begin = 0;
  while (begin < text.size()) {
    const size_t end = std::min(text.find(' ', begin), text.size());
    const std::string_view token = text.substr(begin, end - begin);
    const ResultToken cut = SplitResultToken(token, layout);
    if (!cut.tag.empty()) {
      // The separator goes with the tag, so the word ends where the colour starts.
      const size_t tag_at = begin + static_cast<size_t>(cut.tag.data() - token.data());
      ranges.append(Range(static_cast<int>(tag_at) - 1, static_cast<int>(cut.tag.size()) + 1,
                          ClassOfTag(cut.tag), dark_background));
    }
    begin = end + 1;
  }
  return ranges;
}

QList<QTextLayout::FormatRange> LegendLineColours(const QString& line, bool dark_background) {
  const qsizetype tab = line.indexOf(QLatin1Char('\t'));
  if (tab <= 0) return {};
  const std::string tag = line.left(tab).trimmed().toStdString();
  return {Range(0, static_cast<int>(tab), ClassOfTag(tag), dark_background)};
}

bool IsWordTagResult(const QString& path) {
  return path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
}

}  // namespace quillon
