#include "cli/subcommands.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/string_table.h"
#include "cli/camera_search.h"
#include "cli/cli_messages.h"
#include "cli/credentials.h"
#include "cli/exit_status.h"
#include "cli/journal.h"
#include "cli/outcome.h"
#include "cli/plan_csv.h"
#include "cli/scan_format.h"
#include "cli/tool_language.h"
#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "discovery/discovery_port.h"
#include "discovery/message_ids.h"
#include "platform/gbk.h"
#include "platform/interface_table.h"
#include "platform/socket.h"
#include "platform/tick_clock.h"
#include "ui/failure_texts.h"
#include "ui/network_settings.h"

namespace lenscout {

namespace {

struct ProvisionOptions : SettingsCommandOptions {
    std::string plan;
    uint64_t jobs = 1;
    bool dryRun = false;
};

// What --help says of it.
const SubcommandText kProvisionText = {
    "provision", "set the network of many cameras from a plan",
    "Reads PLAN (CSV with a header row and the columns of inventory, plus dhcp; a blank cell keeps the current "
    "value) and checks every row with the Network Configuration dialog's rules before any search. After one "
    "search it refuses, before anything is sent, an address planned twice, one held by a camera the plan leaves "
    "there, one of this computer, and a camera that did not answer. Then each camera gets its request and counts "
    "as done only when it answers with the planned settings; one already there is unchanged and gets none."};

void declareOptions(CLI::App& command, ProvisionOptions* o) {
    command.add_option("PLAN", o->plan, "the plan: CSV with the inventory's columns, and dhcp")->required();
    command.add_option("--jobs", o->jobs, "how many requests to have out at once (1)")
        ->option_text("N")
        ->check(CLI::Range(uint64_t{1}, uint64_t{64}));
    command.add_flag("--dry-run", o->dryRun, "print the changes, current -> planned, and send nothing");
    addSettingsCommandOptions(
        command, o,
        {"the cameras'", "seconds of the search before anything is sent",
         "seconds each camera may take to confirm its new settings", "print the outcomes as one JSON array"});
}

// One camera of the plan: what it has, what it is to have, what became of it.
struct Change {
    PlanRow row;
    CameraInfo current{};
    CameraInfo wanted{};
    Outcome outcome = Outcome::Pending;
};

std::string where(const PlanRow& r) { return "line " + std::to_string(r.line) + ": " + r.id + ": "; }

std::string valueOr(const std::optional<std::string>& cell, uint32_t current) {
    return cell ? *cell : dottedQuad(current);
}

// The checks a row passes on its own, before any search: each address and
// the port as the dialog judges them, and the whole row where it is whole.
void checkCells(const PlanRow& r, std::vector<std::string>* errors) {
    const std::pair<const std::optional<std::string>*, SettingsError> cells[] = {
        {&r.ip, SettingsError::BadAddress},
        {&r.mask, SettingsError::BadMask},
        {&r.gateway, SettingsError::BadGateway},
        {&r.dns, SettingsError::BadDns}};
    uint32_t ignored = 0;
    for (const auto& [cell, error] : cells)
        if (*cell && !parseIpv4((*cell)->c_str(), &ignored)) errors->push_back(where(r) + systemText(textRow(error)));
    if (r.port) {
        if (checkPort(portFieldValue(*r.port)) != SettingsError::None)
            errors->push_back(where(r) + systemText(textRow(SettingsError::BadPort)));
    }
    if (!errors->empty() || !r.port || !(r.dhcp || (r.ip && r.mask && r.gateway && r.dns))) return;
    // In DHCP mode the addresses are not looked at, and may be blank.
    const std::string ip = r.ip.value_or(""), mask = r.mask.value_or(""), gateway = r.gateway.value_or(""),
                      dns = r.dns.value_or("");
    const NetworkSettings s = ValidateNetworkSettings(portFieldValue(*r.port), r.dhcp, ip.c_str(), mask.c_str(),
                                                      gateway.c_str(), dns.c_str());
    if (s.error != SettingsError::None) errors->push_back(where(r) + systemText(textRow(s.error)));
}

// The row over the camera's current settings; false with the message.
bool plan(Change& c, std::vector<std::string>* errors) {
    const PlanRow& r = c.row;
    const std::string ip = valueOr(r.ip, c.current.ip), mask = valueOr(r.mask, c.current.mask),
                      gateway = valueOr(r.gateway, c.current.gateway), dns = valueOr(r.dns, c.current.dns);
    const int32_t port = r.port ? portFieldValue(*r.port) : toHostPort(c.current.httpPort);
    const NetworkSettings s =
        ValidateNetworkSettings(port, r.dhcp, ip.c_str(), mask.c_str(), gateway.c_str(), dns.c_str());
    if (s.error != SettingsError::None) return errors->push_back(where(r) + systemText(textRow(s.error))), false;
    c.wanted = c.current;
    c.wanted.httpPort = toNetPort(s.port);
    c.wanted.ip = s.ip, c.wanted.mask = s.mask, c.wanted.gateway = s.gateway, c.wanted.dns = s.dns;
    return true;
}

// What would put two devices at one address once the plan is done. Only
// an address that a row changes is judged: cameras that keep theirs make
// no new conflict.
void findConflicts(const std::vector<Change>& changes, const std::vector<CameraInfo>& everyone,
                   std::vector<std::string>* errors) {
    std::vector<Ipv4Interface> own;
    readInterfaceTable(&own);
    auto planned = [&](const std::string& id) -> const Change* {
        for (const Change& c : changes)
            if (std::string(fieldText(c.current.deviceId)) == id) return &c;
        return nullptr;
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        const Change& c = changes[i];
        if (c.row.dhcp || c.wanted.ip == c.current.ip) continue;
        const std::string ip = dottedQuad(c.wanted.ip);
        for (size_t j = 0; j < i; ++j)
            if (!changes[j].row.dhcp && changes[j].wanted.ip == c.wanted.ip)
                errors->push_back(where(c.row) + ip + " is planned for " + changes[j].row.id + " too (line " +
                                  std::to_string(changes[j].row.line) + ")");
        for (const Ipv4Interface& i4 : own)
            if (i4.addr == c.wanted.ip) errors->push_back(where(c.row) + ip + " is this computer's address");
        for (const CameraInfo& other : everyone) {
            const std::string id(fieldText(other.deviceId));
            if (id == std::string(fieldText(c.current.deviceId)) || other.ip != c.wanted.ip || planned(id)) continue;
            errors->push_back(where(c.row) + ip + " is held by " + gbkToUtf8(id) + ", which the plan leaves there");
        }
    }
}

// Sends one batch and waits for its confirmations. A refusal carries no
// camera ID: in a batch of more than one it is not attributed, and the
// cameras that did not confirm are given back to be tried alone.
std::vector<size_t> sendBatch(CameraSearch& search, const ProvisionOptions& o, std::vector<Change>& changes,
                              const std::vector<size_t>& batch, const CameraInfo& credentials) {
    search.drop();
    for (size_t i : batch) {
        CameraInfo request = changes[i].wanted;
        std::copy(std::begin(credentials.user), std::end(credentials.user), request.user);
        std::copy(std::begin(credentials.password), std::end(credentials.password), request.password);
        if (changes[i].row.dhcp) request.ip = request.mask = request.gateway = request.dns = 0;
        postSetNetwork(search.worker(), request);
        std::fprintf(stderr, "%s: sent\n", changes[i].row.id.c_str());
    }
    std::set<size_t> open(batch.begin(), batch.end());
    bool ambiguous = false;
    const uint32_t sent = tickCount(), until = sent + o.waitMs;
    SearchEvent event;
    while (!open.empty() && search.next(until, &event)) {
        if (event.code == kScanSocketFailure) break;
        if (isRefusalCode(event.code)) {
            if (batch.size() > 1) ambiguous = true;
            else
                changes[batch[0]].outcome = Outcome::Refused, open.clear();
            continue;
        }
        if (!event.camera) continue;
        for (size_t i : open) {
            Change& c = changes[i];
            if (!sameText(event.camera->deviceId, c.current.deviceId)) continue;
            if (c.row.dhcp && tickCount() - sent < kDhcpRefusalWindowMs) break;
            if (!c.row.dhcp && !showsSettings(*event.camera, c.wanted)) break;
            c.outcome = c.row.dhcp ? Outcome::SentNotConfirmed : Outcome::Confirmed;
            open.erase(i);
            break;
        }
    }
    std::vector<size_t> again;
    for (size_t i : open) {
        if (ambiguous) again.push_back(i);
        else
            changes[i].outcome = search.failed()       ? Outcome::Failed
                                 : changes[i].row.dhcp ? Outcome::SentNotConfirmed
                                                       : Outcome::NotConfirmed;
    }
    return again;
}

void apply(CameraSearch& search, const ProvisionOptions& o, std::vector<Change>& changes,
           const CameraInfo& credentials) {
    std::vector<size_t> queue, alone;
    for (size_t i = 0; i < changes.size(); ++i)
        if (changes[i].outcome == Outcome::Pending) (changes[i].row.dhcp ? alone : queue).push_back(i);
    while (!queue.empty() || !alone.empty()) {
        std::vector<size_t> batch;
        if (!alone.empty()) {
            batch.push_back(alone.front());
            alone.erase(alone.begin());
        } else {
            const size_t n = std::min<size_t>(o.jobs, queue.size());
            batch.assign(queue.begin(), queue.begin() + static_cast<std::ptrdiff_t>(n));
            queue.erase(queue.begin(), queue.begin() + static_cast<std::ptrdiff_t>(n));
        }
        for (size_t i : sendBatch(search, o, changes, batch, credentials)) alone.push_back(i);
    }
}

std::string settingsText(const CameraInfo& c, bool dhcp) {
    if (dhcp) return "dhcp :" + std::to_string(toHostPort(c.httpPort));
    return dottedQuad(c.ip) + " mask " + dottedQuad(c.mask) + " gw " + dottedQuad(c.gateway) + " dns " +
           dottedQuad(c.dns) + " :" + std::to_string(toHostPort(c.httpPort));
}

void report(const ProvisionOptions& o, const std::vector<Change>& changes) {
    if (o.json) {
        std::string out = "[";
        for (const Change& c : changes)
            out += (out.size() > 1 ? ",{" : "{") + std::string("\"id\":") + jsonString(c.row.id) +
                   ",\"line\":" + std::to_string(c.row.line) + ",\"current\":" + networkSettingsJson(c.current, false) +
                   ",\"planned\":" + networkSettingsJson(c.wanted, c.row.dhcp) + ",\"outcome\":\"" +
                   outcomeWord(c.outcome) + "\"}";
        std::printf("%s]\n", out.c_str());
        return;
    }
    for (const Change& c : changes)
        std::printf("%s  %s -> %s  %s\n", terminalSafe(c.row.id).c_str(), settingsText(c.current, false).c_str(),
                    settingsText(c.wanted, c.row.dhcp).c_str(), outcomeWord(c.outcome));
}

int exitStatusOf(const std::vector<Change>& changes) {
    int status = kExitOk;
    for (const Change& c : changes) status = worseStatus(status, exitStatusOf(c.outcome));
    return status;
}

bool readFile(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    *text = all.str();
    return static_cast<bool>(in) || in.eof();
}

int provision(const ProvisionOptions& o) {
    selectToolLanguage(o.language);
    std::string text;
    if (!readFile(o.plan, &text)) return diagnose("cannot read the plan " + o.plan), kExitUsage;
    std::vector<PlanRow> rows;
    std::vector<std::string> errors;
    readPlan(text, &rows, &errors);
    for (const PlanRow& r : rows) checkCells(r, &errors);
    for (const PlanRow& r : rows)
        if (!fitsGbk("the ID on line " + std::to_string(r.line), r.id)) return kExitInvalid;
    for (const std::string& e : errors) diagnose(o.plan + ": " + e);
    if (!errors.empty()) return diagnose("nothing was sent"), kExitInvalid;

    CameraInfo credentials{};
    int status = kExitOk;
    if (!takeUser(o.credentials, &credentials, &status)) return status;
    if (!o.dryRun && !takePassword(o.credentials, &credentials, &status)) return status;

    CameraSearch search;
    std::vector<CameraInfo> everyone;
    if (!search.searchAll(o.searchMs, &everyone, &status)) return status;
    std::vector<Change> changes;
    bool missing = false, conflict = false;
    for (const PlanRow& r : rows) {
        Change c;
        c.row = r;
        const auto it = std::find_if(everyone.begin(), everyone.end(),
                                     [&](const CameraInfo& f) { return fieldText(f.deviceId) == cameraIdOf(r.id); });
        if (it == everyone.end()) {
            errors.push_back(where(r) + "did not answer the search");
            missing = true;
            continue;
        }
        if (it->conflict) {
            errors.push_back(where(r) + systemText(kTextIdConflict) + " (" + dottedQuad(it->sender) + ", " +
                             dottedQuad(it->conflictSender) + ")");
            conflict = true;
            continue;
        }
        c.current = *it;
        if (plan(c, &errors)) changes.push_back(c);
    }
    if (errors.empty()) findConflicts(changes, everyone, &errors);
    for (const std::string& e : errors) diagnose(o.plan + ": " + e);
    if (!errors.empty())
        return diagnose("nothing was sent"), missing ? kExitNotFound : conflict ? kExitConflict : kExitInvalid;

    for (Change& c : changes)
        if (!c.row.dhcp && showsSettings(c.current, c.wanted)) c.outcome = Outcome::Unchanged;
    if (o.dryRun) {
        for (Change& c : changes)
            if (c.outcome == Outcome::Pending) c.outcome = Outcome::WouldChange;
        report(o, changes);
        return kExitOk;
    }
    apply(search, o, changes, credentials);
    for (const Change& c : changes)
        if (c.outcome != Outcome::Unchanged)
            record(o.journal, {"provision", gbkToUtf8(fieldText(c.current.deviceId)), c.current.ip,
                               networkSettingsJson(c.current, false), networkSettingsJson(c.wanted, c.row.dhcp),
                               outcomeWord(c.outcome)});
    report(o, changes);
    return exitStatusOf(changes);
}

}  // namespace

Subcommand addProvisionCommand(CLI::App& cli) {
    return addSubcommand<ProvisionOptions>(cli, kProvisionText, declareOptions, provision);
}

}  // namespace lenscout
