// heatnet-calc --import-inp: hostile model files are refused with one message and
// nothing written; a known model gives known data and side files whatever its line
// ends; units convert; and every golden network that completes comes back from its
// own export with the same flows and diameters.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "data/base_data_file.h"
#include "reports/network_map.h"
#include "test_support.h"

namespace heatnet {
namespace {

using namespace testing;
namespace fs = std::filesystem;

std::string Lines(const std::vector<std::string>& lines, const std::string& end = "\n") {
    std::string text;
    for (const std::string& line : lines) text += line + end;
    return text;
}

// Junction IDs kept (5, 12), repeated as a number (05), 0 and not whole numbers
// renumbered; a demand list, a minor loss, carried lengths valid and stale.
const std::vector<std::string> kModel = {
    "[TITLE]", "小网", "[JUNCTIONS]", ";ID Elev Demand", "5 0 10", "A 0 5", "05 0 2", "0 0 1", "2.5 0 3",
    "12 3 0", "[RESERVOIRS]", "SRC 50", "[PIPES]", "P1 SRC 5 1000 200 0.5 0 Open",
    "P2 5 A 500 150 0.5 2", "P3 5 05 100 100 0.5 0 ;L=90 Le=10", "P4 05 0 100 80 1 ;L=50 Le=10",
    "P5 0 2.5 100 50 1", "P6 2.5 12 100 50 1", "[DEMANDS]", "12 4 pat ;x", "12 6",
    "[OPTIONS]", "Units CMH", "[COORDINATES]", "SRC 0 0", "A 10.5 -20.25", "[END]", "[NONSENSE]"};

const std::string kModelData = Lines({
    " 130 , 70 ,,, 0 ", " 7 , 6 ", "", " 200 , 1000 , 0 , 0 , 5 ",
    " 150 , 500 , 11.1419375291572 , 5 , 13 ", " 100 , 90 , 10 , 5 , 14 ", " 80 , 100 , 0 , 14 , 15 ",
    " 50 , 100 , 0 , 15 , 16 ", " 50 , 100 , 0 , 16 , 12 ", " 5 , .6684924 ", " 13 , .3342462 ",
    " 14 , .13369848 ", " 15 , .06684924 ", " 16 , .20054772 ", " 12 , .6684924 "}, "\r\n");
const std::string kModelIds = Lines({"\xEF\xBB\xBFINP标识,节点号", "5,5", "A,13", "05,14", "0,15", "2.5,16",
                                     "12,12", "SRC,0"}, "\r\n");
const std::string kModelXy = Lines({"\xEF\xBB\xBF节点,x,y", "0,0,0", "13,10.5,-20.25"}, "\r\n");

struct Import {
    TemporaryFolder folder;
    std::string inp = folder.File("m.inp"), data = folder.File("Y.TXT");
    std::pair<int, std::string> Run(const std::string& model, std::vector<std::string> options = {}) {
        WriteBytes(inp, model);
        options.insert(options.begin(), {"--import-inp", inp, data});
        return RunHeatnetCalc(options);
    }
};

const std::vector<std::string> kDesign = {"--temperatures", "130,70"};

TEST(InpImport, HostileModelsAreRefusedWithOneMessageAndNothingWritten) {
    const std::string head = "[RESERVOIRS]\nR 5\n[JUNCTIONS]\n1 0 1\n[PIPES]\n";  // pipes from line 6
    std::string manyPipes = head, manyJunctions = "[JUNCTIONS]\n";
    for (int k = 1; k <= 1401; ++k) {
        manyPipes.append("P").append(std::to_string(k)).append(" R 1 10 100 1\n");
        manyJunctions.append("J").append(std::to_string(k)).append(" 0\n");
    }
    const std::string cannot = "无法在热网中表示,无法导入。";
    const struct {
        std::string model, message;
        std::vector<std::string> options = kDesign;
    } cases[] = {
        {head + "P1 R 1 10", "INP文件第6行([PIPES]):应至少有6项(标识 起点 终点 长度 管径 粗糙度),这一行只有4项,无法导入。"},
        {"[JUNCTIONS]\n1 0 1\n[Pumpen]\n", "INP文件第3行([Pumpen]):无法识别的节,无法导入。"},
        {"1 0 1\n", "INP文件第1行:这一行不在任何节([…])中,无法导入。"},
        {manyPipes, "INP文件第1406行([PIPES]):管段超过1400根,无法导入。"},
        {manyJunctions, "INP文件第1402行([JUNCTIONS]):节点超过1400个,无法导入。"},
        {head + "P1 R 1 1O0 100 1", "INP文件第6行([PIPES]):长度\"1O0\"不是数字,无法导入。"},
        {"[JUNCTIONS]\n1 0 x1\n", "INP文件第2行([JUNCTIONS]):需水量\"x1\"不是数字,无法导入。"},
        {"[COORDINATES]\n1 2\n", "INP文件第2行([COORDINATES]):应至少有3项(节点 X坐标 Y坐标),这一行只有2项,无法导入。"},
        {head + "P1 R 9 10 100 1", "INP文件第6行([PIPES]):管段\"P1\"的终点节点\"9\"未定义,无法导入。"},
        {head + "[DEMANDS]\nR 4\n", "INP文件第7行([DEMANDS]):水源\"R\"不能有需水量,无法导入。"},
        {"[JUNCTIONS]\n1 0 1\n[RESERVOIRS]\n1 5\n", "INP文件第4行([RESERVOIRS]):节点\"1\"已在第2行定义,无法导入。"},
        {head + "P1 R 1 10 100 1\np1 1 R 10 100 1\nP1 1 R 10 100 1",
         "INP文件第8行([PIPES]):管段\"P1\"已在第6行定义,无法导入。"},
        {"[pumps]\nPU1 R 1 HEAD c1\n", "INP文件第2行([PUMPS]):水泵\"PU1\"" + cannot},
        {"[VALVES]\nV1 1 2 100 PRV 30 0\n", "INP文件第2行([VALVES]):阀门\"V1\"" + cannot},
        {"[TANKS]\nT1 0 1 0 2 10 0\n", "INP文件第2行([TANKS]):水池\"T1\"" + cannot},
        {head + "P1 R 1 10 100 1 0 Closed", "INP文件第6行([PIPES]):管段\"P1\"为关闭状态(Closed),无法导入。"},
        {head + "P1 R 1 10 100 1 CV", "INP文件第6行([PIPES]):管段\"P1\"带止回阀(CV),无法导入。"},
        {head + "P1 R 1 10 100 1\n[STATUS]\nP1 closed", "INP文件第8行([STATUS]):管段\"P1\"被关闭(Closed),无法导入。"},
        {"[RESERVOIRS]\nR 5\nR2 6\n", "INP文件第3行([RESERVOIRS]):第二个水源\"R2\"无法导入:热网只能有一个主热源。"},
        {"[OPTIONS]\nUNITS XYZ\n", "INP文件第2行([OPTIONS]):流量单位\"XYZ\"无法识别,无法导入。"},
        {"[JUNCTIONS]\n1 0 1\n", "INP文件中没有水源([RESERVOIRS]),无法导入。"},
        {"[RESERVOIRS]\nR 5\n", "INP文件中没有管段([PIPES]),无法导入。"},
        {head + "P1 R 1 10 100 1", "INP文件中没有设计温度,请用 --temperatures 供水温度,回水温度 给出。", {}},
        {head + "P1 R 1 10 100 1", "数据文件 @ 已存在,未导入;覆盖请加 --replace。", {"--temperatures", "130,70"}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.message);
        Import import;
        // An earlier data file of the name stays as it was.
        WriteBytes(import.data, "earlier\r\n");
        std::vector<std::string> options = row.options;
        if (!row.message.starts_with("数据文件")) options.push_back("--replace");
        const auto [status, errors] = import.Run(row.model, options);
        EXPECT_EQ(status, 1);
        EXPECT_EQ(errors, "heatnet-calc: " + WithPath(row.message, import.data) + "\n");
        EXPECT_EQ(FileNames(import.folder.Path()), (std::vector<std::string>{"Y.TXT", "m.inp"}));
        EXPECT_EQ(ReadBytes(import.data), "earlier\r\n");
    }
}

TEST(InpImport, AKnownModelGivesKnownFilesWhateverItsLineEnds) {
    for (const std::string& model : {Lines(kModel), Lines(kModel, "\r\n"), "\xEF\xBB\xBF" + Lines(kModel, "\r\n"),
                                      "\xEF\xBB\xBF" + Lines(kModel)}) {
        Import import;
        EXPECT_EQ(import.Run(model, kDesign),
                  std::pair(0, "heatnet-calc: 已由 " + import.inp + " 导入,写出 " + import.data + "、" +
                                   import.folder.File("Y.ids.csv") + "、" + import.folder.File("Y.xy.csv") + "\n"));
        EXPECT_EQ(ReadBytes(import.data), kModelData);
        EXPECT_EQ(ReadBytes(import.folder.File("Y.ids.csv")), kModelIds);
        EXPECT_EQ(ReadBytes(import.folder.File("Y.xy.csv")), kModelXy);
    }
    // The map's reader takes the coordinates, y northward as in the model.
    Import import;
    import.Run(Lines(kModel), {"--temperatures", "70,130", "--diameters", "auto"});
    const auto points = ReadCoordinateFile(import.folder.File("Y.xy.csv"), nullptr);
    ASSERT_TRUE(points && points->size() == 2);
    EXPECT_EQ(points->at(13).y, 20.25);
    // Only the diameters and the order of the temperatures differ.
    std::string data = kModelData;
    data.replace(0, 10, " 70 , 130 ");
    for (const char* given : {"\r\n 200 ,", "\r\n 150 ,", "\r\n 100 ,", "\r\n 80 ,", "\r\n 50 ,", "\r\n 50 ,"})
        data.replace(data.find(given), std::string(given).size(), "\r\n 0 ,");
    EXPECT_EQ(ReadBytes(import.data), data);
}

TEST(InpImport, FlowUnitsConvertToTheSameLoadsLengthsAndDiameters) {
    // 100 US gallons a minute, 1000 ft, 12 in; SI files in mm and m.
    const struct {
        std::string units, demand, length, diameter;
    } files[] = {{"GPM", "100", "1000", "12"},          {"CMH", "22.712470704", "304.8", "304.8"},
                 {"LPS", "6.30901964", "304.8", "304.8"}, {"CMD", "545.099296896", "304.8", "304.8"},
                 {"MGD", "0.144", "1000", "12"},          {"CFS", "0.22280092592592592", "1000", "12"}};
    std::vector<ProjectData> read(std::size(files));
    for (size_t f = 0; f < std::size(files); ++f) {
        Import import;
        const auto& file = files[f];
        EXPECT_EQ(import.Run(Lines({"[OPTIONS]", "UNITS " + file.units, "[RESERVOIRS]", "R 1", "[JUNCTIONS]",
                                    "J 0 " + file.demand, "[PIPES]",
                                    "P R J " + file.length + " " + file.diameter + " 1"}),
                             kDesign).first, 0);
        ASSERT_EQ(ReadBaseDataFile(import.data, read[f]), "");
        const auto close = [](double a, double b) { return std::fabs(a - b) <= 1e-12 * std::fabs(b); };
        EXPECT_TRUE(close(*read[f].loads[1].load, 100 * 3.785411784e-3 * 60 * 958 / 1000 * 60 *
                                                      4.1868 / 3600))
            << file.units << " " << *read[f].loads[1].load;
        EXPECT_TRUE(close(*read[f].pipes[1].length, 304.8) && close(*read[f].pipes[1].diameter, 304.8));
    }
}

TEST(InpImport, ACommandLineItCannotUseIsRefusedBeforeAnything) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"--import-inp", "a.inp"}, {"--import-inp", "a.inp", "Y.TXT", "--diameters", "some"},
             {"--import-inp", "a.inp", "Y.TXT", "--temperatures", "130"},
             {"--import-inp", "a.inp", "Y.TXT", "--xlsx"}}) {
        const auto [status, errors] = RunHeatnetCalc(arguments);
        EXPECT_EQ(status, 2);
        EXPECT_NE(errors.find("用法: heatnet-calc --import-inp"), std::string::npos) << errors;
    }
}

