// Outputs that cannot be written: a folder in the way, a full disk, a read-only
// folder. Each gets one message, no earlier file is replaced by a partial one, no
// temporary file stays behind, and the other outputs are still written.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "calculation/closing_sequence.h"
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

// A real full disk: a 64 KB tmpfs, filled and then given back `pages` pages.
// Mounting needs root with the right to mount.
bool MountSmallDisk(const fs::path& at) {
    fs::create_directories(at);
    return ::mount("tmpfs", at.c_str(), "tmpfs", 0, "size=64k,mode=0755") == 0;
}
void LeaveFree(const fs::path& at, long pages) {
    const std::string block(4096, 'x');
    for (std::ofstream out(at / "filler", std::ios::binary); out.write(block.data(), block.size());) {
    }
    const auto size = fs::file_size(at / "filler"), freed = static_cast<uintmax_t>(pages * ::sysconf(_SC_PAGESIZE));
    fs::resize_file(at / "filler", size > freed ? size - freed : 0);
}

TEST(DiskFaults, SmallDiskWritesWhatFitsAndReplacesNothing) {
    TemporaryFolder folder;
    const fs::path disk = folder.Path() / "disk";
    if (!MountSmallDisk(disk)) GTEST_SKIP() << "no right to mount a tmpfs here; the /dev/full rows cover it";
    WriteBytes((disk / "net.TXT").string(), ReadBytes(SourcePath("examples/small_tree.TXT")));
    const OutputFiles files = OutputFilesFor((disk / "net").string());
    // Nothing left: the report cannot be completed, nothing else is written.
    LeaveFree(disk, 0);
    RecordingInteraction full, room;
    EXPECT_FALSE(Calculate((disk / "net.TXT").string(), full)->completed);
    EXPECT_EQ(full.messages, std::vector<std::string>{"无法写入计算书文件 " + files.report + ",请检查磁盘空间和文件夹权限。"});
    EXPECT_EQ(FileNames(disk), (std::vector<std::string>{"filler", "net.TXT", "net_OUT.TXT"}));
    // Two pages: the report and the sized data file (one each) fit, the diagram (two) does not.
    fs::remove(files.report);
    LeaveFree(disk, 2);
    EXPECT_TRUE(Calculate((disk / "net.TXT").string(), room)->completed);
    EXPECT_EQ(room.messages, (std::vector<std::string>{"无法写入水压图文件 " + files.diagram + ",请检查磁盘空间和文件夹权限。",
                                                       "计算表见:" + files.report}));
    EXPECT_EQ(FileNames(disk), (std::vector<std::string>{"filler", "net#.TXT", "net.TXT", "net_OUT.TXT"}));
    EXPECT_NE(ReadBytes(files.report), "");
    ::umount2(disk.c_str(), MNT_DETACH);
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

}  // namespace
}  // namespace heatnet
