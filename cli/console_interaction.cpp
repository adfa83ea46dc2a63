#include "data/application_texts.h"
#include "cli/console_interaction.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <iostream>

#include <vector>

extern char** environ;

namespace heatnet {
namespace {

std::string WithoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

// A quick calculation shows no line at all; a long one a few times a second.
constexpr auto kProgressDelay = std::chrono::seconds(1);
constexpr auto kProgressInterval = std::chrono::milliseconds(250);

}  // namespace

ConsoleInteraction::ConsoleInteraction(std::ostream& out, bool answerYes, bool openEditor)
    : out_(out), answerYes_(answerYes), openEditor_(openEditor),
      onTerminal_(&out == &std::cerr && isatty(STDERR_FILENO)) {}

bool ConsoleInteraction::KeepAlive(const CalculationProgress& progress) {
    if (!onTerminal_) return true;
    const auto now = std::chrono::steady_clock::now();
    if (started_ == decltype(started_)()) started_ = now;
    if (now - started_ < kProgressDelay || (progressShown_ && now - lastProgress_ < kProgressInterval))
        return true;
    out_ << "\r管径选择:第" << progress.sizingPasses << "遍 …" << std::flush;
    progressShown_ = true;
    lastProgress_ = now;
    return true;
}

void ConsoleInteraction::EndProgressLine() {
    // Back to the line's start and erased to its end (an ANSI sequence every
    // terminal knows), so the next output starts on a clean line.
    if (progressShown_) out_ << "\r\033[K" << std::flush;
    progressShown_ = false;
}

void ConsoleInteraction::ShowMessage(const std::string& text, const std::string& caption) {
    EndProgressLine();
    out_ << caption << ": " << WithoutCarriageReturns(text) << '\n' << std::flush;
}

bool ConsoleInteraction::AskYesNo(const std::string& text, const std::string& caption) {
    EndProgressLine();
    out_ << caption << ": " << WithoutCarriageReturns(text) << " -> " << (answerYes_ ? "是" : "否")
         << '\n' << std::flush;
    return answerYes_;
}

void ConsoleInteraction::OpenInEditor(const std::string& path) {
    EndProgressLine();
    if (openEditor_ && !StartTextEditor(path))
        out_ << kApplicationTitle << ": 无法启动文本编辑器打开 " << path << '\n' << std::flush;
}

void ConsoleInteraction::Trace(const std::string& line) {
    EndProgressLine();
    out_ << line << '\n' << std::flush;
}

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
