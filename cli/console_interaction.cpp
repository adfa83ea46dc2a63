#include "data/application_texts.h"
#include "cli/console_interaction.h"

#include <spawn.h>
#include <sys/wait.h>

#include <vector>

extern char** environ;

namespace heatnet {
namespace {

std::string WithoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

}  // namespace

void ConsoleInteraction::ShowMessage(const std::string& text, const std::string& caption) {
    out_ << caption << ": " << WithoutCarriageReturns(text) << '\n' << std::flush;
}

bool ConsoleInteraction::AskYesNo(const std::string& text, const std::string& caption) {
    out_ << caption << ": " << WithoutCarriageReturns(text) << " -> " << (answerYes_ ? "是" : "否")
         << '\n' << std::flush;
    return answerYes_;
}

void ConsoleInteraction::OpenInEditor(const std::string& path) {
    if (openEditor_ && !StartTextEditor(path))
        out_ << kApplicationTitle << ": 无法启动文本编辑器打开 " << path << '\n' << std::flush;
}

void ConsoleInteraction::Trace(const std::string& line) { out_ << line << '\n' << std::flush; }

bool StartTextEditor(const std::string& path) {
    std::string program = "xdg-open";
    std::vector<char*> arguments = {program.data(), const_cast<char*>(path.c_str()), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, program.c_str(), nullptr, nullptr, arguments.data(), environ) != 0)
        return false;
    // xdg-open hands the file to the editor and returns; reap it so no zombie stays.
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace heatnet