TEST(InpImport, AFileThatCannotBeWrittenLeavesNoneOfTheOthers) {
    Import import;
    fs::create_directories(import.folder.Path() / "Y.xy.csv" / "taken");
    const auto [status, errors] = import.Run(Lines(kModel), kDesign);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(errors, "heatnet-calc: 无法写入文件 " + import.folder.File("Y.xy.csv") +
                          ",本次导入已写入的文件已删除,未导入。\n");
    EXPECT_EQ(FileNames(import.folder.Path()), (std::vector<std::string>{"Y.xy.csv", "m.inp"}));
}

// Flows from start to end node and the selected sizes, by record.
std::vector<std::pair<double, int>> FlowsAndSizes(const std::string& dataFile) {
    RecordingInteraction person;
    const auto result = Calculate(dataFile, person);
    EXPECT_TRUE(result->completed) << dataFile;
    std::vector<std::pair<double, int>> rows(result->model.segments.size());
    ProjectData data;
    EXPECT_EQ(ReadBaseDataFile(dataFile, data), "");
    for (const NetworkSegment& segment : result->model.segments) {
        const bool forward = ValueOf(segment.nodeI) == ValueOf(data.pipes[segment.record + 1].startNode);
        rows[segment.record] = {forward ? segment.flow : -segment.flow, segment.sizeIndex};
    }
    return rows;
}

