#pragma once
#include <cstdint>

namespace lenscout {

// Where the worker posts its notifications: the main window, or any other
// consumer. A post must not wait for the message to be handled.
class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    // False when the message could not be delivered; whatever it points to
    // then still belongs to the caller.
    virtual bool postMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

}  // namespace lenscout
