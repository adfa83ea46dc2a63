#include "data/base_data_fields.h"

#include <cmath>
#include <tuple>

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

bool InRange(double value, double low, double high) { return value >= low && value <= high; }

constexpr FieldRule kTemperature = {"应在0到350°C之间", [](double t) {
                                        return InRange(t, kLowestTemperature, kHighestTemperature);
                                    }};
constexpr FieldRule kPressure = {"应在-100000到100000kPa之间", [](double p) {
                                     return InRange(p, -kLargestPressure, kLargestPressure);
                                 }};
constexpr FieldRule kCoefficient = {"应在0到100之间",
                                    [](double a) { return InRange(a, 0, kLargestCoefficient); }};
constexpr FieldRule kLength = {"应为0,或0.001到100000m之间的数", [](double l) {
                                   return l == 0 || InRange(l, kShortestLength, kLongestLength);
                               }};
// Nodes are told apart by their numbers in every output; fractions or more
// digits than an output prints would make two nodes look alike.
constexpr FieldRule kNodeNumber = {"应为0到999999999999999之间的整数", [](double n) {
                                       return InRange(n, 0, kLargestNodeNumber) &&
                                              n == std::floor(n);
                                   }};
constexpr FieldRule kLoad = {"应为0,或绝对值在0.000001到100000MW之间", [](double q) {
                                 return q == 0 || InRange(std::fabs(q), kSmallestLoad, kLargestLoad);
                             }};

}  // namespace

const FieldRule kFiniteRule = {"应为有限的数值", [](double) { return true; }};

const std::array<HeaderField, 8> kHeaderFields = {{
    {&ProjectData::supplyTemperature, "供水温度", &kTemperature},
    {&ProjectData::returnTemperature, "回水温度", &kTemperature},
    {&ProjectData::pumpInletPressure, "循环水泵入口压力", &kPressure},
    {&ProjectData::lastUserResistance, "最末端用户阻力", &kPressure},
    {&ProjectData::localResistanceCoefficient, "局部阻力折算系数", &kCoefficient},
    {&ProjectData::nodeCount, "节点数", nullptr},
    {&ProjectData::pipeCount, "管道数", nullptr},
    {&ProjectData::branchStartNode, "按300pa/m选择管径的起始节点号", &kFiniteRule},
}};

const std::array<SegmentField, 5> kSegmentFields = {{
    {&PipeSegment::diameter, "管径", &kFiniteRule},
    {&PipeSegment::length, "管段长度", &kLength},
    {&PipeSegment::equivalentLength, "局部阻力折算长度", &kLength},
    {&PipeSegment::startNode, "管段起点编号", &kNodeNumber},
    {&PipeSegment::endNode, "管段终点编号", &kNodeNumber},
}};

const std::array<LoadField, 2> kLoadFields = {{
    {&NodeLoad::node, "节点编号", &kNodeNumber},
    {&NodeLoad::load, "节点负荷", &kLoad},
}};

// The places of a read record are kept field by field in the same order.
template <typename Places, typename Fields>
constexpr bool kSameLength = std::tuple_size_v<Places> == std::tuple_size_v<Fields>;
static_assert(kSameLength<decltype(ReadPlaces::header), decltype(kHeaderFields)>);
static_assert(kSameLength<decltype(ReadPlaces::pipes)::value_type, decltype(kSegmentFields)>);
static_assert(kSameLength<decltype(ReadPlaces::loads)::value_type, decltype(kLoadFields)>);

std::string SegmentRecordName(int record) { return "第" + std::to_string(record) + "根管道的"; }

std::string LoadRecordName(int record) { return "第" + std::to_string(record) + "个节点的"; }

}  // namespace heatnet
