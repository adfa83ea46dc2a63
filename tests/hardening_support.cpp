#include "hardening_support.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "test_support.h"

extern char** environ;

namespace heatnet::testing {

CommandRun RunHeatnetCalc(const std::vector<std::string>& arguments, bool asOtherUser,
                          const std::string& program) {
    std::vector<std::string> command;
    if (asOtherUser)
        command = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    command.push_back(program);
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& part : command) argv.push_back(part.data());
    argv.push_back(nullptr);

    char errorsName[] = "/tmp/heatnet-stderr-XXXXXX";
    const int errors = ::mkstemp(errorsName);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, errors, 2);
    CommandRun run;
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        ::waitpid(child, &status, 0);
        if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(errors);
    run.errors = ReadBytes(errorsName);
    ::unlink(errorsName);
    return run;
}

std::string CopyProgram(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    fs::create_directories(folder);
    const fs::path built = fs::path(HEATNET_CALC).parent_path();
    for (const char* name : {"heatnet-calc", "SLGJ.DAT", "ybdwg.dat"})
        fs::copy_file(built / name, folder / name, fs::copy_options::overwrite_existing);
    // Folders on the way may be private to the tests' user; this one is not.
    for (fs::path part = folder; part != part.root_path() && part != fs::temp_directory_path();
         part = part.parent_path())
        fs::permissions(part, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
    return (folder / "heatnet-calc").string();
}

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool RunningAsRoot() { return ::geteuid() == 0; }

}  // namespace heatnet::testing
