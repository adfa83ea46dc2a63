// The tables are read beside the executable first (a table put there wins over the
// installed one), then from ../share/heatnet as installed; a table in neither place
// is refused with a message naming both.
#include <gtest/gtest.h>

#include <filesystem>

#include "calculation/program_directory.h"
#include "test_support.h"

namespace heatnet {
namespace {

using namespace testing;

TEST(TableLookup, BesideTheExecutableThenShareHeatnetThenAMessageNamingBoth) {
    const std::string bin = "/bin/", share = "/share/heatnet/", broken = "25,32,40";
    struct Row { std::vector<std::pair<std::string, std::string>> tables; std::string firstMessage; };
    const std::vector<Row> rows = {  // a table's text, "" for the shipped one
        {{{bin + "SLGJ.DAT", ""}, {bin + "ybdwg.dat", ""}, {share + "SLGJ.DAT", broken}, {share + "ybdwg.dat", broken}},
         "计算表见:@report"},
        {{{share + "SLGJ.DAT", ""}, {share + "ybdwg.dat", ""}}, "计算表见:@report"},
        {{{bin + "SLGJ.DAT", broken}, {share + "SLGJ.DAT", ""}}, "标准管径表 @bin/SLGJ.DAT 只有3个管径,应有22个,无法计算。"},
        {{{share + "SLGJ.DAT", ""}}, "找不到水压图样板文件 @bin/ybdwg.dat 或 @share/ybdwg.dat,无法生成水压图。"},
        {{}, "找不到标准管径表 @bin/SLGJ.DAT 或 @share/SLGJ.DAT,无法计算。"},
    };
    TemporaryFolder reference;
    WriteBytes(reference.File("net.TXT"), ReadBytes(SourcePath("examples/small_tree.TXT")));
    RecordingInteraction person;
    ASSERT_TRUE(Calculate(reference.File("net.TXT"), person)->completed);
    for (const Row& row : rows) {
        TemporaryFolder root;
        for (const char* folder : {"bin", "share/heatnet"}) std::filesystem::create_directories(root.File(folder));
        for (const auto& [path, text] : row.tables)
            WriteBytes(root.Path().string() + path,
                       text.empty() ? ReadBytes(ProgramDirectory() + "/" + std::filesystem::path(path).filename().string()) : text);
        WriteBytes(root.File("net.TXT"), ReadBytes(reference.File("net.TXT")));
        RecordingInteraction person;
        const auto result = Calculate(root.File("net.TXT"), person, root.File("bin"));
        std::string expected = row.firstMessage;
        for (const auto& [tag, path] : {std::pair<std::string, std::string>{"@bin", root.File("bin")}, {"@share", root.File("share/heatnet")},
                                        {"@report", root.File("net_OUT.TXT") + "\r\n水压图文件名:" + root.File("net.dxf")}})
            for (size_t at; (at = expected.find(tag)) != std::string::npos;) expected.replace(at, tag.size(), path);
        ASSERT_FALSE(person.messages.empty());
        EXPECT_EQ(person.messages[0], expected);
        if (result->completed) {
            EXPECT_EQ(ReadBytes(root.File("net_OUT.TXT")), ReadBytes(reference.File("net_OUT.TXT")));
        }
    }
}

}  // namespace
}  // namespace heatnet
