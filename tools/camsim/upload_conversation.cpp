#include "tools/camsim/upload_conversation.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include "platform/file_handle.h"
#include "tools/camsim/sim_codec.h"
#include "tools/camsim/sim_wire.h"

namespace lenscout {

namespace {

constexpr uint32_t kSlice = 100;
constexpr int kRequestWaitSlices = 100;  // 10 s for a request to come
constexpr uint64_t kMidTransfer = 1 << 20;
constexpr size_t kIdBytes = 13;

// What a data block's header and position say, block by block.
class BlockChecker {
public:
    // The violations of this block, comma-separated; empty when none.
    std::string check(const sim::Message& m, uint8_t position, uint32_t length) {
        std::vector<std::string> v = sim::requestViolations(m, 5 + static_cast<size_t>(length));
        if (kind_ && m.command != kind_) v.push_back("mixed-command");
        if (ended_) v.push_back("after-last");
        if (position > 2 || (blocks_ == 0 ? position == 1 : position == 0))
            v.push_back("position=" + std::to_string(position));
        if (position != 2 && length != sim::kBlockBytes) v.push_back("short-block=" + std::to_string(length));
        if (length == 0 || length > sim::kBlockBytes) v.push_back("length=" + std::to_string(length));
        kind_ = m.command;
        ended_ = ended_ || position == 2;
        ++blocks_;
        return sim::joined(v);
    }

private:
    uint16_t kind_ = 0;
    uint64_t blocks_ = 0;
    bool ended_ = false;
};

class Connection {
public:
    Connection(Socket s, const SimCamera& camera, const SimOptions& options, const std::atomic<bool>& stop)
        : socket_(std::move(s)), camera_(camera), options_(options), stop_(stop) {}

    std::string serve() {
        const std::string& b = camera_.upload;
        sim::Message m;
        if (!awaitRequest(sim::kCmdHello, 0, &m)) return done("no-hello");
        if (misbehaveAt("hello")) return done(b);
        if (b.rfind("slow-", 0) == 0) std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(b.c_str() + 5)));
        if (b == "busy") return answerThenWait(helloReply(sim::kHelloBusy, false), "busy");
        if (!reply(helloReply(0, b == "short-hello"))) return done("send-failed");
        if (b == "wrong-id" || b == "short-hello" || b == "wrong-command") return waitForClose(b);
        if (!awaitRequest(sim::kCmdLogin, 26, &m)) return done("no-login");
        if (misbehaveAt("login")) return done(b);
        const bool accepted = b != "login-refused" && credentialsMatch(m.payload);
        if (!reply(loginReply(accepted ? 0 : 1))) return done("send-failed");
        if (!accepted || b == "wrong-command-login") return waitForClose(accepted ? b : "login-refused");
        return receiveImage();
    }

private:
    std::string done(const std::string& what) {
        std::string line = "upload id=" + camera_.id + " outcome=" + what;
        if (!violations_.empty()) line += " violation=" + violations_;
        return line;
    }
    void violate(const std::string& what) {
        if (!what.empty()) violations_ += (violations_.empty() ? "" : ",") + what;
    }

    // The next whole message of the stream, which must start right here.
    bool takeMessage(sim::Message* m) {
        if (pending_.size() >= 4 && std::memcmp(pending_.data(), sim::kUpload, 4) != 0) {
            violate("stray");
            pending_.clear();
            return false;
        }
        if (!sim::decode(pending_.data(), pending_.size(), m)) return false;
        pending_.erase(pending_.begin(),
                       pending_.begin() + static_cast<std::ptrdiff_t>(sim::kHeaderBytes + m->payloadLength));
        return true;
    }

    // False once the peer has gone.
    bool receiveMore() {
        const WaitResult ready = waitReadable(socket_.get(), kSlice);
        if (ready == WaitResult::Failed) return false;
        if (ready == WaitResult::Timeout) return true;
        uint8_t chunk[4096];
        const long n = receiveSome(socket_.get(), chunk, sizeof chunk);
        if (n <= 0) return false;
        pending_.insert(pending_.end(), chunk, chunk + n);
        return true;
    }

    bool awaitRequest(uint16_t command, size_t payloadSize, sim::Message* m) {
        for (int i = 0; i < kRequestWaitSlices && !stop_; ++i) {
            if (takeMessage(m)) {
                for (const std::string& v : sim::requestViolations(*m, payloadSize)) violate(v);
                return m->command == command;
            }
            if (!receiveMore()) return false;
        }
        return false;
    }

    void resetOnClose() { lenscout::resetOnClose(socket_.get()); }

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

    std::vector<uint8_t> helloReply(uint16_t status, bool lackLastValue) {
        const uint16_t command = camera_.upload == "wrong-command" ? sim::kCmdLoginReply : sim::kCmdHelloReply;
        std::vector<uint8_t> p;
        sim::putLe16(p, status);
        if (status != sim::kHelloBusy) {
            sim::putText(p, camera_.upload == "wrong-id" ? "OTHER-" + camera_.id : camera_.id, kIdBytes);
            for (uint32_t v : {1u, 2u, 3u})
                if (!(lackLastValue && v == 3)) sim::putLe32(p, v);
        }
        return wireBytes(sim::kUpload, command, p, options_);
    }

    std::vector<uint8_t> loginReply(uint16_t status) {
        const uint16_t command = camera_.upload == "wrong-command-login" ? sim::kCmdHelloReply : sim::kCmdLoginReply;
        std::vector<uint8_t> p;
        sim::putLe16(p, status);
        return wireBytes(sim::kUpload, command, p, options_);
    }

