#include "upload/upgrade_session.h"

#include <algorithm>
#include <cstring>

#include "discovery/camera_text.h"
#include "platform/tick_clock.h"
#include "protocol/packet_header.h"
#include "protocol/stream_reader.h"
#include "upload/block_sender.h"

namespace lenscout {

namespace {

// A camera must take `bytes` within `windowMs` of the last time it had
// taken as many: a trickle that keeps each send partly successful would
// escape any stall limit.
class ThroughputFloor {
public:
    ThroughputFloor(uint32_t bytes, uint32_t windowMs) : bytes_(bytes), windowMs_(windowMs), mark_(tickCount()) {}
    UploadFailure judge(int64_t sent) {
        const uint32_t now = tickCount();
        if (sent - markSent_ >= bytes_) {
            mark_ = now;
            markSent_ = sent;
        }
        return now - mark_ >= windowMs_ ? UploadFailure::TooSlow : UploadFailure::None;
    }
    // What is left of the window; never 0, which a send timeout reads as
    // "for ever".
    uint32_t msLeft() const {
        const uint32_t spent = tickCount() - mark_;
        return spent >= windowMs_ ? 1 : windowMs_ - spent;
    }

private:
    uint32_t bytes_, windowMs_, mark_;
    int64_t markSent_ = 0;
};

// The conversation's resources, released when it goes out of scope; each
// step returns None or what went wrong.
class Conversation {
public:
    Conversation(UpgradeKind kind, const ImageFile& image, const CameraInfo& camera, const Credentials& credentials,
                 UpgradeObserver& observer, const UploadLimits& limits, UploadCancel* cancel)
        : kind_(kind),
          image_(image),
          camera_(camera),
          credentials_(credentials),
          observer_(observer),
          limits_(limits),
          cancel_(cancel) {}
    ~Conversation() {
        if (cancel_) cancel_->detach();
    }

    // A step that failed because the session was cancelled says so.
    UploadFailure run() {
        for (UploadFailure (Conversation::*step)() :
             {&Conversation::connect, &Conversation::hello, &Conversation::login, &Conversation::transfer,
              &Conversation::awaitConfirmation}) {
            if (cancelRequested()) return cancelled();
            if (const UploadFailure f = (this->*step)(); f != UploadFailure::None)
                return cancelRequested() ? cancelled() : abandoned(f);
        }
        return UploadFailure::None;
    }

private:
    bool cancelRequested() const { return cancel_ && cancel_->cancelled(); }

    // A reset, not a close: the camera must not take what it has for the
    // whole image, and the bytes still queued here are dropped rather than
    // keep a slow camera busy long after the session has given up.
    UploadFailure abandoned(UploadFailure why) {
        if (socket_.valid()) resetOnClose(socket_.get());
        return why;
    }
    UploadFailure cancelled() { return abandoned(UploadFailure::Cancelled); }

    UploadFailure connect() {
        socket_ = openTcpSocket();
        if (!socket_.valid()) return UploadFailure::SocketError;
        if (cancel_) cancel_->attach(socket_.get());
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
        buildLoginRequest(writer_, credentials_);
        const UploadFailure sent = send();
        writer_.wipe();  // the password leaves no copy in the buffer
        if (sent != UploadFailure::None) return sent;
        if (const UploadFailure f = awaitReply(); f != UploadFailure::None) return f;
        return checkLoginReply(reader_);
    }

    // Progress block by block, as the camera takes them, also within a
    // batch; the image bytes taken are judged against the throughput floor.
    // A send waits no longer than the floor's window has left, so a camera
    // that takes next to nothing is judged when the window ends, not when
    // the stall limit does, and a send that ran out is judged by the floor
    // before it counts as a broken connection.
    UploadFailure transfer() {
        const int64_t size = image_.size();
        if (size < 0) return UploadFailure::CannotReadFile;
        observer_.onTransferStart();
        observer_.onBytes(0, size);  // the size shows before the first block
        BlockBatch batch(socket_.get());
        ThroughputFloor floor(limits_.floorBytes, limits_.floorWindowMs);
        UploadFailure stopped = UploadFailure::None;
        for (int64_t sent = 0; sent < size;) {
            const uint32_t bytes = batch.plan(kind_, sent, size);
            if (!image_.readAt(sent, batch.data(), bytes)) return UploadFailure::CannotReadFile;
            const int64_t batchStart = sent;
            uint32_t reported = 0;
            const auto reportUpTo = [&](uint32_t blocks) {
                for (; reported < blocks; ++reported) {
                    sent += batch.length(reported);
                    observer_.onProgress(progressPercent(sent, size));
                    observer_.onBytes(sent, size);
                }
            };
            const auto taken = [&](size_t wire) {
                reportUpTo(batch.blocksIn(wire));
                stopped = floor.judge(batchStart + batch.imageBytesIn(wire));
                if (cancelRequested()) stopped = UploadFailure::Cancelled;
                limitNextSend(floor);
                return stopped == UploadFailure::None;
            };
            uint32_t blocks = 1;
            limitNextSend(floor);
            const bool ok = batch.send(&blocks, taken) == NET_OK;
            reportUpTo(blocks);
            if (!ok && stopped == UploadFailure::None) stopped = floor.judge(sent);
            if (stopped == UploadFailure::Cancelled) return cancelled();
            if (stopped != UploadFailure::None) return stopped;
            if (!ok) return UploadFailure::SocketError;
        }
        return UploadFailure::None;
    }

    void limitNextSend(const ThroughputFloor& floor) {
        setSendTimeout(socket_.get(), std::min(kSendStallLimitMs, floor.msLeft()));
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
            if (waited >= limits_.confirmMs) return UploadFailure::NotConfirmed;
            switch (waitReadable(socket_.get(), limits_.confirmMs - waited)) {
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
    const Credentials& credentials_;
    UpgradeObserver& observer_;
    UploadLimits limits_;
    UploadCancel* cancel_;
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
                                  const Credentials& credentials, UpgradeObserver& observer, const UploadLimits& limits,
                                  UploadCancel* cancel) {
    Conversation conversation(kind, image, camera, credentials, observer, limits, cancel);
    const UploadFailure failure = conversation.run();
    if (failure == UploadFailure::None) return UpgradeResult::Success;
    // The text is shown while the connection is still open.
    observer.onFailure(failure);
    return UpgradeResult::Failure;
}

}  // namespace lenscout
