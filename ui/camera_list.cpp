#include "ui/camera_list.h"

#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "discovery/message_ids.h"
#include "ui/camera_line.h"

namespace lenscout {

ScanErrorAction OnScanError(int32_t code) {
    switch (code) {
    case kScanSocketFailure: return ScanErrorAction::SocketErrorThenQuit;
    default: return isRefusalCode(code) ? ScanErrorAction::IncorrectCredentials : ScanErrorAction::None;
    }
}

void CameraList::OnCameraFound(std::unique_ptr<CameraInfo> record) {
    if (!record) return;
    for (CameraInfo& known : m_cameras) {
        if (sameText(known.deviceId, record->deviceId)) {
            known = *record;
            return;
        }
    }
    m_cameras.push_back(*record);
    list_.append(FormatCameraLine(*record));
}

void CameraList::OnScanTick() {
    const int lines = list_.count();
    int i = 0;
    for (auto it = m_cameras.begin(); it != m_cameras.end();) {
        if (it->seen == 0) {
            it = m_cameras.erase(it);
            continue;
        }
        sweepLine(i, *it, lines);
        it->seen = 0;
        ++it;
        ++i;
    }
    for (int n = lines; n > i; --n) list_.remove(n - 1);
}

void CameraList::sweepLine(int i, const CameraInfo& record, int lines) {
    const std::string text = FormatCameraLine(record);
    if (i >= lines) {
        list_.append(text);
    } else if (list_.text(i) != text) {
        list_.remove(i);
        list_.insert(i, text);
    }
}

void CameraList::Clear() {
    m_cameras.clear();
    list_.reset();
}

}  // namespace lenscout
