// Runs a fuzz target once on every file named on the command line or lying in a
// folder named there, without libFuzzer: the seeds and every input that ever made
// a target fail are run this way by ctest in every build.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path argument = argv[i];
        if (fs::is_regular_file(argument)) inputs.push_back(argument);
        if (fs::is_directory(argument))
            for (const fs::directory_entry& entry : fs::directory_iterator(argument))
                if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    for (const fs::path& input : inputs) {
        std::ifstream in(input, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        std::printf("%s\n", input.string().c_str()), std::fflush(stdout);  // names an input that crashes
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs ran without a failure\n", inputs.size());
    return inputs.empty() ? 1 : 0;
}
