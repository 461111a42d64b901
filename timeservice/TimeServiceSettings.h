// The seams of the time-service configuration: where progress goes and how long it waits.
#pragma once

#include "timeservice/ServiceWait.h"

#include <functional>

// Receives the progress messages, which the product sends to the debugger only.
using DebugOutput = std::function<void(const wchar_t* message)>;

struct TimeServiceSettings {
    DebugOutput debugOutput = [](const wchar_t* message) { ::OutputDebugStringW(message); };
    ServiceWaitBounds waitBounds = kServiceWaitBounds;
};
