#include "upload/upload_cancel.h"

namespace lenscout {

void UploadCancel::cancel() {
    cancelled_ = true;
    std::lock_guard<std::mutex> guard(lock_);
    if (attached_) breakOff(socket_);
}

void UploadCancel::attach(SocketHandle s) {
    std::lock_guard<std::mutex> guard(lock_);
    socket_ = s;
    attached_ = true;
    if (cancelled_) breakOff(socket_);
}

void UploadCancel::detach() {
    std::lock_guard<std::mutex> guard(lock_);
    attached_ = false;
}

}  // namespace lenscout
