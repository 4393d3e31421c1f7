#pragma once
// The exit statuses of lenscout-cli and lenscout-scan. This list is their one
// place: the code, --help and the manual page all take them from it.

// X(name, status, what it means)
#define LENSCOUT_EXIT_STATUSES(X)                                                      \
    X(kExitOk, 0, "success")                                                           \
    X(kExitFailed, 1, "the network could not be used, or an upload failed")            \
    X(kExitUsage, 2, "a wrong command line, or no password to be had")                 \
    X(kExitInvalid, 3, "an illegal value or image, or no user name: nothing was sent") \
    X(kExitNotFound, 4, "a camera did not answer the search")                          \
    X(kExitRefused, 5, "the camera refused the user or password")                      \
    X(kExitTimeout, 6, "the camera did not confirm in time")                           \
    X(kExitUnconfirmed, 7, "sent, but not confirmed: a change to DHCP cannot be seen") \
    X(kExitConflict, 8, "two devices answer with one ID: nothing was sent to it")      \
    X(kExitInterrupted, 130, "interrupted: the outcomes so far are printed")

namespace lenscout {

#define LENSCOUT_EXIT_ENUM(name, status, meaning) name = status,
enum ExitStatus { LENSCOUT_EXIT_STATUSES(LENSCOUT_EXIT_ENUM) };
#undef LENSCOUT_EXIT_ENUM

}  // namespace lenscout
