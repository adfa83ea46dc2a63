#pragma once

#include <string>
#include <vector>

#include "hydraulics/user_interaction.h"

namespace heatnet {

// Passes every call of one calculation on to the desktop's interaction and keeps
// what the person was told, in order, so the results window can show it again
// after the boxes are gone.
class RecordingInteraction : public UserInteraction {
public:
    explicit RecordingInteraction(UserInteraction& person) : person_(person) {}

    void ShowMessage(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    void OpenInEditor(const std::string& path) override { person_.OpenInEditor(path); }
    void Trace(const std::string& line) override;
    bool KeepAlive(const CalculationProgress& progress) override {
        return person_.KeepAlive(progress);
    }

    // One line per message, question (with its answer) and low-pressure line.
    const std::vector<std::string>& Transcript() const { return transcript_; }

private:
    UserInteraction& person_;
    std::vector<std::string> transcript_;
};

}  // namespace heatnet
