// The colours of the word classes, and which parts of a result line or a legend line they
// colour: the separator and tag of each token, and the tag of each legend line. The word,
// a lemma and a multi-word mark keep the text's own colour, so that the words stay easy to
// read. The colours are told apart also by readers with the common colour-vision
// deficiencies and read well on a light background; on a dark one they are lightened.
// Tested by tag_colours_test.cc.
#ifndef QUILLON_UI_TAG_COLOURS_H_
#define QUILLON_UI_TAG_COLOURS_H_

#include <QColor>
#include <QList>
#include <QString>
#include <QStringView>
#include <QTextLayout>
#include <string>

#include "core/result_tokens.h"

namespace quillon {

// The colour of word_class; dark_background lightens it.
QColor WordClassColour(WordClass word_class, bool dark_background = false);

// text as bytes of the same length: ASCII as it is, any other UTF-16 unit as 0x80. Enough to
// find separators and tags (which are ASCII) at the positions they have in text.
std::string AsciiShape(QStringView text);

// Format ranges over line (one line of a result file written with layout).
QList<QTextLayout::FormatRange> ResultLineColours(const QString& line, const ResultLayout& layout,
                                                  bool dark_background);

// Whether the result file at path holds word_TAG lines (the "text" format, "_tag.txt"),
// which the colours and the statistics read; results in the other formats do not.
bool IsWordTagResult(const QString& path);

// Format ranges over a line of the tag legend ("TAG", tab, description).
QList<QTextLayout::FormatRange> LegendLineColours(const QString& line, bool dark_background);

}  // namespace quillon

#endif  // QUILLON_UI_TAG_COLOURS_H_
