#include "file_size_limit.h"

#include <sys/resource.h>
#include <csignal>

namespace editor {

FileSizeLimit::FileSizeLimit() {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit current{};
    getrlimit(RLIMIT_FSIZE, &current);
    previous_ = current.rlim_cur;
}

FileSizeLimit::~FileSizeLimit() {
    rlimit restored{};
    getrlimit(RLIMIT_FSIZE, &restored);
    restored.rlim_cur = previous_;
    setrlimit(RLIMIT_FSIZE, &restored);
}

void FileSizeLimit::set(size_t bytes) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

void FileSizeLimit::lift() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = previous_;
    setrlimit(RLIMIT_FSIZE, &limit);
}

}  // namespace editor
