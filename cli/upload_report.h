#pragma once
// The table at the end of an upload: each camera, the time taken and its
// outcome in the system's words; or the same as JSON.
#include <cstdint>
#include <string>
#include <vector>

#include "site/upload_jobs.h"
#include "site/upload_outcome.h"

namespace lenscout {

// The outcome in the user's language.
std::string outcomeText(const UploadProgress& p);
// "image PATH: N bytes, SHA-256 HEX", a line of the report.
std::string imageLine(const ImageSummary& image);
std::string uploadTable(const std::vector<UploadProgress>& cameras);

}  // namespace lenscout
