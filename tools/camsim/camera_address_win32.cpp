#include "tools/camsim/camera_address.h"

namespace lenscout {

// Under Wine the simulator only takes uploads on loopback; cameras that
// answer searches are the Linux simulator's.
bool addCameraAddress(uint32_t, uint32_t, std::string* error) {
    *error = "cameras cannot take addresses of their own here";
    return false;
}

}  // namespace lenscout
