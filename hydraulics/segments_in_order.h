#pragma once

#include <vector>

namespace heatnet {

// Segments the sizing walk found in some state, each once, in the order first
// found. Such findings are told in one message per kind once sizing ends: on a
// large network one box per segment would be dozens, or hundreds.
class SegmentsInOrder {
public:
    void Add(int segment) {
        if (segment >= static_cast<int>(found_.size())) found_.resize(segment + 1, false);
        if (found_[segment]) return;
        found_[segment] = true;
        order_.push_back(segment);
    }
    bool Holds(int segment) const {
        return segment < static_cast<int>(found_.size()) && found_[segment];
    }
    const std::vector<int>& InOrder() const { return order_; }

private:
    std::vector<bool> found_;
    std::vector<int> order_;
};

}  // namespace heatnet
