#pragma once
// One upload connection as a simulated camera takes it, misbehaving as its
// `upload` setting asks.
#include <atomic>
#include <functional>
#include <string>

#include "platform/socket.h"
#include "tools/camsim/sim_camera.h"
#include "tools/camsim/sim_options.h"

namespace lenscout {

// Returns the log line that sums the connection up.
std::string serveUpload(Socket connection, const SimCamera& camera, const SimOptions& options,
                        const std::atomic<bool>& stop);
// Reads and drops everything until the peer closes; the byte count.
std::string serveSink(Socket connection, const std::atomic<bool>& stop);

}  // namespace lenscout
