// Find: the last entry whose key words equal the Find box's text.
#pragma once

#include <cstdint>

int32_t findEntry();
