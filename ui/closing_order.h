#pragma once
// What Exit does to the windows still open over the main window, for both
// desktops: every window the main window owns, directly or through another
// (a camera dialog, its file picker, a message box over either), closes,
// the deepest first, so that each modal loop ends before the loop below it
// looks at what it returned. Then the program ends.
#include <vector>

namespace lenscout {

// A window of the toolkit and the window that owns it (null: none).
struct OpenWindow {
    const void* window;
    const void* owner;
};

// The windows of `open` that `mainWindow` owns, directly or not, in the
// order to close them: each before its owner.
std::vector<const void*> closingOrder(const std::vector<OpenWindow>& open, const void* mainWindow);

}  // namespace lenscout
