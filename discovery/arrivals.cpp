#include "discovery/arrivals.h"

#include <memory>

#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "discovery/reply_checks.h"
#include "platform/tick_clock.h"
#include "protocol/datagram_reader.h"

namespace lenscout {

namespace {

void classifyReply(DatagramReader& reader, const std::vector<Ipv4Interface>* links, Arrivals* a) {
    const bool scrambled = reader.scrambled();
    std::unique_ptr<CameraInfo> camera = parseSearchReply(reader);
    if (!camera) {
        ++a->badReply;
        return;
    }
    const uint32_t sender = reader.arrival().senderNet;
    if (sentByThisComputer(sender, links)) {
        ++a->fromThisComputer;
        return;
    }
    if (unusableCameraAddress(camera->ip, links)) {
        ++a->unusableAddress;
        return;
    }
    ++a->replies;
    a->scrambled += scrambled;
    const std::string id(fieldText(camera->deviceId));
    a->cameras.insert(id);
    a->senders[id].insert(sender);
}

void classify(DatagramReader& reader, const std::vector<Ipv4Interface>* links, Arrivals* a) {
    ++a->datagrams;
    if (reader.length() >= DatagramReader::kBufferSize) {
        ++a->cut;
        return;
    }
    uint16_t command = 0;
    switch (reader.checkHeader(&command, kDiscoveryMagic)) {
    case DatagramReader::HeaderCheck::Short:
    case DatagramReader::HeaderCheck::Length: ++a->badLength; return;
    case DatagramReader::HeaderCheck::Magic: ++a->badMagic; return;
    case DatagramReader::HeaderCheck::Ok: break;
    }
    if (command == CMD_SEARCH) {
        ++a->searches;
    } else if (command == CMD_RESULT) {
        ++a->unsolicitedResults;
    } else if (command != CMD_SEARCH_REPLY) {
        ++a->otherCommand;
    } else {
        classifyReply(reader, links, a);
    }
}

}  // namespace

Arrivals listenForArrivals(const std::vector<SocketHandle>& sockets, uint32_t listenMs,
                           const std::vector<Ipv4Interface>* links) {
    Arrivals a;
    DatagramReader reader;
    const uint32_t until = tickCount() + listenMs;
    size_t from = 0;
    for (uint32_t now = tickCount(); !tickReached(now, until); now = tickCount()) {
        if (reader.receive(sockets.data(), sockets.size(), until - now, &from) == NET_OK) classify(reader, links, &a);
    }
    return a;
}

}  // namespace lenscout
