#include "accessibility/label_rule.h"

#include <algorithm>

namespace accessibility {

int labelBeside(const Box& field, const std::vector<Box>& labels) {
    int best = -1;
    int bestGap = 0;
    int bestOverlap = 0;
    for (size_t i = 0; i < labels.size(); ++i) {
        const Box& label = labels[i];
        int overlap = std::min(label.bottom, field.bottom) - std::max(label.top, field.top);
        int lower = std::min(label.bottom - label.top, field.bottom - field.top);
        if (overlap <= 0 || 2 * overlap < lower) continue;  // another row
        int gap = std::max(label.left - field.right, field.left - label.right);
        if (gap < 0) continue;  // above, below or across the field: not beside it
        if (best < 0 || gap < bestGap || (gap == bestGap && overlap > bestOverlap)) {
            best = static_cast<int>(i);
            bestGap = gap;
            bestOverlap = overlap;
        }
    }
    return best;
}

}  // namespace accessibility
