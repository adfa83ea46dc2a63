#include "app/results/pressure_plot_view.h"

#include <algorithm>
#include <cmath>

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include "app/results/picture_export.h"
#include "data/number_text.h"

namespace heatnet {
namespace {

// Room around the plot area for tick labels, axis titles and the legend.
constexpr int kLeftMargin = 68, kRightMargin = 16, kTopMargin = 30, kBottomMargin = 46;
constexpr int kPickRadius = 7;           // pixels within which the mouse hits a node
constexpr double kWheelZoomBase = 1.0015;  // per eighth of a degree: one notch zooms by about 1.2
constexpr int kDragThreshold = 4;         // pixels a press may move and still count as a click

const QColor kBranchSupply(235, 130, 130), kBranchReturn(130, 150, 235);
const QColor kHighlight(kHighlightColour), kLowPressure(255, 140, 0), kGrid(225, 225, 225);

QString Kpa(double value) { return QString::number(value, 'f', 2); }
QString TickText(double value, const std::vector<double>& ticks) {
    return QString::fromStdString(AxisTickText(value, ticks.size() > 1 ? ticks[1] - ticks[0] : 1));
}
QString NodeText(const Number& number) { return QString::fromStdString(NumberInText(number)); }

}  // namespace

PressurePlotView::PressurePlotView(PressurePlot plot, QWidget* parent)
    : QWidget(parent), plot_(std::move(plot)) {
    for (int position = 0; position < int(plot_.nodes.size()); ++position) {
        const int index = plot_.nodes[position].index;
        if (index >= int(positionOfIndex_.size())) positionOfIndex_.resize(index + 1, -1);
        positionOfIndex_[index] = position;
    }
    setMouseTracking(true);
    setMinimumSize(400, 300);
    setBackgroundRole(QPalette::Base);
    ResetView();
}

void PressurePlotView::ResetView() {
    const double range = std::max(plot_.highest - plot_.lowest, 1.0);
    const double length = std::max(plot_.farthest, 1.0);
    frame_ = {-0.02 * length, 1.03 * length, plot_.lowest - 0.06 * range, plot_.highest + 0.06 * range};
    update();
}

int PressurePlotView::PositionOfIndex(int index) const {
    return index >= 0 && index < int(positionOfIndex_.size()) ? positionOfIndex_[index] : -1;
}

std::vector<double> PressurePlotView::PressureTicks(double plotHeight) const {
    return AxisTicks(frame_.bottom, frame_.top, std::max(2, int(plotHeight / 50)));
}

// The left margin grows with the pressure labels, so that long ones (millions of
// kPa) neither run off the picture nor into the axis title.
QRectF PressurePlotView::PlotArea(const QRect& area) const {
    const QFontMetrics metrics(font());
    const auto ticks = PressureTicks(area.height() - kTopMargin - kBottomMargin);
    int widest = 0;
    for (double y : ticks) widest = std::max(widest, metrics.horizontalAdvance(TickText(y, ticks)));
    const int left = std::max(kLeftMargin, widest + metrics.height() + 14);
    return QRectF(area).adjusted(left, kTopMargin, -kRightMargin, -kBottomMargin);
}

QPointF PressurePlotView::ToPixel(const QRectF& plotArea, double distance, double kPa) const {
    return {plotArea.left() + (distance - frame_.left) / (frame_.right - frame_.left) * plotArea.width(),
            plotArea.bottom() - (kPa - frame_.bottom) / (frame_.top - frame_.bottom) * plotArea.height()};
}

void PressurePlotView::Render(QPainter& painter, const QRect& area) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    painter.fillRect(area, Qt::white);
    const QRectF plotArea = PlotArea(area);
    const QFontMetrics metrics(painter.font());

