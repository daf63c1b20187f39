#include "tools/cli/StagedProgress.h"

#include <algorithm>

void TStagedProgress::BeginStage(int from, int to) {
    from_ = from;
    to_ = to;
    position_ = 0;
}

void TStagedProgress::SetPosition(int position) {
    position_ = position;
    const int shown = from_ + std::clamp(position, 0, 100) * (to_ - from_) / 100;
    if (shown > bar_.Position()) {
        bar_.SetPosition(shown);
    }
}
