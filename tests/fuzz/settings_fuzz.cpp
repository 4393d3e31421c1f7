// The settings file's content, whatever it holds.
#include <cstddef>
#include <cstdint>

#include "app/language_setting.h"
#include "app/languages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int setting = lenscout::parseLanguageSetting(reinterpret_cast<const char*>(data), size);
    if (setting < 0 || setting > lenscout::kLanguageCount) __builtin_trap();
    return 0;
}