    // Grid and tick labels.
    painter.setPen(kGrid);
    const auto xTicks = AxisTicks(frame_.left, frame_.right, std::max(2, int(plotArea.width() / 90)));
    const auto yTicks = PressureTicks(plotArea.height());
    for (double x : xTicks) {
        const double px = ToPixel(plotArea, x, 0).x();
        if (px < plotArea.left() || px > plotArea.right()) continue;
        painter.setPen(kGrid);
        painter.drawLine(QPointF(px, plotArea.top()), QPointF(px, plotArea.bottom()));
        painter.setPen(Qt::black);
        const QString text = TickText(x, xTicks);
        painter.drawText(QPointF(px - metrics.horizontalAdvance(text) / 2.0, plotArea.bottom() + metrics.height()), text);
    }
    for (double y : yTicks) {
        const double py = ToPixel(plotArea, 0, y).y();
        if (py < plotArea.top() || py > plotArea.bottom()) continue;
        painter.setPen(kGrid);
        painter.drawLine(QPointF(plotArea.left(), py), QPointF(plotArea.right(), py));
        painter.setPen(Qt::black);
        const QString text = TickText(y, yTicks);
        painter.drawText(QPointF(plotArea.left() - 6 - metrics.horizontalAdvance(text), py + metrics.ascent() / 2.0), text);
    }
    painter.setPen(Qt::black);
    painter.drawRect(plotArea);
    const QString xTitle = "距离 (m)";
    painter.drawText(QPointF(plotArea.center().x() - metrics.horizontalAdvance(xTitle) / 2.0,
                             area.bottom() - metrics.descent() - 2), xTitle);
    painter.save();
    painter.translate(area.left() + metrics.height(), plotArea.center().y());
    painter.rotate(-90);
    const QString yTitle = "压力 (kPa)";
    painter.drawText(QPointF(-metrics.horizontalAdvance(yTitle) / 2.0, 0), yTitle);
    painter.restore();

    // Legend above the plot.
    QPointF at(plotArea.left(), area.top() + kTopMargin / 2.0);
    const auto legend = [&](const QPen& pen, const QString& text, bool circle = false) {
        painter.setPen(pen);
        if (circle) painter.drawEllipse(at + QPointF(10, 0), 4, 4);
        else painter.drawLine(at, at + QPointF(20, 0));
        painter.setPen(Qt::black);
        painter.drawText(at + QPointF(26, metrics.ascent() / 2.0 - 1), text);
        at.rx() += 36 + metrics.horizontalAdvance(text);
    };
    legend(QPen(QColor(kSupplyColour), 3), "供水 (主干线)");
    legend(QPen(kBranchSupply, 1), "供水 (支线)");
    legend(QPen(QColor(kReturnColour), 3), "回水 (主干线)");
    legend(QPen(kBranchReturn, 1), "回水 (支线)");
    legend(QPen(kLowPressure, 2), "P<2100", true);

    painter.setClipRect(plotArea);
    const auto supplyAt = [&](int p) { return ToPixel(plotArea, plot_.nodes[p].distance, plot_.nodes[p].supply); };
    const auto returnAt = [&](int p) { return ToPixel(plotArea, plot_.nodes[p].distance, plot_.nodes[p].ret); };
    const auto drawLine = [&](const PlotLine& line, const QPen& supplyPen, const QPen& returnPen) {
        QPolygonF supply, ret;
        for (int p : line.nodes) supply << supplyAt(p), ret << returnAt(p);
        painter.setPen(supplyPen);
        painter.drawPolyline(supply);
        painter.setPen(returnPen);
        painter.drawPolyline(ret);
    };
    // A wide band under the lines, so that their colours still show through it.
    painter.setPen(QPen(kHighlight, 8, Qt::SolidLine, Qt::RoundCap));
    for (const auto& [from, to] : highlightedEdges_) {
        painter.drawLine(supplyAt(from), supplyAt(to));
        painter.drawLine(returnAt(from), returnAt(to));
    }
    // Branches first, so that the main line stays on top of them.
    for (const PlotLine& line : plot_.lines)
        if (!line.mainLine) drawLine(line, QPen(kBranchSupply, 1), QPen(kBranchReturn, 1));
    for (const RingSegment& ring : plot_.rings) {
        painter.setPen(QPen(kBranchSupply, 1, Qt::DashLine));
        painter.drawLine(supplyAt(ring.from), supplyAt(ring.to));
        painter.setPen(QPen(kBranchReturn, 1, Qt::DashLine));
        painter.drawLine(returnAt(ring.from), returnAt(ring.to));
    }
    for (const PlotLine& line : plot_.lines)
        if (line.mainLine) drawLine(line, QPen(QColor(kSupplyColour), 3), QPen(QColor(kReturnColour), 3));

