// The sized data file is a data file again: calculated once more it selects the
// same diameters and reproduces itself. It keeps every load record as entered and
// is written last, only by a complete calculation.
#include <gtest/gtest.h>

#include <filesystem>

#include "calculation/closing_sequence.h"
#include "test_support.h"

namespace heatnet {
namespace {

using namespace testing;

TEST(SizedDataFile, CalculatedAgainItReproducesItself) {
    // Node 2 is named twice and node 0 has a record of its own: the calculation keeps
    // one demand per node, the file every record. Empty design fields stay empty.
    const std::vector<std::string> loads = {" 4 , .35 ", " 2 , .8 ", " 0 ,-.4 ", " 2 , .3 "};
    for (const std::string name : {"small_tree", "out_of_order", "secondary_source", "repeated_loads"}) {
        SCOPED_TRACE(name);
        TemporaryFolder folder;
        const std::string dataFile = folder.File(name + ".TXT");
        if (name != "repeated_loads") std::filesystem::copy_file(SourcePath("examples/" + name + ".TXT"), dataFile);
        else WriteBytes(dataFile, CrLfLines({" 130 , 70 , 200 , , ", "5,4", "", "90,100,,0,1", "0,50,5,1,2", "0,40,0,3,2",
                                             "0,30,0,3,4", loads[0], loads[1], loads[2], loads[3]}));
        RecordingInteraction person;
        ASSERT_TRUE(Calculate(dataFile, person)->completed);
        const std::string sized = ReadBytes(folder.File(name + "#.TXT"));
        ASSERT_TRUE(Calculate(folder.File(name + "#.TXT"), person)->completed);
        // Nothing is left to select, so the check calculation reproduces the file.
        EXPECT_EQ(ReadBytes(folder.File(name + "##.TXT")), sized);
        EXPECT_TRUE(name != "repeated_loads" || (sized.ends_with(CrLfLines(loads)) &&
                    sized.starts_with(CrLfLines({" 130 , 70 , 200 ,,", " 5 , 4 ,", " 100, 100, 0, 0, 1"}))));
    }
}

// Notes at each question and editor call whether the diagram and the sized file exist yet.
struct Watching : RecordingInteraction {
    std::string steps, diagram, sized;
    void Note(char step) {
        steps += {step, std::filesystem::exists(diagram) ? 'd' : '-', std::filesystem::exists(sized) ? 's' : '-'};
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override {
        Note('Q');
        return RecordingInteraction::AskYesNo(text, caption);
    }
    void OpenInEditor(const std::string&) override { Note('E'); }
};

TEST(SizedDataFile, WrittenLastAndOnlyByACompleteCalculation) {
    for (const std::string lastLoad : {"2,0", "2,1"}) {  // node 2 without a load stops the calculation
        TemporaryFolder folder;
        Watching person;
        person.diagram = folder.File("net.dxf"), person.sized = folder.File("net#.TXT");
        WriteBytes(folder.File("net.TXT"), CrLfLines(SmallNetwork({"100,100,0,0,1", "100,50,0,1,2"}, {"1,5", lastLoad})));
        const bool completed = Calculate(folder.File("net.TXT"), person)->completed;
        EXPECT_EQ(completed, lastLoad == "2,1");
        EXPECT_EQ(person.steps, completed ? "Qd-Ed-" : "");
        EXPECT_EQ(std::filesystem::exists(person.sized), completed);
    }
}

}  // namespace
}  // namespace heatnet
