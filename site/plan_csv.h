#pragma once
// A provisioning plan: CSV with a header row, one row per camera ID, with
// the inventory's columns. A blank cell keeps the camera's current value;
// `dhcp` (yes or no) may be added; the columns that cannot be set (name,
// versions, same_subnet, interface, local_address, sender, conflict) are
// ignored, so an inventory edited in a spreadsheet is a valid plan, and so
// is every column whose name starts with #, for the technician's notes. What a
// spreadsheet saves is read as it is: UTF-8 with or without a byte-order
// mark, CRLF, `,`, `;` or a tab between cells, header names in any case,
// empty rows at the end. A column that is not one of these, or one given
// twice, is refused by name, so that a misspelt column never passes as
// "keep every value".
#include <optional>
#include <string>
#include <vector>

namespace lenscout {

struct PlanRow {
    int line = 0;  // of the file, for messages
    std::string id;
    std::optional<std::string> ip, mask, gateway, dns, port;
    bool dhcp = false;
};

// The records of RFC 4180 CSV: quoted fields may hold commas, quotes
// (doubled) and line ends; CR LF or LF ends a record. Each record comes with
// the line it starts on. False with `error` for an unterminated quote.
bool parseCsv(const std::string& text, std::vector<std::pair<int, std::vector<std::string>>>* records,
              std::string* error, char separator = ',');
// The separator of a plan: the first `,`, `;` or tab of its header row.
char planSeparator(const std::string& text);
// A cell as inventory meant it: without the ' that kept a spreadsheet from
// taking it for a formula, and with the control bytes that a terminal was
// shown as \xNN.
std::string planCellText(const std::string& cell);

// The plan's rows; false with one message per problem ("line N: ...").
bool readPlan(const std::string& text, std::vector<PlanRow>* rows, std::vector<std::string>* errors);

// The cameras' IDs of a plan or an inventory (a header row with an id
// column), or of a list, one a line. False, with the plan's problems, for a
// file with a header that is no plan: a broken plan, not a list.
bool readIds(const std::string& text, std::vector<std::string>* ids, std::vector<std::string>* errors);

// A plan's or a list's file whole; false when it cannot be read.
bool readTextFile(const std::string& path, std::string* text);

}  // namespace lenscout
