#include "cli/progress_view.h"

#include <algorithm>

#include "app/string_table.h"
#include "app/text_fit.h"
#include "cli/upload_report.h"
#include "platform/terminal.h"
#include "platform/tick_clock.h"
#include "site/camera_json.h"
#include "site/output_text.h"
#include "site/upload_events.h"
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
    case UploadState::Failed: return line + (p.note.empty() ? CurrentText(textRow(p.failure)) : p.note);
    default: break;
    }
    char percent[8];
    std::snprintf(percent, sizeof percent, "%3d%%", p.percent);
    const uint32_t until = p.state == UploadState::Done ? p.endedAt : now;
    return line + percent + "  " + byteAmount(p.sent) + " of " + byteAmount(p.size) + "  " +
           byteRate(p.sent, p.sendingAt, until);
}

std::string summaryLine(const std::vector<UploadProgress>& cameras) {
    const UploadTally t = tallyOf(cameras);
    return std::to_string(cameras.size()) + " cameras: " + std::to_string(t.done) + " uploaded, " +
           std::to_string(t.failed) + " failed, " + std::to_string(t.running) + " running, " +
           std::to_string(t.waiting) + " waiting; " + byteAmount(t.sent) + " of " + byteAmount(t.size);
}

void ProgressView::show(const std::vector<UploadProgress>& cameras) {
    switch (form_) {
    case ProgressForm::Live: redraw(cameras); break;
    case ProgressForm::Lines: report(cameras); break;
    case ProgressForm::JsonLines: events(cameras); break;
    }
    std::fflush(out_);
}

// Back up over the last drawing and write it anew, each line cut to the
// terminal's width (a line that wrapped would throw the backing up off).
// Only the cameras at work and those that failed have lines, so that 200
// cameras fit a terminal and nothing scrolls away.
void ProgressView::redraw(const std::vector<UploadProgress>& cameras) {
    if (drawn_) std::fprintf(out_, "\x1b[%zuA", drawn_);
    const uint32_t now = tickCount();
    const size_t width = static_cast<size_t>(std::max(terminalColumns() - 1, 20));
    std::vector<std::string> lines = {summaryLine(cameras)};
    for (const UploadProgress& p : cameras)
        if (p.state == UploadState::Connecting || p.state == UploadState::Sending || p.state == UploadState::Failed)
            lines.push_back(progressLine(p, now));
    for (const std::string& line : lines)
        std::fprintf(out_, "\r\x1b[K%s\n", terminalSafe(line.substr(0, utf8Fit(line, width))).c_str());
    // Lines left over from a longer drawing are cleared.
    for (size_t i = lines.size(); i < drawn_; ++i) std::fprintf(out_, "\r\x1b[K\n");
    drawn_ = std::max(drawn_, lines.size());
}

void ProgressView::events(const std::vector<UploadProgress>& cameras) {
    for (const UploadEvent& e : events_.next(cameras, tickCount()))
        std::fprintf(out_, "%s\n", jsonText(uploadEventJson(e, cameras[e.row])).c_str());
}

void ProgressView::report(const std::vector<UploadProgress>& cameras) {
    for (size_t i = 0; i < cameras.size(); ++i) {
        const UploadProgress& p = cameras[i];
        if (p.state != UploadState::Sending && p.state != UploadState::Done) continue;
        const int tenth = p.percent / 10;
        auto told = reported_.find(i);
        if (told != reported_.end() && told->second >= tenth) continue;
        reported_[i] = tenth;
        std::fprintf(out_, "%s: %d%% (%s of %s)\n", terminalSafe(p.id).c_str(), tenth * 10, byteAmount(p.sent).c_str(),
                     byteAmount(p.size).c_str());
    }
}

}  // namespace lenscout
