#include "app/results/network_map_view.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QToolTip>

#include "app/results/picture_export.h"
#include "app/results/pressure_plot_view.h"
#include "data/number_text.h"

namespace heatnet {
namespace {

constexpr int kMargin = 24;               // pixels around the whole network
constexpr int kNodePick = 7, kSegmentPick = 5;  // pixels within which the mouse hits
constexpr double kWheelZoomBase = 1.0015;  // per eighth of a degree, as in 水压图
constexpr int kDragThreshold = 4;

const QColor kFault(220, 0, 0), kPlain(90, 90, 90), kOverLimit(255, 200, 0), kHeld(230, 40, 40);
const QColor kHighlight(kHighlightColour), kLowPressure(255, 140, 0);

QColor Blend(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}
QColor Scale(const std::vector<QColor>& stops, double t) {
    if (!std::isfinite(t)) return kPlain;
    t = std::clamp(t, 0.0, 1.0) * double(stops.size() - 1);
    const int at = std::min(int(t), int(stops.size()) - 2);
    return Blend(stops[at], stops[at + 1], t - at);
}
// Dark blue for the least through green to light green, all visible on white.
QColor SegmentColour(double t) {
    return Scale({QColor(68, 1, 84), QColor(59, 82, 139), QColor(33, 145, 140), QColor(94, 201, 98)}, t);
}
// Red where little pressure difference is left, green where much.
QColor NodeColour(double t) { return Scale({QColor(215, 48, 39), QColor(250, 200, 80), QColor(26, 152, 80)}, t); }

double Position(double value, double low, double high) { return high > low ? (value - low) / (high - low) : 0.5; }

QString NumberText(double number) { return QString::fromStdString(NumberInText(Number(number))); }
QString Short(double value) { return std::fabs(value) >= 1000 ? QString::number(value, 'f', 0) : QString::number(value, 'g', 4); }

double DistanceToSegment(const QPointF& p, const QPointF& a, const QPointF& b) {
    const QPointF ab = b - a;
    const double length = QPointF::dotProduct(ab, ab);
    const double t = length > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length, 0.0, 1.0) : 0;
    const QPointF off = p - (a + ab * t);
    return std::sqrt(QPointF::dotProduct(off, off));
}

}  // namespace

NetworkMapView::NetworkMapView(NetworkMap map, const CalculationResult* result, QWidget* parent)
    : QWidget(parent), map_(std::move(map)) {
    if (result) results_ = std::make_unique<MapResults>(map_, *result);
    setMouseTracking(true);
    setMinimumSize(400, 300);
    ResetView();
}

NetworkMapView::~NetworkMapView() = default;

void NetworkMapView::SetQuantity(MapQuantity quantity) {
    quantity_ = quantity;
    update();
}

void NetworkMapView::ResetView() {
    centre_ = QPointF((map_.lowest.x + map_.highest.x) / 2, (map_.lowest.y + map_.highest.y) / 2);
    zoom_ = 1;
    update();
}

QRect NetworkMapView::MapArea(const QRect& area) const {
    const int lines = results_ ? 2 : 1;
    return area.adjusted(0, lines * (QFontMetrics(font()).height() + 8) + 6, 0, 0);
}

NetworkMapView::Transform NetworkMapView::TransformFor(const QRect& mapArea) const {
    const double width = std::max(map_.highest.x - map_.lowest.x, 1e-9);
    const double height = std::max(map_.highest.y - map_.lowest.y, 1e-9);
    const double fit = std::min((mapArea.width() - 2 * kMargin) / width, (mapArea.height() - 2 * kMargin) / height);
    return {QRectF(mapArea).center(), centre_, std::max(fit, 1e-9) * zoom_};
}

double NetworkMapView::SegmentWidth(int segment) const {
    double diameter = results_ ? results_->DiameterMm(segment) : std::nan("");
    if (!std::isfinite(diameter)) return 1.5;
    return 1 + 5 * std::sqrt(std::max(diameter, 0.0) / 1000);
}

QPointF NetworkMapView::PointOf(int node) const { return TransformFor(MapArea(rect()))(map_.nodes[node].at); }

