#include "upload/block_sender.h"

#include <algorithm>

namespace lenscout {

uint32_t BlockBatch::plan(UpgradeKind kind, int64_t sent, int64_t size) {
    uint32_t total = 0;
    for (count_ = 0; count_ < kMaxBlocks && sent < size; ++count_) {
        const Block b = nextBlock(sent, size);
        storeDataHead(heads_[count_], kind, b.position, b.length);
        lengths_[count_] = b.length;
        sent += b.length;
        total += b.length;
    }
    return total;
}

NetStatus BlockBatch::send(uint32_t* blocks) {
    ByteRange pieces[2 * kMaxBlocks];
    const uint8_t* bytes = data_.get();
    for (uint32_t i = 0; i < count_; ++i) {
        pieces[2 * i] = {heads_[i], kDataHeadSize};
        pieces[2 * i + 1] = {bytes, lengths_[i]};
        bytes += lengths_[i];
    }
    size_t taken = 0;
    if (sendAllGathered(socket_, pieces, 2 * count_, &taken)) {
        *blocks = count_;
        return NET_OK;
    }
    *blocks = 0;
    for (size_t whole = 0; *blocks < count_; ++*blocks) {
        whole += kDataHeadSize + lengths_[*blocks];
        if (whole > taken) break;
    }
    *blocks = std::min(*blocks + 1, count_);
    return NET_ERROR;
}

}  // namespace lenscout
