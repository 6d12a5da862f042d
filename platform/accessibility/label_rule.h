// Which label names a field. Win32's own rule (the static control before the field in
// z-order) names every field of a form laid out column by column after the same label;
// a person reads the label standing beside the field instead, so that is the rule here.
#pragma once

#include <vector>

namespace accessibility {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The index in `labels` of the label beside `field` on the same row, or -1. On the same
// row: the two overlap vertically by at least half the height of the lower one (a label
// that touches the field's top edge belongs to the row above). Beside: entirely to the
// right or the left. Of those the nearest; between two as near, the one overlapping more,
// then the earlier.
int labelBeside(const Box& field, const std::vector<Box>& labels);

}  // namespace accessibility
