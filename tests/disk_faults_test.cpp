// Outputs that cannot be written: a folder in the way, a full disk, a read-only
// folder, no diagram template. Each gets one message, no earlier file is replaced by a partial one, no
// temporary file stays behind, and the other outputs are still written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "calculation/closing_sequence.h"
#include "calculation/program_directory.h"
#include "test_support.h"

namespace heatnet {
namespace {

namespace fs = std::filesystem;
using namespace testing;

TEST(DiskFaults, EachOutputUnderAFolderInPlaceOrAFullDisk) {
    for (const bool folderInPlace : {true, false}) {
        // Messages with "@" for the base name; the report's tells creating from completing it.
        const std::vector<std::pair<std::string, std::vector<std::string>>> rows = {
            {"_OUT.TXT", {folderInPlace ? "无法建立计算书文件 @_OUT.TXT,请检查文件夹是否可写。"
                                        : "无法写入计算书文件 @_OUT.TXT,请检查磁盘空间和文件夹权限。"}},
            {".dxf", {"无法写入水压图文件 @.dxf,请检查磁盘空间和文件夹权限。", "计算表见:@.XLSX"}},
            {".XLSX", {"无法写入EXCEL表 @.XLSX,请检查文件夹是否可写、文件是否被其他程序占用。计算结果见计算书。", "计算表见:@_OUT.TXT\r\n水压图文件名:@.dxf"}},
            {"#.TXT", {"计算表见:@.XLSX\r\n水压图文件名:@.dxf", "无法写入带管径的基本数据文件 @#.TXT,请检查磁盘空间和文件夹权限。"}},
        };
        for (const auto& [output, messages] : rows) {
            SCOPED_TRACE(output + (folderInPlace ? " folder in place" : " full disk"));
            TemporaryFolder folder;
            WriteBytes(folder.File("net.TXT"), ReadBytes(SourcePath("examples/small_tree.TXT")));
            const OutputFiles files = OutputFilesFor(folder.File("net"));
            const std::string blocked = folder.File("net" + output);
            const std::vector<std::string> earlier = {files.diagram, files.workbook, files.sizedData};
            for (const std::string& file : earlier) WriteBytes(file, "earlier " + file);
            // The kernel's /dev/full answers every write with "no space left on device".
            if (folderInPlace) fs::remove(blocked), fs::create_directories(blocked + "/kept");
            else fs::create_symlink("/dev/full", blocked + ".heatnet-tmp");
            RecordingInteraction person;
            person.answerYes = true;
            const bool completed = Calculate(folder.File("net.TXT"), person)->completed;
            EXPECT_EQ(completed, output != "_OUT.TXT");
            for (size_t k = 0; k < messages.size(); ++k) EXPECT_EQ(person.messages.at(k), WithPath(messages[k], folder.File("net")));
            EXPECT_EQ(person.messages.size(), messages.size());
            for (const std::string& name : FileNames(folder.Path())) EXPECT_FALSE(name.ends_with(".heatnet-tmp"));
            EXPECT_EQ(fs::exists(blocked + "/kept"), folderInPlace);
            // An earlier file is kept exactly when its output failed or nothing was written.
            for (const std::string& file : earlier)
                EXPECT_TRUE(fs::is_directory(file) || (ReadBytes(file) == "earlier " + file) == (file == blocked || !completed)) << file;
            // A report that could not be completed is left as created: empty.
            EXPECT_TRUE(fs::is_directory(files.report) || ReadBytes(files.report).empty() == !completed);
        }
    }
}

TEST(DiskFaults, ReadOnlyFolderWritesNothingAndSaysSo) {
    TemporaryFolder folder;
    // As root every folder is writable; the program then runs as "nobody", from a
    // copy beside its tables that everyone may read.
    const fs::path program = folder.Path() / "program", data = folder.Path() / "data";
    fs::create_directories(program);
    for (const char* name : {"heatnet-calc", "SLGJ.DAT", "ybdwg.dat"})
        fs::copy_file(fs::path(HEATNET_CALC).parent_path() / name, program / name);
    fs::create_directory(data);
    WriteBytes((data / "net.TXT").string(), ReadBytes(SourcePath("examples/small_tree.TXT")));
    WriteBytes((data / "net_OUT.TXT").string(), "earlier report");
    WriteBytes((data / "net.dxf").string(), "earlier diagram");
    for (const fs::path& path : {folder.Path(), program}) fs::permissions(path, fs::perms(0755));
    fs::permissions(data, fs::perms(0555));
    const auto [status, errors] = RunHeatnetCalc({"--xlsx", (data / "net.TXT").string()}, ::geteuid() == 0,
                                                 (program / "heatnet-calc").string());
    fs::permissions(data, fs::perms(0755));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(errors, "pelu: 无法建立计算书文件 " + (data / "net_OUT.TXT").string() + ",请检查文件夹是否可写。\n");
    EXPECT_EQ(FileNames(data), (std::vector<std::string>{"net.TXT", "net.dxf", "net_OUT.TXT"}));
    EXPECT_EQ(ReadBytes((data / "net_OUT.TXT").string()), "earlier report");
    EXPECT_EQ(ReadBytes((data / "net.dxf").string()), "earlier diagram");
}

TEST(DiskFaults, MissingOrUnendedDiagramTemplateKeepsTheEarlierDiagramAndTheRestGoesOn) {
    for (const std::string& templateText : {std::string(), std::string("0\r\nSECTION\r\n")}) {
        TemporaryFolder folder;
        const OutputFiles files = OutputFilesFor(folder.File("net"));
        WriteBytes(files.diagram, "earlier diagram");
        fs::create_directory(folder.File("program"));
        fs::copy_file(ProgramDirectory() + "/SLGJ.DAT", folder.File("program/SLGJ.DAT"));
        const std::string templatePath = folder.File("program/ybdwg.dat");
        if (!templateText.empty()) WriteBytes(templatePath, templateText);
        WriteBytes(folder.File("net.TXT"), CrLfLines({kHeader, "2,1", "0", "0,300,0,0,1", "1,1"}));
        RecordingInteraction person;
        ASSERT_TRUE(Calculate(folder.File("net.TXT"), person, folder.File("program"))->completed);
        ASSERT_EQ(person.messages.size(), 2u);
        EXPECT_NE(person.messages[0].find(templatePath), std::string::npos) << person.messages[0];
        EXPECT_EQ(person.messages[1], "计算表见:" + files.report);
        EXPECT_EQ(person.openedFiles, std::vector<std::string>{files.report});
        EXPECT_EQ(ReadBytes(files.diagram), "earlier diagram");
        EXPECT_TRUE(fs::exists(files.sizedData));
    }
}

}  // namespace
}  // namespace heatnet
