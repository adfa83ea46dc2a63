#include <gtest/gtest.h>

#include <filesystem>

#include "data/base_data_file.h"
#include "data/file_io.h"
#include "calculation/closing_sequence.h"
#include "reports/sized_data_file.h"
#include "test_support.h"

namespace heatnet {
namespace {

using testing::Calculate;
using testing::kHeader;
using testing::CrLfLines;
using testing::ReadBytes;
using testing::RecordingInteraction;
using testing::SourcePath;
using testing::TemporaryFolder;
using testing::WriteBytes;


std::vector<double> Diameters(const CalculationResult& result) {
    std::vector<double> diameters;
    for (const NetworkSegment& segment : result.model.segments)
        diameters.push_back(result.table.Diameter(segment.sizeIndex));
    return diameters;
}

struct Example {
    std::string name;
    std::vector<std::string> lines;
};

// Segments in the order of the connection walk, I end first, with the diameters
// the calculation selected; load records as entered, in file order.
const std::vector<Example> kExamples = {
    {"small_tree",
     {" 130 , 70 , 200 , 50 , .4 ", " 9 , 8 , 100 ", " 200, 120, 0, 0, 1", " 200, 150, 0, 2, 1",
      " 150, 100, 0, 3, 2", " 100, 80, 0, 4, 3", " 80, 60, 0, 100, 2", " 80, 50, 0, 101, 100",
      " 125, 70, 10, 102, 3", " 65, 40, 0, 103, 102", " 1 , .5 ", " 2 , .8 ", " 3 , .6 ",
      " 4 , 1.2 ", " 100 , .4 ", " 101 , .9 ", " 102 , .3 ", " 103 , .7 "}},
    // Entered as 70 / 130 and in another file order: temperatures exchanged,
    // segments reordered by the walk, loads kept in the file's order.
    {"out_of_order",
     {" 130 , 70 , 200 , 50 , .4 ", " 9 , 8 , 100 ", " 200, 120, 0, 0, 1", " 200, 150, 0, 2, 1",
      " 80, 60, 0, 100, 2", " 80, 50, 0, 101, 100", " 150, 100, 0, 3, 2", " 100, 80, 0, 4, 3",
      " 125, 70, 10, 102, 3", " 65, 40, 0, 103, 102", " 103 , .7 ", " 4 , 1.2 ", " 1 , .5 ",
      " 100 , .4 ", " 2 , .8 ", " 101 , .9 ", " 3 , .6 ", " 102 , .3 "}},
    {"secondary_source",
     {" 95 , 70 , 300 , 80 , .3 ", " 10 , 9 , 100 ", " 300, 300, 0, 0, 1", " 250, 250, 0, 2, 1",
      " 125, 200, 0, 3, 2", " 125, 400, 0, 4, 3", " 250, 150, 0, 5, 4", " 150, 120, 0, 100, 2",
      " 100, 90, 0, 101, 100", " 125, 110, 0, 200, 4", " 65, 80, 0, 201, 200", " 1 , 2.5 ",
      " 2 , 3.1 ", " 3 , 1.8 ", " 4 , 2.2 ", " 5 ,-5 ", " 100 , 1.4 ", " 101 , .95 ",
      " 200 , 1.6 ", " 201 , .285 "}},
};

TEST(SizedDataFile, ExamplesByteForByteReadBackAndRecalculatedToTheSameDiameters) {
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.name);
        TemporaryFolder folder;
        const std::string dataFile = folder.File(example.name + ".TXT");
        std::filesystem::copy_file(SourcePath("examples/" + example.name + ".TXT"), dataFile);
        RecordingInteraction person;
        auto first = Calculate(dataFile, person);
        ASSERT_TRUE(first->completed);
        const std::string sizedFile = folder.File(example.name + "#.TXT");
        const std::string sized = ReadBytes(sizedFile);
        EXPECT_EQ(sized, CrLfLines(example.lines));

        auto data = std::make_unique<ProjectData>();
        ASSERT_EQ(ReadBaseDataFile(sizedFile, *data), "");
        EXPECT_EQ(data->branchStartNode, Number(100.0));
        EXPECT_EQ(PipeRecordCount(*data), first->model.SegmentCount());

        auto second = Calculate(sizedFile, person);
        ASSERT_TRUE(second->completed);
        EXPECT_EQ(Diameters(*second), Diameters(*first));
        // Nothing is left to select, so the check calculation reproduces the file.
        EXPECT_EQ(ReadBytes(folder.File(example.name + "##.TXT")), sized);
    }
}

