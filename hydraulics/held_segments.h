#pragma once

#include <vector>

namespace heatnet {

// The segments the sizing walk found over their limit at the largest standard
// size, in the order first found. They are told in one message once sizing ends:
// on a large network with a too small main line, one box each would be dozens.
class HeldSegments {
public:
    void Hold(int segment) {
        if (segment >= static_cast<int>(held_.size())) held_.resize(segment + 1, false);
        if (held_[segment]) return;
        held_[segment] = true;
        order_.push_back(segment);
    }
    const std::vector<int>& InOrder() const { return order_; }

private:
    std::vector<bool> held_;
    std::vector<int> order_;
};

}  // namespace heatnet
