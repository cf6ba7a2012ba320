#include "ui/views/year_window.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "engine/year_table.h"
#include "ui/controls/form_move.h"
#include "ui/views/view_support.h"
#include "ui/views/year_picture.h"

namespace heliomark {

YearWindow::YearWindow(const SharedState& state, std::function<ZoneSchedule()> schedule, QWidget* owner)
    : QWidget(owner, Qt::Window), state_(state), schedule_(std::move(schedule)) {
    setObjectName("frmYear");
    setWindowTitle("Year");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 8);
    picYear = new YearPicture(this);
    picYear->setToolTip(
        "Days across, the local clock time down. Dark blue is night; then astronomical (Sun's centre "
        "between -18° and -12°), nautical (-12° to -6°) and civil twilight (-6° to sunrise or "
        "sunset); light blue is daylight. Orange: sunrise, red: sunset, yellow: transit. Dashed lines "
        "mark the daylight-saving switches, the red line the main window's date.");
    layout->addWidget(picYear);
    auto* row = new QHBoxLayout;
    lblYearPointer = new QLabel(this);
    lblYearPointer->setObjectName("lblYearPointer");
    row->addWidget(lblYearPointer, 1);
    cmdSavePicture = new QPushButton("Save Picture...", this);
    cmdSavePicture->setObjectName("cmdSavePicture");
    cmdSavePicture->setAutoDefault(false);
    row->addWidget(cmdSavePicture);
    layout->addLayout(row);

    connect(picYear, &YearPicture::Hovered, this, &YearWindow::ShowDay);
    connect(cmdSavePicture, &QPushButton::clicked, this, &YearWindow::cmdSavePicture_Click);
    mover_ = new FormMove(this);
    mover_->SetFormObject(this);
    setFixedSize(sizeHint());
}

void YearWindow::UpdateYearData() {
    const ZoneSchedule schedule = schedule_();
    TableInputs inputs{state_.Latitude,   state_.Longitude, state_.RiseSetAltitude,
                       schedule.HourZone, state_.Year,      schedule.DisplayedPeriod.has_value()};
    if (schedule.DisplayedPeriod) {
        inputs.DstStart = schedule.DisplayedPeriod->Start;
        inputs.DstEnd = schedule.DisplayedPeriod->End;
    }
    if (inputs != inputs_) {
        picYear->SetTable(ComputeYearTable(state_, state_.Year,
                                           [&schedule](double date) { return schedule.ZoneHoursOn(date); }));
        inputs_ = inputs;
        setWindowTitle(QString("Year %1").arg(state_.Year));
    }
    picYear->SetMarkerDay(
        static_cast<int>(DateSerial(state_.Year, state_.Month, state_.Day) - DateSerial(state_.Year, 1, 1)));
    ShowDay(-1);
}

void YearWindow::ShowDay(int day) {
    const std::vector<YearDay>& table = picYear->Table();
    if (day < 0) day = picYear->MarkerDay();
    if (day < 0 || day >= static_cast<int>(table.size())) return;
    lblYearPointer->setText(QString::fromStdString(
        FormatYearDay(table[static_cast<std::size_t>(day)], state_.Settings.ShowSecondsSetting)));
}

bool YearWindow::SavePicture(const QString& file) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString problem;
    if (!picYear->Render(devicePixelRatioF()).save(&buffer, "PNG")) {
        problem = file + ": the picture could not be encoded as PNG.";
    } else {
        try {
            WriteFileAtomically(file.toStdString(), bytes.constData(),
                                static_cast<std::size_t>(bytes.size()));
            return true;
        } catch (const DataFileError& e) {
            problem = QString::fromStdString(e.what());
        }
    }
    auto* box = new QMessageBox(QMessageBox::Warning, "Heliomark",
                                "Heliomark could not save the picture:\n\n" + problem, QMessageBox::Ok, this);
    box->setObjectName("msgSavePictureFailed");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
    return false;
}

void YearWindow::cmdSavePicture_Click() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QString file = QFileDialog::getSaveFileName(
        this, "Save Picture", folder + QString("/year-%1.png").arg(state_.Year), "PNG pictures (*.png)");
    if (file.isEmpty()) return;
    if (!file.endsWith(".png", Qt::CaseInsensitive)) file += ".png";
    SavePicture(file);
}

void YearWindow::closeEvent(QCloseEvent* event) {
    HideInsteadOfClosing(this, event);
}

}  // namespace heliomark
