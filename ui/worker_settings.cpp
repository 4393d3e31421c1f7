#include "ui/worker_settings.h"

#include "discovery/message_ids.h"

namespace lenscout {

namespace {

struct WorkerSetting {
    const Setting& setting;
    uint32_t message;
    uintptr_t scale;  // the message's unit per unit of the setting
};

const WorkerSetting kWorkerSettings[] = {
    {searchPeriodSetting(), TM_SET_PERIOD, 1000},  // seconds, as milliseconds
};

}  // namespace

bool applyToWorker(ThreadId worker, const Setting& setting, int value) {
    for (const WorkerSetting& w : kWorkerSettings)
        if (&w.setting == &setting)
            return postThreadMessage(worker, w.message, static_cast<uintptr_t>(value) * w.scale, 0);
    return true;
}

void applyAllToWorker(ThreadId worker, const SettingValues& values) {
    for (const auto& [setting, value] : values.held()) applyToWorker(worker, *setting, value);
}

}  // namespace lenscout
