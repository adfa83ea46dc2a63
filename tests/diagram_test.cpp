// What the diagram depends on beyond the golden files (which fix the copied template
// and the drawing of their networks): the distance ticks for any length, and a
// missing or unended template.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "calculation/closing_sequence.h"
#include "calculation/program_directory.h"
#include "test_support.h"

namespace heatnet {
namespace {

using namespace testing;

// The texts of the distance ticks, in the order drawn.
std::string TickTexts(const std::string& diagram) {
    static const std::regex tick("  0\r\nTEXT\r\n   8\r\nRJ-SB\r\n(?:.*\r\n){6}  1\r\n (\\d+) \r\n");
    std::string texts;
    for (std::sregex_iterator it(diagram.begin(), diagram.end(), tick), end; it != end; ++it)
        texts.append(texts.empty() ? "" : " ").append((*it)[1].str());
    return texts;
}

TEST(Diagram, TickStepAndLastTickFollowTheDiagramLength) {
    // One segment from the source: the diagram's length is twice the segment's.
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"250", ""}, {"300", "500"}, {"2500", "500 1000 1500 2000 2500 3000 3500 4000 4500"},
        {"2600", "1000 2000 3000 4000 5000"}};
    for (const auto& [length, ticks] : rows) {
        SCOPED_TRACE(length);
        TemporaryFolder folder;
        ASSERT_TRUE(CalculateLines(folder, SmallNetwork({"0," + length + ",0,0,1"}, {"1,1"}))->result->completed);
        EXPECT_EQ(TickTexts(ReadBytes(folder.File("net.dxf"))), ticks);
    }
}

TEST(Diagram, MissingOrUnendedTemplateKeepsTheEarlierDiagramAndTheRestGoesOn) {
    for (const std::string& templateText : {std::string(), std::string("0\r\nSECTION\r\n")}) {
        TemporaryFolder folder;
        const OutputFiles files = OutputFilesFor(folder.File("net"));
        WriteBytes(files.diagram, "earlier diagram");
        std::filesystem::create_directory(folder.File("program"));
        std::filesystem::copy_file(ProgramDirectory() + "/SLGJ.DAT", folder.File("program/SLGJ.DAT"));
        const std::string templatePath = folder.File("program/ybdwg.dat");
        if (!templateText.empty()) WriteBytes(templatePath, templateText);
        WriteBytes(folder.File("net.TXT"), CrLfLines(SmallNetwork({"0,300,0,0,1"}, {"1,1"})));
        RecordingInteraction person;
        ASSERT_TRUE(Calculate(folder.File("net.TXT"), person, folder.File("program"))->completed);
        ASSERT_EQ(person.messages.size(), 2u);
        EXPECT_NE(person.messages[0].find(templatePath), std::string::npos) << person.messages[0];
        EXPECT_EQ(person.messages[1], "计算表见:" + files.report);
        EXPECT_EQ(person.openedFiles, std::vector<std::string>{files.report});
        EXPECT_EQ(ReadBytes(files.diagram), "earlier diagram");
        EXPECT_TRUE(std::filesystem::exists(files.sizedData));
    }
}

}  // namespace
}  // namespace heatnet
