#include "discovery/reply_identities.h"

#include "discovery/camera_text.h"

namespace lenscout {

ReplyIdentities::Entry& ReplyIdentities::entryFor(std::string_view id, uint32_t period, const Device& device) {
    const auto found = byId_.find(id);
    if (found != byId_.end()) {
        recent_.splice(recent_.begin(), recent_, found->second);
        return *found->second;
    }
    if (byId_.size() >= capacity_) {
        byId_.erase(recent_.back().id);
        recent_.pop_back();
    }
    recent_.push_front(Entry{std::string(id), device, period, false, 0, Device{}});
    byId_.emplace(recent_.front().id, recent_.begin());
    return recent_.front();
}

namespace {

// FNV-1a over what a camera says of itself beside its ID and address.
uint64_t digestOf(const CameraInfo& r) {
    uint64_t h = 14695981039346656037ull;
    const auto mix = [&h](const void* data, size_t size) {
        for (size_t i = 0; i < size; ++i) h = (h ^ static_cast<const unsigned char*>(data)[i]) * 1099511628211ull;
    };
    const std::string_view name = fieldText(r.name);
    mix(name.data(), name.size());
    for (const uint32_t v : {r.mask, r.gateway, r.dns, r.firmwareVersion, r.webUiVersion, uint32_t{r.httpPort}})
        mix(&v, sizeof v);
    return h;
}

}  // namespace

void ReplyIdentities::hear(CameraInfo& reply, uint32_t period) {
    const Device device{reply.sender, reply.ip, digestOf(reply)};
    Entry& e = entryFor(fieldText(reply.deviceId), period, device);
    if (e.period != period) {
        if (e.conflict && period - e.conflictPeriod > 1) e.conflict = false;
        e.first = device;
        e.period = period;
    } else if (!(device == e.first)) {
        e.conflict = true;
        e.conflictPeriod = period;
        e.second = device;
    }
    reply.conflict = e.conflict;
    if (!e.conflict) return;
    const Device& other = device == e.first ? e.second : e.first;
    reply.conflictSender = other.sender;
    reply.conflictIp = other.ip;
}

void ReplyIdentities::forget(std::string_view id) {
    const auto found = byId_.find(id);
    if (found == byId_.end()) return;
    const auto entry = found->second;
    byId_.erase(found);
    recent_.erase(entry);
}

}  // namespace lenscout
