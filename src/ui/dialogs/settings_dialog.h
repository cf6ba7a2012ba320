// "Settings" (frmOpt): the display formats, the default city, the sky grid and window binding.
//
// OK stores the choices in the caller's Settings, applies grid changes to the sky model through the
// optional hooks, writes the settings file (a failed write is reported; the new settings stay in
// memory), closes with QDialog::Accepted and then raises Applied(). Cancel (or Esc, or the close
// box) changes nothing. Usage from the main window's "&Settings..." command:
//
//     SettingsDialog dialog(state.Settings, state.Cities, folder / "settings.ini", skyHooks, this);
//     if (dialog.exec() == QDialog::Accepted) UpdateGeneralData(false, false);
//
// (or connect Applied() to the same refresh).
#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>

#include "data/data.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace heliomark {

class CityPicker;

// What the sky view does when its grid settings change; any hook may be left empty (no sky view).
struct SkyGridHooks {
    std::function<void()> RebuildModel;  // BuildModel with First false, after GridQuality changed
    std::function<void(int16_t)> SetMeridiansDensity;  // 0..4
    std::function<void(int16_t)> SetParallelsDensity;  // 0..4
    std::function<void()> RedrawIfVisible;             // DrawScene, when the sky view is shown
};

class SettingsDialog : public QDialog {
    Q_OBJECT

  public:
    SettingsDialog(Settings& settings, const CityList& cities, std::filesystem::path settingsFile,
                   SkyGridHooks sky = {}, QWidget* parent = nullptr);

  signals:
    // Raised after OK has stored and saved the settings and closed the dialog: the main window's
    // UpdateGeneralData(false, false) belongs here, so that the new formats appear at once.
    void Applied();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void QualityEntered();
    void OkClicked();

    Settings& settings_;
    const CityList& cities_;
    std::filesystem::path settingsFile_;
    SkyGridHooks sky_;

    QComboBox* cmbTime = nullptr;
    QComboBox* cmbAng = nullptr;
    QComboBox* cmbRA = nullptr;
    CityPicker* cmbHome = nullptr;
    QScrollBar* scrQlty = nullptr;
    QLineEdit* txtQlty = nullptr;
    QComboBox* cmbHor = nullptr;
    QComboBox* cmbVer = nullptr;
    QCheckBox* chkBind = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

}  // namespace heliomark
