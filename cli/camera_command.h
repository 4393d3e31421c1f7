#pragma once
// One skeleton for every command that acts on cameras (set-network,
// provision, upload): the options they share, and the opening that leads
// to the search, so that each command keeps only what is its own.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cli/command_options.h"
#include "site/camera_search.h"

namespace lenscout {

// What the opening hands the command: the credentials, the search with its
// worker still running, and every camera that answered.
struct Opening {
    Credentials credentials{};
    CameraSearch search;
    std::vector<CameraInfo> everyone;  // in the order they first answered
    ~Opening();
};

// The language, the user, `check` (the plan, the image: it may end the
// command with its status), the password unless `dryRun`, and one search
// that ends once every ID of `awaited` (GBK) has answered and
// kIdentityWaitMs more have passed. False, with what was wrong said and
// `*status` set, when the command ends there; `who` goes before the
// messages about one camera.
bool openOnCameras(const CameraCommandOptions& o, const std::vector<std::string>& awaited, bool dryRun,
                   const std::function<bool(int*)>& check, Opening* opening, int* status, const std::string& who = "");

// From here the first Ctrl-C sends no new request and lets what runs end;
// a second ends the program at once. The stop that the engine asks.
std::function<bool()> stopOnInterrupt();

}  // namespace lenscout
