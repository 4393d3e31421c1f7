#include "cli/subcommands.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/string_table.h"
#include "cli/camera_command.h"
#include "cli/cli_messages.h"
#include "cli/progress_view.h"
#include "cli/upload_report.h"
#include "discovery/camera_text.h"
#include "platform/terminal.h"
#include "site/exit_status.h"
#include "site/output_text.h"
#include "site/plan_csv.h"
#include "site/upload_waves.h"
#include "ui/failure_texts.h"

namespace lenscout {

namespace {

constexpr uint64_t kMaxJobs = 64;
constexpr uint32_t kViewPeriodMs = 200;

struct UploadOptions : CameraCommandOptions {
    UpgradeKind kind = UpgradeKind::SystemFirmware;
    std::string file;
    std::vector<std::string> ids;
    std::string idsFrom;
    uint64_t jobs = 1;
    WavePlan plan;
};

// What --help says of it.
const SubcommandText kUploadText = {
    "upload", "upload a system firmware or web interface image to cameras",
    "Checks FILE as the upload dialog does, finds each camera by a search, and uploads FILE to each with the "
    "dialog's session, N at a time. Progress goes to standard error; the table of outcomes to standard "
    "output, followed by the versions each updated camera then reports."};

void declareUploadOptions(CLI::App& command, UploadOptions* o) {
    command.add_option("FILE", o->file, "the image")->required();
    command
        .add_option_function<std::string>(
            "--kind",
            [o](const std::string& kind) {
                o->kind = kind == "webui" ? UpgradeKind::WebUi : UpgradeKind::SystemFirmware;
            },
            "a system firmware or a web interface image")
        ->option_text("system|webui")
        ->required()
        ->check(CLI::IsMember({"system", "webui"}));
    addIdsOption(command, &o->ids, "a camera's device ID; once for each camera");
    command
        .add_option("--ids-from", o->idsFrom,
                    "the cameras' IDs from a file: a plan or an inventory (its id column), or one ID a line")
        ->option_text("F")
        ->excludes("--id");
    CLI::Option* jobs = command.add_option("--jobs", o->jobs, "how many cameras to upload to at once (1)")
                            ->option_text("N")
                            ->check(CLI::Range(uint64_t{1}, kMaxJobs));
    addCameraCommandOptions(command, o,
                            {"the cameras'", "seconds to find the cameras", "print the outcomes as one JSON array"});
    // A wave is the number at once: --jobs beside it would be a second answer.
    CLI::Option* wave =
        command.add_option("--wave", o->plan.wave, "upload to N cameras at a time, a wave after the other")
            ->option_text("N")
            ->check(CLI::Range(1u, static_cast<unsigned>(kMaxJobs)))
            ->excludes(jobs);
    command
        .add_option("--max-failures", o->plan.maxFailures, "start the next wave only while failures stay at most K (0)")
        ->option_text("K")
        ->needs(wave);
    CLI::Option* confirm =
        command.add_flag("--confirm", o->plan.confirm,
                         "count a camera as done only when it answers again with a new version of the image's kind");
    addSecondsOption(command, "--reboot-wait", &o->plan.rebootWaitMs,
                     "seconds a camera may take to answer again after its upload")
        ->needs(confirm);
    command
        .add_option_function<std::string>(
            "--expect-version", [o](const std::string& v) { parseIpv4(v.c_str(), &o->plan.expectedVersion); },
            "skip a camera already at this version; with --confirm, another version afterwards is a failure")
        ->option_text("A.B.C.D")
        ->check(CLI::ValidIPV4);
}

// What the opening found of each camera, said before any upload starts.
void sayWhyNotTried(const std::vector<UploadProgress>& rows) {
    for (const UploadProgress& p : rows) {
        if (p.state == UploadState::Failed && p.camera.conflict) diagnoseConflict(p.id, p.camera);
        if (p.state == UploadState::OtherSubnet)
            diagnose(p.id + ": in none of this computer's subnets: give it an address in one first (set-network)");
    }
}

void printVersions(const std::vector<UploadProgress>& rows, const std::vector<const CameraInfo*>& versions) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].state != UploadState::Done) continue;
        if (!versions[i]) {
            std::printf("%s: no answer to the search after the upload\n", terminalSafe(rows[i].id).c_str());
            continue;
        }
        std::printf("%s: firmware %s, web UI %s\n", terminalSafe(rows[i].id).c_str(),
                    dottedQuad(versions[i]->firmwareVersion).c_str(), dottedQuad(versions[i]->webUiVersion).c_str());
    }
}

