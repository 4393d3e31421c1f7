#include "cli/settings_report.h"

#include <cstdio>

#include "cli/cli_messages.h"
#include "cli/plan_messages.h"
#include "discovery/camera_text.h"
#include "site/camera_json.h"
#include "site/output_text.h"

namespace lenscout {

namespace {

std::string settingsText(const Change& c, const CameraInfo& s, bool dhcp) {
    if (c.outcome == Outcome::NotFound && &s == &c.current) return "-";
    if (dhcp) return "dhcp :" + std::to_string(toHostPort(s.httpPort));
    return dottedQuad(s.ip) + " mask " + dottedQuad(s.mask) + " gw " + dottedQuad(s.gateway) + " dns " +
           dottedQuad(s.dns) + " :" + std::to_string(toHostPort(s.httpPort));
}

const char* noticeText(RunNotice notice) {
    switch (notice) {
    case RunNotice::RefusalUnpinned:
        return "a camera refused the user or password; %lld requests went to its address, so each of them is tried "
               "again alone";
    case RunNotice::StoppedAtRefusal:
        return "stopped at the first refused login: no other camera is sent the password (--max-failures to go on)";
    case RunNotice::StoppedAfterFailures:
        return "stopped after %lld failures (over --max-failures): no other camera is sent a request";
    case RunNotice::Interrupted: return "interrupted: no other request is sent; again to stop at once";
    }
    return "";
}

}  // namespace

Json changeObject(const Change& c, const std::vector<PlanIssue>& problems) {
    Json object = changeJson(c);
    Json mine = Json::array();
    bool any = false;
    for (const PlanIssue& p : problems)
        if (p.line == c.row.line) mine.push(planIssueText(p)), any = true;
    if (any) object.set("problems", mine);
    return object;
}

void printChanges(const std::vector<Change>& changes) {
    for (const Change& c : changes)
        std::printf("%s  %s -> %s  %s\n", terminalSafe(c.row.id).c_str(), settingsText(c, c.current, false).c_str(),
                    settingsText(c, c.wanted, c.row.dhcp).c_str(), outcomeWord(c.outcome));
}

void printChangesJson(const std::vector<Change>& changes, const std::vector<PlanIssue>& problems) {
    Json all = Json::array();
    for (const Change& c : changes) all.push(changeObject(c, problems));
    std::printf("%s\n", jsonText(all).c_str());
}

void sayRefused(const std::string& plan, const JudgedPlan& judged) {
    for (const PlanIssue& e : judged.errors) diagnose((plan.empty() ? "" : plan + ": ") + planIssueText(e));
    diagnose("nothing was sent");
}

SendEvents progressEvents(bool json) {
    auto line = [json](const char* event, const Change& c) {
        if (json) {
            Json j = {{"event", event}, {"id", c.row.id}};
            if (c.outcome != Outcome::Pending) j.set("outcome", outcomeWord(c.outcome));
            std::fprintf(stderr, "%s\n", jsonText(j).c_str());
        } else {
            std::fprintf(stderr, "%s: %s\n", terminalSafe(c.row.id).c_str(),
                         c.outcome == Outcome::Pending ? "sent" : outcomeWord(c.outcome));
        }
    };
    auto notice = [](RunNotice n, int64_t count) {
        char text[256];
        std::snprintf(text, sizeof text, noticeText(n), static_cast<long long>(count));
        diagnose(text);
    };
    auto notSent = [](const PlanIssue& issue) { diagnose(planIssueText(issue)); };
    return {[line](const Change& c) { line("sent", c); }, [line](const Change& c) { line("ended", c); }, notice,
            notSent};
}

}  // namespace lenscout
