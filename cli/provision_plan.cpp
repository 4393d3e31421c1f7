#include "cli/provision_plan.h"

#include <algorithm>
#include <map>

#include "cli/tool_language.h"
#include "discovery/camera_text.h"
#include "platform/gbk.h"
#include "platform/socket.h"
#include "ui/failure_texts.h"
#include "ui/network_settings.h"

namespace lenscout {

std::string where(const PlanRow& r) { return "line " + std::to_string(r.line) + ": " + r.id + ": "; }

namespace {

std::string valueOr(const std::optional<std::string>& cell, uint32_t current) {
    return cell ? *cell : dottedQuad(current);
}

}  // namespace

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
        // The dialog's field keeps the low 16 bits; a typed 65616 is no 80.
        const int32_t port = portFieldValue(*r.port);
        if (port < 1 || port > 65535 || checkPort(port) != SettingsError::None)
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

bool planChange(Change& c, std::vector<std::string>* errors) {
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
    return at;
}

}  // namespace

void judgeEndState(const std::vector<Change>& changes, const std::vector<CameraInfo>& everyone,
                   const std::vector<Ipv4Interface>& own, std::vector<std::string>* errors,
                   std::vector<std::string>* warnings) {
    for (const Change& c : changes)
        for (const Ipv4Interface& i : own)
            if (moves(c) && i.addr == c.wanted.ip)
                errors->push_back(where(c.row) + dottedQuad(c.wanted.ip) + " is this computer's address");
    for (const auto& [ip, holders] : endAddresses(changes, everyone)) {
        if (holders.size() < 2) continue;
        bool anyMoved = false;
        for (const Holder& h : holders)
            if (h.change && moves(*h.change)) {
                anyMoved = true;
                errors->push_back(where(h.change->row) + dottedQuad(ip) + " would be held by " +
                                  std::to_string(holders.size()) +
                                  " devices once the plan is done: " + namesOf(holders));
            }
        if (!anyMoved)
            warnings->push_back(dottedQuad(ip) + " is still shared by " + std::to_string(holders.size()) +
                                " cameras once the plan is done: " + namesOf(holders));
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

void orderMoves(std::vector<Change>& changes, std::vector<std::string>* errors) {
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
            errors->push_back(where(changes[i].row) + "its new address " + dottedQuad(changes[i].wanted.ip) +
                              " is held by a camera that the plan moves in a ring back to this one's (a swap): "
                              "no order keeps two cameras off one address on the way. Move one of them to a free "
                              "address in a plan of its own first");
    }
}

}  // namespace lenscout
