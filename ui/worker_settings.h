#pragma once
// What the choice settings do to a running discovery worker, for the
// desktops and the command line alike: the one place that turns a setting's
// value into the worker's message.
#include "app/user_settings.h"
#include "platform/thread_queue.h"

namespace lenscout {

// Tells `worker` the setting's value; false when the message could not be
// posted. A setting the worker does not follow is no failure.
bool applyToWorker(ThreadId worker, const Setting& setting, int value);
// Each value `values` hold, in turn.
void applyAllToWorker(ThreadId worker, const SettingValues& values);

}  // namespace lenscout
