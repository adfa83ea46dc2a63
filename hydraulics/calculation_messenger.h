#pragma once

#include <set>
#include <string>

#include "data/application_texts.h"
#include "hydraulics/user_interaction.h"

namespace heatnet {

// The calculation's way to the person. Informational messages are shown once per
// distinct text: the sizing loop walks the network again after every enlargement
// and would otherwise repeat them on every pass.
class CalculationMessenger {
public:
    explicit CalculationMessenger(UserInteraction& person) : person_(person) {}

    void Inform(const std::string& text) {
        if (shown_.insert(text).second) person_.ShowMessage(text, kApplicationTitle);
    }
    // A message after which the calculation cannot go on; the caller stops.
    void Refuse(const std::string& text) { person_.ShowMessage(text, kApplicationTitle); }
    void Trace(const std::string& line) { person_.Trace(line); }
    // False when the person has asked to stop: told so, as by a refusal.
    bool KeepAlive(const CalculationProgress& progress) {
        if (person_.KeepAlive(progress)) return true;
        cancelled_ = true;
        Refuse("计算已取消。");
        return false;
    }
    bool Cancelled() const { return cancelled_; }

    UserInteraction& Person() { return person_; }

private:
    UserInteraction& person_;
    std::set<std::string> shown_;
    bool cancelled_ = false;
};

}  // namespace heatnet
