// The order in which windows heard of things, with the parameters left out, for tests
// that pin an order but whose parameters are pointers or do not matter.
#pragma once

#include "message_recorder.h"

#include <utility>
#include <vector>

namespace testmsg {

using Step = std::pair<HWND, UINT>;

inline std::vector<Step> steps(std::initializer_list<UINT> messages) {
    std::vector<Step> out;
    for (const Received& r : sequence(messages)) out.push_back({r.window, r.message});
    return out;
}

// The same for one window: its messages of these numbers, in order.
inline std::vector<UINT> stepsOf(HWND window, std::initializer_list<UINT> messages) {
    std::vector<UINT> out;
    for (const Received& r : sequence(messages))
        if (r.window == window) out.push_back(r.message);
    return out;
}

}  // namespace testmsg
