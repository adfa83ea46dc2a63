#pragma once

#include <memory>
#include <vector>

#include <QWidget>

#include "app/results/map_results.h"
#include "reports/network_map.h"

namespace heatnet {

// The network drawn from its connections. With a calculation's results the
// segments are as wide as their diameter and coloured by the chosen quantity,
// over-limit and held-at-largest segments standing out as in the segment table,
// nodes coloured by their available pressure difference and "P<2100" nodes
// ringed; without results the topology faults are drawn red. The wheel zooms
// about the cursor, a drag pans, a double-click shows the whole network again;
// hovering tells an element's values and a click selects it.
class NetworkMapView : public QWidget {
    Q_OBJECT
public:
    // `result` (may be null) must outlive the view.
    NetworkMapView(NetworkMap map, const CalculationResult* result, QWidget* parent = nullptr);
    ~NetworkMapView() override;

    const NetworkMap& Map() const { return map_; }
    const MapResults* Results() const { return results_.get(); }
    void SetQuantity(MapQuantity quantity);
    MapQuantity Quantity() const { return quantity_; }
    // The line heading every exported picture (the file's name and the date).
    void SetTitle(const QString& title) { title_ = title; }
    const QString& Title() const { return title_; }
    void Render(QPainter& painter, const QRect& area) const;
    // Writes the map under its title as PNG, SVG or PDF, by the file's extension.
    bool Export(const QString& path) const;
    void ExportWithDialog(const QString& format);

    // Positions in Map().segments / Map().nodes; -1 or empty clears.
    void HighlightSegment(int segment);
    void HighlightNodes(std::vector<int> nodes);
    int HighlightedSegment() const { return highlightedSegment_; }
    const std::vector<int>& HighlightedNodes() const { return highlightedNodes_; }

    QPointF PointOf(int node) const;  // where a node lies in the widget
    int NodeAt(const QPoint& point) const;
    int SegmentAt(const QPoint& point) const;
    // The nodes whose numbers are written at the present zoom.
    std::vector<int> LabelledNodes() const;
    // The hover text: the values as the report gives them, or the faults named.
    QString DescribeNode(int node) const;
    QString DescribeSegment(int segment) const;
    void ResetView();

signals:
    void segmentClicked(int segment);
    void nodeClicked(int node);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    struct Transform {
        QPointF areaCentre, mapCentre;
        double scale = 1;  // pixels per map unit
        QPointF operator()(const MapPoint& p) const {
            return areaCentre + (QPointF(p.x, p.y) - mapCentre) * scale;
        }
    };
    QRect MapArea(const QRect& area) const;
    Transform TransformFor(const QRect& mapArea) const;
    std::vector<int> LabelledNodes(const Transform& at, const QRect& mapArea, const QFontMetrics& metrics) const;
    void RenderLegend(QPainter& painter, const QRect& band, double low, double high) const;
    double SegmentWidth(int segment) const;

    NetworkMap map_;
    std::unique_ptr<MapResults> results_;
    MapQuantity quantity_ = MapQuantity::kDiameter;
    QString title_;
    QPointF centre_;   // map point at the centre of the map area
    double zoom_ = 1;  // times the scale that fits the whole network
    int highlightedSegment_ = -1;
    std::vector<int> highlightedNodes_;
    QPoint pressedAt_, draggedTo_;
    bool dragging_ = false;
};

}  // namespace heatnet
