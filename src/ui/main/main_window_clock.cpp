// The clock modes: Run Clock, Run Date, Syncronize, Today, Now, and the binding timer that moves
// the views along with the main window. Clock fields and elapsed times are single precision.
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cmath>

#include "app/clock_rules.h"
#include "ui/controls/date_picker.h"
#include "ui/controls/time_picker.h"
#include "ui/main/main_window.h"
#include "ui/views/world_map_window.h"

namespace heliomark {

void MainWindow::ReadRateBox() {
    const RateReading r = ReadRate(txtRate->text().toStdString());
    if (r.ShownText) txtRate->setText(QString::fromStdString(*r.ShownText));
    ClockRate = r.Rate;
}

void MainWindow::SetModeButtons(bool idle, QPushButton* running) {
    // While one mode runs, the rate, Syncronize and the other mode's button are locked.
    txtRate->setEnabled(idle);
    cmdSync->setEnabled(idle);
    for (QPushButton* b : {cmdRun, cmdRunDate})
        if (b != running) b->setEnabled(idle);
}

void MainWindow::cmdRun_Click() {
    if (Timer2->isActive()) {
        StopRunClock();
        return;
    }
    cmdRun->setText("Stop");
    const int h = TimeP->HourValue(), m = TimeP->MinuteValue();
    const double sec = TimeP->SecondValue();
    ClockStartSeconds = static_cast<float>((h + m / 60.0 + sec / 3600) * 3600);
    ClockBase = static_cast<float>(clock_->SecondsSinceMidnight());
    ReadRateBox();
    SetModeButtons(false, cmdRun);
    Timer2->start();
}

void MainWindow::StopRunClock() {
    txtRate->setEnabled(true);
    cmdRun->setText("Run Clock");
    Timer2->stop();
    cmdSync->setEnabled(true);
    cmdRunDate->setEnabled(true);
    // The clock stops on whole seconds (12:00:07.5 -> 12:00:08, 12:00:06.5 -> 12:00:06). The result
    // boxes keep the values of the last tick; only the map is brought up to date.
    TimeP->SetValue(StopRoundedTimeOfDay(TimeP->HourValue(), TimeP->MinuteValue(), TimeP->SecondValue()));
    frmMap->UpdateMapData();  // shown or not
}

void MainWindow::Timer2Tick() {
    const float e = ElapsedSeconds(static_cast<float>(clock_->SecondsSinceMidnight()), ClockBase);
    float t = e * ClockRate + ClockStartSeconds;
    if (t < 86400.0f) {
        const Dms d = SplitDMS(static_cast<double>(t / 3600.0f));
        TimeP->SetHourValue(d.Degrees);
        TimeP->SetMinuteValue(d.Minutes);
        TimeP->SetSecondValue(d.Seconds);
        UpdateCurrentData(true);
        return;
    }
    // The simulated clock passed midnight: one day on, and the run continues from there. The DST
    // period is kept even when the new day lies in a new year.
    t = t - 86400.0f;
    ClockStartSeconds = t;
    ClockBase = static_cast<float>(clock_->SecondsSinceMidnight());
    DateP->SetValue(DateP->Value() + 1);
    const Dms d = SplitDMS(static_cast<double>(t / 3600.0f));
    TimeP->SetHourValue(d.Degrees);
    TimeP->SetMinuteValue(d.Minutes);
    TimeP->SetSecondValue(d.Seconds);
    UpdateGeneralData(false, false);
}

void MainWindow::cmdRunDate_Click() {
    if (Timer3->isActive()) {
        txtRate->setEnabled(true);
        cmdRunDate->setText("Run Date");
        Timer3->stop();
        cmdSync->setEnabled(true);
        cmdRunDate->setEnabled(true);
        cmdRun->setEnabled(true);
        // As when the clock stops, only the map is brought up to date, shown or not.
        frmMap->UpdateMapData();
        return;
    }
    cmdRunDate->setText("Stop");
    RunDateStart = DateP->Value();
    ClockBase = static_cast<float>(clock_->SecondsSinceMidnight());
    ReadRateBox();
    SetModeButtons(false, cmdRunDate);
    Timer3->start();
}

void MainWindow::Timer3Tick() {
    const float e = ElapsedSeconds(static_cast<float>(clock_->SecondsSinceMidnight()), ClockBase);
    const double n = std::floor(e * ClockRate);
    const double date = RunDateStart + n;
    if (DateP->Value() == date) return;
    if (YearOf(date) != DateP->YearValue()) {
        DateP->SetValue(date);
        RederiveDstPeriod();
    } else {
        DateP->SetValue(date);
    }
    UpdateGeneralData(true, true);
}

void MainWindow::cmdSync_Click() {
    txtRate->setText("1");
    const double today = clock_->Today();
    if (DateP->Value() != today) {
        DateP->SetValue(today);
        UpdateGeneralData(false, false);
    }
    TimeP->SetValue(clock_->TimeOfDay());
    cmdRun_Click();  // cmdSync is locked while a mode runs, so this always starts the clock
}

void MainWindow::Command1_Click() {
    DateP->SetValue(clock_->Today());
    DateP_Updated();  // the same steps as a date typed by the user
}

void MainWindow::Command2_Click() {
    TimeP->SetValue(clock_->TimeOfDay());
    UpdateCurrentData(true);
}

void MainWindow::MoveViewsWithMain() {
    if (isMinimized() || !state_->Settings.MoveWindowsTogether) return;
    static constexpr PositionedWindows::Slot Views[] = {
        PositionedWindows::SkyViewSlot, PositionedWindows::TwilightsSlot, PositionedWindows::DayViewSlot,
        PositionedWindows::WorldMapSlot};
    const float dx = positions_.Left(PositionedWindows::MainSlot) - LastX;
    if (dx != 0) {
        for (PositionedWindows::Slot v : Views)
            positions_.MoveBy(v, dx, 0);
        LastX = positions_.Left(PositionedWindows::MainSlot);
    }
    const float dy = positions_.Top(PositionedWindows::MainSlot) - LastY;
    if (dy != 0) {
        for (PositionedWindows::Slot v : Views)
            positions_.MoveBy(v, 0, dy);
        LastY = positions_.Top(PositionedWindows::MainSlot);
    }
}

}  // namespace heliomark
