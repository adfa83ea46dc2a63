#include "cli/inp_import_command.h"

#include <cmath>
#include <iostream>
#include <string>
#include <string_view>

#include "data/number_text.h"
#include "reports/inp_import.h"

namespace heatnet {
namespace {

constexpr const char* kImportUsage =
    "用法: heatnet-calc --import-inp 文件.inp 数据文件 [--temperatures 供水温度,回水温度]\n"
    "                   [--diameters given|auto] [--replace]\n"
    "  由管网模型文件(.inp)写出基本数据文件,另写 文件名.ids.csv(INP标识与节点号的对照)\n"
    "  和 文件名.xy.csv(节点坐标,模型中有坐标时)。\n"
    "  --temperatures  设计供回水温度(°C),模型文件中没有heatnet的基本数据时必须给出\n"
    "  --diameters given  采用模型中的管径(默认);auto 管径填0,由计算选择\n"
    "  --replace       数据文件已存在时覆盖它\n"
    "  有问题时不写任何文件;导入完成时退出码为0,拒绝导入时为1,参数错误时为2。\n";

int BadArguments(const std::string& message) {
    std::cerr << "heatnet-calc: " << message << "\n" << kImportUsage;
    return 2;
}

// "130,70": two finite numbers.
std::optional<std::pair<double, double>> ParseTemperatures(std::string_view text) {
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::optional<Number> supply = ParseNumberField(text.substr(0, comma));
    const std::optional<Number> back = ParseNumberField(text.substr(comma + 1));
    if (!supply || !back || !*supply || !*back || !std::isfinite(**supply) || !std::isfinite(**back))
        return std::nullopt;
    return std::pair{**supply, **back};
}

}  // namespace

int RunInpImportCommand(int argc, char** argv) {
    InpImportOptions options;
    std::string inp, dataFile;
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--import-inp") {
            if (i + 2 >= argc) return BadArguments("--import-inp 后请给出INP文件名和数据文件名");
            inp = argv[++i];
            dataFile = argv[++i];
            ++files;
        } else if (argument == "--temperatures") {
            if (!hasValue || !(options.temperatures = ParseTemperatures(argv[++i])))
                return BadArguments("--temperatures 后请给出供水温度,回水温度,如 130,70");
        } else if (argument == "--diameters") {
            const std::string_view mode = hasValue ? argv[++i] : "";
            if (mode != "given" && mode != "auto") return BadArguments("--diameters 后请给出 given 或 auto");
            options.diameters = mode == "auto" ? InpDiameters::kAuto : InpDiameters::kGiven;
        } else if (argument == "--replace") {
            options.replace = true;
        } else {
            return BadArguments("无法识别的参数 " + std::string(argument));
        }
    }
    if (files != 1) return BadArguments("--import-inp 只能给出一次");
    const InpImportOutcome outcome = ImportInpFile(inp, dataFile, options);
    if (!outcome.message.empty()) {
        std::cerr << "heatnet-calc: " << outcome.message << "\n";
        return 1;
    }
    std::cerr << "heatnet-calc: 已由 " << inp << " 导入,写出";
    for (size_t i = 0; i < outcome.filesWritten.size(); ++i)
        std::cerr << (i == 0 ? " " : "、") << outcome.filesWritten[i];
    std::cerr << "\n";
    return 0;
}

}  // namespace heatnet
