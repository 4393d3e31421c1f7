#pragma once
// What each failure the core reports is called: its string-table row, for
// the windows and the terminal, and its reason code, the same in every
// language, for scripts. One table per kind of failure, one line each.
#include "ui/network_settings.h"
#include "upload/upload_failure.h"

namespace lenscout {

int textRow(UploadFailure failure);
const char* reasonCode(UploadFailure failure);

int textRow(SettingsError error);

}  // namespace lenscout
