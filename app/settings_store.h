#pragma once
// The settings file of every Lenscout program: "key=value" lines. Keys a
// program does not know are kept as they stand, so that a newer or older
// program's settings survive a write. The settings themselves are declared
// once, in user_settings.h.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lenscout {

class SettingsStore {
public:
    // The start of the file is all that is read; a megabyte is more than any
    // settings need. A missing or unreadable file gives an empty store.
    static constexpr size_t kReadLimit = 1 << 20;

    static SettingsStore parse(std::string_view text);
    // Only a regular file of this user's, not through a link.
    static SettingsStore load(const std::string& path);

    // The value of the first line with this key, up to its line end.
    std::optional<std::string> get(std::string_view key) const;
    // The file's text from the first byte of that value to the end: a value
    // whose reading may run on past blanks and line ends, as the language's.
    std::optional<std::string_view> from(std::string_view key) const;

    // Replaces the key's first line, or puts a new one first: older programs
    // read only the first line.
    void set(std::string_view key, std::string_view value);

    // The lines joined by line ends, without one after the last: a file of
    // one setting holds exactly "key=value".
    const std::string& text() const { return text_; }
    // False when the file could not be written; the store is as it was.
    // The file is replaced whole, never written in place.
    bool save(const std::string& path) const;

private:
    struct Line {
        std::string key;
        size_t start, valueStart, end;
    };
    void index();

    std::string text_;
    std::vector<Line> lines_;
};

}  // namespace lenscout
