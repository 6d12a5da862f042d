// Where the running program's executable is said to be. Tests point it at a temporary
// folder so that the program finds its files there; the product never calls this.
#pragma once

#include <string>

namespace kernel {

void setModuleFileNameForTesting(const std::string& path);  // empty restores the real one

}  // namespace kernel
