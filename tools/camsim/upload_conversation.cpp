#include "tools/camsim/upload_conversation.h"

#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "discovery/camera_text.h"
#include "protocol/packet_header.h"
#include "protocol/payload.h"
#include "protocol/stream_reader.h"
#include "tools/camsim/sim_wire.h"
#include "upload/upgrade_messages.h"

namespace lenscout {

namespace {

constexpr uint32_t kSlice = 100;
constexpr int kRequestWaitSlices = 100;  // 10 s for a request to come
constexpr uint64_t kMidTransfer = 1 << 20;

class Connection {
public:
    Connection(Socket s, const SimCamera& camera, const SimOptions& options, const std::atomic<bool>& stop)
        : socket_(std::move(s)), camera_(camera), options_(options), stop_(stop) {}

    std::string serve() {
        const std::string& b = camera_.upload;
        if (!awaitRequest(HELLO_REQUEST)) return done("no-hello");
        if (misbehaveAt("hello")) return done(b);
        if (b.rfind("slow-", 0) == 0) std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(b.c_str() + 5)));
        if (b == "busy") return answerThenWait(helloReply(HELLO_BUSY, false), "busy");
        if (!reply(helloReply(0, b == "short-hello"))) return done("send-failed");
        if (b == "wrong-id" || b == "short-hello" || b == "wrong-command") return waitForClose(b);
        if (!awaitRequest(LOGIN_REQUEST)) return done("no-login");
        if (misbehaveAt("login")) return done(b);
        const bool accepted = b != "login-refused" && credentialsMatch();
        if (!reply(loginReply(accepted ? 0 : 1))) return done("send-failed");
        if (!accepted || b == "wrong-command-login") return waitForClose(accepted ? b : "login-refused");
        return receiveImage();
    }

private:
    std::string done(const std::string& what) { return "upload id=" + camera_.id + " outcome=" + what; }

    bool awaitRequest(uint16_t command) {
        for (int i = 0; i < kRequestWaitSlices && !stop_; ++i) {
            uint16_t got = 0;
            if (reader_.parseMessage(&got, kUploadMagic)) return got == command;
            const NetStatus s = reader_.receive(socket_.get(), kSlice);
            if (s == NET_CLOSED || s == NET_ERROR) return false;
        }
        return false;
    }

