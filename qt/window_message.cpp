#include "qt/window_message.h"

#include <QCoreApplication>

#include "discovery/message_ids.h"

namespace lenscout {

WindowMessage::WindowMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
    : QEvent(static_cast<QEvent::Type>(message)), wParam_(wParam), lParam_(lParam) {}

WindowMessage::~WindowMessage() {
    if (message() == WM_CAMERA_FOUND) takeRecord();
}

std::unique_ptr<CameraInfo> WindowMessage::takeRecord() {
    if (message() != WM_CAMERA_FOUND) return nullptr;
    const uintptr_t record = wParam_;
    wParam_ = 0;
    return lenscout::takeRecord(record);
}

void postWindowMessage(QObject* window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    QCoreApplication::postEvent(window, new WindowMessage(message, wParam, lParam));
}

bool WindowTarget::postMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    postWindowMessage(window_, message, wParam, lParam);
    return true;
}

}  // namespace lenscout
