#include "upload/block_sender.h"

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

NetStatus BlockBatch::send() {
    ByteRange pieces[2 * kMaxBlocks];
    const uint8_t* bytes = data_.get();
    for (uint32_t i = 0; i < count_; ++i) {
        pieces[2 * i] = {heads_[i], kDataHeadSize};
        pieces[2 * i + 1] = {bytes, lengths_[i]};
        bytes += lengths_[i];
    }
    return sendAllGathered(socket_, pieces, 2 * count_) ? NET_OK : NET_ERROR;
}

}  // namespace lenscout
