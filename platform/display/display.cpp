#include "display/display.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace display {

namespace {

// A surface of a high-resolution screen is megabytes; touched a page at a time its first
// fill costs a page fault every 4 KiB, which on a virtual machine is most of a start-up's
// extra time at 200 %. Large pages for its aligned middle take that to a few.
void preferLargePages([[maybe_unused]] std::vector<uint32_t>& data, [[maybe_unused]] size_t count) {
#ifdef __linux__
    constexpr size_t kLargePage = size_t(2) << 20;
    if (count * sizeof(uint32_t) < 2 * kLargePage || data.capacity() >= count) return;
    data.clear();
    data.reserve(count);
    auto begin = reinterpret_cast<uintptr_t>(data.data());
    uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    uintptr_t last = (begin + count * sizeof(uint32_t)) & ~(kLargePage - 1);
    if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

}  // namespace

void Pixels::resize(int w, int h, uint32_t fill) {
    width = w;
    height = h;
    size_t count = static_cast<size_t>(w > 0 ? w : 0) * static_cast<size_t>(h > 0 ? h : 0);
    preferLargePages(data, count);
    data.assign(count, fill);
    changed = Rect{0, 0, width, height};
}

void Pixels::markChanged(const Rect& area) {
    Rect r{std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, width), std::min(area.bottom, height)};
    if (r.empty()) return;
    if (changed.empty()) {
        changed = r;
        return;
    }
    changed = Rect{std::min(changed.left, r.left), std::min(changed.top, r.top), std::max(changed.right, r.right),
                   std::max(changed.bottom, r.bottom)};
}

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
