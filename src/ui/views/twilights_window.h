// The twilights window (frmTW): civil, nautical and astronomical twilight of the main window's day,
// when each starts in the morning and ends in the evening and how long the morning and the
// evening twilight last. Read-only; the main window calls UpdateTWData while the window is shown,
// after computing the day's events with twilights. Closing it only hides it.
#pragma once

#include <QWidget>
#include <array>

#include "app/shared_state.h"

class QLineEdit;

namespace heliomark {

class FormMove;

class TwilightsWindow : public QWidget {
    Q_OBJECT

  public:
    // A top-level window owned by `owner` (the main window), created hidden.
    TwilightsWindow(const SharedState& state, QWidget* owner);

    void UpdateTWData();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    const SharedState& state_;
    FormMove* mover_ = nullptr;
    // Indexed 0 civil, 1 nautical, 2 astronomical.
    std::array<QLineEdit*, 3> txtTWB{}, txtTWE{}, txtTWLB{}, txtTWLE{};
};

}  // namespace heliomark
