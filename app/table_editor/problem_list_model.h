#pragma once

#include <QAbstractListModel>

#include "app/table_editor/table_document.h"

namespace heatnet {

// Where a problem is, as the problem list names it: "管段 第3行 终点编号".
QString ProblemPlace(const TableProblem& problem);

// The document's problems in grid, row and column order, each as its place and
// message; the ones the calculation would refuse in dark red.
class ProblemListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ProblemListModel(TableDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    void Follow();

    TableDocument& document_;
    int rows_ = 0;
};

}  // namespace heatnet
