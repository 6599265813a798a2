// The settings file: six radio-group indexes that survive from one use of the window to the
// next, in a classic initialisation file (section "ItemIndex") beside the program. The file
// is read and rewritten byte for byte by IniFile, so other sections, other keys, comments
// and line ends that a person put there survive a save. Plain C++ without Qt so that the
// parser can be fuzzed on its own. Tested by settings_file_test.cc and fuzz/settings_fuzzer.cc.
#ifndef QUILLON_UI_SETTINGS_FILE_H_
#define QUILLON_UI_SETTINGS_FILE_H_

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// An initialisation file held as its lines. Section and key names compare without regard
// to ASCII letter case; names and values are read with surrounding blanks trimmed.
class IniFile {
 public:
  // Parses bytes; any bytes are accepted (lines that are neither a section header nor a
  // key line are kept as they are and otherwise ignored).
  explicit IniFile(std::string_view bytes = {});

  // The value of key in section, or nothing when the section or key is absent. When a
  // name occurs more than once, the first occurrence counts.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  // Replaces the value of key in place when it exists; otherwise adds the key after the
  // last non-blank line of the section, and the section at the end when it is absent.
  void SetValue(std::string_view section, std::string_view key, std::string_view value);

  // The file's bytes: untouched lines exactly as read, new lines with the file's line end.
  std::string Bytes() const;

 private:
  struct Line {
    std::string text;    // without its line end
    std::string ending;  // "\r\n", "\n", "\r" or "" for a last line without one
  };
  // Index of the header line of the first section named section, or -1.
  int FindSection(std::string_view section) const;
  // One past the last line that belongs to the section whose header is at header.
  size_t SectionEnd(size_t header) const;

  std::vector<Line> lines_;
  std::string newline_ = "\r\n";  // used for lines this class adds
};

// Reads a settings value as a whole number: "0x" or "0X" followed by hexadecimal digits,
// or decimal digits with an optional sign. Values beyond the int range saturate; anything
// else gives fallback.
int ParseIniInteger(std::string_view text, int fallback = 0);

// A stored index made fit for a group of count items: below -1 becomes -1 (no item
// selected), count or more becomes the last index.
int ClampItemIndex(int value, int count);

// The six saved indexes, in the order in which they are read and written.
struct SavedIndexes {
  static constexpr int kCount = 6;
  // Keys of the section; the first two keep the spelling that existing files carry.
  static constexpr std::array<const char*, kCount> kKeys = {
      "RadioGruop4", "RadioGruop3", "Separator", "Tokenization", "Splitter", "Lemma"};
  static constexpr char kSection[] = "ItemIndex";

  std::array<int, kCount> values{};  // RadioGroup4, RadioGroup3, Separator, Tokenization,
                                     // Splitter, Lemma
};

// A setting of ours beyond the six, in the same section. Older files lack it and read as
// its default; a save adds it only once it differs from its default (or the file already
// holds it), so that a file written from the initial settings still holds the six alone.
struct OwnSetting {
  const char* key;
  int value;
  int default_value;
};

// A text setting of ours (a file's path), kept by the same rule: added once it is not
// empty, or when the file holds it already. A text that would break its line (a line
// break or a NUL in it) is not written.
struct OwnText {
  const char* key;
  std::string value;
};

// The settings file at one path.
class SettingsFile {
 public:
  explicit SettingsFile(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  // Reads the six values (unclamped); a missing or unreadable file, section or key gives 0.
  SavedIndexes Load() const;

  // Reads a setting of ours; a missing or unreadable file or key gives default_value.
  int LoadOwn(const char* key, int default_value) const;

  // Reads a text setting of ours; "" when the file or the key is missing.
  std::string LoadOwnText(const char* key) const;

  // Writes the six values, then the settings of ours, into the file, keeping everything
  // else in it, in one atomic replacement. Fails, writing nothing, when the file is marked
  // read-only or cannot be written; error then holds the system's reason.
  bool Save(const SavedIndexes& indexes, std::string* error,
            const std::vector<OwnSetting>& own = {}, const std::vector<OwnText>& texts = {}) const;

 private:
  std::string path_;
};

// Where the settings file of the program at program_path lives: the program's path with
// its extension replaced by ".ini" when that file exists or its folder is writable,
// otherwise the same file name in config_folder (the user's configuration folder).
std::string SettingsFilePath(const std::string& program_path, const std::string& config_folder);

}  // namespace quillon

#endif  // QUILLON_UI_SETTINGS_FILE_H_
