#include "app/settings_store.h"

#include "platform/private_file.h"

namespace lenscout {

SettingsStore SettingsStore::parse(std::string_view text) {
    SettingsStore store;
    store.text_.assign(text.substr(0, kReadLimit));
    store.index();
    return store;
}

SettingsStore SettingsStore::load(const std::string& path) {
    std::string text;
    return readOwnFile(path, kReadLimit, &text) ? parse(text) : SettingsStore();
}

void SettingsStore::index() {
    lines_.clear();
    for (size_t start = 0; start <= text_.size();) {
        size_t end = text_.find('\n', start);
        if (end == std::string::npos) end = text_.size();
        // Only a line with a key is indexed; the others stay in the text.
        const size_t equals = std::string_view(text_).substr(start, end - start).find('=');
        if (equals != std::string_view::npos && equals != 0)
            lines_.push_back({text_.substr(start, equals), start, start + equals + 1, end});
        start = end + 1;
    }
}

std::optional<std::string> SettingsStore::get(std::string_view key) const {
    for (const Line& l : lines_) {
        if (l.key != key) continue;
        std::string value = text_.substr(l.valueStart, l.end - l.valueStart);
        if (!value.empty() && value.back() == '\r') value.pop_back();
        return value;
    }
    return std::nullopt;
}

std::optional<std::string_view> SettingsStore::from(std::string_view key) const {
    for (const Line& l : lines_)
        if (l.key == key) return std::string_view(text_).substr(l.valueStart);
    return std::nullopt;
}

void SettingsStore::set(std::string_view key, std::string_view value) {
    const std::string line = std::string(key) + "=" + std::string(value);
    for (const Line& l : lines_) {
        if (l.key != key) continue;
        text_.replace(l.start, l.end - l.start, line);
        index();
        return;
    }
    text_ = text_.empty() ? line : line + "\n" + text_;
    index();
}

bool SettingsStore::save(const std::string& path) const { return replaceOwnFile(path, text_); }

}  // namespace lenscout
