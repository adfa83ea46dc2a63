#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QWidget>

#include "data/project_data.h"
#include "reports/network_map.h"

class QListWidget;

namespace heatnet {

class NetworkMapView;

// The network being edited, as the map draws it before any calculation: the
// record and what could not be taken into it (texts that are not numbers, an
// unreadable coordinate file).
struct EditedNetwork {
    std::unique_ptr<ProjectData> data;
    std::vector<std::string> notes;
};

// Lays the network out from its connections, taking the coordinates of the
// side file 文件名.xy.csv beside `dataFileName` when there is one; a side file
// that cannot be read is named in `notes` and the whole network laid out.
NetworkMap MapOfEditedNetwork(const ProjectData& data, const std::string& dataFileName,
                              std::vector<std::string>& notes);

// "管网图" of a network being edited (the fill-in, the table editor): the map
// without results, its topology faults drawn red and listed beside it with the
// calculation's words; a click on a fault selects its nodes and segment on the
// map. Refresh() draws the network as it is now.
class NetworkMapWindow : public QWidget {
    Q_OBJECT
public:
    NetworkMapWindow(const QString& fileName, std::function<EditedNetwork()> network, QWidget* parent = nullptr);

    void Refresh();
    NetworkMapView* View() const { return view_; }
    QListWidget* Faults() const { return faults_; }

private:
    std::function<EditedNetwork()> network_;
    std::string fileName_;
    NetworkMapView* view_ = nullptr;
    QListWidget* faults_ = nullptr;
};

}  // namespace heatnet
