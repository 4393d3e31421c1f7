#pragma once
// The operations the camera list needs of a list widget. Lines keep the
// positions they were given: the list never sorts.
#include <string>

namespace lenscout {

// A line is read back through a buffer of this size, zero byte included.
constexpr size_t kLineBufferSize = 128;

class ListLines {
public:
    virtual ~ListLines() = default;
    virtual int count() const = 0;
    // Line i as read into a 128-byte buffer: at most 127 bytes.
    virtual std::string text(int i) const = 0;
    virtual void insert(int i, const std::string& line) = 0;
    // A line after the last.
    void append(const std::string& line) { insert(count(), line); }
    // Line i's text, in place: a selection on it stays.
    virtual void replace(int i, const std::string& line) = 0;
    virtual void remove(int i) = 0;
    // The selected line, or -1 when none is.
    virtual int selectedIndex() const = 0;
    virtual void reset() = 0;
    // Around a sweep's changes: the widget may stop drawing meanwhile, and
    // keeps the line that was at its top there, wherever the selection is.
    virtual void beginChanges() {}
    virtual void endChanges() {}
};

// One sweep's changes, begun and ended by scope.
class ListChanges {
public:
    explicit ListChanges(ListLines& lines) : lines_(lines) { lines_.beginChanges(); }
    ~ListChanges() { lines_.endChanges(); }
    ListChanges(const ListChanges&) = delete;
    ListChanges& operator=(const ListChanges&) = delete;

private:
    ListLines& lines_;
};

}  // namespace lenscout
