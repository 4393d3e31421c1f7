#pragma once
// How lenscout-cli speaks: results on standard output, every diagnostic on
// standard error under the tool's name.
#include <string>

#include "discovery/camera_info.h"
#include "site/camera_search.h"

namespace lenscout {

// Control bytes in `text` are shown as \xNN.
void diagnose(const std::string& text);
// From now on every diagnostic is a JSON event on standard error:
// {"event":"diagnostic","message":...}.
void diagnoseAsJson(bool on);
// Says why the search could not be made (after "`who`: " where given) and
// sets `*status`; false when it was made.
bool searchFailed(SearchFailure failure, const std::string& who, int* status);
// A search that went out on no link: why the list stays empty.
void noInterface(const char* program);
// A camera's outcome in the system's own words: "ID: text".
void diagnoseCamera(const std::string& id, int textRow);
// Two devices answer with the ID: the text, both senders and what is done.
void diagnoseConflict(const std::string& id, const CameraInfo& camera);

}  // namespace lenscout
