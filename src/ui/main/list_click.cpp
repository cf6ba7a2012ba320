#include "ui/main/list_click.h"

#include <memory>

namespace heliomark {

void ConnectListClick(QComboBox* list, std::function<void()> handler) {
    // A user's pick emits currentIndexChanged (when the index changes) and then, in the same call,
    // activated; the flag keeps one pick from running the handler twice. It is cleared once control
    // is back in the event loop, because a change made by code is followed by no activated.
    auto changed = std::make_shared<bool>(false);
    QObject::connect(list, &QComboBox::currentIndexChanged, list, [list, changed, handler] {
        *changed = true;
        QMetaObject::invokeMethod(
            list, [changed] { *changed = false; }, Qt::QueuedConnection);
        handler();
    });
    QObject::connect(list, &QComboBox::activated, list, [changed, handler] {
        if (!*changed) handler();
        *changed = false;
    });
}

}  // namespace heliomark
