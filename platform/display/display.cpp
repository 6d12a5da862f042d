#include "display/display.h"

#include <cstdio>
#include <cstdlib>

namespace display {

namespace {
std::unique_ptr<Backend>& current() {
    static std::unique_ptr<Backend> instance;
    return instance;
}
}  // namespace

Backend& backend() {
    if (!current()) {
        std::fprintf(stderr, "display: no backend installed\n");
        std::abort();
    }
    return *current();
}

void setBackend(std::unique_ptr<Backend> backend) { current() = std::move(backend); }

bool hasBackend() { return current() != nullptr; }

}  // namespace display