TEST(SizedDataFile, EveryLoadRecordComesBackAsEntered) {
    TemporaryFolder folder;
    // Node 2 is named twice and node 0 has a record of its own: the calculation
    // keeps one demand per node, the file keeps every record. A diameter between
    // two standard sizes comes back as the larger; empty design fields stay empty.
    WriteBytes(folder.File("net.TXT"),
               CrLfLines({" 130 , 70 , 200 , , ", "5,4", "", "90,100,,0,1", "0,50,5,1,2", "0,40,0,3,2",
                          "0,30,0,3,4", "4,.35", "2,.8", "0,-.4", "2,.3"}));
    RecordingInteraction person;
    auto result = Calculate(folder.File("net.TXT"), person);
    ASSERT_TRUE(result->completed);
    const std::vector<double> sizes = Diameters(*result);
    ASSERT_EQ(sizes.size(), 4u);
    EXPECT_EQ(sizes[0], 100);
    const auto box = [](double value) { return std::string(" ").append(std::to_string(int(value))); };
    EXPECT_EQ(ReadBytes(folder.File("net#.TXT")),
              CrLfLines({" 130 , 70 , 200 ,,", " 5 , 4 ,", " 100, 100, 0, 0, 1",
                         box(sizes[1]) + ", 50, 5, 2, 1", box(sizes[2]) + ", 40, 0, 3, 2",
                         box(sizes[3]) + ", 30, 0, 4, 3", " 4 , .35 ", " 2 , .8 ", " 0 ,-.4 ",
                         " 2 , .3 "}));
}

TEST(SizedDataFile, WrittenLastAndOnlyByACompleteCalculation) {
    TemporaryFolder folder;
    const OutputFiles files = OutputFilesFor(folder.File("net"));
    WriteBytes(files.sizedData, "earlier sized file");
    // Node 2 has no load and nothing beyond it: the calculation stops.
    WriteBytes(folder.File("net.TXT"), CrLfLines({kHeader, "3,2", "0", "100,100,0,0,1",
                                                  "100,50,0,1,2", "1,5", "2,0"}));
    RecordingInteraction stopped;
    EXPECT_FALSE(Calculate(folder.File("net.TXT"), stopped)->completed);
    EXPECT_EQ(ReadBytes(files.sizedData), "earlier sized file");
    EXPECT_FALSE(FileExists(files.diagram));

    // The sized file appears only after the editor was asked for; the diagram
    // exists before the workbook question.
    struct Watching : RecordingInteraction {
        std::string files;
        OutputFiles watched;
        void Note(char step) {
            files += step;
            files += FileExists(watched.diagram) ? "d" : "-";
            files += ReadBytes(watched.sizedData) == "earlier sized file" ? "-" : "s";
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
    WriteBytes(folder.File("net.TXT"), CrLfLines({kHeader, "3,2", "0", "100,100,0,0,1",
                                                  "100,50,0,1,2", "1,5", "2,1"}));
    ASSERT_TRUE(Calculate(folder.File("net.TXT"), person)->completed);
    EXPECT_EQ(person.files, "Qd-Ed-");
    EXPECT_TRUE(ReadBytes(files.sizedData).starts_with(kHeader));
}

TEST(SizedDataFile, FailedWriteIsToldAndReplacesNothing) {
    TemporaryFolder folder;
    WriteBytes(folder.File("net.TXT"), CrLfLines({kHeader, "2,1", "0", "0,100,0,0,1", "1,1"}));
    RecordingInteraction person;
    auto result = Calculate(folder.File("net.TXT"), person);
    ASSERT_TRUE(result->completed);
    // A folder in the way of the file cannot be replaced.
    const std::string blocked = folder.File("blocked#.TXT");
    std::filesystem::create_directory(blocked);
    std::filesystem::create_directory(blocked + "/kept");
    RecordingInteraction told;
    EXPECT_FALSE(WriteSizedDataFile(result->model, result->table, blocked, told));
    ASSERT_EQ(told.messages.size(), 1u);
    EXPECT_NE(told.messages[0].find(blocked), std::string::npos);
    EXPECT_EQ(told.captions[0], "pelu");
    EXPECT_TRUE(std::filesystem::exists(blocked + "/kept"));
    EXPECT_FALSE(std::filesystem::exists(blocked + ".heatnet-tmp"));
}

}  // namespace
}  // namespace heatnet
