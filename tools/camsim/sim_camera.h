#pragma once
// One simulated camera: what it reports in its search replies and how it
// takes a set-network request.
#include <chrono>
#include <cstdint>
#include <string>

#include <vector>

namespace lenscout {

// A set-network request as read from its payload.
struct SetNetworkRequest {
    std::string deviceId, user, password;
    uint32_t ip, mask, gateway, dns;  // network order, as they came
    uint16_t httpPort;                // host order
};

struct SimCamera {
    std::string id;    // raw bytes; 13 of them fill the field without a zero
    std::string name;  // GBK bytes; 21 of them fill the field without a zero
    uint32_t ip = 0;   // network order, like the mask, gateway and DNS server
    uint32_t mask = 0;
    uint32_t gateway = 0;
    uint32_t dns = 0;
    uint16_t httpPort = 80;  // host order
    uint32_t firmwareVersion = 0;
    uint32_t webUiVersion = 0;  // 0: no web interface
    uint32_t unused = 0;        // the reply's four bytes the system drops
    std::string user = "admin";
    std::string password;
    int32_t result = 0;          // code sent after an accepted request; -1 sends none
    int32_t authFailResult = 5;  // code sent when the credentials differ; -1 sends none
    uint32_t resultDelayMs = 0;  // how long it takes to send either code
    std::string upload = "ok";   // how it takes an upload; see kUploadBehaviours
    // After an image it has taken: silent for rebootS seconds, then at
    // nextVersion (of the kind it took) when that is given.
    uint32_t rebootS = 0;
    uint32_t nextVersion = 0;
    std::chrono::steady_clock::time_point silentUntil{};
    // A camera that accepts a request at once but takes the new settings
    // only settleMs later; until then it answers with the old ones.
    // settle=MIN-MAX draws each time within the range, as set-reboot=MIN-MAX
    // does the seconds of silence once a setting has taken: a camera that
    // reboots to apply it.
    uint32_t settleMs = 0, settleMaxMs = 0;
    uint32_t setRebootS = 0, setRebootMaxS = 0;
    uint32_t drawnRebootS = 0;
    bool settling = false;
    SetNetworkRequest settled{};
    std::chrono::steady_clock::time_point settlesAt{};
};

// ok, busy, wrong-id, login-refused, close-hello, close-login, reset-hello,
// reset-login, silent-hello, silent-login, wrong-command, wrong-command-login,
// split, short-hello, stall (stops reading after 1 MiB of the image),
// reset-data (resets at the first block), reset-mid (resets after 1 MiB),
// reset-last (resets at the last block, which it does not store), hold
// (keeps the connection 3 s after the end of the stream), slow-N (answers
// the hello after N ms).
extern const char* const kUploadBehaviours[];
bool isUploadBehaviour(const std::string& name);

// --camera's help: the keys applyCameraSettings takes.
extern const char kCameraSettingsHelp[];

// The camera of the given index on a simulated network based at baseIp.
SimCamera defaultCamera(int index, uint32_t baseIp, uint32_t mask);

// Applies "key=value,key=value"; keys: id, id-hex, name, name-hex, ip, mask,
// gateway, dns, port, firmware, webui, unused, user, password, result,
// authfail, upload, reboot (seconds of silence after an image), next-version
// (the version it then reports), settle (ms before an accepted setting shows).
bool applyCameraSettings(SimCamera* camera, const std::string& settings, std::string* error);

// How a reply goes beyond what the system needs, as real cameras' do.
struct ReplyExtras {
    size_t trailing = 0;   // bytes after the last field
    uint8_t textJunk = 0;  // fills the text fields after their zero
};

// The payload of the camera's search reply (64 bytes and the extras).
std::vector<uint8_t> searchReplyPayload(const SimCamera& camera, const ReplyExtras& extras = {});

// False unless the payload is exactly the request's 61 bytes.
bool parseSetNetwork(const std::vector<uint8_t>& payload, SetNetworkRequest* request);

enum class SetOutcome { NotMine, Applied, BadCredentials };
// Applies the request when it names this camera and its credentials match;
// a settling camera keeps it until settlePendingSettings finds it due.
// `draw` in [0, 1) picks the settle time and the reboot within their ranges.
SetOutcome applySetNetwork(SimCamera& camera, const SetNetworkRequest& request, double draw = 0);
void settlePendingSettings(SimCamera& camera, std::chrono::steady_clock::time_point now);

}  // namespace lenscout
