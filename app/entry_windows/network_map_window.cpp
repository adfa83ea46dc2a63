#include "app/entry_windows/network_map_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/results/network_map_view.h"

namespace heatnet {

NetworkMap MapOfEditedNetwork(const ProjectData& data, const std::string& dataFileName,
                              std::vector<std::string>& notes) {
    std::string error;
    const std::string sideFile = CoordinateFileName(dataFileName);
    std::optional<std::map<double, MapPoint>> coordinates =
        dataFileName.empty() ? std::map<double, MapPoint>() : ReadCoordinateFile(sideFile, &error);
    if (!coordinates) {
        notes.push_back("坐标文件 " + sideFile + " 无法读取,全部节点按连接关系布置:" + error);
        coordinates.emplace();
    }
    return LayOutNetwork(data, *coordinates);
}

NetworkMapWindow::NetworkMapWindow(const QString& fileName, std::function<EditedNetwork()> network,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), network_(std::move(network)), fileName_(fileName.toStdString()) {
    setObjectName("networkMap");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("管网图 - " + QFileInfo(fileName).fileName());
    resize(1000, 680);
    faults_ = new QListWidget;
    faults_->setObjectName("faults");
    faults_->setWordWrap(true);
    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(new QLabel("拓扑错误"));
    sideLayout->addWidget(faults_);
    auto* refresh = new QPushButton("刷新");
    refresh->setObjectName("refresh");
    connect(refresh, &QPushButton::clicked, this, &NetworkMapWindow::Refresh);
    sideLayout->addWidget(refresh);
    auto* splitter = new QSplitter;
    splitter->setObjectName("splitter");
    splitter->addWidget(new QWidget);  // the view takes its place in Refresh
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);
    connect(faults_, &QListWidget::currentRowChanged, this, [this](int row) {
        const QVariant fault = row >= 0 ? faults_->item(row)->data(Qt::UserRole) : QVariant();
        if (!fault.isValid()) return;
        const TopologyFault& named = view_->Map().faults[fault.toInt()];
        if (named.nodes.empty() && !named.segments.empty()) view_->HighlightSegment(named.segments.front());
        else view_->HighlightNodes(named.nodes);
    });
    Refresh();
}

void NetworkMapWindow::Refresh() {
    EditedNetwork edited = network_();
    NetworkMap map = MapOfEditedNetwork(*edited.data, fileName_, edited.notes);
    auto* view = new NetworkMapView(std::move(map), nullptr);
    view->setObjectName("map");
    view->SetTitle(QFileInfo(QString::fromStdString(fileName_)).fileName());
    auto* splitter = findChild<QSplitter*>("splitter");
    delete splitter->replaceWidget(0, view);
    view_ = view;
    faults_->clear();
    for (const std::string& note : edited.notes) faults_->addItem(QString::fromStdString(note));
    const auto& faults = view_->Map().faults;
    for (int f = 0; f < int(faults.size()); ++f) {
        auto* item = new QListWidgetItem(QString::fromStdString(faults[f].message));
        item->setForeground(QColor(200, 0, 0));
        item->setData(Qt::UserRole, f);
        faults_->addItem(item);
    }
    if (faults_->count() == 0) faults_->addItem("没有发现拓扑错误。");
}

}  // namespace heatnet
