#pragma once

#include <array>

#include <QLineEdit>
#include <QWidget>

#include "app/table_editor/table_document.h"

namespace heatnet {

// The label a basic value has in the basic data window (0-based basic value).
QString BasicValueLabel(int value);

// The eight values of the basic data window in file order: six typed, and the
// node and segment counts, which follow the rows and are shown read-only. A typed
// value goes into the document when its box is left or Enter is pressed.
class BasicDataPanel : public QWidget {
    Q_OBJECT
public:
    explicit BasicDataPanel(TableDocument& document, QWidget* parent = nullptr);

    QLineEdit* Box(int value) const { return boxes_[value]; }
    // Stores what is typed in a box that has not been left yet (before saving).
    void StoreTyping();

private:
    void Refresh();

    TableDocument& document_;
    std::array<QLineEdit*, NetworkTable::kBasicValues> boxes_{};
    QLineEdit* nodeCount_ = nullptr;
    QLineEdit* pipeCount_ = nullptr;
};

}  // namespace heatnet
