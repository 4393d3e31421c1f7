#pragma once
// What is wrong with a plan, or worth a warning, as a value: each program
// chooses its own words for it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/network_settings.h"

namespace lenscout {

enum class PlanProblem {
    BadSetting,     // `setting`, as the Network Configuration dialog judges it
    NotGbk,         // the ID has a character that GBK cannot hold
    NotFound,       // the camera did not answer the search
    IdConflict,     // two devices answer with the ID: `address` and `other` sent
    OwnAddress,     // `address` is this computer's
    NotHost,        // `address` is the `role` of the camera's network, no host's
    SharedAddress,  // `address` would be held by `count` devices: `names`
    Ring,           // `address` is held by a camera the plan moves back onto this one's
    NotLeft,        // the camera at `address` did not leave it: this row was not sent
    StillShared,    // a warning: `address` stays shared by `count` cameras: `names`
};

// Which of a network's addresses no camera may take.
enum class AddressRole { Network, Broadcast, Gateway, Dns };

struct PlanIssue {
    int line = 0;    // of the plan; 0 for the site as a whole
    std::string id;  // UTF-8
    PlanProblem problem = PlanProblem::BadSetting;
    SettingsError setting = SettingsError::None;
    AddressRole role = AddressRole::Network;
    uint32_t address = 0, other = 0;  // network order
    size_t count = 0;
    std::string names;  // the first few IDs, in order
};

}  // namespace lenscout
