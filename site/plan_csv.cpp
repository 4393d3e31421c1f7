#include "site/plan_csv.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "ui/camera_fields.h"

namespace lenscout {

bool parseCsv(const std::string& text, std::vector<std::pair<int, std::vector<std::string>>>* records,
              std::string* error, char separator) {
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
        } else if (c == separator) {
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

namespace {

// The byte of two hex digits at `at`, or -1.
int hexByte(const std::string& text, size_t at) {
    int value = 0;
    for (size_t i = at; i < at + 2; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!std::isxdigit(c)) return -1;
        value = value * 16 + (std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10);
    }
    return value;
}

}  // namespace

char planSeparator(const std::string& text) {
    // The header row's first separator outside quotes: a spreadsheet saves
    // with the list separator of its locale.
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == ',' || c == ';' || c == '\t') return c;
        if (c == '\n' || c == '\r') break;
    }
    return ',';
}

std::string planCellText(const std::string& cell) {
    std::string text = cell;
    // What inventory wrote so that a spreadsheet would not run it.
    if (text.size() > 1 && text[0] == '\'' && std::string("=+-@\t\r").find(text[1]) != std::string::npos)
        text.erase(0, 1);
    // A control byte that a terminal was shown as \xNN.
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const int value = i + 3 < text.size() && text.compare(i, 2, "\\x") == 0 ? hexByte(text, i + 2) : -1;
        if (value >= 0 && (value < 0x20 || value == 0x7f)) {
            out += static_cast<char>(value);
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

namespace {

// Whether a plan may have the column: those of inventory, and dhcp.
bool isPlanColumn(const std::string& name) {
    if (name == "dhcp") return true;
    const std::vector<const CameraField*>& columns = fieldsFor(kInInventory);
    return std::any_of(columns.begin(), columns.end(), [&](const CameraField* f) { return name == f->key; });
}

std::string lowered(const std::string& s) {
    std::string v = s;
    std::transform(v.begin(), v.end(), v.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return v;
}

bool readHeader(const std::vector<std::string>& header, std::map<std::string, size_t>* columns,
                std::vector<std::string>* errors) {
    for (size_t i = 0; i < header.size(); ++i) {
        const std::string name = lowered(trimmed(header[i]));
        if (name.empty() && i + 1 == header.size()) continue;  // a separator at the end
        if (name[0] == '#') continue;                          // the technician's notes
        if (!isPlanColumn(name))
            errors->push_back("line 1: unknown column \"" + header[i] +
                              "\" (the columns are those of inventory, and dhcp; a column of notes starts with #)");
        else if (!columns->emplace(name, i).second)
            errors->push_back("line 1: the column " + name + " is there twice");
    }
    if (errors->empty() && !columns->count("id")) errors->push_back("line 1: the header has no id column");
    return errors->empty();
}

// A spreadsheet's UTF-8 starts with a byte-order mark.
std::string withoutByteOrderMark(const std::string& text) {
    return text.rfind("\xEF\xBB\xBF", 0) == 0 ? text.substr(3) : text;
}

bool blankRecord(const std::vector<std::string>& record) {
    return std::all_of(record.begin(), record.end(), [](const std::string& f) { return trimmed(f).empty(); });
}

}  // namespace

bool readPlan(const std::string& given, std::vector<PlanRow>* rows, std::vector<std::string>* errors) {
    const std::string text = withoutByteOrderMark(given);
    std::vector<std::pair<int, std::vector<std::string>>> records;
    std::string error;
    if (!parseCsv(text, &records, &error, planSeparator(text))) return errors->push_back(error), false;
    // Rows of empty cells, as a spreadsheet leaves below a table, are no rows.
    records.erase(std::remove_if(records.begin(), records.end(), [](const auto& r) { return blankRecord(r.second); }),
                  records.end());
    if (records.empty()) return errors->push_back("the plan is empty: it needs a header row"), false;
    std::map<std::string, size_t> columns;
    if (!readHeader(records[0].second, &columns, errors)) return false;
    std::map<std::string, int> seen;
    for (size_t r = 1; r < records.size(); ++r) {
        const auto& [line, record] = records[r];
        PlanRow row;
        row.line = line;
        row.id = planCellText(cell(record, columns, "id").value_or(""));
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

bool readIds(const std::string& text, std::vector<std::string>* ids, std::vector<std::string>* errors) {
    std::vector<PlanRow> rows;
    if (readPlan(text, &rows, errors)) {
        for (const PlanRow& r : rows) ids->push_back(r.id);
        return true;
    }
    std::istringstream lines(withoutByteOrderMark(text));
    std::vector<std::string> listed;
    for (std::string line; std::getline(lines, line);) {
        const std::string id = trimmed(line.empty() || line.back() != '\r' ? line : line.substr(0, line.size() - 1));
        if (!id.empty()) listed.push_back(planCellText(id));
    }
    if (!listed.empty() && listed.front().find_first_of(",;\t") != std::string::npos) return false;
    errors->clear();
    ids->insert(ids->end(), listed.begin(), listed.end());
    return true;
}

bool readTextFile(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    *text = all.str();
    return static_cast<bool>(in) || in.eof();
}

}  // namespace lenscout
