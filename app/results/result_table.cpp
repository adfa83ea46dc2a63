#include "app/results/result_table.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <cmath>
#include <set>

namespace heatnet {
namespace {

constexpr int kSortValueRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;

// Text such as "-12.5" would sort before "3" as text; the value sorts it.
class NumberItem : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant mine = data(kSortValueRole), theirs = other.data(kSortValueRole);
        if (mine.isValid() && theirs.isValid()) return mine.toDouble() < theirs.toDouble();
        return QTableWidgetItem::operator<(other);
    }
};

}  // namespace

ResultTable::ResultTable(const QStringList& headers, QWidget* parent) : QTableWidget(0, headers.size(), parent) {
    setHorizontalHeaderLabels(headers);
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

void ResultTable::AddRow(int key, const QStringList& texts, const QList<double>& values) {
    const bool sorting = isSortingEnabled();
    setSortingEnabled(false);  // else the row would move away while it is filled
    const int row = rowCount();
    insertRow(row);
    for (int column = 0; column < texts.size(); ++column) {
        auto* item = new NumberItem(texts[column]);
        if (column < values.size() && !std::isnan(values[column])) item->setData(kSortValueRole, values[column]);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (column == 0) item->setData(kKeyRole, key);
        setItem(row, column, item);
    }
    setSortingEnabled(sorting);
}

int ResultTable::KeyOfRow(int row) const { return item(row, 0)->data(kKeyRole).toInt(); }

void ResultTable::MarkRow(int row, const QColor& colour, const QString& reason) {
    for (int column = 0; column < columnCount(); ++column) {
        QTableWidgetItem* cell = item(row, column);
        cell->setBackground(colour);
        cell->setToolTip(reason);
    }
}

QString ResultTable::SelectedRowsText() const {
    QStringList lines, header;
    for (int column = 0; column < columnCount(); ++column)
        header << horizontalHeaderItem(column)->text().replace('\n', ' ');
    lines << header.join('\t');
    std::set<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows.insert(index.row());
    for (int row : rows) {
        QStringList cells;
        for (int column = 0; column < columnCount(); ++column) cells << item(row, column)->text();
        lines << cells.join('\t');
    }
    return lines.join('\n') + '\n';
}

void ResultTable::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(SelectedRowsText());
        return;
    }
    QTableWidget::keyPressEvent(event);
}

}  // namespace heatnet
