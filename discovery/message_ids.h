#pragma once
// Every message between the discovery worker, the main window and the
// window's own parts, in one list so that no two share a number. A record
// that travels with a message belongs to the receiver from the moment of
// posting.
#include <cstdint>
#include <iterator>
#include <memory>

#include "discovery/camera_info.h"
#include "platform/thread_queue.h"

namespace lenscout {

// X(name, number, whether wParam carries a heap record). From WM_APP
// (0x8000) up: the main window is a dialog, and WM_USER + 1 and + 2 are a
// dialog's own DM_SETDEFID and DM_REPOSITION.
#define LENSCOUT_MESSAGES(X)                                                                          \
    X(WM_TRAYNOTIFY, 0x8001, false)       /* shell to window; lParam: the mouse message */            \
    X(WM_SCAN_ERROR, 0x8002, false)       /* worker to window; wParam: signed code, lParam: sender */ \
    X(WM_SCAN_TICK, 0x8003, false)        /* worker to window: a search period has begun */           \
    X(WM_CAMERA_FOUND, 0x8004, true)      /* worker to window; wParam: heap CameraInfo */             \
    X(WM_LIST_RCLICK, 0x8005, false)      /* list hook to window: a right-button press */             \
    X(TM_SET_NETWORK, 0x8006, true)       /* window to worker; wParam: heap CameraRequest */          \
    X(TM_SEARCH_NOW, 0x8007, false)       /* window to worker: search soon (kMinSearchGapMs) */       \
    X(WM_REMAKE_LIST_FONT, 0x8008, false) /* window to itself after a DPI change; wParam: the DPI */  \
    X(TM_SET_PERIOD, 0x8009, false)       /* window to worker; wParam: ms between searches */         \
    X(WM_UPLOAD_START, 0x800A, false)     /* upload to its dialog: the image's bytes begin */         \
    X(WM_UPLOAD_PROGRESS, 0x800B, false)  /* upload to its dialog; wParam: percent */                 \
    X(WM_UPLOAD_FAILURE, 0x800C, false)   /* upload to its dialog; wParam: the UploadFailure */       \
    X(WM_UPLOAD_DONE, 0x800D, false)      /* upload to its dialog: the session has ended */

#define LENSCOUT_MESSAGE_CONSTANT(name, number, record) constexpr uint32_t name = number;
LENSCOUT_MESSAGES(LENSCOUT_MESSAGE_CONSTANT)
#undef LENSCOUT_MESSAGE_CONSTANT

// Whether a message's wParam owns a record that must be freed with it.
constexpr bool carriesRecord(uint32_t message) {
#define LENSCOUT_MESSAGE_RECORD(name, number, record) \
    if (message == (number)) return (record);
    LENSCOUT_MESSAGES(LENSCOUT_MESSAGE_RECORD)
#undef LENSCOUT_MESSAGE_RECORD
    return false;
}

namespace detail {
constexpr uint32_t kMessageNumbers[] = {
#define LENSCOUT_MESSAGE_NUMBER(name, number, record) number,
    LENSCOUT_MESSAGES(LENSCOUT_MESSAGE_NUMBER)
#undef LENSCOUT_MESSAGE_NUMBER
};
constexpr bool messageNumbersDistinct() {
    for (size_t i = 0; i < std::size(kMessageNumbers); ++i)
        for (size_t j = i + 1; j < std::size(kMessageNumbers); ++j)
            if (kMessageNumbers[i] == kMessageNumbers[j]) return false;
    return true;
}
}  // namespace detail
static_assert(detail::messageNumbersDistinct(), "two messages share a number");

// The worker's own code for a socket failure, after which it has ended.
constexpr int32_t kScanSocketFailure = -2;
// A request was not sent: the link its camera answered on is not known (the
// reply carried no link, or that link is gone). Sending it on every link
// instead would put its password on networks that are not the camera's.
constexpr int32_t kScanLinkUnknown = -3;
// WM_SCAN_TICK's lParam when the search went out on no link at all: every
// link is down, or none can broadcast. The window's sweep ignores it; the
// command-line tools say so.
constexpr intptr_t kTickSentNothing = 1;

// Posts a record with `post(wParam)`; when that fails the record is freed
// here, so that it is lost on no path. A camera's record (CameraInfo) goes
// to the window, a request's (CameraRequest) to the worker.
template <class Record, class Post>
bool handOverRecord(std::unique_ptr<Record> record, Post post) {
    if (!record || !post(reinterpret_cast<uintptr_t>(record.get()))) return false;
    record.release();
    return true;
}
template <class Record = CameraInfo>
std::unique_ptr<Record> takeRecord(uintptr_t wParam) {
    return std::unique_ptr<Record>(reinterpret_cast<Record*>(wParam));
}
inline uintptr_t codeParam(int32_t code) { return static_cast<uintptr_t>(static_cast<intptr_t>(code)); }
inline int32_t paramCode(uintptr_t wParam) { return static_cast<int32_t>(static_cast<intptr_t>(wParam)); }

// Frees what a message that was never handled still owns; a request's
// record, which may hold a password, is zeroed first.
void releaseMessage(const ThreadMessage& m);

}  // namespace lenscout
