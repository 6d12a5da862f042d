// The program's windows on the desktop's accessibility bus (AT-SPI), where screen readers,
// magnifiers and other assistive programs find them.
#pragma once

#include <memory>

namespace accessibility {

class Session {
public:
    virtual ~Session() = default;
};

// Joins the bus under the program's name and keeps the accessible tree current until the
// session ends. Null, at no further cost, when there is no bus to join or the user turned
// it off (NO_AT_BRIDGE=1, as for other toolkits).
std::unique_ptr<Session> start(const char* programPath);

}  // namespace accessibility
