#pragma once
// The exit statuses of lenscout-cli, as its help and manual page give them.

namespace lenscout {

enum ExitStatus {
    kExitOk = 0,
    kExitFailed = 1,         // the network could not be used, or an upload failed
    kExitUsage = 2,          // a wrong command line, or no password to be had
    kExitInvalid = 3,        // an illegal value or image, or no user name: nothing was sent
    kExitNotFound = 4,       // a camera did not answer the search
    kExitRefused = 5,        // the camera refused the user or password
    kExitTimeout = 6,        // the camera did not confirm in time
};

}  // namespace lenscout
