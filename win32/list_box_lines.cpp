#include "win32/list_box_lines.h"

#include <algorithm>

#include "app/text_fit.h"
#include "win32/wide_text.h"

namespace lenscout {

int ListBoxLines::count() const { return static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0)); }

// As read into a 128-byte buffer: at most 127 bytes, never half a character.
std::string ListBoxLines::text(int i) const {
    const auto length = SendMessageW(list_, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length == LB_ERR) return {};
    std::wstring line(static_cast<size_t>(length) + 1, L'\0');
    const auto n = SendMessageW(list_, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
    line.resize(static_cast<size_t>(n > 0 ? n : 0));
    std::string text = utf8FromWide(line);
    text.resize(utf8Fit(text, kLineBufferSize - 1));
    return text;
}

void ListBoxLines::insert(int i, const std::string& line) {
    SendMessageW(list_, LB_INSERTSTRING, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wideFromUtf8(line).c_str()));
}

// A list box has no way to change a line's text: the line is put back and
// its selection with it.
void ListBoxLines::replace(int i, const std::string& line) {
    const bool selected = selectedIndex() == i;
    remove(i);
    insert(i, line);
    if (selected) SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

// A delete above the selected line may clear the selection (Wine's list box
// does): it is put back on its line, now one higher. Its own line going
// leaves none selected.
void ListBoxLines::remove(int i) {
    const int selected = selectedIndex();
    SendMessageW(list_, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
    if (selected > i) SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(selected - 1), 0);
}

int ListBoxLines::selectedIndex() const { return static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0)); }

void ListBoxLines::reset() { SendMessageW(list_, LB_RESETCONTENT, 0, 0); }

void ListBoxLines::beginChanges() {
    if (depth_++ > 0) return;
    top_ = static_cast<int>(SendMessageW(list_, LB_GETTOPINDEX, 0, 0));
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
}

void ListBoxLines::endChanges() {
    if (--depth_ > 0) return;
    const int last = count() - 1;
    if (last >= 0) SendMessageW(list_, LB_SETTOPINDEX, static_cast<WPARAM>(std::min(top_, last)), 0);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

}  // namespace lenscout
