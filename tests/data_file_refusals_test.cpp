// Data files and pipe tables no calculation can use are refused before anything is
// derived from them: one message naming the file and, for a single value, its line,
// field and meaning; nothing but the empty report is written. (Values at the edge of
// what is accepted, and a refusal of each kind, are golden networks too.)
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "data/application_texts.h"
#include "data/base_data_file.h"
#include "data/gbk_text.h"
#include "data/quoted_text.h"
#include "hydraulics/standard_pipe_table.h"
#include "calculation/program_directory.h"
#include "test_support.h"

namespace heatnet {
namespace {

using namespace testing;

// One segment from node 0 to node 1 and its load, under the header given.
std::string OneSegment(const std::string& header) { return CrLfLines({header, "2,1", "0", "0,100,0,0,1", "1,5"}); }
std::string OneSegment(const std::string& segment, const std::string& load) {
    return CrLfLines({kHeader, "2,1", "0", segment, load});
}

// One message with "@" for the data file and nothing but the empty report. (That a
// refused read keeps the reader's record the fuzz targets check on any bytes.)
void ExpectRefused(const std::string& content, const std::string& message, const std::string& program = "") {
    SCOPED_TRACE(content.substr(0, 80));
    TemporaryFolder folder;
    const std::string file = folder.File("net.TXT");
    WriteBytes(file, content);
    RecordingInteraction person;
    EXPECT_FALSE(Calculate(file, person, program)->completed);
    EXPECT_EQ(person.messages, std::vector<std::string>{WithPath(message, file)});
    EXPECT_EQ(FileNames(folder.Path()), (std::vector<std::string>{"net.TXT", "net_OUT.TXT"}));
    EXPECT_EQ(ReadBytes(folder.File("net_OUT.TXT")), "");
    EXPECT_TRUE(person.questions.empty());
}

TEST(DataFileRefusals, EachRefusedFieldIsNamedAndNothingIsWritten) {
    const std::string utf16 = "数据文件 @ 是UTF-16(Unicode)编码的,无法读取。请在文本编辑器中另存为ANSI(GBK)或UTF-8编码。";
    const std::string length = "不可用:管段长度应为0,或0.001到100000m之间的数。";
    const std::string node = "应为0到999999999999999之间的整数。";
    const std::string load = "不可用:节点负荷应为0,或绝对值在0.000001到100000MW之间。";
    const std::string pressure = "应在-100000到100000kPa之间。";
    const std::string pipes = "不可用:管道数应为0到1400之间的整数。", nodes = "不可用:节点数应为0到1401之间的整数。";
    const std::vector<std::pair<std::string, std::string>> rows = {
        // The file as a whole: encodings, its end, its counts.
        {std::string("\xFF\xFE" "1\0" "3\0" "0\0", 8), utf16},
        {std::string("1\0" "3\0" "0\0", 6), utf16},
        {"", "数据文件 @ 不完整:第1行之后数据已结束,缺少供水温度。"},
        {CrLfLines({kHeader, "3,2", "0", "0,100,0,0,1"}), "数据文件 @ 不完整:第5行之后数据已结束,缺少第2根管道的管径。"},
        {CrLfLines({kHeader, "2,1", "0", "0,100,0,0,1"}), "数据文件 @ 不完整:第5行之后数据已结束,缺少第1个节点的节点编号。"},
        {CrLfLines({kHeader, "3,2.5", "0"}), "数据文件 @ 第2行第2个数据中的管道数2.5" + pipes},
        {CrLfLines({kHeader, "1402,1", "0"}), "数据文件 @ 第2行第1个数据中的节点数1402" + nodes},
        {CrLfLines({kHeader, "-3,2", "0"}), "数据文件 @ 第2行第1个数据中的节点数-3" + nodes},
        // A field that is no number, quoted readably: a GBK comment, binary bytes, a megabyte.
        {"130,70,200,50," + *Utf8ToGbk(" .4   供水温度") + "\r\n", "数据文件 @ 第1行第5个数据\".4   供水温度\"不是数字(局部阻力折算系数),请检查。"},
        {"130,70,\x01\xFF\xFE\x80,50,.4\r\n", "数据文件 @ 第1行第3个数据\"????\"不是数字(循环水泵入口压力),请检查。"},
        {"130," + std::string(1 << 20, '7') + "x,200", "数据文件 @ 第1行第2个数据\"" + std::string(24, '7') + "…\"不是数字(回水温度),请检查。"},
        // Numbers beyond double range.
        {OneSegment("1e999,70,200,50,.4"), "数据文件 @ 第1行第1个数据\"1e999\"超出数值范围(供水温度),请检查。"},
        {OneSegment("0,100,0,0,-1E400", "1,5"), "数据文件 @ 第4行第5个数据\"-1E400\"超出数值范围(第1根管道的管段终点编号),请检查。"},
        // Design values.
        {OneSegment(" 130 , -10 , 200 , 50 , .4 "), "数据文件 @ 第1行第2个数据中的回水温度-10不可用:回水温度应在0到350°C之间。"},
        {OneSegment(" 130 , 70 , 1e308 , 50 , .4 "), "数据文件 @ 第1行第3个数据中的循环水泵入口压力1E+308不可用:循环水泵入口压力" + pressure},
        {OneSegment(" 130 , 70 , 200 , -2E5 , .4 "), "数据文件 @ 第1行第4个数据中的最末端用户阻力-200000不可用:最末端用户阻力" + pressure},
        {OneSegment(" 130 , 70 , 200 , 50 , -.4 "), "数据文件 @ 第1行第5个数据中的局部阻力折算系数-.4不可用:局部阻力折算系数应在0到100之间。"},
        {OneSegment(" 130 , 70 , 200 , 50 , 1e300 "), "数据文件 @ 第1行第5个数据中的局部阻力折算系数1E+300不可用:局部阻力折算系数应在0到100之间。"},
        // Segment and load values.
        {OneSegment("0,-120,0,0,1", "1,5"), "数据文件 @ 第4行第2个数据中的第1根管道的管段长度-120" + length},
        {OneSegment("0,1e-300,0,0,1", "1,5"), "数据文件 @ 第4行第2个数据中的第1根管道的管段长度1E-300" + length},
        {OneSegment("0,1e308,0,0,1", "1,5"), "数据文件 @ 第4行第2个数据中的第1根管道的管段长度1E+308" + length},
        {OneSegment("0,100,-5,0,1", "1,5"), "数据文件 @ 第4行第3个数据中的第1根管道的局部阻力折算长度-5不可用:局部阻力折算长度应为0,或0.001到100000m之间的数。"},
        {OneSegment("0,100,0,-1,0", "-1,5"), "数据文件 @ 第4行第4个数据中的第1根管道的管段起点编号-1不可用:管段起点编号" + node},
        {OneSegment("0,100,0,0,1.5", "1.5,5"), "数据文件 @ 第4行第5个数据中的第1根管道的管段终点编号1.5不可用:管段终点编号" + node},
        {OneSegment("0,100,0,0,1e15", "1e15,5"), "数据文件 @ 第4行第5个数据中的第1根管道的管段终点编号1E+15不可用:管段终点编号" + node},
        {OneSegment("0,100,0,0,1", "2.5,5"), "数据文件 @ 第5行第1个数据中的第1个节点的节点编号2.5不可用:节点编号" + node},
        {OneSegment("0,100,0,0,1", "1,1e6"), "数据文件 @ 第5行第2个数据中的第1个节点的节点负荷1000000" + load},
        {OneSegment("0,100,0,0,1", "1,-1e-300"), "数据文件 @ 第5行第2个数据中的第1个节点的节点负荷-1E-300" + load},
        // The record number counts records, the line number lines: both are named.
        {CrLfLines({kHeader, "3,2", "0", "0,100,0,0,1", "0,50,0,1", "2", "1,5", "2,1e7"}),
         "数据文件 @ 第8行第2个数据中的第2个节点的节点负荷10000000" + load},
        // The network as a whole.
        {CrLfLines({kHeader, "4,2", "0", "0,100,0,0,1", "0,50,0,1,2", "1,5", "2,1", "3,1"}),
         "节点数为4,但管道中出现的不同节点编号(含主热源0)共3个,请检查节点数和管段编号。"},
        {OneSegment("0,100,0,1,1", "1,5"), "第1根管道的起点和终点编号相同(1),请检查。"},
    };
    for (const auto& [content, message] : rows) ExpectRefused(content, message);
}

// Bytes no text editor would leave in a field reach the person, through heatnet-calc, as
// valid UTF-8: text as it is (GBK converted), what cannot be shown as "?", a long field cut.
TEST(DataFileRefusals, BadBytesInAFieldAreQuotedAsReadableText) {
    const std::string emoji = "\xF0\x9F\x94\xA5", gbkWater = *Utf8ToGbk("供水");
    std::string emojis;
    for (int k = 0; k < 30; ++k) emojis += emoji;
    const std::vector<std::pair<std::string, std::string>> rows = {  // the third field, its quoted text
        {std::string("2\0" "0x", 4), "2?0x"},          // NUL
        {"\t20\x7F\t", "20?"},                         // DEL; tabs around a field are no part of it
        {"2\t0\x1B[1m", "2?0?[1m"},                     // tab inside, an escape sequence
        {"供\x01水", "供?水"},                           // UTF-8 with a control character
        {gbkWater + "\x01", "供水?"},                    // GBK with a control character
        {gbkWater + "\xFF", "?????"},                    // neither UTF-8 nor GBK: every byte
        {"\xED\xA0\x80", "頎€"},                         // a UTF-8 surrogate is GBK text
        {"\xF4\x90\x80\x80", "魫€€"},                   // so is UTF-8 beyond U+10FFFF
        {emojis, std::string(emojis, 0, 24 * 4) + "…"},  // 24 characters of four bytes each
        {std::string(120, 'a') + gbkWater, std::string(24, 'a') + "…"},
    };
    for (const auto& [field, quoted] : rows) {
        TemporaryFolder folder;
        WriteBytes(folder.File("net.TXT"), "130,70," + field + ",50,.4\r\n");
        const auto [status, said] = RunHeatnetCalc({folder.File("net.TXT")});
        EXPECT_EQ(status, 1);
        EXPECT_TRUE(IsValidUtf8(said));
        EXPECT_EQ(said, WithPath(std::string(kApplicationTitle) + ": 数据文件 @ 第1行第3个数据\"" + quoted +
                                     "\"不是数字(循环水泵入口压力),请检查。\n", folder.File("net.TXT")));
    }
}

const std::string kSizes = "25,32,40,50,65,80,100,125,150,200,250,300,350,400,450,500,600,700,800,900,1000,1200";

TEST(DataFileRefusals, PipeTablesTheFrictionLawCannotTakeStopTheCalculation) {
    const std::string allButLast = kSizes.substr(0, kSizes.rfind(',')), diameter = "不可用:管径应在1到10000mm之间,无法计算。";
    const std::vector<std::pair<std::string, std::string>> rows = {  // "@" is the table
        {".5," + kSizes.substr(3), "标准管径表 @ 的第1个管径.5" + diameter},
        {allButLast + ",20000", "标准管径表 @ 的第22个管径20000" + diameter},
        {allButLast + ",1e999", "标准管径表 @ 的第22个管径\"1e999\"不是数字,无法计算。"},
        {"0," + kSizes.substr(3), "标准管径表 @ 的管径应为由小到大排列的正数(第1个不符),无法计算。"},
        {"32,25," + kSizes, "标准管径表 @ 的管径应为由小到大排列的正数(第2个不符),无法计算。"},
        {"25,\x01\xFF,40", "标准管径表 @ 的第2个管径\"??\"不是数字,无法计算。"},
        {"25,32,40", "标准管径表 @ 只有3个管径,应有22个,无法计算。"},
    };
    for (const auto& [table, message] : rows) {
        TemporaryFolder program;
        WriteBytes(program.File("SLGJ.DAT"), table);  // no table at all: table_lookup_test
        ExpectRefused(OneSegment(kHeader), WithPath(message, program.File("SLGJ.DAT")), program.Path().string());
    }
}

TEST(DataFileRefusals, PipeTableInAnyLayoutOrWithByteOrderMarkGivesTheSameCoefficients) {
    std::string blanks = kSizes;
    std::replace(blanks.begin(), blanks.end(), ',', ' ');
    StandardPipeTable shipped;
    ASSERT_EQ(shipped.Load(ProgramDirectory() + "/SLGJ.DAT", 958), "");
    for (const std::string& text : {kSizes + "\r\n", "\xEF\xBB\xBF" + kSizes, blanks.insert(blanks.find(" 125"), "\r\n"),
                                    kSizes + ",20,x"}) {  // nothing after the 22nd is read
        StandardPipeTable table;
        ASSERT_EQ(table.LoadFromText(text, "SLGJ.DAT", 958), "") << text;
        for (int size = 1; size <= StandardPipeTable::kSizes; ++size) EXPECT_EQ(table.Coefficient(size), shipped.Coefficient(size));
    }
}

TEST(DataFileRefusals, FilesThatAreNoDataFilesAtAll) {
    TemporaryFolder folder;
    // A file far larger than any data file is not loaded; a sparse one costs no disk.
    WriteBytes(folder.File("huge.TXT"), "130,70,200,50,.4\r\n");
    std::filesystem::resize_file(folder.File("huge.TXT"), (64u << 20) + 1);
    std::filesystem::create_directory(folder.File("folder.TXT"));
    const std::vector<std::pair<std::string, std::string>> rows = {
        {folder.File("huge.TXT"), "数据文件 @ 超过64MB,不是基本数据文件,请检查文件名。"},
        {folder.File("folder.TXT"), "无法读取数据文件 @,请检查文件是否存在。"},
        {"/dev/zero", "无法读取数据文件 @,请检查文件是否存在。"},
        {folder.File("absent.TXT"), "无法读取数据文件 @,请检查文件是否存在。"},
    };
    for (const auto& [file, message] : rows) {
        auto data = std::make_unique<ProjectData>();
        EXPECT_EQ(ReadBaseDataFile(file, *data), WithPath(message, file));
    }
    RecordingInteraction person;
    EXPECT_FALSE(Calculate(folder.File("*.txt"), person)->completed);
    EXPECT_EQ(person.messages, std::vector<std::string>{WithPath("文件名 @ 含有通配符 * 或 ?,请选择一个数据文件。", folder.File("*.txt"))});
    EXPECT_EQ(FileNames(folder.Path()), (std::vector<std::string>{"folder.TXT", "huge.TXT"}));
}

}  // namespace
}  // namespace heatnet