void NetworkMapView::Render(QPainter& painter, const QRect& area) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    painter.fillRect(area, Qt::white);
    const QRect mapArea = MapArea(area);
    const Transform at = TransformFor(mapArea);
    const QFontMetrics metrics(painter.font());
    double low = 0, high = 0, lowKPa = 0, highKPa = 0;
    bool any = false, anyNode = false;
    for (int s = 0; results_ && s < int(map_.segments.size()); ++s)
        if (const double v = results_->Value(s, quantity_); std::isfinite(v))
            low = any ? std::min(low, v) : v, high = any ? std::max(high, v) : v, any = true;
    for (int n = 0; results_ && n < int(map_.nodes.size()); ++n)
        if (const double v = results_->AvailableKPa(n); std::isfinite(v))
            lowKPa = anyNode ? std::min(lowKPa, v) : v, highKPa = anyNode ? std::max(highKPa, v) : v, anyNode = true;
    RenderLegend(painter, QRect(area.left(), area.top(), area.width(), mapArea.top() - area.top()), low, high);
    painter.setClipRect(mapArea);

    const auto ends = [&](const MapSegment& s) { return std::pair(at(map_.nodes[s.from].at), at(map_.nodes[s.to].at)); };
    // Bands under the lines: the selection, then the over-limit marks.
    for (int s = 0; s < int(map_.segments.size()); ++s) {
        const auto [a, b] = ends(map_.segments[s]);
        const double width = SegmentWidth(s);
        if (s == highlightedSegment_) painter.setPen(QPen(kHighlight, width + 10, Qt::SolidLine, Qt::RoundCap));
        else if (results_ && results_->HeldAtLargestSize(s)) painter.setPen(QPen(kHeld, width + 6, Qt::SolidLine, Qt::RoundCap));
        else if (results_ && results_->OverLimit(s)) painter.setPen(QPen(kOverLimit, width + 6, Qt::SolidLine, Qt::RoundCap));
        else continue;
        painter.drawLine(a, b);
    }
    for (int s = 0; s < int(map_.segments.size()); ++s) {
        const MapSegment& segment = map_.segments[s];
        const auto [a, b] = ends(segment);
        QColor colour = segment.fault ? kFault : kPlain;
        if (results_ && !segment.fault) colour = SegmentColour(Position(results_->Value(s, quantity_), low, high));
        // Ring-closing segments dashed, so the spanning tree reads apart from them.
        painter.setPen(QPen(colour, SegmentWidth(s), segment.closesRing ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(a, b);
    }
    // Dots shrink where segments are short on the screen, so a dense network
    // still shows its lines.
    std::vector<double> lengths;
    for (const MapSegment& segment : map_.segments) {
        const auto [a, b] = ends(segment);
        lengths.push_back(std::hypot(a.x() - b.x(), a.y() - b.y()));
    }
    std::nth_element(lengths.begin(), lengths.begin() + lengths.size() / 2, lengths.end());
    const double dot = lengths.empty() ? 3.5 : std::clamp(lengths[lengths.size() / 2] * 0.15, 1.2, 3.5);
    for (int n = 0; n < int(map_.nodes.size()); ++n) {
        const MapNode& node = map_.nodes[n];
        const QPointF p = at(node.at);
        QColor fill = node.fault ? kFault : (node.hasLoadRecord || node.number == 0 ? Qt::black : Qt::white);
        if (results_ && !node.fault && std::isfinite(results_->AvailableKPa(n)))
            fill = NodeColour(Position(results_->AvailableKPa(n), lowKPa, highKPa));
        painter.setPen(QPen(node.fault ? kFault : Qt::black, 1));
        painter.setBrush(fill);
        if (node.number == 0) painter.drawRect(QRectF(p - QPointF(5, 5), QSizeF(10, 10)));  // the heat source
        else painter.drawEllipse(p, node.fault ? 3.5 : dot, node.fault ? 3.5 : dot);  // faults always plain to see
        if (results_ && results_->LowPressure(n)) {
            painter.setPen(QPen(kLowPressure, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(p, dot + 3.5, dot + 3.5);
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kHighlight, 3));
    for (int n : highlightedNodes_) painter.drawEllipse(at(map_.nodes[n].at), 9, 9);
    for (int n : LabelledNodes(at, mapArea, metrics)) {
        painter.setPen(map_.nodes[n].fault ? kFault : Qt::black);
        painter.drawText(at(map_.nodes[n].at) + QPointF(5, -4), NumberText(map_.nodes[n].number));
    }
    painter.restore();
}

void NetworkMapView::RenderLegend(QPainter& painter, const QRect& band, double low, double high) const {
    const QFontMetrics metrics(painter.font());
    const int line = metrics.height() + 8;
    QPointF at(band.left() + 10, band.top() + line / 2.0 + 3);
    const auto text = [&](const QString& words) {
        painter.setPen(Qt::black);
        painter.drawText(at + QPointF(0, metrics.ascent() / 2.0 - 1), words);
        at.rx() += metrics.horizontalAdvance(words) + 8;
    };
    const auto mark = [&](const QPen& pen, const QString& words) {
        painter.setPen(pen);
        painter.drawLine(at, at + QPointF(22, 0));
        at.rx() += 28;
        text(words);
        at.rx() += 10;
    };
    const auto bar = [&](QColor (*colour)(double), double from, double to, const QString& name) {
        text(name);
        text(Short(from));
        for (int x = 0; x < 120; ++x) painter.fillRect(QRectF(at.x() + x, at.y() - 5, 1, 10), colour(x / 119.0));
        at.rx() += 126;
        text(Short(to));
        at.rx() += 16;
    };
    if (!results_) {
        mark(QPen(kFault, 2), "拓扑错误");
        mark(QPen(kPlain, 1.5, Qt::DashLine), "环网管段");
        return;
    }
    bar(SegmentColour, low, high, QuantityName(quantity_));
    mark(QPen(kOverLimit, 6), "超过比摩阻限值");
    mark(QPen(kHeld, 6), "已取最大管径仍超限");
    mark(QPen(kPlain, 1.5, Qt::DashLine), "环网管段");
    at = QPointF(band.left() + 10, at.y() + line);
    double lowKPa = 0, highKPa = 0;
    bool any = false;
    for (int n = 0; n < int(map_.nodes.size()); ++n)
        if (const double v = results_->AvailableKPa(n); std::isfinite(v))
            lowKPa = any ? std::min(lowKPa, v) : v, highKPa = any ? std::max(highKPa, v) : v, any = true;
    bar(NodeColour, lowKPa, highKPa, "节点供回水压差 (kPa)");
    painter.setPen(QPen(kLowPressure, 2));
    painter.drawEllipse(at + QPointF(7, 0), 6, 6);
    at.rx() += 20;
    text("P<2100");
    text("  线宽: 管径");
}

// Node numbers, thinned so that no two overlap: the heat source first, then in
// the order the nodes first appear in the file.
std::vector<int> NetworkMapView::LabelledNodes(const Transform& at, const QRect& mapArea,
                                               const QFontMetrics& metrics) const {
    const double cell = metrics.height() * 2.0;
    std::unordered_map<long long, std::vector<QRectF>> taken;
    const auto key = [](long long x, long long y) { return x * 1000003LL + y; };
    std::vector<int> labelled;
    for (int n = 0; n < int(map_.nodes.size()); ++n) {
        const QPointF p = at(map_.nodes[n].at);
        if (!mapArea.contains(p.toPoint())) continue;
        const QString number = NumberText(map_.nodes[n].number);
        const QRectF box(p + QPointF(5, -4 - metrics.ascent()), QSizeF(metrics.horizontalAdvance(number), metrics.height()));
        const long long x0 = std::floor(box.left() / cell), x1 = std::floor(box.right() / cell);
        const long long y0 = std::floor(box.top() / cell), y1 = std::floor(box.bottom() / cell);
        bool free = true;
        for (long long x = x0; x <= x1 && free; ++x)
            for (long long y = y0; y <= y1 && free; ++y)
                for (const QRectF& other : taken[key(x, y)]) free = free && !other.intersects(box);
        if (!free) continue;
        for (long long x = x0; x <= x1; ++x)
            for (long long y = y0; y <= y1; ++y) taken[key(x, y)].push_back(box);
        labelled.push_back(n);
    }
    return labelled;
}

std::vector<int> NetworkMapView::LabelledNodes() const {
    const QRect mapArea = MapArea(rect());
    return LabelledNodes(TransformFor(mapArea), mapArea, QFontMetrics(font()));
}

void NetworkMapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Render(painter, rect());
}

bool NetworkMapView::Export(const QString& path) const {
    const QString documentTitle = title_.isEmpty() ? "管网图" : title_ + " 管网图";
    const auto picture = [&](QPainter& painter, const QRect& area) {
        painter.fillRect(area, Qt::white);
        QFont bold = font();
        bold.setBold(true);
        const int band = QFontMetrics(bold).height() * 2;
        painter.save();
        painter.setFont(bold);
        painter.setPen(Qt::black);
        painter.drawText(QRect(area.left(), area.top(), area.width(), band), Qt::AlignCenter, title_);
        painter.restore();
        Render(painter, area.adjusted(0, band, 0, 0));
    };
    return ExportPicture(path, documentTitle, picture);
}

void NetworkMapView::ExportWithDialog(const QString& format) {
    ExportPictureWithDialog(this, "管网图", format, [this](const QString& path) { return Export(path); });
}

void NetworkMapView::HighlightSegment(int segment) {
    highlightedSegment_ = segment;
    highlightedNodes_.clear();
    update();
}

void NetworkMapView::HighlightNodes(std::vector<int> nodes) {
    highlightedNodes_ = std::move(nodes);
    highlightedSegment_ = -1;
    update();
}

int NetworkMapView::NodeAt(const QPoint& point) const {
    const Transform at = TransformFor(MapArea(rect()));
    int found = -1;
    double best = kNodePick;
    for (int n = 0; n < int(map_.nodes.size()); ++n) {
        const QPointF off = at(map_.nodes[n].at) - QPointF(point);
        if (const double d = std::sqrt(QPointF::dotProduct(off, off)); d <= best) best = d, found = n;
    }
    return found;
}

int NetworkMapView::SegmentAt(const QPoint& point) const {
    const Transform at = TransformFor(MapArea(rect()));
    int found = -1;
    double best = kSegmentPick;
    for (int s = 0; s < int(map_.segments.size()); ++s) {
        const MapSegment& segment = map_.segments[s];
        const double d = DistanceToSegment(point, at(map_.nodes[segment.from].at), at(map_.nodes[segment.to].at)) -
                         SegmentWidth(s) / 2;
        if (d <= best) best = d, found = s;
    }
    return found;
}

QString NetworkMapView::DescribeNode(int node) const {
    QString text = results_ ? results_->DescribeNode(node) : QString();
    if (text.isEmpty()) text = "节点 " + NumberText(map_.nodes[node].number);
    for (const TopologyFault& fault : map_.faults)
        if (std::ranges::find(fault.nodes, node) != fault.nodes.end()) text += "\n" + QString::fromStdString(fault.message);
    return text;
}

QString NetworkMapView::DescribeSegment(int segment) const {
    QString text = results_ ? results_->DescribeSegment(segment) : QString();
    const MapSegment& s = map_.segments[segment];
    if (text.isEmpty())
        text = QString("第%1根管道 %2 - %3").arg(s.record + 1).arg(NumberText(map_.nodes[s.from].number), NumberText(map_.nodes[s.to].number));
    if (s.closesRing) text += "\n环网管段";
    for (const TopologyFault& fault : map_.faults)
        if (std::ranges::find(fault.segments, segment) != fault.segments.end())
            text += "\n" + QString::fromStdString(fault.message);
    return text;
}

void NetworkMapView::wheelEvent(QWheelEvent* event) {
    const QRect mapArea = MapArea(rect());
    const Transform before = TransformFor(mapArea);
    const QPointF cursor = event->position();
    const QPointF under = before.mapCentre + (cursor - before.areaCentre) / before.scale;
    zoom_ = std::clamp(zoom_ * std::pow(kWheelZoomBase, event->angleDelta().y()), 0.2, 5000.0);
    const Transform after = TransformFor(mapArea);
    centre_ = under - (cursor - after.areaCentre) / after.scale;
    update();
    event->accept();
}

void NetworkMapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    pressedAt_ = draggedTo_ = event->position().toPoint();
    dragging_ = false;
}

void NetworkMapView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (!(event->buttons() & Qt::LeftButton)) {
        const int node = NodeAt(at);
        const int segment = node < 0 ? SegmentAt(at) : -1;
        const QString text = node >= 0 ? DescribeNode(node) : segment >= 0 ? DescribeSegment(segment) : QString();
        setToolTip(text);  // also what the tests and accessibility read
        if (text.isEmpty()) QToolTip::hideText();
        else QToolTip::showText(event->globalPosition().toPoint(), text, this);
        return;
    }
    dragging_ = dragging_ || (at - pressedAt_).manhattanLength() > kDragThreshold;
    if (!dragging_) return;
    centre_ -= QPointF(at - draggedTo_) / TransformFor(MapArea(rect())).scale;
    draggedTo_ = at;
    update();
}

void NetworkMapView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || dragging_) return;
    const QPoint at = event->position().toPoint();
    if (const int node = NodeAt(at); node >= 0) {
        HighlightNodes({node});
        emit nodeClicked(node);
    } else if (const int segment = SegmentAt(at); segment >= 0) {
        HighlightSegment(segment);
        emit segmentClicked(segment);
    }
}

void NetworkMapView::mouseDoubleClickEvent(QMouseEvent*) { ResetView(); }

void NetworkMapView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction("显示全图", this, &NetworkMapView::ResetView);
    menu.addSeparator();
    for (const QString format : {"png", "svg", "pdf"})
        menu.addAction("导出 " + format.toUpper() + "...", this, [this, format] { ExportWithDialog(format); });
    menu.exec(event->globalPos());
}

}  // namespace heatnet