// The IDs of --ids-from; false with the reasons said.
bool readIdsFrom(const std::string& path, std::vector<std::string>* ids) {
    std::string text;
    if (!readTextFile(path, &text)) return diagnose("cannot read " + terminalSafe(path)), false;
    std::vector<std::string> errors;
    if (readIds(text, ids, &errors)) return true;
    for (const std::string& e : errors) diagnose(terminalSafe(path) + ": " + e);
    return false;
}

// Each camera once, in the order given: a repeated ID is not a second upload.
std::vector<std::string> eachOnce(const std::vector<std::string>& ids) {
    std::vector<std::string> once;
    for (const std::string& id : ids)
        if (std::find(once.begin(), once.end(), id) == once.end()) once.push_back(id);
    return once;
}

int upload(const UploadOptions& given) {
    UploadOptions o = given;
    if (!o.idsFrom.empty() && !readIdsFrom(o.idsFrom, &o.ids)) return kExitUsage;
    if (o.ids.empty()) return diagnose("no camera: give --id or --ids-from"), kExitUsage;
    o.ids = eachOnce(o.ids);
    ImageFile image;
    ImageSummary summary;
    // The IDs and the image are checked before the password is asked for.
    const auto checkIdsAndImage = [&](int* status) {
        *status = kExitInvalid;
        for (const std::string& id : o.ids)
            if (!fitsGbk("the ID " + id, id)) return false;
        if (const UploadFailure f = image.open(o.file, o.kind); f != UploadFailure::None)
            return diagnose(o.file + ": " + CurrentText(textRow(f))), false;
        if (!summariseImage(o.file, image, &summary))
            return diagnose(o.file + ": " + CurrentText(kTextCannotReadFile)), false;
        return true;
    };
    Opening opening;
    std::vector<std::string> wanted;
    for (const std::string& id : o.ids) wanted.push_back(cameraIdOf(id));
    int status = kExitOk;
    if (!openOnCameras(o, wanted, false, checkIdsAndImage, &opening, &status)) return status;
    CameraSearch& search = opening.search;

    std::vector<UploadProgress> rows = uploadRows(o.ids, wanted, opening.everyone);
    sayWhyNotTried(rows);
    ProgressView view(stderr, o.progress == "json"         ? ProgressForm::JsonLines
                              : isTerminal(StdStream::Err) ? ProgressForm::Live
                                                           : ProgressForm::Lines);
    WavePlan plan = o.plan;
    plan.kind = o.kind;
    plan.jobs = static_cast<unsigned>(o.jobs);
    Journal journal(o.journal, "upload", journalWarning());
    journalUploads(plan, journal, summary);
    // From here the first Ctrl-C starts no new camera; a second one ends
    // the program at once. Without --confirm the search's replies are not
    // looked at while the uploads run.
    runWaves(
        rows, plan, image, opening.credentials, search, kViewPeriodMs,
        [&](const std::vector<UploadProgress>& now) {
            if (!plan.confirm) search.drop();
            view.show(now);
        },
        [stop = stopOnInterrupt(), told = false]() mutable {
            if (!stop()) return false;
            if (!told) diagnose("interrupted: the running uploads finish, no other starts; again to stop at once");
            told = true;
            return true;
        });
    std::map<std::string, CameraInfo> found;
    const std::vector<const CameraInfo*> versions = versionsAfter(search, rows, o.searchMs, &found);
    if (o.json) {
        std::printf("%s\n", uploadJson(rows, versions, summary).c_str());
    } else {
        std::printf("%s%s", imageLine(summary).c_str(), uploadTable(rows).c_str());
        printVersions(rows, versions);
    }
    return uploadStatus(rows);
}

}  // namespace

Subcommand addUploadCommand(CLI::App& cli) {
    return addSubcommand<UploadOptions>(cli, kUploadText, declareUploadOptions, upload);
}

}  // namespace lenscout
