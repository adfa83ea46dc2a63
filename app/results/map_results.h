#pragma once

#include <vector>

#include <QColor>
#include <QString>

#include "calculation/run_hydraulic_calculation.h"
#include "reports/network_map.h"

namespace heatnet {

// What a completed calculation says about each element of the network map. The
// map lists segments in file order and the calculation in the order of its
// connection walk, so the two are joined by the segments' end nodes and the
// nodes by their numbers.
class MapResults {
public:
    MapResults(const NetworkMap& map, const CalculationResult& result);

    // Position in NetworkModel::segments of a map segment, and back; -1 for none.
    int ModelSegment(int mapSegment) const { return modelSegment_[mapSegment]; }
    int MapSegmentOf(int modelSegment) const;
    // Internal index of a map node (the heat source: NetworkModel::sourceIndex),
    // as the node table keys its rows, and back; -1 for none.
    int ModelNode(int mapNode) const { return modelNode_[mapNode]; }
    int MapNodeOf(int modelNode) const;

    // The segment's value of `quantity` (magnitudes; the loss as a share of its
    // limit); NaN when it was not calculated.
    double Value(int mapSegment, MapQuantity quantity) const;
    double DiameterMm(int mapSegment) const;
    // The results tables' marks: over its friction limit, held at the largest size.
    bool OverLimit(int mapSegment) const;
    bool HeldAtLargestSize(int mapSegment) const;
    double AvailableKPa(int mapNode) const;  // NaN when not calculated
    bool LowPressure(int mapNode) const;     // behind a "P<2100" line

    // The values of the report's rows, one per line.
    QString DescribeSegment(int mapSegment) const;
    QString DescribeNode(int mapNode) const;

private:
    const NetworkNode* Node(int mapNode) const;

    const CalculationResult& result_;
    std::vector<int> modelSegment_, mapSegment_, modelNode_, mapNode_;
};

// The quantity's name with its unit, as the legend and the choice show it.
QString QuantityName(MapQuantity quantity);

}  // namespace heatnet
