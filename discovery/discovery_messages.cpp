#include "discovery/discovery_messages.h"

#include <new>

#include "discovery/camera_text.h"
#include "discovery/message_ids.h"
#include "discovery/worker_requests.h"
#include "protocol/packet_header.h"

namespace lenscout {

bool buildSearchRequest(PacketWriter& writer) {
    return writer.begin(CMD_SEARCH, kDiscoveryMagic) && writer.appendU32(kRequestTag) && writer.finalize();
}

bool buildSetNetworkRequest(PacketWriter& writer, const CameraRequest& r) {
    const NetworkPayload& s = r.network;
    return writer.begin(CMD_SET_NETWORK, kDiscoveryMagic) && writer.appendU32(kRequestTag) &&
           writer.appendBytes(r.target.deviceId, kIdSize) && writer.appendBytes(r.credentials.user, kIdSize) &&
           writer.appendBytes(r.credentials.password, kIdSize) && writer.appendU32(s.ip) && writer.appendU32(s.mask) &&
           writer.appendU32(s.gateway) && writer.appendU32(s.dns) && writer.appendU16(s.httpPort) && writer.finalize();
}

std::unique_ptr<CameraInfo> parseSearchReply(DatagramReader& reader) {
    std::unique_ptr<CameraInfo> c(new (std::nothrow) CameraInfo{});
    if (!c) return nullptr;
    uint32_t unused = 0;
    bool whole = reader.readBytes(c->deviceId, kIdSize) && reader.readBytes(c->name, kNameSize) &&
                 reader.readU32(&c->ip) && reader.readU32(&c->mask) && reader.readU32(&c->gateway) &&
                 reader.readU32(&c->dns) && reader.readU32(&unused) && reader.readU32(&c->firmwareVersion) &&
                 reader.readU32(&c->webUiVersion) && reader.readU16(&c->httpPort);
    if (!whole) return nullptr;
    c->seen = 1;
    c->sameSubnet = 1;
    return c;
}

bool parseResult(DatagramReader& reader, uint16_t* code) { return reader.readU16(code); }

bool showsSettings(const CameraInfo& reply, const CameraInfo& wanted) {
    return sameText(reply.deviceId, wanted.deviceId) && reply.httpPort == wanted.httpPort && reply.ip == wanted.ip &&
           reply.mask == wanted.mask && reply.gateway == wanted.gateway && reply.dns == wanted.dns;
}

// The requests the worker carries to one camera, each with its builder.
constexpr WorkerRequest kWorkerRequests[] = {
    {TM_SET_NETWORK, buildSetNetworkRequest},
};

const WorkerRequest* findWorkerRequest(uint32_t message) {
    for (const WorkerRequest& r : kWorkerRequests)
        if (r.message == message) return &r;
    return nullptr;
}

}  // namespace lenscout
