#include "data/inp_file.h"

#include <cmath>
#include <optional>
#include <unordered_map>

#include "data/gbk_text.h"
#include "data/number_text.h"
#include "data/quoted_text.h"

namespace heatnet {
namespace {

enum class Section {
    kNone, kIgnored, kJunctions, kReservoirs, kPipes, kDemands, kStatus, kOptions, kCoordinates,
    kEnd, kTanks, kPumps, kValves, kEmitters
};

struct SectionName {
    std::string_view name;
    Section section;
};

constexpr SectionName kSections[] = {
    {"TITLE", Section::kIgnored},       {"JUNCTIONS", Section::kJunctions},
    {"RESERVOIRS", Section::kReservoirs}, {"TANKS", Section::kTanks},
    {"PIPES", Section::kPipes},         {"PUMPS", Section::kPumps},
    {"VALVES", Section::kValves},       {"DEMANDS", Section::kDemands},
    {"STATUS", Section::kStatus},       {"PATTERNS", Section::kIgnored},
    {"CURVES", Section::kIgnored},      {"CONTROLS", Section::kIgnored},
    {"RULES", Section::kIgnored},       {"ENERGY", Section::kIgnored},
    {"EMITTERS", Section::kEmitters},   {"QUALITY", Section::kIgnored},
    {"SOURCES", Section::kIgnored},     {"REACTIONS", Section::kIgnored},
    {"MIXING", Section::kIgnored},      {"OPTIONS", Section::kOptions},
    {"TIMES", Section::kIgnored},       {"REPORT", Section::kIgnored},
    {"COORDINATES", Section::kCoordinates}, {"VERTICES", Section::kIgnored},
    {"LABELS", Section::kIgnored},      {"BACKDROP", Section::kIgnored},
    {"TAGS", Section::kIgnored},        {"END", Section::kEnd},
};

struct FlowUnits {
    std::string_view name;
    bool us;
    double cubicMetresPerHour;
};

// US gallon 3.785411784 L, imperial gallon 4.54609 L, cubic foot 0.028316846592 m3,
// acre-foot 1233.48183754752 m3.
constexpr FlowUnits kFlowUnits[] = {
    {"CFS", true, 0.028316846592 * 3600}, {"GPM", true, 3.785411784e-3 * 60},
    {"MGD", true, 3785.411784 / 24},      {"IMGD", true, 4546.09 / 24},
    {"AFD", true, 1233.48183754752 / 24}, {"LPS", false, 3.6},
    {"LPM", false, 0.06},                 {"MLD", false, 1000.0 / 24},
    {"CMH", false, 1},                    {"CMD", false, 1.0 / 24},
};

// Elements a heating network of pipes cannot stand for.
std::string_view ElementName(Section section) {
    switch (section) {
        case Section::kTanks: return "水池";
        case Section::kPumps: return "水泵";
        case Section::kValves: return "阀门";
        default: return "喷水器";
    }
}

constexpr std::string_view kHeatnetLine = ";heatnet 基本数据";
constexpr std::string_view kHeatnetKeys[] = {"t1", "t2", "Pin", "Ru", "alpha", "s300"};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> Tokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsBlank(text[at])) ++at;
        const size_t start = at;
        while (at < text.size() && !IsBlank(text[at])) ++at;
        if (at > start) tokens.push_back(text.substr(start, at - start));
    }
    return tokens;
}

std::string Quoted(std::string_view text) {
    std::string quoted(1, '"');
    return quoted.append(QuotedForMessage(text)).append(1, '"');
}

// A refusal: the message is complete but for the place, which the reader adds.
struct Refusal {
    std::string message;
};

// An entry that names another, checked once the whole file is read since the
// sections may come in any order.
struct Reference {
    std::string_view name;
    int line;
    Section section;
    double value = 0;
    double y = 0;
    std::string_view name2;
};

class InpReader {
public:
    explicit InpReader(InpFile& file) : file_(file) {}