TEST(InpImport, EveryGoldenNetworkComesBackFromItsOwnExport) {
    int completed = 0;
    for (const auto& entry : fs::directory_iterator(SourcePath("tests/networks"))) {
        if (entry.path().extension() != ".TXT") continue;
        SCOPED_TRACE(entry.path().filename().string());
        TemporaryFolder folder;
        const std::string x = folder.File("X.TXT"), inp = folder.File("X.inp");
        fs::copy_file(entry.path(), x);
        if (RunHeatnetCalc({x, "--export-inp", inp}).first != 0) continue;
        ++completed;
        ProjectData data;
        ASSERT_EQ(ReadBaseDataFile(x, data), "");
        bool allAuto = true;
        for (int i = 1; i <= PipeRecordCount(data); ++i) allAuto = allAuto && ValueOf(data.pipes[i].diameter) < 25;
        const auto expected = FlowsAndSizes(x);
        for (const char* diameters : {"given", "auto"}) {
            if (std::string(diameters) == "auto" && !allAuto) continue;
            const std::string y = folder.File(std::string("Y_") + diameters + ".TXT");
            ASSERT_EQ(RunHeatnetCalc({"--import-inp", inp, y, "--diameters", diameters}).first, 0) << diameters;
            const auto got = FlowsAndSizes(y);
            ASSERT_EQ(got.size(), expected.size());
            for (size_t r = 0; r < got.size(); ++r) {
                EXPECT_NEAR(got[r].first, expected[r].first, 1e-9 * std::max(std::fabs(expected[r].first), 1e-6))
                    << diameters << " record " << r + 1;
                EXPECT_EQ(got[r].second, expected[r].second) << diameters << " record " << r + 1;
            }
        }
    }
    EXPECT_GT(completed, 15);
}

}  // namespace
}  // namespace heatnet
