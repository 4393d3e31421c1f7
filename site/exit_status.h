#pragma once
// The exit statuses of lenscout-cli and lenscout-scan, from the list in
// cmake/facts.cmake that --help and the manual page also take them from.

#include "lenscout_facts.h"

namespace lenscout {

#define LENSCOUT_EXIT_ENUM(name, status, meaning) name = status,
enum ExitStatus { LENSCOUT_EXIT_STATUSES(LENSCOUT_EXIT_ENUM) };
#undef LENSCOUT_EXIT_ENUM

}  // namespace lenscout
