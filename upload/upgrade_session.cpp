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
// step returns 0 or the row of its failure text.
class Conversation {
public:
    Conversation(UpgradeKind kind, const ImageFile& image, const CameraInfo& camera, UpgradeObserver& observer,
                 uint32_t confirmLimitMs)
        : kind_(kind), image_(image), camera_(camera), observer_(observer), confirmLimitMs_(confirmLimitMs) {}

    int run() {
        int failure = connect();
        if (!failure) failure = hello();
        if (!failure) failure = login();
        if (!failure) failure = transfer();
        if (!failure) failure = awaitConfirmation();
        return failure;
    }

private:
    int connect() {
        socket_ = openTcpSocket();
        if (!socket_.valid()) return kTextSocketError;
        if (!connectWithin(socket_.get(), camera_.ip, camera_.httpPort, kConnectLimitMs)) return kTextCannotConnect;
        setSendTimeout(socket_.get(), kSendStallLimitMs);
        return 0;
    }

    int send() { return writer_.sendStream(socket_.get()) == NET_OK ? 0 : kTextSocketError; }

    // One receive for each reply: what it brings must hold the whole reply.
    int awaitReply() {
        switch (reader_.receive(socket_.get(), kReplyWaitMs)) {
        case NET_ERROR: return kTextSocketError;
        case NET_CLOSED: return kTextRefused;
        case NET_TIMEOUT: return kTextTimeOut;
        default: return 0;
        }
    }

    int hello() {
        buildHelloRequest(writer_);
        if (int f = send()) return f;
        if (int f = awaitReply()) return f;
        return checkHelloReply(reader_, camera_.deviceId);
    }

    int login() {
        buildLoginRequest(writer_, camera_);
        if (int f = send()) return f;
        if (int f = awaitReply()) return f;
        return checkLoginReply(reader_);
    }

    int transfer() {
        const int64_t size = image_.size();
        if (size < 0) return kTextCannotReadFile;
        observer_.onTransferStart();
        BlockBatch batch(socket_.get());
        for (int64_t sent = 0; sent < size;) {
            const uint32_t bytes = batch.plan(kind_, sent, size);
            if (!image_.readAt(sent, batch.data(), bytes)) return kTextCannotReadFile;
            // Progress as block by block: up to the block whose send failed.
            uint32_t blocks = 1;
            const bool ok = batch.send(&blocks) == NET_OK;
            for (uint32_t i = 0; i < blocks; ++i) {
                sent += batch.length(i);
                observer_.onProgress(progressPercent(sent, size));
                observer_.onBytes(sent, size);
            }
            if (!ok) return kTextSocketError;
        }
        return 0;
    }

    // The bytes in the local kernel prove nothing: the camera has the image
    // once it closes the connection after the end of the stream. What it
    // sends before closing is read and dropped.
    int awaitConfirmation() {
        if (!shutdownSending(socket_.get())) return kTextUploadBrokenOff;
        const uint32_t start = tickCount();
        char dropped[512];
        for (;;) {
            const uint32_t waited = tickCount() - start;
            if (waited >= confirmLimitMs_) return kTextUploadNotConfirmed;
            switch (waitReadable(socket_.get(), confirmLimitMs_ - waited)) {
            case WaitResult::Timeout: return kTextUploadNotConfirmed;
            case WaitResult::Failed: return kTextUploadBrokenOff;
            case WaitResult::Readable: break;
            }
            const long n = receiveSome(socket_.get(), dropped, sizeof dropped);
            if (n == 0) return 0;
            if (n < 0) return kTextUploadBrokenOff;
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

int checkHelloReply(StreamReader& reader, const char (&deviceId)[kIdSize]) {
    uint16_t command = 0, status = 0;
    if (!reader.parseMessage(&command, kUploadMagic) || command != HELLO_REPLY || !reader.readU16(&status))
        return kTextUnknownEcho;
    if (status == HELLO_BUSY) return kTextCameraBusy;
    char received[kIdSize] = {};
    uint32_t ignored = 0;
    if (!reader.readBytes(received, kIdSize) || !reader.readU32(&ignored) || !reader.readU32(&ignored) ||
        !reader.readU32(&ignored))
        return kTextUnknownEcho;
    // An ID that fills its 13 bytes without a terminator names no camera.
    if (!std::memchr(received, 0, kIdSize) || fieldText(received) != fieldText(deviceId)) return kTextErrorCamera;
    return 0;
}

int checkLoginReply(StreamReader& reader) {
    uint16_t command = 0, status = 0;
    if (!reader.parseMessage(&command, kUploadMagic) || command != LOGIN_REPLY || !reader.readU16(&status))
        return kTextUnknownEcho;
    return status == 0 ? 0 : kTextIncorrectCredentials;
}

UpgradeResult UpgradeSession::run(UpgradeKind kind, const ImageFile& image, const CameraInfo& camera,
                                  UpgradeObserver& observer, uint32_t confirmLimitMs) {
    Conversation conversation(kind, image, camera, observer, confirmLimitMs);
    const int failure = conversation.run();
    if (!failure) return UpgradeResult::Success;
    // The text is shown while the connection is still open.
    observer.onFailure(failure);
    return UpgradeResult::Failure;
}

}  // namespace lenscout
