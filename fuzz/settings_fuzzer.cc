// Fuzz harness for the settings file parser: any bytes are read as an initialisation file,
// the six values are read and written, and the result must read back what was written
// while keeping the bytes that were not touched. Inputs are capped at 4 KiB.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ui/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  quillon::IniFile file(bytes);
  if (file.Bytes() != bytes) std::abort();  // parsing alone changes nothing
  int values[quillon::SavedIndexes::kCount];
  for (int i = 0; i < quillon::SavedIndexes::kCount; ++i) {
    const auto text = file.Value(quillon::SavedIndexes::kSection, quillon::SavedIndexes::kKeys[i]);
    values[i] = quillon::ClampItemIndex(text ? quillon::ParseIniInteger(*text) : 0, 3);
    file.SetValue(quillon::SavedIndexes::kSection, quillon::SavedIndexes::kKeys[i],
                  std::to_string(values[i]));
  }
  const quillon::IniFile reread(file.Bytes());
  for (int i = 0; i < quillon::SavedIndexes::kCount; ++i) {
    const auto text =
        reread.Value(quillon::SavedIndexes::kSection, quillon::SavedIndexes::kKeys[i]);
    if (!text || quillon::ParseIniInteger(*text, -99) != values[i]) std::abort();
  }
  return 0;
}
