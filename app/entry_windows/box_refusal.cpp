#include "app/entry_windows/box_refusal.h"

#include <cmath>

#include <QLineEdit>

#include "data/application_texts.h"
#include "data/number_text.h"
#include "data/quoted_text.h"

namespace heatnet {

std::optional<std::string> BoxRefusal(const QString& text, const char* label,
                                      const std::optional<CountRange>& count) {
    const std::string bytes = text.toStdString();
    const std::string quoted = label + ("\"" + QuotedForMessage(bytes)) + "\"";
    const std::optional<Number> number = ParseNumberField(bytes);
    if (!number) return quoted + "不是数字,请改正。";
    const double value = ValueOf(*number);
    if (!count || !*number ||
        (value == std::floor(value) && value >= count->lowest && value <= count->highest))
        return std::nullopt;
    return quoted + "应为" + std::to_string(count->lowest) + "到" + std::to_string(count->highest) +
           "之间的整数,请改正。";
}

bool BoxesCanBeStored(std::initializer_list<LabelledBox> boxes, WindowDialogs& dialogs) {
    for (const LabelledBox& box : boxes) {
        if (const auto refusal = BoxRefusal(box.box->text(), box.label, box.count)) {
            dialogs.ShowMessage(*refusal, kApplicationTitle);
            box.box->setFocus();
            return false;
        }
    }
    return true;
}

}  // namespace heatnet
