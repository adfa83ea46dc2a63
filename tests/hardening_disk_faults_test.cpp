// Outputs that cannot be written: a folder in the way, a full disk, a read-only
// folder. Each gets one message, no good file is replaced by a partial one, no
// temporary file stays behind, and the other outputs are still written.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "hardening_support.h"
#include "calculation/closing_sequence.h"
#include "test_support.h"

namespace heatnet {
namespace {

namespace fs = std::filesystem;
using testing::Calculate;
using testing::CopyProgram;
using testing::FileNames;
using testing::ReadBytes;
using testing::RecordingInteraction;
using testing::RunHeatnetCalc;
using testing::RunningAsRoot;
using testing::SourcePath;
using testing::TemporaryFolder;
using testing::WriteBytes;

struct Blocked {
    std::string output;  // which output is blocked
    bool completed;
    std::function<std::vector<std::string>(const OutputFiles&)> messages;
};

// The four outputs of a calculation of the small tree with the workbook asked for.
const std::vector<Blocked>& BlockedOutputs() {
    static const std::vector<Blocked> cases = {
        // The report's message tells creating from completing it; each test names its own.
        {"_OUT.TXT", false, [](const OutputFiles&) { return std::vector<std::string>{}; }},
        {".dxf", true,
         [](const OutputFiles& f) {
             return std::vector<std::string>{"无法写入水压图文件 " + f.diagram + ",请检查磁盘空间和文件夹权限。",
                                             "计算表见:" + f.workbook};
         }},
        {".XLSX", true,
         [](const OutputFiles& f) {
             return std::vector<std::string>{
                 "无法写入EXCEL表 " + f.workbook +
                     ",请检查文件夹是否可写、文件是否被其他程序占用。计算结果见计算书。",
                 "计算表见:" + f.report + "\r\n水压图文件名:" + f.diagram};
         }},
        {"#.TXT", true,
         [](const OutputFiles& f) {
             return std::vector<std::string>{
                 "计算表见:" + f.workbook + "\r\n水压图文件名:" + f.diagram,
                 "无法写入带管径的基本数据文件 " + f.sizedData + ",请检查磁盘空间和文件夹权限。"};
         }},
    };
    return cases;
}

bool HasTemporaryFile(const fs::path& folder) {
    for (const std::string& name : FileNames(folder))
        if (name.ends_with(".heatnet-tmp")) return true;
    return false;
}

TEST(DiskFaults, FolderInPlaceOfAnOutput) {
    for (const Blocked& blocked : BlockedOutputs()) {
        TemporaryFolder folder;
        WriteBytes(folder.File("net.TXT"), ReadBytes(SourcePath("examples/small_tree.TXT")));
        const OutputFiles files = OutputFilesFor(folder.File("net"));
        const std::string inTheWay = folder.File("net" + blocked.output);
        fs::create_directories(inTheWay + "/kept");
        RecordingInteraction person;
        person.answerYes = true;
        EXPECT_EQ(Calculate(folder.File("net.TXT"), person)->completed, blocked.completed);
        std::vector<std::string> expected = blocked.messages(files);
        if (!blocked.completed)
            expected = {"无法建立计算书文件 " + files.report + ",请检查文件夹是否可写。"};
        EXPECT_EQ(person.messages, expected) << blocked.output;
        EXPECT_TRUE(fs::exists(inTheWay + "/kept"));
        EXPECT_FALSE(HasTemporaryFile(folder.Path()));
        // Every other output is there exactly when the calculation completed.
        for (const std::string& other : {files.report, files.diagram, files.workbook, files.sizedData}) {
            if (other != inTheWay) {
                EXPECT_EQ(fs::is_regular_file(other), blocked.completed) << other;
            }
        }
    }
}

TEST(DiskFaults, FullDiskKeepsTheEarlierFiles) {
    // The kernel's /dev/full answers every write with "no space left on device";
    // the temporary name of one output points at it.
    for (const Blocked& blocked : BlockedOutputs()) {
        TemporaryFolder folder;
        WriteBytes(folder.File("net.TXT"), ReadBytes(SourcePath("examples/small_tree.TXT")));
        const OutputFiles files = OutputFilesFor(folder.File("net"));
        for (const std::string& earlier : {files.diagram, files.workbook, files.sizedData})
            WriteBytes(earlier, "earlier " + earlier);
        const std::string full = folder.File("net" + blocked.output);
        fs::create_symlink("/dev/full", full + ".heatnet-tmp");
        RecordingInteraction person;
        person.answerYes = true;
        EXPECT_EQ(Calculate(folder.File("net.TXT"), person)->completed, blocked.completed);
        std::vector<std::string> expected = blocked.messages(files);
        if (!blocked.completed)
            expected = {"无法写入计算书文件 " + files.report + ",请检查磁盘空间和文件夹权限。"};
        EXPECT_EQ(person.messages, expected) << blocked.output;
        EXPECT_FALSE(HasTemporaryFile(folder.Path()));
        for (const std::string& earlier : {files.diagram, files.workbook, files.sizedData}) {
            const bool kept = earlier == full || !blocked.completed;
            EXPECT_EQ(ReadBytes(earlier) == "earlier " + earlier, kept) << earlier;
        }
        // A report that could not be completed is left as created: empty.
        if (!blocked.completed) {
            EXPECT_EQ(ReadBytes(files.report), "");
        }
    }
}

// A real full disk: a small tmpfs. Mounting needs root with the right to mount.
class SmallDisk {
public:
    explicit SmallDisk(const fs::path& at) : at_(at) {
        fs::create_directories(at);
        mounted_ = ::mount("tmpfs", at.c_str(), "tmpfs", 0, "size=64k,mode=0755") == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return mounted_; }
    // Fills the disk, then frees `pages` pages again.
    void LeaveFree(long pages) {
        const std::string filler = (at_ / "filler").string();
        {
            std::ofstream out(filler, std::ios::binary);
            const std::string block(4096, 'x');
            while (out.write(block.data(), block.size())) {
            }
        }
        const auto size = fs::file_size(filler);
        const long page = ::sysconf(_SC_PAGESIZE);
        fs::resize_file(filler, size > static_cast<uintmax_t>(pages * page) ? size - pages * page : 0);
    }

private:
    fs::path at_;
    bool mounted_ = false;
};

TEST(DiskFaults, SmallDiskWritesWhatFitsAndReplacesNothing) {
    TemporaryFolder folder;
    SmallDisk disk(folder.Path() / "disk");
    if (!disk.Mounted()) GTEST_SKIP() << "no right to mount a tmpfs here; FullDiskKeepsTheEarlierFiles covers it";
    const fs::path net = folder.Path() / "disk" / "net.TXT";
    WriteBytes(net.string(), ReadBytes(SourcePath("examples/small_tree.TXT")));
    const OutputFiles files = OutputFilesFor((folder.Path() / "disk" / "net").string());

    // Nothing left: the report cannot be completed, nothing else is written.
    disk.LeaveFree(0);
    RecordingInteraction full;
    EXPECT_FALSE(Calculate(net.string(), full)->completed);
    EXPECT_EQ(full.messages,
              std::vector<std::string>{"无法写入计算书文件 " + files.report + ",请检查磁盘空间和文件夹权限。"});
    EXPECT_EQ(FileNames(net.parent_path()),
              (std::vector<std::string>{"filler", "net.TXT", "net_OUT.TXT"}));

    // Two pages: the report (one) and the sized data file (one) fit, the diagram
    // (two) does not.
    fs::remove(files.report);
    disk.LeaveFree(2);
    RecordingInteraction room;
    EXPECT_TRUE(Calculate(net.string(), room)->completed);
    EXPECT_EQ(room.messages,
              (std::vector<std::string>{"无法写入水压图文件 " + files.diagram + ",请检查磁盘空间和文件夹权限。",
                                        "计算表见:" + files.report}));
    EXPECT_EQ(FileNames(net.parent_path()),
              (std::vector<std::string>{"filler", "net#.TXT", "net.TXT", "net_OUT.TXT"}));
    EXPECT_NE(ReadBytes(files.report), "");
}

TEST(DiskFaults, ReadOnlyFolderWritesNothingAndSaysSo) {
    TemporaryFolder folder;
    // As root every folder is writable; the program then runs as "nobody".
    const std::string program = CopyProgram(folder.Path() / "program");
    const fs::path data = folder.Path() / "data";
    fs::create_directory(data);
    WriteBytes((data / "net.TXT").string(), ReadBytes(SourcePath("examples/small_tree.TXT")));
    WriteBytes((data / "net_OUT.TXT").string(), "earlier report");
    WriteBytes((data / "net.dxf").string(), "earlier diagram");
    fs::permissions(data, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(folder.Path(), fs::perms::others_exec | fs::perms::others_read, fs::perm_options::add);

    const auto run = RunHeatnetCalc({"--xlsx", (data / "net.TXT").string()}, RunningAsRoot(), program);
    fs::permissions(data, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "pelu: 无法建立计算书文件 " + (data / "net_OUT.TXT").string() +
                              ",请检查文件夹是否可写。\n");
    EXPECT_EQ(FileNames(data), (std::vector<std::string>{"net.TXT", "net.dxf", "net_OUT.TXT"}));
    EXPECT_EQ(ReadBytes((data / "net_OUT.TXT").string()), "earlier report");
    EXPECT_EQ(ReadBytes((data / "net.dxf").string()), "earlier diagram");
}

}  // namespace
}  // namespace heatnet
