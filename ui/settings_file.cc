// Reading and rewriting the settings file. Lines are kept as read, with their own line
// ends, and only the lines of changed keys are rebuilt, so a save never disturbs what else
// the file holds. Tested by settings_file_test.cc and fuzz/settings_fuzzer.cc.
#include "ui/settings_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "core/line_reader.h"
#include "core/output_file.h"

namespace quillon {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// The name of a section header line ("[name]"), or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  const size_t close = line.find(']');
  return Trim(close == std::string_view::npos ? line : line.substr(0, close));
}

// The key of a "key=value" line, or nothing when the line has no equals sign.
std::optional<std::string_view> KeyName(std::string_view line) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, equals));
}

bool IsBlankLine(std::string_view line) { return Trim(line).empty(); }

int Saturate(long long value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Accumulates digits of base into *value, stopping the growth just past the int range so
// that long digit strings saturate instead of overflowing.
bool ParseDigits(std::string_view digits, int base, long long* value) {
  if (digits.empty()) return false;
  constexpr long long kCap = static_cast<long long>(INT_MAX) + 2;
  long long result = 0;
  for (char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0 || digit >= base) return false;
    result = result * base + digit;
    if (result > kCap) result = kCap;
  }
  *value = result;
  return true;
}

}  // namespace

IniFile::IniFile(std::string_view bytes) {
  bool newline_seen = false;
  size_t start = 0;
  const size_t n = bytes.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    const size_t width = (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ? 2 : 1;
    Line line{std::string(bytes.substr(start, i - start)), std::string(bytes.substr(i, width))};
    if (!newline_seen) {
      newline_ = line.ending;
      newline_seen = true;
    }
    lines_.push_back(std::move(line));
    i += width - 1;
    start = i + 1;
  }
  if (start < n) lines_.push_back(Line{std::string(bytes.substr(start)), ""});
}

int IniFile::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i].text);
    if (name && SameName(*name, section)) return static_cast<int>(i);
  }
  return -1;
}

size_t IniFile::SectionEnd(size_t header) const {
  size_t end = header + 1;
  while (end < lines_.size() && !SectionName(lines_[end].text)) ++end;
  return end;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
  const int header = FindSection(section);
  if (header < 0) return std::nullopt;
  const size_t end = SectionEnd(static_cast<size_t>(header));
  for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
    const auto name = KeyName(lines_[i].text);
    if (!name || !SameName(*name, key)) continue;
    const std::string_view text = lines_[i].text;
    return std::string(Trim(text.substr(text.find('=') + 1)));
  }
  return std::nullopt;
}

void IniFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  int header = FindSection(section);
  if (header < 0) {
    if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = newline_;
    lines_.push_back(Line{"[" + std::string(section) + "]", newline_});
    header = static_cast<int>(lines_.size()) - 1;
  }
  const size_t end = SectionEnd(static_cast<size_t>(header));
  size_t last_filled = static_cast<size_t>(header);
  for (size_t i = static_cast<size_t>(header) + 1; i < end; ++i) {
    const auto name = KeyName(lines_[i].text);
    if (name && SameName(*name, key)) {
      lines_[i].text = std::string(*name) + "=" + std::string(value);
      return;
    }
    if (!IsBlankLine(lines_[i].text)) last_filled = i;
  }
  if (lines_[last_filled].ending.empty()) lines_[last_filled].ending = newline_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last_filled) + 1,
                Line{std::string(key) + "=" + std::string(value), newline_});
}

std::string IniFile::Bytes() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.text;
    out += line.ending;
  }
  return out;
}

int ParseIniInteger(std::string_view text, int fallback) {
  long long value = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ParseDigits(text.substr(2), 16, &value) ? Saturate(value) : fallback;
  }
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (!ParseDigits(text, 10, &value)) return fallback;
  return Saturate(negative ? -value : value);
}

int ClampItemIndex(int value, int count) {
  if (value < -1) return -1;
  if (value >= count) return count - 1;
  return value;
}

SavedIndexes SettingsFile::Load() const {
  SavedIndexes indexes;
  std::string bytes;
  if (!ReadFileBytes(path_, &bytes).ok()) return indexes;
  const IniFile file(bytes);
  for (int i = 0; i < SavedIndexes::kCount; ++i) {
    const auto text = file.Value(SavedIndexes::kSection, SavedIndexes::kKeys[i]);
    indexes.values[i] = text ? ParseIniInteger(*text) : 0;
  }
  return indexes;
}

int SettingsFile::LoadOwn(const char* key, int default_value) const {
  std::string bytes;
  if (!ReadFileBytes(path_, &bytes).ok()) return default_value;
  const auto text = IniFile(bytes).Value(SavedIndexes::kSection, key);
  return text ? ParseIniInteger(*text, default_value) : default_value;
}

std::string SettingsFile::LoadOwnText(const char* key) const {
  std::string bytes;
  if (!ReadFileBytes(path_, &bytes).ok()) return "";
  return IniFile(bytes).Value(SavedIndexes::kSection, key).value_or("");
}

bool SettingsFile::Save(const SavedIndexes& indexes, std::string* error,
                        const std::vector<OwnSetting>& own,
                        const std::vector<OwnText>& texts) const {
  std::string bytes;
  struct stat st;
  if (::stat(path_.c_str(), &st) == 0) {
    // A file without any write permission is read-only to its owner's eyes, even for an
    // account (root) that the system would let write it anyway.
    if (!S_ISREG(st.st_mode) || (st.st_mode & 0222) == 0) {
      *error = std::strerror(S_ISREG(st.st_mode) ? EACCES : EISDIR);
      return false;
    }
    if (Status read = ReadFileBytes(path_, &bytes); !read.ok()) {
      *error = read.message();
      return false;
    }
  }
  IniFile file(bytes);
  for (int i = 0; i < SavedIndexes::kCount; ++i) {
    file.SetValue(SavedIndexes::kSection, SavedIndexes::kKeys[i],
                  std::to_string(indexes.values[i]));
  }
  for (const OwnSetting& setting : own) {
    if (setting.value != setting.default_value || file.Value(SavedIndexes::kSection, setting.key)) {
      file.SetValue(SavedIndexes::kSection, setting.key, std::to_string(setting.value));
    }
  }
  for (const OwnText& text : texts) {
    if (text.value.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) continue;
    if (!text.value.empty() || file.Value(SavedIndexes::kSection, text.key)) {
      file.SetValue(SavedIndexes::kSection, text.key, text.value);
    }
  }
  Status written = WriteFileAtomically(path_, file.Bytes());
  if (!written.ok()) *error = written.message();
  return written.ok();
}

std::string SettingsFilePath(const std::string& program_path, const std::string& config_folder) {
  const std::string folder = FolderOf(program_path);
  std::string name = program_path.substr(program_path.find_last_of('/') + 1);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  name += ".ini";
  const std::string beside = JoinPath(folder.empty() ? "." : folder, name);
  if (FileExists(beside) || ::access(folder.empty() ? "." : folder.c_str(), W_OK) == 0) {
    return beside;
  }
  return JoinPath(config_folder, name);
}

}  // namespace quillon
