#include "upload/upgrade_session.h"

#include <cstring>

#include "discovery/camera_text.h"
#include "platform/tick_clock.h"
#include "protocol/packet_header.h"
#include "protocol/stream_reader.h"
#include "upload/block_sender.h"

namespace lenscout {

namespace {

// The conversation's resources, released when it goes out of scope; each
// step returns None or what went wrong.
class Conversation {
public:
    Conversation(UpgradeKind kind, const ImageFile& image, const CameraInfo& camera, UpgradeObserver& observer,
                 uint32_t confirmLimitMs)
        : kind_(kind), image_(image), camera_(camera), observer_(observer), confirmLimitMs_(confirmLimitMs) {}

    UploadFailure run() {
        for (UploadFailure (Conversation::*step)() :
             {&Conversation::connect, &Conversation::hello, &Conversation::login, &Conversation::transfer,
              &Conversation::awaitConfirmation})
            if (const UploadFailure f = (this->*step)(); f != UploadFailure::None) return f;
        return UploadFailure::None;
    }

private:
    UploadFailure connect() {
        socket_ = openTcpSocket();
        if (!socket_.valid()) return UploadFailure::SocketError;
        if (!connectWithin(socket_.get(), camera_.ip, camera_.httpPort, kConnectLimitMs))
            return UploadFailure::CannotConnect;
        setSendTimeout(socket_.get(), kSendStallLimitMs);
        return UploadFailure::None;
    }

    UploadFailure send() {
        return writer_.sendStream(socket_.get()) == NET_OK ? UploadFailure::None : UploadFailure::SocketError;
    }

    // One receive for each reply: what it brings must hold the whole reply.
    UploadFailure awaitReply() {
        switch (reader_.receive(socket_.get(), kReplyWaitMs)) {
        case NET_ERROR: return UploadFailure::SocketError;
        case NET_CLOSED: return UploadFailure::ConnectionClosed;
        case NET_TIMEOUT: return UploadFailure::NoReply;
        default: return UploadFailure::None;
        }
    }

    UploadFailure hello() {
        buildHelloRequest(writer_);
        if (const UploadFailure f = send(); f != UploadFailure::None) return f;
        if (const UploadFailure f = awaitReply(); f != UploadFailure::None) return f;
        return checkHelloReply(reader_, camera_.deviceId);
    }

    UploadFailure login() {
        buildLoginRequest(writer_, camera_);
        if (const UploadFailure f = send(); f != UploadFailure::None) return f;
        if (const UploadFailure f = awaitReply(); f != UploadFailure::None) return f;
        return checkLoginReply(reader_);
    }

    UploadFailure transfer() {
        const int64_t size = image_.size();
        if (size < 0) return UploadFailure::CannotReadFile;
        observer_.onTransferStart();
        BlockBatch batch(socket_.get());
        for (int64_t sent = 0; sent < size;) {
            const uint32_t bytes = batch.plan(kind_, sent, size);
            if (!image_.readAt(sent, batch.data(), bytes)) return UploadFailure::CannotReadFile;
            // Progress as block by block: up to the block whose send failed.
            uint32_t blocks = 1;
            const bool ok = batch.send(&blocks) == NET_OK;
            for (uint32_t i = 0; i < blocks; ++i) {
                sent += batch.length(i);
                observer_.onProgress(progressPercent(sent, size));
                observer_.onBytes(sent, size);
            }
            if (!ok) return UploadFailure::SocketError;
        }
        return UploadFailure::None;
    }

    // The bytes in the local kernel prove nothing: the camera has the image
    // once it closes the connection after the end of the stream. What it
    // sends before closing is read and dropped.
    UploadFailure awaitConfirmation() {
        if (!shutdownSending(socket_.get())) return UploadFailure::BrokenOff;
        const uint32_t start = tickCount();
        char dropped[512];
        for (;;) {
            const uint32_t waited = tickCount() - start;
            if (waited >= confirmLimitMs_) return UploadFailure::NotConfirmed;
            switch (waitReadable(socket_.get(), confirmLimitMs_ - waited)) {
            case WaitResult::Timeout: return UploadFailure::NotConfirmed;
            case WaitResult::Failed: return UploadFailure::BrokenOff;
            case WaitResult::Readable: break;
            }
            const long n = receiveSome(socket_.get(), dropped, sizeof dropped);
            if (n == 0) return UploadFailure::None;
            if (n < 0) return UploadFailure::BrokenOff;
        }
    }

    UpgradeKind kind_;
    const ImageFile& image_;
    const CameraInfo& camera_;
    UpgradeObserver& observer_;
    uint32_t confirmLimitMs_;
    Socket socket_;
    PacketWriter writer_;
    StreamReader reader_;
};

}  // namespace

UploadFailure checkHelloReply(StreamReader& reader, const char (&deviceId)[kIdSize]) {
    uint16_t command = 0, status = 0;
    if (!reader.parseMessage(&command, kUploadMagic) || command != HELLO_REPLY || !reader.readU16(&status))
        return UploadFailure::UnknownReply;
    if (status == HELLO_BUSY) return UploadFailure::CameraBusy;
    char received[kIdSize] = {};
    uint32_t ignored = 0;
    if (!reader.readBytes(received, kIdSize) || !reader.readU32(&ignored) || !reader.readU32(&ignored) ||
        !reader.readU32(&ignored))
        return UploadFailure::UnknownReply;
    // An ID that fills its 13 bytes without a terminator names no camera.
    if (!std::memchr(received, 0, kIdSize) || fieldText(received) != fieldText(deviceId))
        return UploadFailure::WrongCamera;
    return UploadFailure::None;
}

UploadFailure checkLoginReply(StreamReader& reader) {
    uint16_t command = 0, status = 0;
    if (!reader.parseMessage(&command, kUploadMagic) || command != LOGIN_REPLY || !reader.readU16(&status))
        return UploadFailure::UnknownReply;
    return status == 0 ? UploadFailure::None : UploadFailure::LoginRefused;
}

UpgradeResult UpgradeSession::run(UpgradeKind kind, const ImageFile& image, const CameraInfo& camera,
                                  UpgradeObserver& observer, uint32_t confirmLimitMs) {
    Conversation conversation(kind, image, camera, observer, confirmLimitMs);
    const UploadFailure failure = conversation.run();
    if (failure == UploadFailure::None) return UpgradeResult::Success;
    // The text is shown while the connection is still open.
    observer.onFailure(failure);
    return UpgradeResult::Failure;
}

}  // namespace lenscout
