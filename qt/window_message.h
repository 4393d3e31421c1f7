#pragma once
// A (message, wParam, lParam) posted to a window as a Qt event whose type is
// the message number. An event that carries a camera record frees it when
// it is destroyed unhandled, so that a record is lost on no path.
#include <QEvent>
#include <QObject>
#include <cstdint>
#include <memory>

#include "discovery/camera_info.h"
#include "discovery/message_target.h"

namespace lenscout {

class WindowMessage : public QEvent {
public:
    WindowMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
    ~WindowMessage() override;
    WindowMessage(const WindowMessage&) = delete;
    WindowMessage& operator=(const WindowMessage&) = delete;

    uint32_t message() const { return static_cast<uint32_t>(type()); }
    uintptr_t wParam() const { return wParam_; }
    intptr_t lParam() const { return lParam_; }
    // The record of a WM_CAMERA_FOUND; the caller owns it from then on.
    std::unique_ptr<CameraInfo> takeRecord();

private:
    uintptr_t wParam_;
    intptr_t lParam_;
};

// Posts a message to a window from any thread; the event queue takes it.
void postWindowMessage(QObject* window, uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);

// The worker's notifications, delivered to a window's event queue.
class WindowTarget : public MessageTarget {
public:
    explicit WindowTarget(QObject* window) : window_(window) {}
    bool postMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

private:
    QObject* window_;
};

}  // namespace lenscout
