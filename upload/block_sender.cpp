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

uint32_t BlockBatch::imageBytesIn(size_t wire) const {
    uint32_t image = 0;
    for (uint32_t i = 0; i < count_ && wire > kDataHeadSize; ++i) {
        wire -= kDataHeadSize;
        const uint32_t part = static_cast<uint32_t>(std::min<size_t>(wire, lengths_[i]));
        image += part;
        wire -= part;
    }
    return image;
}

uint32_t BlockBatch::blocksIn(size_t wire) const {
    uint32_t whole = 0;
    for (size_t end = 0; whole < count_; ++whole) {
        end += kDataHeadSize + lengths_[whole];
        if (end > wire) break;
    }
    return whole;
}

NetStatus BlockBatch::send(uint32_t* blocks, const std::function<bool(size_t wire)>& onTaken) {
    ByteRange pieces[2 * kMaxBlocks];
    const uint8_t* bytes = data_.get();
    for (uint32_t i = 0; i < count_; ++i) {
        pieces[2 * i] = {heads_[i], kDataHeadSize};
        pieces[2 * i + 1] = {bytes, lengths_[i]};
        bytes += lengths_[i];
    }
    size_t taken = 0;
    if (sendAllGathered(socket_, pieces, 2 * count_, &taken, onTaken)) {
        *blocks = count_;
        return NET_OK;
    }
    *blocks = std::min(blocksIn(taken) + 1, count_);
    return NET_ERROR;
}

}  // namespace lenscout
