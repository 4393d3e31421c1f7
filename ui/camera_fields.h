#pragma once
// Every field a camera reports, in one table: its key, its label in the
// dialogs, its text, and where it is shown. The properties dialogs, scan,
// inventory, and the settings in the journal and in provision's JSON all
// read their fields from here, and the properties dialogs are laid out from
// it (properties_layout.h); a new field is one entry and its decode line.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "discovery/camera_info.h"

namespace lenscout {

// The name of an interface by its system index, "" when unknown.
using InterfaceNames = std::function<std::string(uint32_t index)>;

enum class FieldKind {
    Text,     // a text: always quoted
    Dotted,   // an address or version as a dotted quad: a string in JSON
    Number,   // a number in JSON
    Boolean,  // true/false in JSON, yes/no in CSV, 1/0 in scan's line
};

// Where a field is shown.
enum FieldUse : unsigned {
    kInProperties = 1,  // the Basic Properties dialogs, in their order
    kInScan = 2,        // lenscout-scan's and scan's line per camera
    kInInventory = 4,   // inventory's columns, in their order
    kInSettings = 8,    // the network settings of set-network and provision
};

struct CameraField {
    const char* key;
    const char* scanKey;  // the key in scan's line, which is older than the rest
    int labelRow;         // the label's string-table row; 0 for none
    FieldKind kind;
    unsigned uses;
    // The value as UTF-8 text; a camera's own texts come from its GBK. A
    // boolean gives "1" or "0".
    std::string (*text)(const CameraInfo& camera, const InterfaceNames& names);
};

const std::vector<CameraField>& cameraFields();
// The fields of one use, in the table's order.
const std::vector<const CameraField*>& fieldsFor(FieldUse use);

}  // namespace lenscout
