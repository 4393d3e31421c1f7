#include "site/site_plan.h"

#include <algorithm>
#include <map>

#include "discovery/camera_text.h"
#include "platform/socket.h"
#include "platform/text_codecs.h"
#include "ui/network_settings.h"

namespace lenscout {

PlanIssue rowIssue(const PlanRow& r, PlanProblem problem, uint32_t address) {
    PlanIssue issue;
    issue.line = r.line;
    issue.id = r.id;
    issue.problem = problem;
    issue.address = address;
    return issue;
}

namespace {

std::string valueOr(const std::optional<std::string>& cell, uint32_t current) {
    return cell ? *cell : dottedQuad(current);
}

PlanIssue badSetting(const PlanRow& r, SettingsError error) {
    PlanIssue issue = rowIssue(r, PlanProblem::BadSetting);
    issue.setting = error;
    return issue;
}

// The first of the network's addresses that a host cannot hold, if `ip` is one.
bool notHost(const CameraInfo& s, AddressRole* role) {
    const uint32_t host = toHostLong(s.ip), mask = toHostLong(s.mask);
    const std::pair<bool, AddressRole> checks[] = {{(host & ~mask) == 0, AddressRole::Network},
                                                   {(host | mask) == 0xffffffffu, AddressRole::Broadcast},
                                                   {s.ip == s.gateway, AddressRole::Gateway},
                                                   {s.ip == s.dns, AddressRole::Dns}};
    for (const auto& [hit, which] : checks)
        if (hit) return *role = which, true;
    return false;
}

}  // namespace

void checkCells(const PlanRow& r, std::vector<PlanIssue>* errors) {
    const std::pair<const std::optional<std::string>*, SettingsError> cells[] = {
        {&r.ip, SettingsError::BadAddress},
        {&r.mask, SettingsError::BadMask},
        {&r.gateway, SettingsError::BadGateway},
        {&r.dns, SettingsError::BadDns}};
    uint32_t ignored = 0;
    for (const auto& [cell, error] : cells)
        if (*cell && !parseIpv4((*cell)->c_str(), &ignored)) errors->push_back(badSetting(r, error));
    if (r.port) {
        // The dialog's field keeps the low 16 bits; a typed 65616 is no 80.
        const int32_t port = portFieldValue(*r.port);
        if (port < 1 || port > 65535 || checkPort(port) != SettingsError::None)
            errors->push_back(badSetting(r, SettingsError::BadPort));
    }
    if (!errors->empty() || !r.port || !(r.dhcp || (r.ip && r.mask && r.gateway && r.dns))) return;
    // In DHCP mode the addresses are not looked at, and may be blank.
    const std::string ip = r.ip.value_or(""), mask = r.mask.value_or(""), gateway = r.gateway.value_or(""),
                      dns = r.dns.value_or("");
    const NetworkSettings s = ValidateNetworkSettings(portFieldValue(*r.port), r.dhcp, ip.c_str(), mask.c_str(),
                                                      gateway.c_str(), dns.c_str());
    if (s.error != SettingsError::None) errors->push_back(badSetting(r, s.error));
}

bool loadPlan(const std::string& path, std::vector<PlanRow>* rows, std::vector<std::string>* errors,
              std::vector<PlanIssue>* issues) {
    std::string text;
    if (!readTextFile(path, &text)) return false;
    readPlan(text, rows, errors);
    for (const PlanRow& r : *rows) {
        checkCells(r, issues);
        if (utf8ToGbk(r.id).empty() || gbkToUtf8(utf8ToGbk(r.id)) != r.id)
            issues->push_back(rowIssue(r, PlanProblem::NotGbk));
    }
    return true;
}

bool planChange(Change& c, std::vector<PlanIssue>* errors) {
    const PlanRow& r = c.row;
    const std::string ip = valueOr(r.ip, c.current.ip), mask = valueOr(r.mask, c.current.mask),
                      gateway = valueOr(r.gateway, c.current.gateway), dns = valueOr(r.dns, c.current.dns);
    const int32_t port = r.port ? portFieldValue(*r.port) : toHostPort(c.current.httpPort);
    const NetworkSettings s =
        ValidateNetworkSettings(port, r.dhcp, ip.c_str(), mask.c_str(), gateway.c_str(), dns.c_str());
    if (s.error != SettingsError::None) return errors->push_back(badSetting(r, s.error)), false;
    c.wanted = c.current;
    c.wanted.httpPort = toNetPort(s.port);
    c.wanted.ip = s.ip, c.wanted.mask = s.mask, c.wanted.gateway = s.gateway, c.wanted.dns = s.dns;
    PlanIssue issue = rowIssue(r, PlanProblem::NotHost, s.ip);
    if (r.dhcp || !notHost(c.wanted, &issue.role)) return true;
    return errors->push_back(issue), false;
}

namespace {

// Whether the change takes its camera to another fixed address.
bool moves(const Change& c) { return !c.row.dhcp && c.wanted.ip != c.current.ip; }
// Whether it takes its camera away from the address it holds now.
bool leaves(const Change& c) { return c.row.dhcp || c.wanted.ip != c.current.ip; }

struct Holder {
    std::string id;  // UTF-8, for messages
    const Change* change = nullptr;
};

// The first few IDs in order, so that a message reads the same every run.
std::string namesOf(const std::vector<Holder>& holders) {
    constexpr size_t kNamed = 5;
    std::vector<std::string> ids;
    for (const Holder& h : holders) ids.push_back(h.id);
    std::sort(ids.begin(), ids.end());
    std::string text;
    for (size_t i = 0; i < ids.size() && i < kNamed; ++i) text += (i ? ", " : "") + ids[i];
    if (holders.size() > kNamed) text += " and " + std::to_string(holders.size() - kNamed) + " more";
    return text;
}

// Every device that answered, at the address it will hold after the run.
std::map<uint32_t, std::vector<Holder>> endAddresses(const std::vector<Change>& changes,
                                                     const std::vector<CameraInfo>& everyone) {
    std::map<std::string, const Change*> byId;
    for (const Change& c : changes) byId[std::string(fieldText(c.current.deviceId))] = &c;
    std::map<uint32_t, std::vector<Holder>> at;
    for (const CameraInfo& camera : everyone) {
        const std::string id(fieldText(camera.deviceId));
        const auto planned = byId.find(id);
        const Change* c = planned == byId.end() ? nullptr : planned->second;
        if (c && c->row.dhcp) continue;  // its address will be the DHCP server's choice
        at[c ? c->wanted.ip : camera.ip].push_back({gbkToUtf8(id), c});
        // A second device with the ID stays where it is.
        if (camera.conflict) at[camera.conflictIp].push_back({gbkToUtf8(id) + " (its second device)", nullptr});
    }
    // A camera that did not answer keeps the address planned for it.
    for (const Change& c : changes)
        if (c.outcome == Outcome::NotFound && c.wanted.ip)
            at[c.wanted.ip].push_back({c.row.id + " (not found)", nullptr});
    return at;
}

}  // namespace

void judgeEndState(const std::vector<Change>& changes, const std::vector<CameraInfo>& everyone,
                   const std::vector<Ipv4Interface>& own, std::vector<PlanIssue>* errors,
                   std::vector<PlanIssue>* warnings, bool allowShared) {
    for (const Change& c : changes)
        for (const Ipv4Interface& i : own)
            if (moves(c) && i.addr == c.wanted.ip)
                errors->push_back(rowIssue(c.row, PlanProblem::OwnAddress, c.wanted.ip));
    for (const auto& [ip, holders] : endAddresses(changes, everyone)) {
        if (holders.size() < 2) continue;
        bool anyMoved = false;
        for (const Holder& h : holders)
            if (h.change && moves(*h.change)) {
                anyMoved = true;
                PlanIssue issue = rowIssue(h.change->row, PlanProblem::SharedAddress, ip);
                issue.count = holders.size();
                issue.names = namesOf(holders);
                (allowShared ? warnings : errors)->push_back(issue);
            }
        if (anyMoved) continue;
        PlanIssue warning;
        warning.problem = PlanProblem::StillShared;
        warning.address = ip;
        warning.count = holders.size();
        warning.names = namesOf(holders);
        warnings->push_back(warning);
    }
}

namespace {

// Depth-first: 0 unseen, 1 on the path, 2 done. True when the moves that
// must go before `i` lead round in a ring.
bool inCycle(const std::vector<Change>& changes, size_t i, std::vector<int>& mark) {
    if (mark[i] == 1) return true;
    if (mark[i] == 2) return false;
    mark[i] = 1;
    bool cycle = false;
    for (size_t j : changes[i].after) cycle = inCycle(changes, j, mark) || cycle;
    mark[i] = 2;
    return cycle;
}

}  // namespace

void orderMoves(std::vector<Change>& changes, std::vector<PlanIssue>* errors) {
    for (size_t i = 0; i < changes.size(); ++i) {
        changes[i].after.clear();
        if (!moves(changes[i]) || changes[i].outcome != Outcome::Pending) continue;
        for (size_t j = 0; j < changes.size(); ++j)
            if (j != i && changes[j].current.ip == changes[i].wanted.ip && leaves(changes[j]))
                changes[i].after.push_back(j);
    }
    for (size_t i = 0; i < changes.size(); ++i) {
        std::vector<int> mark(changes.size(), 0);
        if (inCycle(changes, i, mark) && !changes[i].after.empty())
            errors->push_back(rowIssue(changes[i].row, PlanProblem::Ring, changes[i].wanted.ip));
    }
}

}  // namespace lenscout
