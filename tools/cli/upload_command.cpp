#include "tools/cli/upload_command.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "platform/terminal.h"
#include "platform/tick_clock.h"
#include "tools/cli/camera_search.h"
#include "tools/cli/cli_messages.h"
#include "tools/cli/credentials.h"
#include "tools/cli/exit_status.h"
#include "tools/cli/progress_view.h"
#include "tools/cli/subcommand.h"
#include "tools/cli/tool_language.h"
#include "tools/cli/upload_jobs.h"
#include "tools/cli/upload_report.h"
#include "tools/common/options.h"
#include "upload/image_file.h"

namespace lenscout {

const char kUploadUsage[] =
    "usage: lenscout-cli upload --kind system|webui FILE --id ID [--id ID ...] [--jobs N]\n"
    "                           [--user U] [--password-file F] [--search S] [--json] [--lang N]\n"
    "Checks FILE as the upload dialog does, finds each camera by a search, and\n"
    "uploads FILE to each with the dialog's session, N at a time (1). Progress\n"
    "goes to standard error; the table of outcomes to standard output, followed\n"
    "by the versions each updated camera then reports.\n"
    "  --kind system|webui  system firmware or web interface image\n"
    "  --user U             the cameras' user (admin)\n"
    "  --password-file F    read the password from F's first line (- for standard\n"
    "                       input); else LENSCOUT_PASSWORD, else a prompt\n"
    "  --search S           seconds to find the cameras (4)\n"
    "  --json               print the outcomes as one JSON array\n"
    "  --lang N             messages in language N (0 system, 1 English, 2 and 3\n"
    "                       Simplified and Traditional Chinese)\n"
    "Exit status: 0 every camera updated, 1 an upload failed, 2 usage, 3 the file\n"
    "cannot be used or no user (nothing sent), 4 a camera was not found.\n";

namespace {

constexpr uint64_t kMaxJobs = 64;
constexpr uint32_t kViewPeriodMs = 200;

struct UploadOptions {
    bool haveKind = false;
    UpgradeKind kind = UpgradeKind::SystemFirmware;
    std::string file;
    std::vector<std::string> ids;
    uint64_t jobs = 1;
    CredentialOptions credentials;
    uint32_t searchMs = 4000;
    bool json = false;
    bool help = false;
    int64_t language = kLanguageUnset;
};

bool takeKind(const std::string& v, UploadOptions* o) {
    o->haveKind = v == "system" || v == "webui";
    o->kind = v == "webui" ? UpgradeKind::WebUi : UpgradeKind::SystemFirmware;
    return o->haveKind;
}

bool takeOption(ArgWalker& args, const std::string& name, UploadOptions* o) {
    std::string v;
    if (name == "json") return o->json = true;
    if (name == "help") return o->help = true;
    if (!args.value(&v)) return false;
    if (name == "kind") return takeKind(v, o);
    if (name == "id") o->ids.push_back(v);
    else if (name == "jobs") return parseUnsigned(v, kMaxJobs, &o->jobs) && o->jobs > 0;
    else if (name == "user") o->credentials.user = v;
    else if (name == "password-file") o->credentials.passwordFile = v;
    else if (name == "search") return parseSeconds(v, &o->searchMs);
    else if (name == "lang") return parseSigned(v, 0, 3, &o->language);
    else return false;
    return true;
}

bool parseOptions(int argc, char** argv, UploadOptions* o) {
    ArgWalker args(argc, argv);
    std::string name;
    while (args.next(&name)) {
        if (args.operand() && o->file.empty()) o->file = name;
        else if (args.operand() || !takeOption(args, name, o)) return false;
    }
    return o->help || (o->haveKind && !o->file.empty() && !o->ids.empty());
}

// The dialog's check, before any camera is looked for: 0 or the text row.
int checkFile(const UploadOptions& o) {
    ImageFile image;
    if (!image.open(o.file)) return kTextCannotOpenFile;
    if (!checkImage(image, o.kind)) return o.kind == UpgradeKind::SystemFirmware ? kTextBadFirmwareFile : kTextBadWebUiFile;
    return 0;
}

std::vector<UploadProgress> cameraRows(const UploadOptions& o, const std::map<std::string, CameraInfo>& found,
                                       const CameraInfo& credentials) {
    std::vector<UploadProgress> rows;
    for (const std::string& id : o.ids) {
        UploadProgress p;
        p.id = id;
        auto it = found.find(cameraIdOf(id));
        if (it == found.end()) {
            p.state = UploadState::NotFound;
        } else {
            p.camera = it->second;
            std::memcpy(p.camera.user, credentials.user, kIdSize);
            std::memcpy(p.camera.password, credentials.password, kIdSize);
        }
        rows.push_back(p);
    }
    return rows;
}

// One more search, for the versions the updated cameras now report.
std::vector<const CameraInfo*> versionsAfter(CameraSearch& search, const std::vector<UploadProgress>& rows,
                                            uint32_t searchMs, std::map<std::string, CameraInfo>* found) {
    std::vector<std::string> updated;
    for (const UploadProgress& p : rows)
        if (p.state == UploadState::Done) updated.push_back(std::string(fieldText(p.camera.deviceId)));
    std::vector<const CameraInfo*> versions(rows.size(), nullptr);
    if (updated.empty()) return versions;
    search.drop();
    found->clear();
    postSearchNow(search.worker());
    search.findAll(updated, tickCount() + searchMs, found);
    for (size_t i = 0; i < rows.size(); ++i) {
        auto it = found->find(std::string(fieldText(rows[i].camera.deviceId)));
        if (rows[i].state == UploadState::Done && it != found->end()) versions[i] = &it->second;
    }
    return versions;
}

void printVersions(const std::vector<UploadProgress>& rows, const std::vector<const CameraInfo*>& versions) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].state != UploadState::Done) continue;
        if (!versions[i]) {
            std::printf("%s: no answer to the search after the upload\n", rows[i].id.c_str());
            continue;
        }
        std::printf("%s: firmware %s, web UI %s\n", rows[i].id.c_str(), dottedQuad(versions[i]->firmwareVersion).c_str(),
                    dottedQuad(versions[i]->webUiVersion).c_str());
    }
}

