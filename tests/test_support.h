#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "calculation/run_hydraulic_calculation.h"
#include "hydraulics/user_interaction.h"

namespace heatnet::testing {

// Line 1 of a data file with the basic data window's built-in values.
inline const std::string kHeader = " 130 , 70 , 200 , 50 , .4 ";

// Records everything the calculation shows and answers questions as told.
class RecordingInteraction : public UserInteraction {
public:
    bool answerYes = false;
    std::vector<std::string> messages, questions, openedFiles, traces;

    void ShowMessage(const std::string& text, const std::string&) override { messages.push_back(text); }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        questions.push_back(caption + "|" + text);
        return answerYes;
    }
    void OpenInEditor(const std::string& path) override { openedFiles.push_back(path); }
    void Trace(const std::string& line) override { traces.push_back(line); }
};

// A fresh folder under the system's temporary folder, removed at the end.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string SourcePath(const std::string& relative);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// Joins lines with CR LF after each, as data files are written.
std::string CrLfLines(const std::vector<std::string>& lines);
std::vector<std::string> FileNames(const std::filesystem::path& folder);  // sorted
// The text with every "@" replaced by `path`: expected messages name files.
std::string WithPath(std::string text, const std::string& path);

// Runs a calculation with the program's own tables, or those in `program`.
std::unique_ptr<CalculationResult> Calculate(const std::string& dataFile, UserInteraction& person,
                                             const std::string& program = "");

// Runs heatnet-calc (or `program`); returns its exit status and everything it wrote
// to stderr. With `asNobody` it runs as the user "nobody", for whom permission bits
// hold even when the tests run as root.
std::pair<int, std::string> RunHeatnetCalc(const std::vector<std::string>& arguments, bool asNobody = false,
                                           const std::string& program = "");

}  // namespace heatnet::testing
