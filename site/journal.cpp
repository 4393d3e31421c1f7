#include "site/journal.h"

#include <cstdio>
#include <random>

#include "discovery/camera_text.h"
#include "platform/append_file.h"
#include "platform/text_codecs.h"
#include "site/camera_json.h"

namespace lenscout {

namespace {

// The commands write their journal from one thread only.
std::string isoTime(std::time_t when) {
    char text[32] = "";
    if (const std::tm* utc = std::gmtime(&when)) std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", utc);
    return text;
}

// The run's ID: its start in UTC and a random part, so that runs sort by
// time and two started in one second differ.
std::string newRunId() {
    char text[32] = "";
    const std::time_t now = std::time(nullptr);
    if (const std::tm* utc = std::gmtime(&now)) std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", utc);
    char tail[12];
    std::snprintf(tail, sizeof tail, "-%06x", static_cast<unsigned>(std::random_device{}() & 0xffffff));
    return text + std::string(tail);
}

}  // namespace

std::string journalLine(const std::string& run, const std::string& command, const char* event, const JournalEntry& e,
                        const char* outcome, std::time_t when) {
    Json line = {{"time", isoTime(when)},  {"run", run},   {"command", command},  {"event", event}, {"id", e.id},
                 {"ip", dottedQuad(e.ip)}, {"old", e.old}, {"planned", e.planned}};
    if (outcome) line.set("outcome", outcome);
    return jsonText(line) + "\n";
}

JournalEntry settingsChange(const CameraInfo& current, const CameraInfo& wanted, bool dhcp) {
    return {gbkToUtf8(fieldText(current.deviceId)), current.ip, settingsObject(current, DhcpMode::Unknown),
            settingsObject(wanted, dhcp ? DhcpMode::On : DhcpMode::Off)};
}

std::string journalPath(const JournalOptions& o) {
    if (!o.path.empty()) return o.path;
    const std::string state = userStateDirectory();
    return state.empty() ? "" : state + "/lenscout/journal.jsonl";
}

Journal::Journal(const JournalOptions& options, std::string command, CannotWrite cannotWrite)
    : options_(options), command_(std::move(command)), run_(newRunId()), cannotWrite_(std::move(cannotWrite)) {}

void Journal::attempt(const JournalEntry& entry) {
    write(journalLine(run_, command_, "attempt", entry, nullptr, std::time(nullptr)));
}

void Journal::outcome(const JournalEntry& entry, const char* outcome) {
    write(journalLine(run_, command_, "outcome", entry, outcome, std::time(nullptr)));
}

void Journal::write(const std::string& line) {
    if (options_.off) return;
    const std::lock_guard<std::mutex> hold(lock_);
    const std::string path = journalPath(options_);
    const AppendResult result = path.empty() ? AppendResult::CannotOpen : appendLine(path, line);
    if (result == AppendResult::Written || warned_) return;
    warned_ = true;
    if (cannotWrite_) cannotWrite_(path, result);
}

}  // namespace lenscout