    // A split reply comes in two pieces far enough apart to be two receives.
    bool reply(const std::vector<uint8_t>& bytes) {
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

    std::string answerThenWait(const std::vector<uint8_t>& bytes, const std::string& what) {
        if (!reply(bytes)) return done("send-failed");
        return waitForClose(what);
    }

    std::string waitForClose(const std::string& what) {
        while (!stop_ && receiveMore()) {}
        return done(what);
    }

    // Both fields are the text and then zeros to their end.
    bool credentialsMatch(const std::vector<uint8_t>& p) {
        if (p.size() < 2 * kIdBytes) return false;
        for (size_t field : {size_t{0}, kIdBytes}) {
            const std::string text = sim::textOf(p.data() + field, kIdBytes);
            for (size_t i = text.size(); i < kIdBytes; ++i)
                if (p[field + i] != 0) {
                    violate("login-filler");
                    break;
                }
        }
        loginUser_ = sim::textOf(p.data(), kIdBytes);
        return loginUser_ == sim::textOf(camera_.user) &&
               sim::textOf(p.data() + kIdBytes, kIdBytes) == sim::textOf(camera_.password);
    }

    // Reads nothing more, until the peer has gone (or two minutes).
    std::string stall() {
        for (int i = 0; i < 1200 && !stop_; ++i) {
            if (waitPeerGone(socket_.get(), kSlice)) break;
        }
        return done("stall");
    }

    std::string receiveImage();

    // "trickle-B-MS": at most B bytes a read, and MS ms between reads, as a
    // camera that writes its flash as it goes.
    size_t readSize() const {
        const std::string& b = camera_.upload;
        if (b.rfind("trickle-", 0) != 0) return SIZE_MAX;
        return std::max<size_t>(1, std::strtoul(b.c_str() + 8, nullptr, 10));
    }
    void trickleDelay() const {
        const std::string& b = camera_.upload;
        if (b.rfind("trickle-", 0) != 0) return;
        const size_t dash = b.find('-', 8);
        if (dash != std::string::npos)
            std::this_thread::sleep_for(std::chrono::milliseconds(std::strtoul(b.c_str() + dash + 1, nullptr, 10)));
    }

    Socket socket_;
    SimCamera camera_;
    const SimOptions& options_;
    const std::atomic<bool>& stop_;
    std::vector<uint8_t> pending_;
    std::string loginUser_;
    std::string violations_;
};

// Blocks until the peer closes; the image goes to the upload directory.
// Reads in large pieces: the simulator must not be what limits a transfer.
std::string Connection::receiveImage() {
    FileHandle file;
    std::string path, positions;
    uint64_t bytes = 0, blocks = 0;
    uint16_t kind = 0;
    BlockChecker checker;
    sim::Message m;
    std::vector<uint8_t> buffer(std::max<size_t>(256 * 1024, pending_.size()));
    bool sawLast = false, reset = false;
    size_t used = pending_.size();
    std::memcpy(buffer.data(), pending_.data(), used);
    for (;;) {
        size_t at = 0;
        while (sim::decode(buffer.data() + at, used - at, &m)) {
            const bool data = m.command == sim::kCmdFirmwareData || m.command == sim::kCmdWebUiData;
            if (std::memcmp(m.magic, sim::kUpload, 4) != 0 || !data || m.payload.size() < 5) return done("bad-data");
            const uint8_t position = m.payload[0];
            const uint32_t length = sim::getLe32(m.payload.data() + 1);
            violate(checker.check(m, position, length));
            if (length > m.payload.size() - 5) return done("bad-data");
            if (camera_.upload == "reset-last" && position == 2) {
                resetOnClose();
                return done("reset-last");
            }
            if (!file && !options_.uploadDir.empty()) {
                path = options_.uploadDir + "/" + camera_.id +
                       (m.command == sim::kCmdWebUiData ? "-webui.bin" : "-firmware.bin");
                file.reset(std::fopen(path.c_str(), "wb"));
            }
            if (!kind) kind = m.command;
            if (file) std::fwrite(m.payload.data() + 5, 1, length, file.get());
            bytes += length;
            if (blocks++ < 3 || position == 2) positions += std::to_string(position);
            sawLast = sawLast || position == 2;
            at += sim::kHeaderBytes + m.payloadLength;
            const std::string& b = camera_.upload;
            if (b == "reset-data" || (b == "reset-mid" && bytes >= kMidTransfer)) {
                resetOnClose();
                return done(b);
            }
            if (b == "stall" && bytes >= kMidTransfer) return stall();
        }
        if (used - at >= 4 && std::memcmp(buffer.data() + at, sim::kUpload, 4) != 0) return done("bad-data");
        if (used - at >= sim::kHeaderBytes && sim::getLe32(buffer.data() + at + 15) > 5 + sim::kBlockBytes)
            return done("bad-data");
        std::memmove(buffer.data(), buffer.data() + at, used - at);
        used -= at;
        if (stop_) break;
        const WaitResult ready = waitReadable(socket_.get(), kSlice);
        if (ready == WaitResult::Failed) break;
        if (ready == WaitResult::Timeout) continue;
        const long n = receiveSome(socket_.get(), buffer.data() + used, std::min(buffer.size() - used, readSize()));
        reset = n < 0;
        if (n <= 0) break;
        if (n > 0) used += static_cast<size_t>(n);
        trickleDelay();
    }
    // Keeps the connection open after the end of the stream, as a camera
    // that never says it has the image.
    for (int i = 0; camera_.upload == "hold" && i < 30 && !stop_; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    // A sender that broke off, or closed before the last block, left the
    // camera with its old image.
    const bool whole = !reset && (blocks == 0 || sawLast);
    return done(whole ? "received" : "incomplete") + " user=" + loginUser_ + " kind=" + std::to_string(kind) +
           " bytes=" + std::to_string(bytes) + " blocks=" + std::to_string(blocks) + " positions=" + positions +
           " stored=" + path;
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
