#include <gtest/gtest.h>

#include <filesystem>

#include "calculation/program_directory.h"
#include "calculation/closing_sequence.h"
#include "reports/diagram_template.h"
#include "reports/dxf_diagram.h"
#include "reports/text_report.h"
#include "test_support.h"

namespace heatnet {
namespace {

using testing::kHeader;

using testing::CrLfLines;
using testing::ReadBytes;
using testing::RecordingInteraction;
using testing::TemporaryFolder;
using testing::WriteBytes;


NetworkNode Pressures(double supply, double return_) {
    NetworkNode node;
    node.supplyPressure = supply;
    node.returnPressure = return_;
    node.pressureDifference = supply - return_;
    return node;
}

// The main heat source (node 0) feeding node 1 through one segment of the given
// length; index 0 repeats the source, as it does after a calculation.
NetworkModel OneSegment(double length, double branchStart = 0) {
    NetworkModel model;
    model.sourceIndex = 2;
    model.branchStartNode = branchStart;
    NetworkSegment segment;
    segment.nodeI = 0.0;
    segment.nodeJ = 1.0;
    segment.indexI = 2;
    segment.indexJ = 1;
    segment.length = length;
    model.segments = {segment};
    const NetworkNode source = Pressures(350000, 200000);
    model.nodes = {source, Pressures(330000, 223456.78), source};
    return model;
}

const std::vector<std::string> kSectionStart = {"   0", "SECTION", "   2", "ENTITIES"};
const std::vector<std::string> kSectionEnd = {"   0", "ENDSEC", "   0", "EOF"};

std::vector<std::string> Concatenated(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(DiagramEntities, OneSegmentOf300MetresLineByLine) {
    const std::string expected = CrLfLines(Concatenated({
        kSectionStart,
        // Return pressures: node 0 to node 1, then the zero-length line at node 1,
        // each followed by the two values at its node.
        {"   0", "LINE", "   8", "RJ-DGX", "  10", " 0 ", "  20", " 200 ", "  11", " 300 ", "  21",
         " 223.45678 "},
        {"  0", "TEXT", "   8", "RJ-TXT", "  10", " 0 ", "  20", " 200 ", "  40", " 30 ", "  1", "200.0"},
        {"  0", "TEXT", "   8", "RJ-TXT", "  10", " 0 ", "  20", " 350 ", "  40", " 30 ", "  1", "350.0"},
        {"   0", "LINE", "   8", "RJ-DGX", "  10", " 300 ", "  20", " 223.45678 ", "  11", " 300 ",
         "  21", " 223.45678 "},
        {"  0", "TEXT", "   8", "RJ-TXT", "  10", " 300 ", "  20", " 223.45678 ", "  40", " 30 ", "  1",
         "223.5"},
        {"  0", "TEXT", "   8", "RJ-TXT", "  10", " 300 ", "  20", " 330 ", "  40", " 30 ", "  1", "330.0"},
        // Supply pressures, each with a node mark at the segment's far end.
        {"   0", "LINE", "   8", "RJ-DGX", "  10", " 0 ", "  20", " 350 ", "  11", " 300 ", "  21", " 330 "},
        {"  0", "LINE", "   8", "RJ-TXT", "  10", " 300 ", "  20", " 0", "  11", " 300 ", "  21", " 20 "},
        {"   0", "LINE", "   8", "RJ-DGX", "  10", " 300 ", "  20", " 330 ", "  11", " 300 ", "  21",
         " 330 "},
        {"  0", "LINE", "   8", "RJ-TXT", "  10", " 300 ", "  20", " 0", "  11", " 300 ", "  21", " 20 "},
        // The source segment counts twice: Xmax is 600, so the caption and the
        // axis end stand at 700 and the only tick at 500.
        {"  0", "TEXT", "   8", "RJ-TXT", "  10", " 700 ", "  20", "-40 ", "  40", " 30 ", "  1",
         "  (m) L", "  72", "  4", "  11", " 700 ", "  21", "-40 "},
        {"  0", "LINE", "   8", "RJ-SB", "  10", " 500 ", "  20", " 0", "  11", " 500 ", "  21", " 20 "},
        {"  0", "TEXT", "   8", "RJ-SB", "  10", " 500 ", "  20", "-40 ", "  40", " 30 ", "  1", " 500 ",
         "  72", "  4", "  11", " 500 ", "  21", "-40 "},
        {"  0", "TEXT", "   8", "RJ-TXT", "  10", "-160 ", "  20", " 200 ", "  40", " 30 ", "  1", "  0",
         "  72", "  2", "  11", "-10 ", "  21", "  0"},
        {"  0", "TEXT", "   8", "RJ-TXT", "  10", "-160 ", "  20", " 200 ", "  40", " 30 ", "  1",
         "200.0", "  72", "  2", "  11", "-10 ", "  21", " 200 "},
        {"  0", "TEXT", "   8", "RJ-TXT", "  10", "-160 ", "  20", " 350 ", "  40", " 30 ", "  1",
         "350.0", "  72", "  2", "  11", "-10 ", "  21", " 350 "},
        {"  0", "TEXT", "   8", "RJ-TXT", "  10", "-160 ", "  20", " 450 ", "  40", " 30 ", "  1",
         "  (kPa)", "  72", "  2", "  11", "-10 ", "  21", " 450 "},
        {"  0", "TEXT", "   8", "RJ-TXT", "  10", "-160 ", "  20", " 450 ", "  40", " 30 ", "  1", "  P",
         "  72", "  2", "  11", "-10 ", "  21", " 490 "},
        {"   0", "LINE", "   8", "RJ-SB", "  10", "  0", "  20", "  0", "  11", "  0", "  21", " 450 "},
        {"   0", "LINE", "   8", "RJ-SB", "  10", "  0", "  20", "  0", "  11", " 700 ", "  21", "  0"},
        kSectionEnd,
    }));
    EXPECT_EQ(FormatDiagramEntities(OneSegment(300)), expected);
}

int CountTicks(const std::string& entities) {
    int ticks = 0;
    // Ticks open with a two-blank group code, the axes with three.
    for (size_t at = 0;
         (at = entities.find("\r\n  0\r\nLINE\r\n   8\r\nRJ-SB\r\n", at)) != std::string::npos; ++at)
        ++ticks;
    return ticks;
}

TEST(DiagramEntities, TickStepAndLastTickFollowTheDiagramLength) {
    // Xmax is twice the source segment's length; the two axis lines are not ticks.
    const std::string exactly5000 = FormatDiagramEntities(OneSegment(2500));
    EXPECT_EQ(CountTicks(exactly5000), 9);
    EXPECT_NE(exactly5000.find("  1\r\n 4500 \r\n"), std::string::npos);
    EXPECT_EQ(exactly5000.find("  1\r\n 5000 \r\n"), std::string::npos);

    const std::string longer = FormatDiagramEntities(OneSegment(2600));
    EXPECT_EQ(CountTicks(longer), 5);
    EXPECT_NE(longer.find("  1\r\n 5000 \r\n"), std::string::npos);
    EXPECT_EQ(longer.find("  1\r\n 500 \r\n"), std::string::npos);

    EXPECT_EQ(CountTicks(FormatDiagramEntities(OneSegment(250))), 0);  // Xmax 500: none
}

TEST(DiagramEntities, BranchSegmentsGoOnTheirOwnLayerWithoutValues) {
    // Start node 1 makes the only segment (nodes 0 and 1) a branch.
    const std::string branch = FormatDiagramEntities(OneSegment(300, 1));
    EXPECT_EQ(branch.find("RJ-DGX"), std::string::npos);
    EXPECT_NE(branch.find("LINE\r\n   8\r\nRJ-PH\r\n"), std::string::npos);
    EXPECT_EQ(branch.find("  1\r\n223.5\r\n"), std::string::npos);
    EXPECT_EQ(branch.find("RJ-TXT\r\n  10\r\n 300 \r\n  20\r\n 0\r\n"), std::string::npos);
    // The axis captions stay.
    EXPECT_NE(branch.find("  1\r\n  (kPa)\r\n"), std::string::npos);
    // Start node 2 puts both ends below it: main line again.
    EXPECT_EQ(FormatDiagramEntities(OneSegment(300, 2)), FormatDiagramEntities(OneSegment(300)));
}

TEST(DiagramEntities, NetworksThatCannotBeLaidOutGiveAClosedEmptySection) {
    const std::string empty = CrLfLines(Concatenated({kSectionStart, kSectionEnd}));
    TemporaryFolder folder;
    RecordingInteraction person;
    // A chain of 420 segments: the segment of node 400 lies at position 400.
    std::vector<std::string> lines = {kHeader, "421,420", "0"};
    for (int i = 0; i < 420; ++i)
        lines.push_back("300,50,0," + std::to_string(i) + "," + std::to_string(i + 1));
    for (int i = 1; i <= 420; ++i) lines.push_back(std::to_string(i) + ",.1");
    WriteBytes(folder.File("chain.TXT"), CrLfLines(lines));
    auto chain = testing::Calculate(folder.File("chain.TXT"), person);
    ASSERT_TRUE(chain->completed);
    EXPECT_EQ(FormatDiagramEntities(chain->model), empty);
    const std::string file = ReadBytes(folder.File("chain.dxf"));
    ASSERT_GE(file.size(), empty.size());
    EXPECT_EQ(file.substr(file.size() - empty.size()), empty);
}

TEST(DiagramTemplate, ItemsEndAtCommasAndLineEndsAndLoseLeadingBlanks) {
    const DiagramTemplate copy =
        CopyDiagramTemplate("  0\r\nSECTION,  2\r\n\tHEADER \r\neof\nEOF2\r\n  EOF\r\n0\r\nignored\r\n", "t");
    EXPECT_EQ(copy.error, "");
    EXPECT_EQ(copy.lines, CrLfLines({"0", "SECTION", "2", "HEADER ", "eof", "EOF2"}));
}

TEST(DiagramTemplate, MissingOrUnendedTemplateWritesNoDiagramAndKeepsTheOldOne) {
    TemporaryFolder folder;
    const std::string diagram = folder.File("net.dxf");
    WriteBytes(diagram, "earlier diagram");
    WriteBytes(folder.File("unended.dat"), "0\r\nSECTION\r\n");
    for (const std::string& name : {folder.File("absent.dat"), folder.File("unended.dat")}) {
        RecordingInteraction person;
        EXPECT_FALSE(WriteDiagram(OneSegment(300), name, diagram, person));
        ASSERT_EQ(person.messages.size(), 1u);
        EXPECT_NE(person.messages[0].find(name), std::string::npos) << person.messages[0];
        EXPECT_EQ(ReadBytes(diagram), "earlier diagram");
    }
}

TEST(DiagramTemplate, WithoutTemplateTheClosingSequenceGoesOnWithoutNamingTheDiagram) {
    TemporaryFolder folder;
    WriteBytes(folder.File("net.TXT"),
               CrLfLines({kHeader, "2,1", "0", "0,300,0,0,1", "1,1"}));
    // A program folder with the pipe table but no template.
    std::filesystem::create_directory(folder.File("program"));
    std::filesystem::copy_file(ProgramDirectory() + "/SLGJ.DAT", folder.File("program/SLGJ.DAT"));
    const OutputFiles files = OutputFilesFor(folder.File("net"));
    RecordingInteraction person;
    auto result = testing::Calculate(folder.File("net.TXT"), person);
    ASSERT_TRUE(result->completed);
    EXPECT_TRUE(std::filesystem::exists(files.diagram));
    std::filesystem::remove(files.diagram);
    std::filesystem::remove(files.sizedData);

    RecordingInteraction withoutTemplate;
    RunClosingSequence(result->model, result->table, DecideSegmentRowOrder(result->model), files,
                       withoutTemplate, folder.File("program"));
    ASSERT_EQ(withoutTemplate.messages.size(), 2u);
    EXPECT_NE(withoutTemplate.messages[0].find(folder.File("program/ybdwg.dat")), std::string::npos);
    EXPECT_EQ(withoutTemplate.messages[1], "计算表见:" + files.report);
    EXPECT_EQ(withoutTemplate.questions.size(), 1u);
    EXPECT_EQ(withoutTemplate.openedFiles, std::vector<std::string>{files.report});
    EXPECT_FALSE(std::filesystem::exists(files.diagram));
    EXPECT_TRUE(std::filesystem::exists(files.sizedData));
}

}  // namespace
}  // namespace heatnet
