#pragma once

#include <QColor>
#include <QWidget>
#include <vector>

#include "reports/pressure_plot.h"

namespace heatnet {

// The main line's colours; branches are drawn in paler ones.
inline constexpr QRgb kSupplyColour = qRgb(210, 0, 0);
inline constexpr QRgb kReturnColour = qRgb(0, 60, 210);
// The way from the source to a chosen node, or a chosen segment.
inline constexpr QRgb kHighlightColour = qRgb(0, 170, 60);

// The water-pressure diagram of one calculation: supply and return pressure
// against the distance from the heat source. The wheel zooms about the cursor, a
// drag pans, a double-click shows the whole network again; hovering a node tells
// its values and clicking it highlights its way from the source.
class PressurePlotView : public QWidget {
    Q_OBJECT
public:
    explicit PressurePlotView(PressurePlot plot, QWidget* parent = nullptr);

    const PressurePlot& Plot() const { return plot_; }
    // The line heading every exported picture, naming the network and when it
    // was calculated, since a picture leaves the window that tells it.
    void SetTitle(const QString& title) { title_ = title; }
    const QString& Title() const { return title_; }
    // Paints the diagram as now zoomed into `area` of any paint device.
    void Render(QPainter& painter, const QRect& area) const;
    // Writes the diagram under its title as PNG, SVG or PDF, by the file's
    // extension; false when it could not be written.
    bool Export(const QString& path) const;
    // Asks for a file name and writes the diagram in `format` ("png", "svg", "pdf").
    void ExportWithDialog(const QString& format);

    // Positions in Plot().nodes; -1 clears.
    void HighlightNode(int position);
    // A 0-based position in NetworkModel::segments; -1 clears.
    void HighlightSegment(int segment);
    int highlightedNode() const { return highlightedNode_; }
    int highlightedSegment() const { return highlightedSegment_; }
    // The drawn highlight as pairs of positions in Plot().nodes.
    const std::vector<std::pair<int, int>>& HighlightedEdges() const { return highlightedEdges_; }
    // The plot position of a node's internal index; -1 when it is not in the plot.
    int PositionOfIndex(int index) const;
    // The nodes marked with dots and numbers at the present zoom, as positions.
    std::vector<int> DottedNodes() const;
    // Where a node's supply or return point lies in the widget.
    QPointF PointOf(int position, bool supply) const;
    // The node under `point`: the nearest dot within a few pixels, else the
    // nearest node without one; -1 for none.
    int NodeAt(const QPoint& point) const;
    QString Describe(int position) const;
    void ResetView();

signals:
    void nodeClicked(int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    struct Frame {
        double left = 0, right = 1, bottom = 0, top = 1;  // m and kPa shown
    };
    QRectF PlotArea(const QRect& area) const;
    QPointF ToPixel(const QRectF& plotArea, double distance, double kPa) const;
    std::vector<double> PressureTicks(double plotHeight) const;
    std::vector<int> DottedNodes(const QRectF& plotArea, const QFontMetrics& metrics) const;

    PressurePlot plot_;
    QString title_;
    std::vector<int> positionOfIndex_;
    Frame frame_;
    std::vector<std::pair<int, int>> highlightedEdges_;  // pairs of positions
    int highlightedNode_ = -1;
    int highlightedSegment_ = -1;
    QPoint pressedAt_, draggedTo_;
    bool dragging_ = false;
};

}  // namespace heatnet
