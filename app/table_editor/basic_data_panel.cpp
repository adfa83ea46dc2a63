#include "app/table_editor/basic_data_panel.h"

#include <QGridLayout>
#include <QLabel>

#include "app/table_editor/table_grid_model.h"
#include "data/base_data_fields.h"

namespace heatnet {
namespace {

// The basic data window's labels, by header field.
constexpr std::array<const char*, 8> kLabels = {
    "供水温度", "回水温度", "循环水泵入口压力(kpa)", "最末端用户阻力(kpa)", "局部阻力折算系数",
    "节点数",   "管道数",   "按300pa/m选择管径的起始节点号",
};
constexpr std::array<const char*, 8> kUnits = {"°C", "°C", "", "", "", "", "", ""};

}  // namespace

QString BasicValueLabel(int value) { return QString::fromUtf8(kLabels[kBasicValueFields[value]]); }

BasicDataPanel::BasicDataPanel(TableDocument& document, QWidget* parent) : QWidget(parent), document_(document) {
    auto* layout = new QGridLayout(this);
    const auto addRow = [&](std::size_t field, QLineEdit* box) {
        const int row = static_cast<int>(field);
        layout->addWidget(new QLabel(QString::fromUtf8(kLabels[field]), this), row, 0);
        layout->addWidget(box, row, 1);
        layout->addWidget(new QLabel(QString::fromUtf8(kUnits[field]), this), row, 2);
    };
    for (int value = 0; value < NetworkTable::kBasicValues; ++value) {
        QLineEdit* box = boxes_[value] = new QLineEdit(this);
        box->setObjectName(QStringLiteral("basic%1").arg(value));
        connect(box, &QLineEdit::editingFinished, this, [this, value] {
            document_.SetCell(Grid::kBasic, 0, value, boxes_[value]->text().toStdString());
        });
        addRow(kBasicValueFields[value], box);
    }
    for (auto [box, field, name] : {std::tuple(&nodeCount_, kNodeCountField, "nodeCount"),
                                    std::tuple(&pipeCount_, kPipeCountField, "pipeCount")}) {
        *box = new QLineEdit(this);
        (*box)->setObjectName(QString::fromLatin1(name));
        (*box)->setReadOnly(true);
        addRow(field, *box);
    }
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(layout->rowCount(), 1);
    connect(&document, &TableDocument::problemsChanged, this, &BasicDataPanel::Refresh);
    Refresh();
}

void BasicDataPanel::StoreTyping() {
    for (int value = 0; value < NetworkTable::kBasicValues; ++value)
        document_.SetCell(Grid::kBasic, 0, value, boxes_[value]->text().toStdString());
}

// Runs after every change: an undo brings back the texts, and the counts and
// colours follow the rows. A box's text is set only when it differs, so the
// cursor of the box being typed in stays where it is.
void BasicDataPanel::Refresh() {
    const auto mark = [](QLineEdit* box, const TableDocument::CellProblems* problems, const QString& otherwise) {
        const QColor colour = !problems ? QColor()
                              : problems->refusedByCalculation ? RefusedProblemColour()
                                                                : OtherProblemColour();
        box->setStyleSheet(problems ? QStringLiteral("QLineEdit { background: %1 }").arg(colour.name()) : QString());
        box->setToolTip(problems ? problems->messages : otherwise);
    };
    for (int value = 0; value < NetworkTable::kBasicValues; ++value) {
        QLineEdit* box = boxes_[value];
        const QString text = QString::fromStdString(document_.Cell(Grid::kBasic, 0, value));
        if (box->text() != text) box->setText(text);
        mark(box, document_.ProblemsAt(Grid::kBasic, 0, value), QString());
    }
    // A count beyond the records a file can hold is told on the first row too many.
    const int segments = document_.RowCount(Grid::kSegments), loads = document_.RowCount(Grid::kLoads);
    pipeCount_->setText(QString::number(segments));
    nodeCount_->setText(QString::number(loads + 1));
    const QString followsRows = QStringLiteral("由表格的行数决定");
    mark(pipeCount_, document_.ProblemsAt(Grid::kSegments, kMaxRecords, 0), followsRows);
    mark(nodeCount_, document_.ProblemsAt(Grid::kLoads, kMaxRecords, 0), followsRows);
}

}  // namespace heatnet
