// heatnet-calc: calculates one basic data file without the windows.
#include <cctype>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/console_interaction.h"
#include "cli/exchange_output.h"
#include "cli/inp_import_command.h"
#include "cli/network_map_output.h"
#include "calculation/program_directory.h"
#include "calculation/run_hydraulic_calculation.h"
#include "reports/pressure_plot.h"
#include "reports/svg_diagram.h"

namespace {

constexpr const char* kUsage =
    "用法: heatnet-calc [--xlsx] [--open] [--diagram 文件.svg] [--map 文件.svg] [--export-inp 文件.inp]\n"
    "                   [--csv 文件夹] [--geojson 文件.geojson] 数据文件\n"
    "  计算一个基本数据文件,结果文件写在数据文件旁边:\n"
    "    文件名_OUT.TXT  计算书\n"
    "    文件名.dxf      水压图\n"
    "    文件名.XLSX     EXCEL表(仅在 --xlsx 时)\n"
    "    文件名#.TXT     带有管径的基本数据文件\n"
    "  --xlsx   对\"是否将计算结果形成额EXCEL表\"回答\"是\"(默认\"否\")\n"
    "  --open   计算结束后用文本编辑器打开计算书\n"
    "  --step-by-step  逐次求解选择管径(每放大一次管径求解一次管网),供对照和测时\n"
    "  --statistics    计算结束后报告管径选择的遍数\n"
    "  --threads N     用N个线程同时求解管径选择的各遍(默认为本机的核数,至多16);结果与线程数无关\n"
    "  --diagram 文件.svg  计算完成后另将水压图写成SVG文件(可在浏览器中查看)\n"
    "  --map 文件.svg  另将管网图写成SVG文件:计算完成时按比摩阻与限值之比着色,\n"
    "                  数据有拓扑问题而无法计算时只画出并标出这些问题(退出码仍为1);\n"
    "                  节点坐标取自文件名.xy.csv(若有)\n"
    "  --export-inp 文件.inp  计算完成后另将选定管径后的管网(供水侧)写成EPANET的INP文件,\n"
    "                  节点坐标取自文件名.xy.csv(若有),其余按管网图排列\n"
    "  --csv 文件夹    计算完成后另将节点和管段的计算结果写成 节点.csv 和 管段.csv(国际单位,全精度)\n"
    "  --geojson 文件.geojson  计算完成后另将节点和管段连同计算结果写成GeoJSON文件,\n"
    "                  需要文件名.xy.csv给出每个节点的坐标\n"
    "  --help   显示本说明\n"
    "  --version  显示版本\n"
    "  提示信息写到标准错误输出;计算完成时退出码为0,计算中止时为1,参数错误时为2。\n";

// More threads than any workstation has cores only cost memory.
constexpr int kMostThreads = 256;

// Only SVG: the batch command is built without Qt, which PNG and PDF would need.
bool IsSvgFileName(std::string_view path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find_first_of("/\\", dot) != std::string_view::npos) return false;
    std::string extension(path.substr(dot + 1));
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == "svg";
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--import-inp") return heatnet::RunInpImportCommand(argc, argv);
    bool answerYes = false;
    bool openEditor = false;
    bool showStatistics = false;
    heatnet::SizingMethod method = heatnet::SizingMethod::kForeseen;
    int threads = 0;
    std::string dataFile, diagramFile, mapFile;
    heatnet::ExchangeRequest exchange;
    bool haveDataFile = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (argument == "--version") {
            std::cout << "heatnet-calc " HEATNET_VERSION "\n";
            return 0;
        }
        if (argument == "--xlsx") {
            answerYes = true;
        } else if (argument == "--open") {
            openEditor = true;
        } else if (argument == "--step-by-step") {
            method = heatnet::SizingMethod::kStepByStep;
        } else if (argument == "--statistics") {
            showStatistics = true;
        } else if (argument == "--threads") {
            const std::string_view count = i + 1 < argc ? std::string_view(argv[i + 1]) : std::string_view();
            const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), threads);
            if (count.empty() || error != std::errc() || end != count.data() + count.size() || threads < 1 ||
                threads > kMostThreads) {
                std::cerr << "heatnet-calc: --threads 后请给出1到" << kMostThreads << "之间的线程数\n" << kUsage;
                return 2;
            }
            ++i;
        } else if (argument == "--diagram") {
            if (i + 1 == argc) {
                std::cerr << "heatnet-calc: --diagram 后请给出水压图文件名(.svg)\n" << kUsage;
                return 2;
            }
            diagramFile = argv[++i];
            if (!IsSvgFileName(diagramFile)) {
                std::cerr << "heatnet-calc: 仅支持.svg格式的水压图:" << diagramFile << "\n";
                return 2;
            }
        } else if (argument == "--map") {
            if (i + 1 == argc) {
                std::cerr << "heatnet-calc: --map 后请给出管网图文件名(.svg)\n" << kUsage;
                return 2;
            }
            mapFile = argv[++i];
            if (!IsSvgFileName(mapFile)) {
                std::cerr << "heatnet-calc: 仅支持.svg格式的管网图:" << mapFile << "\n";
                return 2;
            }
        } else if (argument == "--export-inp" || argument == "--csv" || argument == "--geojson") {
            if (i + 1 == argc) {
                std::cerr << "heatnet-calc: " << argument << " 后请给出"
                          << (argument == "--csv" ? "文件夹名" : "文件名") << "\n" << kUsage;
                return 2;
            }
            std::string& target = argument == "--export-inp" ? exchange.inpFile
                                  : argument == "--csv"      ? exchange.csvFolder
                                                             : exchange.geoJsonFile;
            target = argv[++i];
        } else if (argument.starts_with("--") || haveDataFile) {
            std::cerr << "heatnet-calc: 无法识别的参数 " << argument << "\n" << kUsage;
            return 2;
        } else {
            dataFile = argument;
            haveDataFile = true;
        }
    }
    if (!haveDataFile) {
        std::cerr << "heatnet-calc: 请给出数据文件名\n" << kUsage;
        return 2;
    }
    heatnet::ConsoleInteraction console(std::cerr, answerYes, openEditor);
    const auto result =
        heatnet::RunHydraulicCalculation(dataFile, console, heatnet::ProgramDirectory(), method, threads);
    if (showStatistics) {
        const heatnet::SizingStatistics& sizing = result->model.sizing;
        std::cerr << "heatnet-calc: 管径选择共" << sizing.solvedPasses + sizing.foreseenPasses
                  << "遍,其中求解" << sizing.solvedPasses << "遍,预见" << sizing.foreseenPasses
                  << "遍\n";
        if (const int ahead = sizing.speculatedTaken + sizing.speculatedDropped; ahead > 0)
            std::cerr << "heatnet-calc: 其他线程提前求解" << ahead << "遍,采用" << sizing.speculatedTaken
                      << "遍,舍弃" << sizing.speculatedDropped << "遍\n";
        if (sizing.solvedWhileForecastRested > 0)
            std::cerr << "heatnet-calc: 其中" << sizing.solvedWhileForecastRested
                      << "遍未先问预见(此前连续多遍无法预见)\n";
    }
    if (!result->completed) {
        // The faults of the network's shape are what the person needs to see now.
        if (!mapFile.empty()) heatnet::WriteNetworkMapFile(mapFile, dataFile, nullptr, std::cerr);
        return 1;
    }
    if (!diagramFile.empty()) {
        const heatnet::PressurePlot plot = heatnet::BuildPressurePlot(result->model);
        if (!heatnet::WriteDiagramSvg(diagramFile, plot,
                                     std::filesystem::path(result->model.baseName).filename().string() +
                                         " 水压图")) {
            std::cerr << "heatnet-calc: 水压图文件 " << diagramFile << " 无法写入\n";
            return 1;
        }
    }
    if (!mapFile.empty() && !heatnet::WriteNetworkMapFile(mapFile, dataFile, result.get(), std::cerr)) return 1;
    if (!heatnet::WriteExchangeFiles(exchange, dataFile, *result, std::cerr)) return 1;
    return 0;
}
