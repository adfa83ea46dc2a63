#include <gtest/gtest.h>

#include <filesystem>

#include "calculation/closing_sequence.h"
#include "reports/excel_report.h"
#include "reports/excel_sheet_content.h"
#include "test_support.h"

namespace heatnet {
namespace {

using testing::Calculate;
using testing::kHeader;
using testing::CrLfLines;
using testing::ReadBytes;
using testing::RecordingInteraction;
using testing::TemporaryFolder;
using testing::WriteBytes;


SheetValue Text(const char* text) { return std::string(text); }

const SheetValue* Cell(const SheetCells& cells, int row, int column) {
    auto found = cells.find({row, column});
    return found == cells.end() ? nullptr : &found->second;
}

std::vector<SheetValue> Row(const SheetCells& cells, int row) {
    std::vector<SheetValue> values;
    for (int column = 1; column <= 13; ++column) {
        const SheetValue* value = Cell(cells, row, column);
        values.push_back(value ? *value : Text("(empty)"));
    }
    return values;
}

double SequenceNumber(const SheetCells& cells, int row) {
    const SheetValue* value = Cell(cells, row, 1);
    return value && std::holds_alternative<double>(*value) ? std::get<double>(*value) : -1;
}

// Node 0 feeds node 1 (12 t/h at 2 m/s), which feeds node 2 against the list's
// I-to-J direction, so that its row is reversed.
NetworkModel TwoSegments() {
    NetworkModel model;
    model.sourceIndex = 3;
    NetworkSegment fromSource;
    fromSource.nodeI = 0.0;
    fromSource.nodeJ = 1.0;
    fromSource.indexI = 3;
    fromSource.indexJ = 1;
    fromSource.sizeIndex = 4;  // 50 mm
    fromSource.length = 100.0;
    fromSource.calculationLength = 12.34;
    fromSource.flow = 12;
    fromSource.velocity = 2;
    fromSource.specificLoss = 300;
    fromSource.pressureDifference = 1234.5;
    NetworkSegment onward = fromSource;
    onward.nodeI = 2.0;
    onward.nodeJ = 1.0;
    onward.indexI = 2;
    onward.indexJ = 1;
    onward.length = Number();  // unset in the data file
    onward.calculationLength = 0.5;
    onward.flow = -0.04;
    onward.velocity = -1.234;
    onward.specificLoss = -12;
    onward.pressureDifference = -123456;
    model.segments = {fromSource, onward};
    model.nodes.resize(4);
    model.nodes[1].supplyPressure = 123456;
    model.nodes[1].returnPressure = 1000;
    model.nodes[1].pressureDifference = 122456;
    model.nodes[2].supplyPressure = 300000;
    model.nodes[2].returnPressure = 200000;
    model.nodes[2].pressureDifference = 100000;
    return model;
}

StandardPipeTable Table() {
    StandardPipeTable table;
    std::string sizes;
    for (int d : {25, 32, 40, 50, 65, 80, 100, 125, 150, 200, 250, 300, 350, 400, 450, 500, 600,
                  700, 800, 900, 1000, 1200})
        sizes += std::to_string(d) + "\r\n";
    EXPECT_EQ(table.LoadFromText(sizes, "SLGJ.DAT", 958), "");
    return table;
}

TEST(ExcelSheet, SegmentRowsCarryNumbersAndPicturedTexts) {
    const NetworkModel model = TwoSegments();
    const SegmentRowOrder order{true, true, {1, 2}};
    const SheetCells cells = ExcelSheetContent(model, Table(), order);
    // The source segment as stored, with the pressures of its index-J end.
    EXPECT_EQ(Row(cells, 5),
              (std::vector<SheetValue>{1.0, 0.0, 1.0, 50.0, 100.0, Text("12.3"), Text("12.0"),
                                       Text("2."), Text("300."), Text("1.23"), Text("123.46"),
                                       Text("1.0"), Text("122.46")}));
    // Any other segment reversed, with the pressures of its index-I end; an
    // unset length leaves its cell empty.
    EXPECT_EQ(Row(cells, 6),
              (std::vector<SheetValue>{2.0, 1.0, 2.0, 50.0, Text("(empty)"), Text(".5"), Text(".0"),
                                       Text("1.23"), Text("12."), Text("123.46"), Text("300.0"),
                                       Text("200.0"), Text("100.0")}));
    EXPECT_EQ(Cell(cells, 7, 1), nullptr);
}

TEST(ExcelSheet, EachLineStaysOnTheRowOfItsListPosition) {
    // Column A carries the report's row number; the line stays on its slot's row.
    const SheetCells cells =
        ExcelSheetContent(TwoSegments(), Table(), SegmentRowOrder{true, true, {2, 1}});
    EXPECT_EQ(SequenceNumber(cells, 5), 2);
    EXPECT_EQ(SequenceNumber(cells, 6), 1);
    EXPECT_EQ(*Cell(cells, 5, 7), Text("12.0"));
}

TEST(ExcelWorkbook, AnsweringYesWritesTheWorkbookAndNamesIt) {
    TemporaryFolder folder;
    WriteBytes(folder.File("net.TXT"), CrLfLines({kHeader, "2,1", "0", "0,300,0,0,1", "1,1"}));
    const OutputFiles files = OutputFilesFor(folder.File("net"));
    WriteBytes(files.workbook, "earlier workbook");
    RecordingInteraction person;
    person.answerYes = true;
    ASSERT_TRUE(Calculate(folder.File("net.TXT"), person)->completed);
    ASSERT_EQ(person.messages.size(), 1u);
    EXPECT_EQ(person.messages[0], "计算表见:" + files.workbook + "\r\n水压图文件名:" + files.diagram);
    // A workbook is a zip archive.
    EXPECT_TRUE(ReadBytes(files.workbook).starts_with("PK"));
    EXPECT_FALSE(std::filesystem::exists(files.workbook + ".heatnet-tmp"));
}

TEST(ExcelWorkbook, UnwritableWorkbookIsToldKeepsTheOldOneAndNamesTheReport) {
    TemporaryFolder folder;
    WriteBytes(folder.File("net.TXT"), CrLfLines({kHeader, "2,1", "0", "0,300,0,0,1", "1,1"}));
    const OutputFiles files = OutputFilesFor(folder.File("net"));
    WriteBytes(files.workbook, "earlier workbook");
    // A folder where the workbook is first built makes the writing fail.
    std::filesystem::create_directory(files.workbook + ".heatnet-tmp");
    RecordingInteraction person;
    person.answerYes = true;
    ASSERT_TRUE(Calculate(folder.File("net.TXT"), person)->completed);
    ASSERT_EQ(person.messages.size(), 2u);
    EXPECT_NE(person.messages[0].find(files.workbook), std::string::npos) << person.messages[0];
    EXPECT_EQ(person.messages[1], "计算表见:" + files.report + "\r\n水压图文件名:" + files.diagram);
    EXPECT_EQ(ReadBytes(files.workbook), "earlier workbook");
    EXPECT_EQ(person.openedFiles, std::vector<std::string>{files.report});
    EXPECT_TRUE(std::filesystem::exists(files.sizedData));

    // A folder in place of the workbook itself cannot be replaced either.
    std::filesystem::remove(files.workbook + ".heatnet-tmp");
    std::filesystem::remove(files.workbook);
    std::filesystem::create_directory(files.workbook);
    RecordingInteraction blocked;
    blocked.answerYes = true;
    ASSERT_TRUE(Calculate(folder.File("net.TXT"), blocked)->completed);
    ASSERT_EQ(blocked.messages.size(), 2u);
    EXPECT_NE(blocked.messages[0].find(files.workbook), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(files.workbook));
    EXPECT_FALSE(std::filesystem::exists(files.workbook + ".heatnet-tmp"));
}

}  // namespace
}  // namespace heatnet
