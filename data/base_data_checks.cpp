#include "hydraulics/base_data_checks.h"

#include <cmath>
#include <optional>

#include "data/base_data_file.h"
#include "data/number_text.h"

namespace heatnet {
namespace {

// Every bound lies far outside any network that can be built, and close enough
// that flows, pressures and conductances stay well inside double precision for
// any of the 1400 segments: no product of the largest flow, flow factor and
// path length, and no reciprocal of the smallest resistance, comes near 1e300.
constexpr double kLowestTemperature = 0;     // degrees Celsius: water, not ice
constexpr double kHighestTemperature = 350;  // still liquid at network pressures
constexpr double kLargestPressure = 100000;  // kPa, either sign
constexpr double kLargestCoefficient = 100;
constexpr double kShortestLength = 0.001;    // m, when not 0
constexpr double kLongestLength = 100000;    // m
constexpr double kLargestNodeNumber = 999999999999999;  // 15 digits print exactly
constexpr double kSmallestLoad = 0.000001;   // MW, when not 0
constexpr double kLargestLoad = 100000;      // MW, either sign

struct Rule {
    const char* requirement;  // follows the field's name in the message
    bool (*accepts)(double);
};

bool InRange(double value, double low, double high) { return value >= low && value <= high; }

constexpr Rule kTemperature = {"应在0到350°C之间", [](double t) {
                                   return InRange(t, kLowestTemperature, kHighestTemperature);
                               }};
constexpr Rule kPressure = {"应在-100000到100000kPa之间", [](double p) {
                                return InRange(p, -kLargestPressure, kLargestPressure);
                            }};
constexpr Rule kCoefficient = {"应在0到100之间",
                               [](double a) { return InRange(a, 0, kLargestCoefficient); }};
constexpr Rule kLength = {"应为0,或0.001到100000m之间的数", [](double l) {
                              return l == 0 || InRange(l, kShortestLength, kLongestLength);
                          }};
// Nodes are told apart by their numbers in every output; fractions or more
// digits than an output prints would make two nodes look alike.
constexpr Rule kNodeNumber = {"应为0到999999999999999之间的整数", [](double n) {
                                  return InRange(n, 0, kLargestNodeNumber) && n == std::floor(n);
                              }};
constexpr Rule kLoad = {"应为0,或绝对值在0.000001到100000MW之间", [](double q) {
                            return q == 0 || InRange(std::fabs(q), kSmallestLoad, kLargestLoad);
                        }};
constexpr Rule kFinite = {"应为有限的数值", [](double) { return true; }};

class RecordCheck {
public:
    explicit RecordCheck(const std::string& fileName) : fileName_(fileName) {}

    // Notes the first value that breaks its rule; later ones are not looked at.
    // `record` names the segment or load record ("第3根管道的"), empty for the header.
    void Check(const Number& value, const std::string& record, const char* name, const Rule& rule,
               const FieldPlace& place) {
        if (error_) return;
        const double v = ValueOf(value);
        const bool finite = std::isfinite(v);
        if (finite && rule.accepts(v)) return;
        error_ = ValueInFile(fileName_, place) + record + name + NumberInText(value) + "不可用:" +
                 name + (finite ? rule.requirement : kFinite.requirement) + "。";
    }

    std::string Error() const { return error_.value_or(""); }

private:
    const std::string& fileName_;
    std::optional<std::string> error_;
};

// Values entered in the windows have no place in a file.
template <size_t N>
FieldPlace PlaceIn(const std::vector<std::array<FieldPlace, N>>& places, int record, size_t field) {
    const size_t index = static_cast<size_t>(record - 1);
    return index < places.size() ? places[index][field] : FieldPlace{};
}

}  // namespace

std::string CheckBaseData(const ProjectData& data, const std::string& fileName) {
    RecordCheck check(fileName);
    const ReadPlaces& at = data.readPlaces;
    check.Check(data.supplyTemperature, "", "供水温度", kTemperature, at.header[0]);
    check.Check(data.returnTemperature, "", "回水温度", kTemperature, at.header[1]);
    check.Check(data.pumpInletPressure, "", "循环水泵入口压力", kPressure, at.header[2]);
    check.Check(data.lastUserResistance, "", "最末端用户阻力", kPressure, at.header[3]);
    check.Check(data.localResistanceCoefficient, "", "局部阻力折算系数", kCoefficient, at.header[4]);
    check.Check(data.branchStartNode, "", "按300pa/m选择管径的起始节点号", kFinite, at.header[7]);
    for (int i = 1; i <= PipeRecordCount(data) && i <= kMaxRecords; ++i) {
        const PipeSegment& pipe = data.pipes[i];
        const std::string record = "第" + std::to_string(i) + "根管道的";
        check.Check(pipe.diameter, record, "管径", kFinite, PlaceIn(at.pipes, i, 0));
        check.Check(pipe.length, record, "管段长度", kLength, PlaceIn(at.pipes, i, 1));
        check.Check(pipe.equivalentLength, record, "局部阻力折算长度", kLength, PlaceIn(at.pipes, i, 2));
        check.Check(pipe.startNode, record, "管段起点编号", kNodeNumber, PlaceIn(at.pipes, i, 3));
        check.Check(pipe.endNode, record, "管段终点编号", kNodeNumber, PlaceIn(at.pipes, i, 4));
    }
    for (int k = 1; k <= LoadRecordCount(data) && k <= kMaxRecords; ++k) {
        const NodeLoad& load = data.loads[k];
        const std::string record = "第" + std::to_string(k) + "个节点的";
        check.Check(load.node, record, "节点编号", kNodeNumber, PlaceIn(at.loads, k, 0));
        check.Check(load.load, record, "节点负荷", kLoad, PlaceIn(at.loads, k, 1));
    }
    return check.Error();
}

}  // namespace heatnet
