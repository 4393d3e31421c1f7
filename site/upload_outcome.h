#pragma once
// What became of an upload to each camera, in the one shape of every
// program: the outcome's word, the failure's code, the exit status, the
// journal's entry and the JSON object; and the image every camera got.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "site/camera_search.h"
#include "site/journal.h"
#include "site/outcome.h"
#include "site/upload_jobs.h"
#include "site/upload_waves.h"
#include "upload/image_file.h"

namespace lenscout {

// The image that every camera got.
struct ImageSummary {
    std::string path;
    int64_t size = 0;
    std::string sha256;  // lower-case hex
};
// Reads the checked image once for its digest; false when it cannot be read.
bool summariseImage(const std::string& path, const ImageFile& image, ImageSummary* summary);

// A row for each camera, in the order given: `shown` as the user named it,
// `ids` as the camera holds it (GBK). One that did not answer is NotFound;
// one whose ID two devices answer with has failed (id-conflict), as the
// password and the image would go to whichever listens; one in none of this
// computer's subnets is not tried, as a connection would only time out.
std::vector<UploadProgress> uploadRows(const std::vector<std::string>& shown, const std::vector<std::string>& ids,
                                       const std::vector<CameraInfo>& everyone);
// One more search, for the versions the updated cameras now report: for
// each row, its reply after a success, or none.
std::vector<const CameraInfo*> versionsAfter(CameraSearch& search, const std::vector<UploadProgress>& rows,
                                             uint32_t searchMs, std::map<std::string, CameraInfo>* found);

// A camera's upload in the one shape of an outcome: uploaded, failed,
// not-found, ...; a failure's code, in the session or after it
// (cannot-connect, login-refused, camera-busy, ..., old-version,
// id-conflict), and its text row.
CameraOutcome outcomeOf(const UploadProgress& p);
const char* uploadOutcomeWord(UploadState state);
const char* failureReason(const UploadProgress& p);
// The worst exit status of them all.
int uploadStatus(const std::vector<UploadProgress>& rows);

// An upload's journal entry: the versions before, and the image.
JournalEntry uploadEntry(UpgradeKind kind, const UploadProgress& p, const ImageSummary& image);
// Has `plan` journal each upload's attempt before it connects and its
// outcome as soon as it is known, so that a crash later loses none.
void journalUploads(WavePlan& plan, Journal& journal, const ImageSummary& image);
// `versions` holds, for each camera, the search reply after a success.
std::string uploadJson(const std::vector<UploadProgress>& cameras, const std::vector<const CameraInfo*>& versions,
                       const ImageSummary& image);

}  // namespace lenscout
