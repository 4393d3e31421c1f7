#pragma once
// The table at the end of an upload: each camera, the time taken and its
// outcome in the system's words; or the same as JSON.
#include <string>
#include <vector>

#include "cli/upload_jobs.h"

namespace lenscout {

std::string outcomeText(const UploadProgress& p);
std::string uploadTable(const std::vector<UploadProgress>& cameras);
// `versions` holds, for each camera, the search reply after a success.
std::string uploadJson(const std::vector<UploadProgress>& cameras, const std::vector<const CameraInfo*>& versions);

}  // namespace lenscout
