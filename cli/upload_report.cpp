#include "cli/upload_report.h"

#include <algorithm>
#include <cstdio>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "site/output_text.h"
#include "ui/failure_texts.h"

namespace lenscout {

namespace {

std::string seconds(const UploadProgress& p) {
    if (p.state != UploadState::Done && p.state != UploadState::Failed) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", (p.endedAt - p.startedAt) / 1000.0);
    return text;
}

std::string padded(const std::string& text, size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

}  // namespace

std::string outcomeText(const UploadProgress& p) {
    if (p.state == UploadState::Done) return "uploaded";
    if (p.state == UploadState::NotFound) return "not found";
    if (p.state == UploadState::Interrupted) return "interrupted";
    if (p.state == UploadState::OtherSubnet) return "in another subnet, not tried";
    if (p.state == UploadState::Held) return "held back: too many failures before its wave";
    if (!p.note.empty()) return p.note;
    return CurrentText(textRow(p.failure));
}

std::string imageLine(const ImageSummary& image) {
    return "image " + terminalSafe(image.path) + ": " + std::to_string(image.size) + " bytes, SHA-256 " + image.sha256 +
           "\n";
}

std::string uploadTable(const std::vector<UploadProgress>& cameras) {
    size_t idWidth = 10;
    for (const UploadProgress& p : cameras) idWidth = std::max(idWidth, terminalSafe(p.id).size() + 2);
    std::string out = padded("CAMERA", idWidth) + padded("ADDRESS", 17) + padded("TIME", 10) + "OUTCOME\n";
    for (const UploadProgress& p : cameras) {
        const std::string address = p.state == UploadState::NotFound ? "-" : dottedQuad(p.camera.ip);
        out += padded(terminalSafe(p.id), idWidth) + padded(address, 17) + padded(seconds(p), 10) +
               terminalSafe(outcomeText(p)) + "\n";
    }
    return out;
}

}  // namespace lenscout
