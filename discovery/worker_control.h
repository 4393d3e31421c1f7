#pragma once
#include "platform/worker_thread.h"

namespace lenscout {

// Ends a discovery worker: posts kQuitThread every 100 ms until the thread has
// returned (a post can fail while its queue is being made or after it has
// gone), then joins it.
void stopWorker(WorkerThread& worker);

}  // namespace lenscout