    std::string Read(std::string_view text) {
        try {
            ReadLines(text);
            line_ = 0;
            ResolveReferences();
        } catch (const Refusal& refusal) {
            return Place() + refusal.message;
        }
        if (reservoirs_ == 0) return "INP文件中没有水源([RESERVOIRS]),无法导入。";
        if (file_.pipes.empty()) return "INP文件中没有管段([PIPES]),无法导入。";
        return {};
    }

private:
    std::string Place() const {
        if (line_ == 0) return "INP文件";
        const std::string at = "INP文件第" + std::to_string(line_) + "行";
        return sectionName_.empty() ? at + ":" : at + "([" + sectionName_ + "]):";
    }

    void ReadLines(std::string_view text) {
        if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        size_t at = 0;
        while (at <= text.size() && section_ != Section::kEnd) {
            size_t end = text.find('\n', at);
            if (end == std::string_view::npos) end = text.size();
            ++line_;
            ReadLine(text.substr(at, end - at));
            at = end + 1;
        }
    }

    void ReadLine(std::string_view line) {
        line = Trim(line);
        if (line.starts_with(kHeatnetLine)) return ReadHeatnetValues(line.substr(kHeatnetLine.size()));
        const size_t semicolon = line.find(';');
        const std::string_view data = line.substr(0, semicolon);
        const std::vector<std::string_view> fields = Tokens(data);
        if (fields.empty()) return;
        if (fields[0].starts_with('[')) return StartSection(fields[0]);
        const std::string_view comment =
            semicolon == std::string_view::npos ? std::string_view() : Trim(line.substr(semicolon + 1));
        switch (section_) {
            case Section::kNone: throw Refusal{"这一行不在任何节([…])中,无法导入。"};
            case Section::kJunctions: return ReadNode(fields, false);
            case Section::kReservoirs: return ReadNode(fields, true);
            case Section::kPipes: return ReadPipe(fields, comment);
            case Section::kDemands:
                Require(fields, 2, "节点 需水量");
                return references_.push_back({fields[0], line_, section_, NumberField(fields[1], "需水量"), 0, {}});
            case Section::kStatus:
                Require(fields, 2, "管段 状态");
                return references_.push_back({fields[0], line_, section_, 0, 0, fields[1]});
            case Section::kCoordinates:
                Require(fields, 3, "节点 X坐标 Y坐标");
                return references_.push_back(
                    {fields[0], line_, section_, NumberField(fields[1], "X坐标"), NumberField(fields[2], "Y坐标"), {}});
            case Section::kOptions: return ReadOption(fields);
            case Section::kTanks:
            case Section::kPumps:
            case Section::kValves:
            case Section::kEmitters:
                throw Refusal{std::string(ElementName(section_)) + Quoted(fields[0]) +
                              "无法在热网中表示,无法导入。"};
            default: return;
        }
    }

    void StartSection(std::string_view token) {
        std::string_view name = token.substr(1);
        name = name.substr(0, name.find(']'));
        sectionName_ = Upper(name);
        for (const SectionName& known : kSections)
            if (known.name == sectionName_) {
                section_ = known.section;
                return;
            }
        sectionName_ = QuotedForMessage(name);
        throw Refusal{"无法识别的节,无法导入。"};
    }

    void Require(const std::vector<std::string_view>& fields, size_t count, std::string_view names) const {
        if (fields.size() < count)
            throw Refusal{"应至少有" + std::to_string(count) + "项(" + std::string(names) + "),这一行只有" +
                          std::to_string(fields.size()) + "项,无法导入。"};
    }

    static double NumberField(std::string_view text, std::string_view name) {
        const std::optional<Number> number = ParseNumberField(text);
        if (!number || !*number || !std::isfinite(**number))
            throw Refusal{std::string(name) + Quoted(text) + "不是数字,无法导入。"};
        return **number;
    }