    painter.setPen(QPen(kLowPressure, 2));
    painter.setBrush(Qt::NoBrush);
    for (int p = 0; p < int(plot_.nodes.size()); ++p)
        if (plot_.nodes[p].lowPressure) painter.drawEllipse(supplyAt(p), 5, 5);

    painter.setBrush(Qt::black);
    for (int p : DottedNodes(plotArea, metrics)) {
        const QPointF supply = supplyAt(p);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(supply, 2.5, 2.5);
        painter.drawEllipse(returnAt(p), 2.5, 2.5);
        painter.setPen(Qt::black);
        const QString number = NodeText(plot_.nodes[p].nodeNumber);
        painter.drawText(supply + QPointF(-metrics.horizontalAdvance(number) / 2.0, -4), number);
    }
    if (highlightedNode_ >= 0) {
        painter.setPen(QPen(kHighlight, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(supplyAt(highlightedNode_), 6, 6);
        painter.drawEllipse(returnAt(highlightedNode_), 6, 6);
    }
    painter.restore();
}

// Node markers and numbers, thinned so that no two numbers overlap.
std::vector<int> PressurePlotView::DottedNodes(const QRectF& plotArea, const QFontMetrics& metrics) const {
    const double pixelsPerMetre = plotArea.width() / (frame_.right - frame_.left);
    const double pixelsPerKPa = plotArea.height() / (frame_.top - frame_.bottom);
    const double labelWidth = metrics.horizontalAdvance("0000") + 4;
    const QRectF near = plotArea.adjusted(-labelWidth, -20, labelWidth, 20);
    std::vector<int> dotted;
    for (int p : LabelledNodes(plot_, pixelsPerMetre, pixelsPerKPa, labelWidth, metrics.height()))
        if (near.contains(ToPixel(plotArea, plot_.nodes[p].distance, plot_.nodes[p].supply))) dotted.push_back(p);
    return dotted;
}

std::vector<int> PressurePlotView::DottedNodes() const { return DottedNodes(PlotArea(rect()), QFontMetrics(font())); }

QPointF PressurePlotView::PointOf(int position, bool supply) const {
    const PlotNode& node = plot_.nodes[position];
    return ToPixel(PlotArea(rect()), node.distance, supply ? node.supply : node.ret);
}

void PressurePlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Render(painter, rect());
}

namespace {

// The title line centred above the diagram.
void RenderPicture(const PressurePlotView& view, QPainter& painter, const QRect& area) {
    painter.fillRect(area, Qt::white);
    QFont font = view.font();
    font.setBold(true);
    const int band = QFontMetrics(font).height() * 2;
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(area.left(), area.top(), area.width(), band), Qt::AlignCenter, view.Title());
    painter.restore();
    view.Render(painter, area.adjusted(0, band, 0, 0));
}

}  // namespace

bool PressurePlotView::Export(const QString& path) const {
    const QString documentTitle = title_.isEmpty() ? "水压图" : title_ + " 水压图";
    return ExportPicture(path, documentTitle,
                         [this](QPainter& painter, const QRect& area) { RenderPicture(*this, painter, area); });
}

void PressurePlotView::ExportWithDialog(const QString& format) {
    ExportPictureWithDialog(this, "水压图", format, [this](const QString& path) { return Export(path); });
}

void PressurePlotView::HighlightNode(int position) {
    highlightedEdges_.clear();
    highlightedSegment_ = -1;
    highlightedNode_ = position;
    if (position >= 0) {
        const std::vector<int> path = PathFromSource(plot_, position);
        for (size_t k = 1; k < path.size(); ++k) highlightedEdges_.emplace_back(path[k - 1], path[k]);
    }
    update();
}

void PressurePlotView::HighlightSegment(int segment) {
    highlightedEdges_.clear();
    highlightedNode_ = -1;
    highlightedSegment_ = segment;
    for (int p = 0; p < int(plot_.nodes.size()); ++p)
        if (segment >= 0 && plot_.nodes[p].segment == segment && plot_.nodes[p].parent >= 0)
            highlightedEdges_.emplace_back(plot_.nodes[p].parent, p);
    for (const RingSegment& ring : plot_.rings)
        if (ring.segment == segment) highlightedEdges_.emplace_back(ring.from, ring.to);
    update();
}

