// The sized data file is a data file again: calculated once more it selects the
// same diameters and reproduces itself. It keeps every load record as entered and
// is written last, only by a complete calculation.
#include <gtest/gtest.h>

#include <filesystem>

#include "calculation/closing_sequence.h"
#include "data/file_io.h"
#include "test_support.h"

namespace heatnet {
namespace {

using namespace testing;

TEST(SizedDataFile, CalculatedAgainItReproducesItself) {
    // Node 2 is named twice and node 0 has a record of its own: the calculation
    // keeps one demand per node, the file every record. Empty design fields stay empty.
    const std::vector<std::string> loads = {" 4 , .35 ", " 2 , .8 ", " 0 ,-.4 ", " 2 , .3 "};
    const std::vector<std::string> repeatedLoads = {" 130 , 70 , 200 , , ", "5,4", "", "90,100,,0,1",
                                                    "0,50,5,1,2", "0,40,0,3,2", "0,30,0,3,4",
                                                    loads[0], loads[1], loads[2], loads[3]};
    for (const std::string name : {"small_tree", "out_of_order", "secondary_source", "repeated_loads"}) {
        SCOPED_TRACE(name);
        TemporaryFolder folder;
        const std::string dataFile = folder.File(name + ".TXT");
        if (name == "repeated_loads") WriteBytes(dataFile, CrLfLines(repeatedLoads));
        else std::filesystem::copy_file(SourcePath("examples/" + name + ".TXT"), dataFile);
        RecordingInteraction person;
        ASSERT_TRUE(Calculate(dataFile, person)->completed);
        const std::string sizedFile = folder.File(name + "#.TXT");
        const std::string sized = ReadBytes(sizedFile);
        ASSERT_TRUE(Calculate(sizedFile, person)->completed);
        // Nothing is left to select, so the check calculation reproduces the file.
        EXPECT_EQ(ReadBytes(folder.File(name + "##.TXT")), sized);
        if (name == "repeated_loads") {
            EXPECT_TRUE(sized.starts_with(CrLfLines({" 130 , 70 , 200 ,,", " 5 , 4 ,", " 100, 100, 0, 0, 1"})));
            EXPECT_TRUE(sized.ends_with(CrLfLines(loads)));
        }
    }
}

TEST(SizedDataFile, WrittenLastAndOnlyByACompleteCalculation) {
    TemporaryFolder folder;
    const OutputFiles files = OutputFilesFor(folder.File("net"));
    WriteBytes(files.sizedData, "earlier sized file");
    // Node 2 has no load and nothing beyond it: the calculation stops.
    auto stopped = CalculateLines(folder, SmallNetwork({"100,100,0,0,1", "100,50,0,1,2"}, {"1,5", "2,0"}));
    EXPECT_FALSE(stopped->result->completed);
    EXPECT_EQ(ReadBytes(files.sizedData), "earlier sized file");
    EXPECT_FALSE(FileExists(files.diagram));

    // The diagram exists before the workbook question, the sized file only after
    // the editor was asked for.
    struct Watching : RecordingInteraction {
        std::string steps;
        OutputFiles watched;
        void Note(char step) {
            steps += step;
            steps += FileExists(watched.diagram) ? "d" : "-";
            steps += ReadBytes(watched.sizedData) == "earlier sized file" ? "-" : "s";
        }
        bool AskYesNo(const std::string& text, const std::string& caption) override {
            Note('Q');
            return RecordingInteraction::AskYesNo(text, caption);
        }
        void OpenInEditor(const std::string& path) override {
            Note('E');
            RecordingInteraction::OpenInEditor(path);
        }
    } person;
    person.watched = files;
    WriteBytes(folder.File("net.TXT"), CrLfLines(SmallNetwork({"100,100,0,0,1", "100,50,0,1,2"}, {"1,5", "2,1"})));
    ASSERT_TRUE(Calculate(folder.File("net.TXT"), person)->completed);
    EXPECT_EQ(person.steps, "Qd-Ed-");
    EXPECT_TRUE(ReadBytes(files.sizedData).starts_with(kHeader));
}

}  // namespace
}  // namespace heatnet
