#include "ui/views/twilights_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "engine/readouts.h"
#include "ui/controls/form_move.h"
#include "ui/tool_tips.h"

namespace heliomark {

namespace {

QLineEdit* AddBox(QGridLayout* grid, QWidget* parent, const QString& name, int row, int column) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    // A result: a click selects it for copying, Tab passes it by.
    box->setFocusPolicy(Qt::ClickFocus);
    box->setFixedWidth(104);
    grid->addWidget(box, row, column);
    return box;
}

}  // namespace

TwilightsWindow::TwilightsWindow(const SharedState& state, QWidget* owner)
    : QWidget(owner, Qt::Window), state_(state) {
    setObjectName("frmTW");
    setWindowTitle("Twilights");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(10, 8, 10, 10);
    grid->setHorizontalSpacing(8);
    const char* columns[] = {"Starts", "Ends", "Length (Morning)", "Length (Evening)"};
    for (int c = 0; c < 4; ++c) {
        auto* title = new QLabel(columns[c], this);
        title->setObjectName(QString("lblColumn%1").arg(c));
        grid->addWidget(title, 0, c + 1, Qt::AlignHCenter);
    }
    const char* rows[] = {"Civil Twilight", "Nautical Twilight", "Astronomical Twilight"};
    const char* kinds[] = {"civil", "nautical", "astronomical"};
    const int depths[] = {6, 12, 18};  // degrees of the Sun's centre below the horizon
    for (int i = 0; i < 3; ++i) {
        auto* title = new QLabel(rows[i], this);
        title->setObjectName(QString("lblRow%1").arg(i));
        grid->addWidget(title, i + 1, 0);
        txtTWB[i] = AddBox(grid, this, QString("txtTWB%1").arg(i), i + 1, 1);
        txtTWE[i] = AddBox(grid, this, QString("txtTWE%1").arg(i), i + 1, 2);
        txtTWLB[i] = AddBox(grid, this, QString("txtTWLB%1").arg(i), i + 1, 3);
        txtTWLE[i] = AddBox(grid, this, QString("txtTWLE%1").arg(i), i + 1, 4);
        const QString kind = kinds[i];
        const QString depth = QString::number(depths[i]);
        txtTWB[i]->setToolTip("Morning " + kind + " twilight starts, as the Sun's centre rises through " +
                              depth + "° below the horizon: " + ClockTimeTip + ". " + DayMarkTip);
        txtTWE[i]->setToolTip("Evening " + kind + " twilight ends, as the Sun's centre sinks through " +
                              depth + "° below the horizon: " + ClockTimeTip + ". " + DayMarkTip);
        txtTWLB[i]->setToolTip("Length of the morning " + kind +
                               " twilight, from its start to sunrise: " + DurationTip);
        txtTWLE[i]->setToolTip("Length of the evening " + kind +
                               " twilight, from sunset to its end: " + DurationTip);
    }
    setFixedSize(sizeHint());
    mover_ = new FormMove(this);
    mover_->SetFormObject(this);
}

void TwilightsWindow::UpdateTWData() {
    const SharedState& s = state_;
    const TwilightReadouts r = FormatTwilightReadouts(s, s.Settings.ShowSecondsSetting);
    auto text = [](const std::string& utf8) { return QString::fromStdString(utf8); };
    for (int i = 0; i < 3; ++i) {
        txtTWB[i]->setText(text(r.Starts[i]));
        txtTWE[i]->setText(text(r.Ends[i]));
        txtTWLB[i]->setText(text(r.MorningLength[i]));
        txtTWLE[i]->setText(text(r.EveningLength[i]));
    }
}

void TwilightsWindow::closeEvent(QCloseEvent* event) {
    // The user's close only hides the window; it lives as long as the main window.
    event->ignore();
    hide();
}

}  // namespace heliomark
