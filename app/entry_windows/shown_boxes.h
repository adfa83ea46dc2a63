#pragma once

#include <QLineEdit>
#include <QStringList>
#include <QWidget>

namespace heatnet {

// The texts of a window's boxes as the window itself last put them there, so that
// what the person has typed since, and not yet stored, can be told apart.
class ShownBoxes {
public:
    void Remember(const QWidget* window) { texts_ = TextsOf(window); }
    bool Typed(const QWidget* window) const { return TextsOf(window) != texts_; }

private:
    static QStringList TextsOf(const QWidget* window) {
        QStringList texts;
        for (const QLineEdit* box : window->findChildren<QLineEdit*>()) texts << box->text();
        return texts;
    }

    QStringList texts_;
};

}  // namespace heatnet
