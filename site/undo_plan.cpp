#include "site/undo_plan.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>

#include "site/output_text.h"

namespace lenscout {

namespace {

std::string text(const Json& j, const char* key) {
    const Json member = j.member(key);
    return member.isString() ? member.str() : std::string("-");
}

bool mayHaveChanged(const std::string& outcome) {
    return outcome != "refused" && outcome != "failed" && outcome != "unchanged" && outcome != "not-sent";
}

std::string settingsCell(const Json& old, const char* key) { return old.has(key) ? old.member(key).str() : ""; }

// A file name's part from an ID: letters, digits, - and _ as they are.
std::string fileNamePart(const std::string& id) {
    std::string part;
    for (const unsigned char c : id) part += std::isalnum(c) || c == '-' || c == '_' ? static_cast<char>(c) : '_';
    return part;
}

}  // namespace

bool readJournalLines(const std::string& path, std::vector<Json>* lines, size_t* unreadable) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    for (std::string line; std::getline(in, line);) {
        Json j;
        if (Json::parseObject(line, &j)) lines->push_back(std::move(j));
        else if (!line.empty())
            ++*unreadable;
    }
    return true;
}

std::vector<UndoRow> undoRows(const std::vector<Json>& lines, const std::string& run) {
    std::map<std::string, Json> old;
    std::vector<std::string> order;
    std::map<std::string, std::string> outcome;
    for (const Json& j : lines) {
        if (text(j, "run") != run || !j.member("old").has("ip")) continue;
        const std::string id = text(j, "id");
        if (old.emplace(id, j.member("old")).second) order.push_back(id);
        if (text(j, "event") == "outcome") outcome[id] = text(j, "outcome");
    }
    std::vector<UndoRow> rows;
    for (const std::string& id : order)
        if (!outcome.count(id) || mayHaveChanged(outcome[id])) rows.push_back({id, old[id]});
    return rows;
}

std::string sharedOldAddress(const std::vector<UndoRow>& rows, size_t* count) {
    std::map<std::string, size_t> held;
    for (const UndoRow& r : rows) ++held[settingsCell(r.old, "ip")];
    for (const auto& [ip, n] : held)
        if (n > 1 && !ip.empty()) return *count = n, ip;
    return "";
}

std::string undoCsv(const std::vector<UndoRow>& rows) {
    std::string plan = "id,ip,mask,gateway,dns,http_port\r\n";
    for (const UndoRow& r : rows) {
        plan += csvField(r.id);
        for (const char* key : {"ip", "mask", "gateway", "dns", "http_port"})
            plan += "," + csvField(settingsCell(r.old, key));
        plan += "\r\n";
    }
    return plan;
}

bool writeUndoPlans(const std::vector<UndoRow>& rows, const std::string& run, const std::string& dir,
                    std::vector<std::string>* paths) {
    for (size_t i = 0; i < rows.size(); ++i) {
        char number[24];
        std::snprintf(number, sizeof number, "%03zu", i + 1);
        const std::string path =
            dir + "/undo-" + fileNamePart(run) + "-" + number + "-" + fileNamePart(rows[i].id) + ".csv";
        std::ofstream out(path, std::ios::binary);
        if (!(out << undoCsv({rows[i]})) || !out.flush()) return false;
        paths->push_back(path);
    }
    return true;
}

}  // namespace lenscout