    void resetOnClose() {
        linger hard = {1, 0};
        setsockopt(socket_.get(), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    }

    // Closing, resetting or falling silent instead of answering.
    bool misbehaveAt(const std::string& step) {
        const std::string& b = camera_.upload;
        if (b == "close-" + step) return true;
        if (b == "reset-" + step) {
            resetOnClose();
            return true;
        }
        if (b == "silent-" + step) {
            waitForClose(b);
            return true;
        }
        return false;
    }

    PacketWriter& helloReply(uint16_t status, bool lackLastValue) {
        const bool wrongCommand = camera_.upload == "wrong-command";
        writer_.begin(wrongCommand ? LOGIN_REPLY : HELLO_REPLY, kUploadMagic);
        writer_.appendU16(status);
        if (status == HELLO_BUSY) return finish();
        char id[kIdSize] = {};
        const std::string shown = camera_.upload == "wrong-id" ? "OTHER-" + camera_.id : camera_.id;
        std::memcpy(id, shown.data(), std::min<size_t>(shown.size(), kIdSize));
        writer_.appendBytes(id, kIdSize);
        for (uint32_t v : {1u, 2u, 3u})
            if (!(lackLastValue && v == 3)) writer_.appendU32(v);
        return finish();
    }

    PacketWriter& loginReply(uint16_t status) {
        writer_.begin(camera_.upload == "wrong-command-login" ? HELLO_REPLY : LOGIN_REPLY, kUploadMagic);
        writer_.appendU16(status);
        return finish();
    }

    PacketWriter& finish() {
        writer_.finalize();
        return writer_;
    }

    // A split reply comes in two pieces far enough apart to be two receives.
    bool reply(const PacketWriter& w) {
        const std::vector<uint8_t> bytes = wireBytes(w, options_);
        if (camera_.upload != "split") return sendAll(bytes.data(), bytes.size());
        const size_t half = bytes.size() / 2;
        if (!sendAll(bytes.data(), half)) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return sendAll(bytes.data() + half, bytes.size() - half);
    }

    bool sendAll(const uint8_t* data, size_t count) {
        while (count > 0) {
            const long n = sendSome(socket_.get(), data, count);
            if (n <= 0) return false;
            data += n;
            count -= static_cast<size_t>(n);
        }
        return true;
    }

    std::string answerThenWait(const PacketWriter& w, const std::string& what) {
        if (!reply(w)) return done("send-failed");
        return waitForClose(what);
    }

    std::string waitForClose(const std::string& what) {
        while (!stop_) {
            const NetStatus s = reader_.receive(socket_.get(), kSlice);
            if (s == NET_CLOSED || s == NET_ERROR) break;
        }
        return done(what);
    }

    bool credentialsMatch() {
        char user[kIdSize], password[kIdSize];
        if (!reader_.readBytes(user, kIdSize) || !reader_.readBytes(password, kIdSize)) return false;
        loginUser_ = std::string(fieldText(user));
        return fieldText(user) == fieldText(camera_.user.c_str(), camera_.user.size()) &&
               fieldText(password) == fieldText(camera_.password.c_str(), camera_.password.size());
    }

    // Reads nothing more, until the peer has gone (or two minutes).
    std::string stall() {
        for (int i = 0; i < 1200 && !stop_; ++i) {
            pollfd p{socket_.get(), POLLRDHUP, 0};
            if (::poll(&p, 1, static_cast<int>(kSlice)) > 0) break;
        }
        return done("stall");
    }

    std::string receiveImage();

    Socket socket_;
    SimCamera camera_;
    const SimOptions& options_;
    const std::atomic<bool>& stop_;
    StreamReader reader_;
    PacketWriter writer_;
    std::string loginUser_;
};

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

// Blocks until the peer closes; the image goes to the upload directory.
// Reads in large pieces and parses in place: the simulator must not be what
// limits a transfer.
std::string Connection::receiveImage() {
    std::unique_ptr<FILE, FileCloser> file;
    std::string path, positions;
    uint64_t bytes = 0, blocks = 0;
    uint16_t kind = 0;
    std::vector<uint8_t> buffer(256 * 1024);
    size_t used = 0;  // the client sends no data before the login reply, so the reader holds none
    for (;;) {
        size_t at = 0;
        while (used - at >= static_cast<size_t>(kHeaderSize)) {
            const uint8_t* m = buffer.data() + at;
            const uint32_t length = loadLe32(m + kPayloadLengthOffset);
            const uint16_t command = loadLe16(m + kCommandOffset);
            if (std::memcmp(m, kUploadMagic, 4) != 0 || length < 5 || length > 5 + kUpgradeBlockSize ||
                (command != SYSTEM_FIRMWARE_DATA && command != WEB_UI_DATA) || loadLe32(m + kHeaderSize + 1) != length - 5)
                return done("bad-data");
            if (used - at < kHeaderSize + length) break;
            if (!file && !options_.uploadDir.empty()) {
                kind = command;
                path = options_.uploadDir + "/" + camera_.id + (command == WEB_UI_DATA ? "-webui.bin" : "-firmware.bin");
                file.reset(std::fopen(path.c_str(), "wb"));
            }
            if (!kind) kind = command;
            const uint8_t position = m[kHeaderSize];
            if (file) std::fwrite(m + kHeaderSize + 5, 1, length - 5, file.get());
            bytes += length - 5;
            if (blocks++ < 3 || position == BLOCK_LAST) positions += std::to_string(position);
            at += kHeaderSize + length;
            const std::string& b = camera_.upload;
            if (b == "reset-data" || (b == "reset-mid" && bytes >= kMidTransfer)) {
                resetOnClose();
                return done(b);
            }
            if (b == "stall" && bytes >= kMidTransfer) return stall();
        }
        std::memmove(buffer.data(), buffer.data() + at, used - at);
        used -= at;
        if (stop_) break;
        const WaitResult ready = waitReadable(socket_.get(), kSlice);
        if (ready == WaitResult::Failed) break;
        if (ready == WaitResult::Timeout) continue;
        const long n = receiveSome(socket_.get(), buffer.data() + used, buffer.size() - used);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) break;
        if (n > 0) used += static_cast<size_t>(n);
    }
    return done("received") + " user=" + loginUser_ + " kind=" + std::to_string(kind) + " bytes=" + std::to_string(bytes) +
           " blocks=" + std::to_string(blocks) + " positions=" + positions + " stored=" + path;
}

}  // namespace

std::string serveUpload(Socket connection, const SimCamera& camera, const SimOptions& options,
                        const std::atomic<bool>& stop) {
    return Connection(std::move(connection), camera, options, stop).serve();
}

std::string serveSink(Socket connection, const std::atomic<bool>& stop) {
    std::vector<uint8_t> buffer(256 * 1024);
    uint64_t bytes = 0;
    while (!stop) {
        if (waitReadable(connection.get(), kSlice) != WaitResult::Readable) continue;
        const long n = receiveSome(connection.get(), buffer.data(), buffer.size());
        if (n <= 0) break;
        bytes += static_cast<uint64_t>(n);
    }
    return "sink bytes=" + std::to_string(bytes);
}

}  // namespace lenscout
