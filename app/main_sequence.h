// The program from start to end.
#pragma once

#include <cstdint>

// Builds the form, opens both translation files, shows the form until the run ends,
// closes the files, deletes the work file and releases everything. Returns 0.
int32_t runEditor();
