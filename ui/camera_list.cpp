#include "ui/camera_list.h"

#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "discovery/message_ids.h"
#include "ui/camera_line.h"

namespace lenscout {

ScanErrorAction OnScanError(int32_t code) {
    switch (code) {
    case kScanSocketFailure: return ScanErrorAction::SocketErrorThenQuit;
    case kScanLinkUnknown: return ScanErrorAction::LinkUnknown;
    default: return isRefusalCode(code) ? ScanErrorAction::IncorrectCredentials : ScanErrorAction::None;
    }
}

bool CameraList::OnCameraFound(std::unique_ptr<CameraInfo> record) {
    if (!record) return true;
    std::string id(fieldText(record->deviceId));
    const auto known = byId_.find(id);
    if (known != byId_.end()) {
        m_cameras[known->second] = *record;
        return true;
    }
    if (m_cameras.size() >= capacity_) return false;
    byId_.emplace(std::move(id), m_cameras.size());
    m_cameras.push_back(*record);
    shown_.push_back(FormatCameraLine(*record));
    list_.append(shown_.back());
    return true;
}

// One pass: a camera that went takes its own line with it, so the lines
// below move up by themselves and are not written again.
void CameraList::OnScanTick() {
    const ListChanges changes(list_);
    size_t kept = 0;
    for (size_t i = 0; i < m_cameras.size(); ++i) {
        const int line = static_cast<int>(kept);
        if (m_cameras[i].seen == 0) {
            if (line < list_.count()) list_.remove(line);
            if (kept < shown_.size()) shown_.erase(shown_.begin() + static_cast<std::ptrdiff_t>(kept));
            continue;
        }
        const std::string text = FormatCameraLine(m_cameras[i]);
        if (line >= list_.count()) {
            list_.append(text);
        } else if (kept >= shown_.size() || shown_[kept] != text) {
            list_.replace(line, text);
        }
        if (kept >= shown_.size()) shown_.resize(kept + 1);
        shown_[kept] = text;
        m_cameras[i].seen = 0;
        if (kept != i) m_cameras[kept] = m_cameras[i];
        ++kept;
    }
    for (int n = list_.count(); n > static_cast<int>(kept); --n) list_.remove(n - 1);
    shown_.resize(kept);
    if (kept == m_cameras.size()) return;  // nobody went: every index still holds
    m_cameras.resize(kept);
    reindex();
}

void CameraList::reindex() {
    byId_.clear();
    for (size_t i = 0; i < m_cameras.size(); ++i) byId_.emplace(std::string(fieldText(m_cameras[i].deviceId)), i);
}

void CameraList::Clear() {
    m_cameras.clear();
    shown_.clear();
    byId_.clear();
    list_.reset();
}

}  // namespace lenscout
