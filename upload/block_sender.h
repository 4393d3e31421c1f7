#pragma once
// Sends the image in batches of up to 256 blocks: the batch's bytes are read
// from the file in one piece and go out with their message heads in one
// gathered send. The bytes on the wire are those of one message per block;
// a system call and two copies per 1 KiB block would cap a transfer far
// below what the link carries.
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/socket.h"
#include "protocol/status_codes.h"
#include "upload/upgrade_messages.h"

namespace lenscout {

class BlockBatch {
public:
    static constexpr uint32_t kMaxBlocks = 256;

    explicit BlockBatch(SocketHandle socket) : socket_(socket), data_(new uint8_t[kMaxBlocks * kUpgradeBlockSize]) {}

    // Plans the blocks that follow `sent` of `size` bytes; their total size.
    uint32_t plan(UpgradeKind kind, int64_t sent, int64_t size);
    // Where the planned bytes go, in file order.
    uint8_t* data() { return data_.get(); }
    uint32_t count() const { return count_; }
    uint32_t length(uint32_t i) const { return lengths_[i]; }
    // `blocks` is how many blocks count as sent: all of them, or on failure
    // those the connection took whole and the one it failed in. `onTaken`
    // hears the wire bytes taken so far and stops the send with false.
    NetStatus send(uint32_t* blocks, const std::function<bool(size_t wire)>& onTaken = nullptr);
    // How many of the planned image bytes, and how many whole blocks, lie
    // in the first `wire` bytes.
    uint32_t imageBytesIn(size_t wire) const;
    uint32_t blocksIn(size_t wire) const;

private:
    SocketHandle socket_;
    std::unique_ptr<uint8_t[]> data_;
    uint8_t heads_[kMaxBlocks][kDataHeadSize] = {};
    uint32_t lengths_[kMaxBlocks] = {};
    uint32_t count_ = 0;
};

}  // namespace lenscout
