#include "ui/main/list_click.h"

#include <QAbstractItemView>
#include <QEvent>
#include <memory>

namespace heliomark {

namespace {

// Marks the start of each user action on a list (a press, a key, the wheel, on the closed list or
// in its open popup), so that a change of selection made earlier by code is not taken for part of
// the user's pick.
class ActionStart : public QObject {
  public:
    ActionStart(QObject* parent, std::shared_ptr<bool> changed)
        : QObject(parent), changed_(std::move(changed)) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::KeyPress:
            case QEvent::Wheel:
                *changed_ = false;
                break;
            default:
                break;
        }
        return false;
    }

  private:
    std::shared_ptr<bool> changed_;
};

}  // namespace

void ConnectListClick(QComboBox* list, std::function<void()> handler) {
    // A user's pick emits currentIndexChanged (when the index changes) and then activated; the flag
    // keeps one pick from running the handler twice, and lets a pick of the entry already selected
    // run it once.
    auto changed = std::make_shared<bool>(false);
    auto* filter = new ActionStart(list, changed);
    list->installEventFilter(filter);
    list->view()->installEventFilter(filter);
    list->view()->viewport()->installEventFilter(filter);
    QObject::connect(list, &QComboBox::currentIndexChanged, list, [changed, handler] {
        *changed = true;
        handler();
    });
    QObject::connect(list, &QComboBox::activated, list, [changed, handler] {
        if (!*changed) handler();
        *changed = false;
    });
}

}  // namespace heliomark
