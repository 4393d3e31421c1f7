#include "cli/progress_view.h"

#include <algorithm>

#include "cli/tool_language.h"
#include "discovery/camera_text.h"
#include "platform/terminal.h"
#include "platform/tick_clock.h"
#include "ui/failure_texts.h"

namespace lenscout {

std::string byteAmount(int64_t bytes) {
    static const char* const kUnits[] = {"B", "KiB", "MiB", "GiB"};
    double value = static_cast<double>(bytes);
    size_t unit = 0;
    while (value >= 1024 && unit + 1 < sizeof kUnits / sizeof kUnits[0]) value /= 1024, ++unit;
    char text[32];
    std::snprintf(text, sizeof text, unit ? "%.1f %s" : "%.0f %s", value, kUnits[unit]);
    return text;
}

std::string byteRate(int64_t bytes, uint32_t since, uint32_t now) {
    const uint32_t ms = now - since;
    if (ms == 0) return "-";
    return byteAmount(static_cast<int64_t>(static_cast<double>(bytes) * 1000.0 / ms)) + "/s";
}

std::string progressLine(const UploadProgress& p, uint32_t now) {
    std::string line = p.id + "  ";
    switch (p.state) {
    case UploadState::Waiting: return line + "waiting";
    case UploadState::NotFound: return line + "not found";
    case UploadState::Interrupted: return line + "interrupted";
    case UploadState::OtherSubnet: return line + "in another subnet, not tried";
    case UploadState::Skipped: return line + p.note;
    case UploadState::Held: return line + "held back";
    case UploadState::Connecting: return line + "connecting";
    case UploadState::Failed: return line + (p.note.empty() ? systemText(textRow(p.failure)) : p.note);
    default: break;
    }
    char percent[8];
    std::snprintf(percent, sizeof percent, "%3d%%", p.percent);
    const uint32_t until = p.state == UploadState::Done ? p.endedAt : now;
    return line + percent + "  " + byteAmount(p.sent) + " of " + byteAmount(p.size) + "  " +
           byteRate(p.sent, p.sendingAt, until);
}

void ProgressView::show(const std::vector<UploadProgress>& cameras) {
    if (live_) redraw(cameras);
    else
        report(cameras);
    std::fflush(out_);
}

// Back up over the last drawing and write every line anew, each cut to the
// terminal's width: a line that wrapped would throw the backing up off.
void ProgressView::redraw(const std::vector<UploadProgress>& cameras) {
    if (drawn_) std::fprintf(out_, "\x1b[%zuA", drawn_);
    const uint32_t now = tickCount();
    const size_t width = static_cast<size_t>(std::max(terminalColumns() - 1, 20));
    for (const UploadProgress& p : cameras)
        std::fprintf(out_, "\r\x1b[K%s\n", progressLine(p, now).substr(0, width).c_str());
    drawn_ = cameras.size();
}

void ProgressView::report(const std::vector<UploadProgress>& cameras) {
    for (size_t i = 0; i < cameras.size(); ++i) {
        const UploadProgress& p = cameras[i];
        if (p.state != UploadState::Sending && p.state != UploadState::Done) continue;
        const int tenth = p.percent / 10;
        auto told = reported_.find(i);
        if (told != reported_.end() && told->second >= tenth) continue;
        reported_[i] = tenth;
        std::fprintf(out_, "%s: %d%% (%s of %s)\n", p.id.c_str(), tenth * 10, byteAmount(p.sent).c_str(),
                     byteAmount(p.size).c_str());
    }
}

}  // namespace lenscout
