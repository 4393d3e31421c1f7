#include "ui/camera_fields.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

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
        const bool shown = (f.uses & kInProperties) != 0;
        EXPECT_EQ(shown, f.labelControl != 0 && f.valueControl != 0 && f.labelRow != 0) << f.key;
    }
}

}  // namespace
}  // namespace lenscout
