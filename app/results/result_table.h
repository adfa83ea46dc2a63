#pragma once

#include <QTableWidget>

namespace heatnet {

// A table of one calculation's results: columns sort by their numbers, whole rows
// are selected, and Ctrl+C copies the selected rows as tab-separated text under a
// header line, ready to paste into a spreadsheet.
class ResultTable : public QTableWidget {
    Q_OBJECT
public:
    explicit ResultTable(const QStringList& headers, QWidget* parent = nullptr);

    // Appends a row standing for `key` (a node index or segment position); a cell
    // with a value (not NaN) sorts by it rather than by its text.
    void AddRow(int key, const QStringList& texts, const QList<double>& values);
    int KeyOfRow(int row) const;
    // Colours a row and gives each of its cells the reason as tooltip.
    void MarkRow(int row, const QColor& colour, const QString& reason);
    QString SelectedRowsText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace heatnet
