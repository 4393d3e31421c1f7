#include "ui/closing_order.h"

#include <algorithm>
#include <utility>

namespace lenscout {

namespace {

const void* ownerOf(const std::vector<OpenWindow>& open, const void* window) {
    for (const OpenWindow& w : open)
        if (w.window == window) return w.owner;
    return nullptr;
}

// How many owners up `window` reaches the main window; 0 when it never
// does. The walk is bounded, so a cycle of owners cannot hold it.
size_t depthUnder(const std::vector<OpenWindow>& open, const void* window, const void* mainWindow) {
    size_t depth = 1;
    for (const void* owner = ownerOf(open, window); owner && depth <= open.size(); ++depth) {
        if (owner == mainWindow) return depth;
        owner = ownerOf(open, owner);
    }
    return 0;
}

}  // namespace

std::vector<const void*> closingOrder(const std::vector<OpenWindow>& open, const void* mainWindow) {
    std::vector<std::pair<size_t, const void*>> owned;
    for (const OpenWindow& w : open) {
        if (w.window == mainWindow) continue;
        if (const size_t depth = depthUnder(open, w.window, mainWindow)) owned.emplace_back(depth, w.window);
    }
    std::stable_sort(owned.begin(), owned.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<const void*> order;
    for (const auto& [depth, window] : owned) order.push_back(window);
    return order;
}

}  // namespace lenscout