    void ReadNode(const std::vector<std::string_view>& fields, bool reservoir) {
        Require(fields, 2, reservoir ? "标识 水头" : "标识 标高 需水量");
        NumberField(fields[1], reservoir ? "水头" : "标高");
        InpNode node{std::string(fields[0]), reservoir, 0, 0, false, line_};
        if (!reservoir && fields.size() > 2) node.demand = NumberField(fields[2], "需水量");
        if (reservoir && ++reservoirs_ > 1)
            throw Refusal{"第二个水源" + Quoted(fields[0]) + "无法导入:热网只能有一个主热源。"};
        if (!reservoir && ++junctions_ > kMaxInpJunctions)
            throw Refusal{"节点超过" + std::to_string(kMaxInpJunctions) + "个,无法导入。"};
        const auto [found, added] = nodeIndex_.try_emplace(fields[0], static_cast<int>(file_.nodes.size()));
        if (!added)
            throw Refusal{"节点" + Quoted(fields[0]) + "已在第" + std::to_string(file_.nodes[found->second].line) +
                          "行定义,无法导入。"};
        file_.nodes.push_back(std::move(node));
    }

    void ReadPipe(const std::vector<std::string_view>& fields, std::string_view comment) {
        Require(fields, 6, "标识 起点 终点 长度 管径 粗糙度");
        if (static_cast<int>(file_.pipes.size()) == kMaxInpPipes)
            throw Refusal{"管段超过" + std::to_string(kMaxInpPipes) + "根,无法导入。"};
        InpPipe pipe{std::string(fields[0]), 0, 0, NumberField(fields[3], "长度"), NumberField(fields[4], "管径"), 0,
                     std::string(comment), line_};
        NumberField(fields[5], "粗糙度");
        if (pipe.length <= 0) throw Refusal{"管段" + Quoted(fields[0]) + "的长度应大于0,无法导入。"};
        if (pipe.diameter <= 0) throw Refusal{"管段" + Quoted(fields[0]) + "的管径应大于0,无法导入。"};
        // Seven fields: the seventh is the minor loss or, when it is a word, the status.
        std::string_view status = fields.size() > 7 ? fields[7] : std::string_view();
        if (fields.size() == 7 && !ParseNumberField(fields[6])) status = fields[6];
        else if (fields.size() > 6) pipe.minorLoss = NumberField(fields[6], "局部阻力系数");
        if (pipe.minorLoss < 0) throw Refusal{"管段" + Quoted(fields[0]) + "的局部阻力系数不能为负,无法导入。"};
        const std::string word = Upper(status);
        if (word == "CLOSED" || word == "CV")
            throw Refusal{"管段" + Quoted(fields[0]) + (word == "CV" ? "带止回阀(CV)" : "为关闭状态(Closed)") +
                          ",无法导入。"};
        if (!word.empty() && word != "OPEN")
            throw Refusal{"管段状态" + Quoted(status) + "无法识别(应为Open、Closed或CV),无法导入。"};
        const auto [found, added] = pipeIndex_.try_emplace(fields[0], static_cast<int>(file_.pipes.size()));
        if (!added)
            throw Refusal{"管段" + Quoted(fields[0]) + "已在第" + std::to_string(file_.pipes[found->second].line) +
                          "行定义,无法导入。"};
        pipeEnds_.push_back({fields[1], fields[2]});
        file_.pipes.push_back(std::move(pipe));
    }

    void ReadOption(const std::vector<std::string_view>& fields) {
        if (Upper(fields[0]) != "UNITS") return;
        Require(fields, 2, "UNITS 流量单位");
        const std::string units = Upper(fields[1]);
        for (const FlowUnits& known : kFlowUnits)
            if (known.name == units) {
                file_.units = units;
                file_.usUnits = known.us;
                file_.cubicMetresPerHour = known.cubicMetresPerHour;
                return;
            }
        throw Refusal{"流量单位" + Quoted(fields[1]) + "无法识别,无法导入。"};
    }

