#pragma once

#include <string>

#include "hydraulics/user_interaction.h"

namespace heatnet {

// The person at the screen as the benchmarks and the sizing tests need one: says
// No to the workbook question and lets every message pass unseen, so that nothing
// but the calculation itself is timed or looked at.
class QuietInteraction final : public UserInteraction {
public:
    void ShowMessage(const std::string&, const std::string&) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    void OpenInEditor(const std::string&) override {}
    void Trace(const std::string&) override {}
};

}  // namespace heatnet
