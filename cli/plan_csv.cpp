#include "cli/plan_csv.h"

#include <algorithm>
#include <map>

namespace lenscout {

bool parseCsv(const std::string& text, std::vector<std::pair<int, std::vector<std::string>>>* records,
              std::string* error) {
    std::vector<std::string> fields(1);
    int line = 1, start = 1;
    bool quoted = false, any = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') fields.back() += '"', ++i;
            else if (c == '"')
                quoted = false;
            else
                fields.back() += c, line += c == '\n';
            continue;
        }
        if (c == '"') {
            quoted = any = true;
        } else if (c == ',') {
            fields.emplace_back(), any = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            if (any || fields.size() > 1 || !fields[0].empty()) records->push_back({start, fields});
            fields.assign(1, std::string());
            any = false;
            start = ++line;
        } else {
            fields.back() += c, any = true;
        }
    }
    if (quoted) return *error = "line " + std::to_string(start) + ": a quote is not closed", false;
    if (any || fields.size() > 1 || !fields[0].empty()) records->push_back({start, fields});
    return true;
}

namespace {

std::string trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::optional<std::string> cell(const std::vector<std::string>& record, const std::map<std::string, size_t>& columns,
                                const char* name) {
    const auto it = columns.find(name);
    if (it == columns.end() || it->second >= record.size()) return std::nullopt;
    std::string value = trimmed(record[it->second]);
    if (value.empty()) return std::nullopt;
    return value;
}

bool dhcpValue(const std::string& text, bool* dhcp) {
    std::string v = text;
    std::transform(v.begin(), v.end(), v.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (v == "yes" || v == "true" || v == "1") return *dhcp = true, true;
    if (v == "no" || v == "false" || v == "0") return *dhcp = false, true;
    return false;
}

}  // namespace

bool readPlan(const std::string& text, std::vector<PlanRow>* rows, std::vector<std::string>* errors) {
    std::vector<std::pair<int, std::vector<std::string>>> records;
    std::string error;
    if (!parseCsv(text, &records, &error)) return errors->push_back(error), false;
    if (records.empty()) return errors->push_back("the plan is empty: it needs a header row"), false;
    std::map<std::string, size_t> columns;
    for (size_t i = 0; i < records[0].second.size(); ++i) columns[trimmed(records[0].second[i])] = i;
    if (!columns.count("id")) return errors->push_back("line 1: the header has no id column"), false;
    std::map<std::string, int> seen;
    for (size_t r = 1; r < records.size(); ++r) {
        const auto& [line, record] = records[r];
        PlanRow row;
        row.line = line;
        row.id = cell(record, columns, "id").value_or("");
        const std::string where = "line " + std::to_string(line) + ": ";
        if (row.id.empty()) {
            errors->push_back(where + "no camera ID");
            continue;
        }
        if (seen.count(row.id))
            errors->push_back(where + row.id + " is planned already on line " + std::to_string(seen[row.id]));
        seen.emplace(row.id, line);
        row.ip = cell(record, columns, "ip");
        row.mask = cell(record, columns, "mask");
        row.gateway = cell(record, columns, "gateway");
        row.dns = cell(record, columns, "dns");
        row.port = cell(record, columns, "http_port");
        const std::optional<std::string> dhcp = cell(record, columns, "dhcp");
        if (dhcp && !dhcpValue(*dhcp, &row.dhcp)) errors->push_back(where + "dhcp is yes or no, not " + *dhcp);
        rows->push_back(row);
    }
    return errors->empty();
}

}  // namespace lenscout
