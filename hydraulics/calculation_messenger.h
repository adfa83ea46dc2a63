#pragma once

#include <atomic>
#include <set>
#include <string>
#include <vector>

#include "data/application_texts.h"
#include "hydraulics/user_interaction.h"

namespace heatnet {

// The calculation's way to the person. Informational messages are shown once per
// distinct text: the sizing loop walks the network again after every enlargement
// and would otherwise repeat them on every pass.
class CalculationMessenger {
public:
    // One thing the calculation said: a message it goes on after, or a refusal.
    struct Said {
        bool refusal = false;
        std::string text;
    };

    explicit CalculationMessenger(UserInteraction& person) : person_(&person) {}
    // For a sizing pass solved ahead of its turn on another thread: what it says
    // is kept, in order, and said by the real messenger when the pass is taken
    // (Replay); it is asked to stop through `stop`.
    CalculationMessenger(std::vector<Said>& kept, const std::atomic<bool>& stop) : kept_(&kept), stop_(&stop) {}

    void Inform(const std::string& text) {
        if (!shown_.insert(text).second) return;
        if (kept_) kept_->push_back({false, text});
        else person_->ShowMessage(text, kApplicationTitle);
    }
    // A message after which the calculation cannot go on; the caller stops.
    void Refuse(const std::string& text) {
        if (kept_) kept_->push_back({true, text});
        else person_->ShowMessage(text, kApplicationTitle);
    }
    void Trace(const std::string& line) { person_->Trace(line); }
    // False when the person has asked to stop: told so, as by a refusal.
    bool KeepAlive(const CalculationProgress& progress) {
        if (kept_) return !stop_->load(std::memory_order_relaxed);
        if (person_->KeepAlive(progress)) return true;
        cancelled_ = true;
        Refuse("计算已取消。");
        return false;
    }
    bool Cancelled() const { return cancelled_; }

    // Says what a pass solved ahead said, as if it had been said here then.
    void Replay(const std::vector<Said>& said) {
        for (const Said& line : said) line.refusal ? Refuse(line.text) : Inform(line.text);
    }
    // A keeping messenger starts each pass afresh: the passes before it were said
    // by the real messenger, which knows what it has shown.
    void ForgetShown() { shown_.clear(); }

private:
    UserInteraction* person_ = nullptr;
    std::vector<Said>* kept_ = nullptr;
    const std::atomic<bool>* stop_ = nullptr;
    std::set<std::string> shown_;
    bool cancelled_ = false;
};

}  // namespace heatnet