int exitStatusOf(const std::vector<UploadProgress>& rows) {
    int status = kExitOk;
    for (const UploadProgress& p : rows) {
        if (p.state == UploadState::Failed) return kExitFailed;
        if (p.state == UploadState::NotFound) status = kExitNotFound;
    }
    return status;
}

int upload(const UploadOptions& o) {
    CameraInfo credentials{};
    int row = 0;
    if (!storeUser(o.credentials.user, &credentials, &row)) return diagnose(systemText(row)), kExitInvalid;
    if ((row = checkFile(o)) != 0) return diagnose(o.file + ": " + systemText(row)), kExitInvalid;
    std::string password, error;
    if (!readPassword(o.credentials, &password, &error)) return diagnose(error), kExitUsage;
    storePassword(password, &credentials);

    CameraSearch search;
    if (!search.start()) return diagnose("cannot start the discovery thread"), kExitFailed;
    std::map<std::string, CameraInfo> found;
    std::vector<std::string> wanted;
    for (const std::string& id : o.ids) wanted.push_back(cameraIdOf(id));
    search.findAll(wanted, tickCount() + o.searchMs, &found);
    if (search.failed()) return diagnose(systemText(kTextSocketError)), kExitFailed;

    UploadJobs jobs(cameraRows(o, found, credentials), o.kind, o.file);
    ProgressView view(stderr, isTerminal(StdStream::Err));
    jobs.run(static_cast<unsigned>(o.jobs), kViewPeriodMs, [&](const std::vector<UploadProgress>& rows) {
        search.drop();
        view.show(rows);
    });
    const std::vector<UploadProgress> rows = jobs.snapshot();
    const std::vector<const CameraInfo*> versions = versionsAfter(search, rows, o.searchMs, &found);
    if (o.json) {
        std::printf("%s\n", uploadJson(rows, versions).c_str());
    } else {
        std::printf("%s", uploadTable(rows).c_str());
        printVersions(rows, versions);
    }
    return exitStatusOf(rows);
}

}  // namespace

int runUpload(int argc, char** argv) {
    return runSubcommand<UploadOptions>(argc, argv, kUploadUsage, parseOptions, upload);
}

}  // namespace lenscout
