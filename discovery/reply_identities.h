#pragma once
// One ID, one device. Cheap cameras are cloned with one ID, and any host
// can answer with a real camera's ID; both show as replies for one ID from
// two senders, or claiming two addresses, within one search period. Clones
// behind one address (a factory site) differ in what they say: one camera
// answers a search the same way each time, so two different replies from
// one sender with one ID within a period are two devices too.
#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

#include "discovery/camera_info.h"

namespace lenscout {

// Far more cameras than a site has. Past it the least recently heard ID
// is forgotten, so a flood of made-up IDs costs nothing but its own.
constexpr size_t kRememberedCameras = 4096;

class ReplyIdentities {
public:
    explicit ReplyIdentities(size_t capacity = kRememberedCameras) : capacity_(capacity) {}

    // Notes a reply heard in search period `period` and marks the record
    // when another device answers with its ID. An ID stays in conflict
    // until a whole period passes with one device only.
    void hear(CameraInfo& reply, uint32_t period);
    // A request went to this ID: the camera may answer from a new address.
    void forget(std::string_view id);
    size_t size() const { return byId_.size(); }

private:
    struct Device {
        uint32_t sender = 0, ip = 0;
        uint64_t says = 0;  // a digest of the rest of its reply
        bool operator==(const Device& o) const { return sender == o.sender && ip == o.ip && says == o.says; }
    };
    struct Entry {
        std::string id;
        Device first;  // the first device heard in `period`
        uint32_t period = 0;
        bool conflict = false;
        uint32_t conflictPeriod = 0;
        Device second;  // the other device, while in conflict
    };
    Entry& entryFor(std::string_view id, uint32_t period, const Device& device);

    size_t capacity_;
    std::list<Entry> recent_;  // most recently heard first
    std::unordered_map<std::string_view, std::list<Entry>::iterator> byId_;
};

}  // namespace lenscout
