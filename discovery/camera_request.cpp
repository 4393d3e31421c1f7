#include "discovery/camera_request.h"

#include <algorithm>

namespace lenscout {

CameraRequest requestTo(const CameraInfo& chosen) {
    CameraRequest r{};
    std::copy(std::begin(chosen.deviceId), std::end(chosen.deviceId), r.target.deviceId);
    r.target.arrivalIndex = chosen.arrivalIndex;
    r.target.arrivalLocal = chosen.arrivalLocal;
    r.target.sender = chosen.sender;
    r.network = {chosen.ip, chosen.mask, chosen.gateway, chosen.dns, chosen.httpPort};
    return r;
}

}  // namespace lenscout