int PressurePlotView::NodeAt(const QPoint& point) const {
    const QRectF plotArea = PlotArea(rect());
    const auto nearest = [&](const std::vector<int>& positions) {
        int found = -1;
        double best = kPickRadius * kPickRadius + 1e-9;
        for (int p : positions) {
            const PlotNode& node = plot_.nodes[p];
            for (double kPa : {node.supply, node.ret}) {
                const QPointF offset = ToPixel(plotArea, node.distance, kPa) - QPointF(point);
                const double squared = QPointF::dotProduct(offset, offset);
                if (squared < best) best = squared, found = p;
            }
        }
        return found;
    };
    // A dot the person points at wins over a node drawn without one, even one a
    // little nearer: numbers are thinned, so a hidden neighbour may lie beside it.
    const int dotted = nearest(DottedNodes(plotArea, QFontMetrics(font())));
    if (dotted >= 0) return dotted;
    std::vector<int> all(plot_.nodes.size());
    for (int p = 0; p < int(all.size()); ++p) all[p] = p;
    return nearest(all);
}

QString PressurePlotView::Describe(int position) const {
    const PlotNode& node = plot_.nodes[position];
    QString text = QString("节点 %1\n距离 %2 m\n供水压力 %3 kPa\n回水压力 %4 kPa\n供回水压差 %5 kPa")
                       .arg(NodeText(node.nodeNumber))
                       .arg(QString::number(node.distance, 'f', 1), Kpa(node.supply), Kpa(node.ret),
                            Kpa(node.Available()));
    if (node.lowPressure) text += "\nP<2100";
    return text;
}

void PressurePlotView::wheelEvent(QWheelEvent* event) {
    const QRectF plotArea = PlotArea(rect());
    const QPointF at = event->position();
    const double factor = std::pow(kWheelZoomBase, -event->angleDelta().y());
    const double x = frame_.left + (at.x() - plotArea.left()) / plotArea.width() * (frame_.right - frame_.left);
    const double y = frame_.bottom + (plotArea.bottom() - at.y()) / plotArea.height() * (frame_.top - frame_.bottom);
    frame_ = {x - (x - frame_.left) * factor, x + (frame_.right - x) * factor,
              y - (y - frame_.bottom) * factor, y + (frame_.top - y) * factor};
    update();
    event->accept();
}

void PressurePlotView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    pressedAt_ = draggedTo_ = event->position().toPoint();
    dragging_ = false;
}

void PressurePlotView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (!(event->buttons() & Qt::LeftButton)) {
        const int node = NodeAt(at);
        if (node >= 0) QToolTip::showText(event->globalPosition().toPoint(), Describe(node), this);
        else QToolTip::hideText();
        return;
    }
    dragging_ = dragging_ || (at - pressedAt_).manhattanLength() > kDragThreshold;
    if (!dragging_) return;
    const QRectF plotArea = PlotArea(rect());
    const double dx = (at.x() - draggedTo_.x()) / plotArea.width() * (frame_.right - frame_.left);
    const double dy = (at.y() - draggedTo_.y()) / plotArea.height() * (frame_.top - frame_.bottom);
    frame_ = {frame_.left - dx, frame_.right - dx, frame_.bottom + dy, frame_.top + dy};
    draggedTo_ = at;
    update();
}

void PressurePlotView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || dragging_) return;
    const int node = NodeAt(event->position().toPoint());
    HighlightNode(node);
    if (node >= 0) emit nodeClicked(node);
}

void PressurePlotView::mouseDoubleClickEvent(QMouseEvent*) { ResetView(); }

void PressurePlotView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction("显示全图", this, &PressurePlotView::ResetView);
    menu.addSeparator();
    for (const QString format : {"png", "svg", "pdf"})
        menu.addAction("导出 " + format.toUpper() + "...", this, [this, format] { ExportWithDialog(format); });
    menu.exec(event->globalPos());
}

}  // namespace heatnet
