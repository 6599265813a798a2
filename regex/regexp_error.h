// The error a user's pattern can cause: ERegExpParser carries one of the fixed messages
// below and ErrorPosition, the 1-based byte index in the pattern at which the scanner stood
// when the error was found. Position 0 means the pattern as a whole: it is well formed but
// its automaton would be too large to build.
#ifndef QUILLON_REGEX_REGEXP_ERROR_H_
#define QUILLON_REGEX_REGEXP_ERROR_H_

#include <stdexcept>
#include <string>

namespace quillon {

namespace regexp_messages {
inline constexpr char kBadDoubleByte[] = "不正な２バイト文字コードです。";
inline constexpr char kNothingAfterBackslash[] = "\"\\\"の次には文字が必要です。";
inline constexpr char kBadHexCode[] = "不正な１６進数コード表記です。";
inline constexpr char kBadOctalCode[] = "不正な８進数コード表記です。";
inline constexpr char kNeedRightBracket[] = "右ブラケット\"]\"が必要です";
inline constexpr char kBadCharRange[] = "不正なキャラクタ範囲です";
inline constexpr char kBadCharClass[] = "不正なキャラクタクラス指定です。";
inline constexpr char kNeedRightParen[] = "右(閉じ)括弧が必要です";
inline constexpr char kNeedCharOrLeftParen[] = "普通の文字、または左括弧\"(\"が必要です";
inline constexpr char kExtraChars[] = "正規表現に余分な文字があります";
// Not a syntax error: the groups nest too deeply, or the automaton would exceed its bounds.
inline constexpr char kTooComplex[] = "正規表現が複雑すぎます。";
}  // namespace regexp_messages

class ERegExpParser : public std::runtime_error {
 public:
  ERegExpParser(const std::string& message, int position)
      : std::runtime_error(message), position_(position) {}

  int ErrorPosition() const { return position_; }

 private:
  int position_;
};

}  // namespace quillon

#endif  // QUILLON_REGEX_REGEXP_ERROR_H_