    void ReadHeatnetValues(std::string_view text) {
        const std::vector<std::string_view> fields = Tokens(text);
        InpHeatnetValues& values = file_.heatnet;
        Number* targets[] = {&values.supplyTemperature, &values.returnTemperature,
                                      &values.pumpInletPressure, &values.lastUserResistance,
                                      &values.localResistanceCoefficient, &values.branchStartNode};
        bool valid = fields.size() == std::size(kHeatnetKeys);
        for (size_t k = 0; valid && k < fields.size(); ++k) {
            const std::string key = std::string(kHeatnetKeys[k]) + "=";
            const std::optional<Number> value =
                fields[k].starts_with(key) ? ParseNumberField(fields[k].substr(key.size())) : std::nullopt;
            valid = value && std::isfinite(ValueOf(*value));
            if (valid) *targets[k] = *value;
        }
        if (!valid) throw Refusal{"heatnet基本数据应为\"t1= t2= Pin= Ru= alpha= s300=\"后跟数字或空白,无法导入。"};
        values.present = true;
    }

    int NodeNamed(std::string_view name, std::string_view role) const {
        const auto found = nodeIndex_.find(name);
        if (found == nodeIndex_.end()) throw Refusal{std::string(role) + "节点" + Quoted(name) + "未定义,无法导入。"};
        return found->second;
    }

    void ResolveReferences() {
        for (size_t i = 0; i < file_.pipes.size(); ++i) {
            InpPipe& pipe = file_.pipes[i];
            line_ = pipe.line;
            section_ = Section::kPipes, sectionName_ = "PIPES";
            pipe.node1 = NodeNamed(pipeEnds_[i].first, "管段" + Quoted(pipe.id) + "的起点");
            pipe.node2 = NodeNamed(pipeEnds_[i].second, "管段" + Quoted(pipe.id) + "的终点");
            if (pipe.node1 == pipe.node2)
                throw Refusal{"管段" + Quoted(pipe.id) + "的起点和终点相同,无法导入。"};
        }
        std::vector<int> coordinateLine(file_.nodes.size(), 0);
        for (const Reference& entry : references_) {
            line_ = entry.line;
            section_ = entry.section;
            sectionName_ = section_ == Section::kDemands ? "DEMANDS" : section_ == Section::kStatus ? "STATUS" : "COORDINATES";
            if (section_ == Section::kStatus) {
                const auto found = pipeIndex_.find(entry.name);
                if (found == pipeIndex_.end()) throw Refusal{"管段" + Quoted(entry.name) + "未定义,无法导入。"};
                if (Upper(entry.name2) == "CLOSED")
                    throw Refusal{"管段" + Quoted(entry.name) + "被关闭(Closed),无法导入。"};
                continue;
            }
            const int node = NodeNamed(entry.name, "");
            if (section_ == Section::kCoordinates) {
                if (coordinateLine[node] != 0)
                    throw Refusal{"节点" + Quoted(entry.name) + "的坐标已在第" + std::to_string(coordinateLine[node]) +
                                  "行给出,无法导入。"};
                coordinateLine[node] = line_;
                file_.coordinates.push_back({node, entry.value, entry.y});
                continue;
            }
            InpNode& junction = file_.nodes[node];
            if (junction.reservoir) throw Refusal{"水源" + Quoted(entry.name) + "不能有需水量,无法导入。"};
            junction.listedDemand += entry.value;
            junction.hasListedDemand = true;
        }
    }

    InpFile& file_;
    Section section_ = Section::kNone;
    std::string sectionName_;
    int line_ = 0;
    int reservoirs_ = 0;
    int junctions_ = 0;
    std::unordered_map<std::string_view, int> nodeIndex_, pipeIndex_;
    std::vector<std::pair<std::string_view, std::string_view>> pipeEnds_;
    std::vector<Reference> references_;
};

}  // namespace

std::string ReadInpText(std::string_view text, InpFile& file) {
    file = InpFile{};
    // Files saved by Chinese editions of network programs are often in the GBK code page.
    std::optional<std::string> converted;
    if (!IsValidUtf8(text) && (converted = GbkToUtf8(text))) text = *converted;
    InpReader reader(file);
    std::string error = reader.Read(text);
    if (!error.empty()) file = InpFile{};
    return error;
}

}  // namespace heatnet
