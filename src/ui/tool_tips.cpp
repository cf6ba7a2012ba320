#include "ui/tool_tips.h"

#include <QWidget>

namespace heliomark {

void SetToolTips(QWidget* window, ToolTipTable tips) {
    for (const auto& [name, tip] : tips) {
        QWidget* control = window->findChild<QWidget*>(QLatin1String(name));
        // A name that is not there is a slip in the table, seen by the tests of each window.
        if (control) control->setToolTip(tip);
    }
}

}  // namespace heliomark
