// heatnet-generate: writes a generated network as a basic data file, for the
// benchmarks and for trying the program on networks of any size.
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "tools/network_generator.h"
#include "data/base_data_file.h"

namespace {

constexpr const char* kUsage =
    "用法: heatnet-generate [--segments N] [--seed S] [--branch-start B] [--given-share X]\n"
    "                       [--loops K] [--secondary-share X] [--shuffled] [--ill-conditioned]\n"
    "                       [--near-thresholds X] [--trickles X] [--scattered]\n"
    "                       数据文件\n"
    "  写出一个按工程习惯编号的管网基本数据文件(主干线先编号,支线从 B 起编号)。\n";

}  // namespace

int main(int argc, char** argv) {
    heatnet::NetworkRecipe recipe;
    std::string fileName;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--segments" && hasValue) {
            recipe.segments = std::atoi(argv[++i]);
        } else if (argument == "--seed" && hasValue) {
            recipe.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (argument == "--branch-start" && hasValue) {
            recipe.branchStartNode = std::atoi(argv[++i]);
        } else if (argument == "--given-share" && hasValue) {
            recipe.givenDiameterShare = std::atof(argv[++i]);
        } else if (argument == "--loops" && hasValue) {
            recipe.loopSegments = std::atoi(argv[++i]);
        } else if (argument == "--secondary-share" && hasValue) {
            recipe.secondarySourceShare = std::atof(argv[++i]);
        } else if (argument == "--near-thresholds" && hasValue) {
            recipe.nearThresholdShare = std::atof(argv[++i]);
        } else if (argument == "--trickles" && hasValue) {
            recipe.trickleShare = std::atof(argv[++i]);
        } else if (argument == "--scattered") {
            recipe.scatteredNumbers = true;
        } else if (argument == "--shuffled") {
            recipe.shuffled = true;
        } else if (argument == "--ill-conditioned") {
            recipe.illConditioned = true;
        } else if (!argument.starts_with("--") && fileName.empty()) {
            fileName = argument;
        } else {
            std::cerr << kUsage;
            return 2;
        }
    }
    if (fileName.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    const heatnet::ProjectData data = heatnet::GenerateNetwork(recipe);
    if (const auto error = heatnet::WriteBaseDataFile(fileName, data); !error.empty()) {
        std::cerr << "heatnet-generate: " << error << "\n";
        return 1;
    }
    return 0;
}
