#include "ui/camera_fields.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "site/inventory_format.h"
#include "site/plan_csv.h"
#include "site/scan_format.h"
#include "ui/properties_layout.h"

namespace lenscout {
namespace {

std::vector<std::string> keys(FieldUse use) {
    std::vector<std::string> k;
    for (const CameraField* f : fieldsFor(use)) k.push_back(f->key);
    return k;
}

// The inventory's columns and their order are a documented interface.
TEST(CameraFields, TheInventorysColumnsInTheirOrder) {
    EXPECT_EQ(keys(kInInventory),
              (std::vector<std::string>{"id", "name", "ip", "mask", "gateway", "dns", "http_port", "firmware", "webui",
                                        "same_subnet", "interface", "local_address", "sender", "conflict",
                                        "conflict_sender", "conflict_ip"}));
    EXPECT_EQ(keys(kInSettings), (std::vector<std::string>{"ip", "mask", "gateway", "dns", "http_port"}));
    EXPECT_EQ(keys(kInProperties), (std::vector<std::string>{"id", "ip", "firmware", "webui", "sender"}));
}

TEST(CameraFields, KeysAreDistinctAndShownFieldsHaveTheirControls) {
    std::set<std::string> seen;
    for (const CameraField& f : cameraFields()) {
        EXPECT_TRUE(seen.insert(f.key).second) << f.key;
        if (f.uses & kInProperties) {
            EXPECT_NE(f.labelRow, 0) << f.key << " is shown without a label";
        }
    }
}

// The properties dialog grows a row per field, and its label column to the
// widest label; the controls' numbers are distinct.
TEST(PropertiesLayout, ARowPerFieldAndRoomForTheWidestLabel) {
    const PropertiesLayout narrow = propertiesLayout(), wide = propertiesLayout(150);
    ASSERT_EQ(narrow.rows.size(), fieldsFor(kInProperties).size());
    EXPECT_EQ(narrow.frame.width, 195);
    EXPECT_EQ(narrow.frame.height, 113);
    std::set<int> ids;
    for (size_t i = 0; i < narrow.rows.size(); ++i) {
        const PropertiesRow& r = narrow.rows[i];
        EXPECT_EQ(r.field, fieldsFor(kInProperties)[i]);
        EXPECT_TRUE(ids.insert(r.labelId).second && ids.insert(r.valueId).second);
        EXPECT_GE(r.value.x, r.label.x + r.label.width) << "the value starts after its label";
        EXPECT_LE(r.value.x + r.value.width, narrow.frame.width);
        EXPECT_LT(r.value.y + r.value.height, narrow.button.y);
        EXPECT_EQ(wide.rows[i].label.width, 150);
        EXPECT_EQ(wide.rows[i].value.x - wide.rows[i].label.x, r.value.x - r.label.x + 150 - r.label.width);
    }
    EXPECT_EQ(wide.frame.width - narrow.frame.width, 150 - kPropertiesLabelWidth);
    EXPECT_LE(narrow.button.x + narrow.button.width, narrow.frame.width);
}

// What the README's "Adding things" promises of a new field: its entry in
// the table is all that scan's two forms, inventory's two forms and a plan
// need, so each field of the table is looked for in each of them.
TEST(CameraFields, EachFieldReachesEveryOutputItIsMarkedFor) {
    CameraInfo camera{};
    const std::string csv = inventoryCsv({camera}, nullptr);
    const std::string header = csv.substr(0, csv.find('\r'));
    const std::string json = inventoryJson({camera}, nullptr);
    const std::string scanText = foundCameraLine(camera, false), scanJson = foundCameraLine(camera, true);
    for (const CameraField& f : cameraFields()) {
        EXPECT_NE(f.uses, 0u) << f.key << " is shown nowhere";
        const std::string key = f.key, quoted = "\"" + key + "\":";
        if (f.uses & kInScan) {
            EXPECT_NE(scanText.find(" " + std::string(f.scanKey) + "="), std::string::npos) << key << ": " << scanText;
            EXPECT_NE(scanJson.find(quoted), std::string::npos) << key << ": " << scanJson;
        }
        if (f.uses & kInInventory) {
            EXPECT_NE(("," + header + ",").find("," + key + ","), std::string::npos) << key << ": " << header;
            EXPECT_NE(json.find(quoted), std::string::npos) << key << ": " << json;
            std::vector<PlanRow> rows;
            std::vector<std::string> errors;
            EXPECT_TRUE(readPlan("id," + key + "\nCAM,\n", &rows, &errors) || key == "id")
                << key << " is no plan column";
        }
    }
}

}  // namespace
}  // namespace lenscout
