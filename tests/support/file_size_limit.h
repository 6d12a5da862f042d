// A file size limit for the whole process (as a quota would set): writes that would grow
// a file past it are refused.
#pragma once

#include <cstddef>

namespace editor {

class FileSizeLimit {
public:
    FileSizeLimit();   // no limit yet; refusals come back as errors, not as a signal
    ~FileSizeLimit();  // the previous limit again
    void set(size_t bytes);
    void lift();

private:
    unsigned long long previous_;
};

}  // namespace editor
