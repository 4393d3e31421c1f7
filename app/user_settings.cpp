#include "app/user_settings.h"

#include <algorithm>
#include <cctype>

#include "app/languages.h"
#include "app/string_table.h"
#include "platform/private_file.h"

namespace lenscout {

namespace {

// The number at `at`, or the fallback. A number too large for an int counts
// as out of range instead of wrapping into an allowed value.
int parseValue(const Setting& setting, const char* at, const char* end) {
    while (at < end && std::isspace(static_cast<unsigned char>(*at))) ++at;
    const bool negative = at < end && *at == '-';
    if (at < end && (*at == '-' || *at == '+')) ++at;
    if (at == end || !std::isdigit(static_cast<unsigned char>(*at))) return setting.fallback;
    long long value = 0;
    for (; at < end && std::isdigit(static_cast<unsigned char>(*at)); ++at)
        if ((value = value * 10 + (*at - '0')) > setting.max) return setting.fallback;
    const int v = static_cast<int>(negative ? -value : value);
    return setting.allows(v) ? v : setting.fallback;
}

}  // namespace

bool Setting::allows(int value) const {
    if (value < min || value > max) return false;
    return choices.empty() ||
           std::any_of(choices.begin(), choices.end(), [&](const SettingChoice& c) { return c.value == value; });
}

std::vector<int> Setting::values() const {
    std::vector<int> out;
    for (const SettingChoice& c : choices) out.push_back(c.value);
    return out;
}

const Setting& languageSetting() {
    static const Setting setting{"lang", 0, 0, kLanguageCount, {}};
    return setting;
}

const Setting& searchPeriodSetting() {
    static const Setting setting{"search_period",
                                 3,
                                 1,
                                 10,
                                 {{1, kTextSearchEverySecond}, {3, kTextSearchEvery3s}, {10, kTextSearchEvery10s}},
                                 "--period",
                                 "S",
                                 "seconds between searches"};
    return setting;
}

std::vector<const Setting*> choiceSettings() { return {&searchPeriodSetting()}; }

std::vector<const Setting*> optionSettings() {
    std::vector<const Setting*> out;
    for (const Setting* s : choiceSettings())
        if (s->option) out.push_back(s);
    return out;
}

std::string choicesText(const Setting& setting) {
    std::string text;
    const std::vector<int> values = setting.values();
    for (size_t i = 0; i < values.size(); ++i)
        text += (i == 0 ? "" : i + 1 == values.size() ? " or " : ", ") + std::to_string(values[i]);
    return text;
}

std::string optionHelp(const Setting& setting, int current) {
    return std::string(setting.optionHelp) + ": " + choicesText(setting) + " (" + std::to_string(current) +
           ", the desktops' setting)";
}

std::vector<const Setting*> allSettings() {
    std::vector<const Setting*> all{&languageSetting()};
    for (const Setting* s : choiceSettings()) all.push_back(s);
    return all;
}

std::string settingsFilePath() {
    const std::string own = userSettingsPath();
    return own.empty() ? kSettingsFile : own;
}

int readSetting(const Setting& setting, const SettingsStore& store) {
    const std::optional<std::string_view> value = store.from(setting.key);
    return value ? parseValue(setting, value->data(), value->data() + value->size()) : setting.fallback;
}

int readSetting(const Setting& setting, const std::string& path) {
    return readSetting(setting, SettingsStore::load(path));
}

bool writeSetting(const Setting& setting, int value, const std::string& path) {
    SettingsStore store = SettingsStore::load(path);
    store.set(setting.key, std::to_string(value));
    return store.save(path);
}

SettingValues SettingValues::read(const std::string& path) {
    const SettingsStore store = SettingsStore::load(path);
    SettingValues values;
    for (const Setting* s : choiceSettings()) values.set(*s, readSetting(*s, store));
    return values;
}

int SettingValues::of(const Setting& setting) const {
    const auto it = values_.find(&setting);
    return it != values_.end() ? it->second : setting.fallback;
}

}  // namespace lenscout
