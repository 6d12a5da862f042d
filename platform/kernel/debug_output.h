// Where OutputDebugStringA goes. Without a debugger its text is not seen: it is written
// to stderr only when the environment variable EDITOR_DEBUG_OUTPUT is set (to anything),
// and a test may listen to it.
#pragma once

#include <functional>

namespace kernel {

// Receives every text passed to OutputDebugStringA; an empty function stops listening.
void setDebugOutputListener(std::function<void(const char*)> listener);

}  // namespace kernel
