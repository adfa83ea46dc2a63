#include "app/results/recording_interaction.h"

namespace heatnet {

void RecordingInteraction::ShowMessage(const std::string& text, const std::string& caption) {
    transcript_.push_back("[" + caption + "] " + text);
    person_.ShowMessage(text, caption);
}

bool RecordingInteraction::AskYesNo(const std::string& text, const std::string& caption) {
    const bool yes = person_.AskYesNo(text, caption);
    transcript_.push_back("[" + caption + "] " + text + " —— " + (yes ? "是" : "否"));
    return yes;
}

void RecordingInteraction::Trace(const std::string& line) {
    transcript_.push_back(line);
    person_.Trace(line);
}

}  // namespace heatnet
