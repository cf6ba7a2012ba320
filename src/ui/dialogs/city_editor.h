// "Edit Cities" (frmCity): adds, changes, renames and removes entries of the city list.
//
// Every command changes the caller's list at once; the whole list is written to the city file when
// the dialog closes, whichever way it closes. A failed write is reported to the user and the list in
// memory is kept as it is. Usage from the main window's "C&ities..." command:
//
//     const QString previous = cmbCities->currentText();
//     CityEditor editor(state.Cities, state.DstRules, state.Settings, folder / "city_db.txt", this);
//     editor.exec();
//     // refill cmbCities from state.Cities, then select FindCity(previous) - 1
//
// Removing the city named by DefaultCitySetting changes that setting in memory to "0" (a name that
// matches no city); it reaches settings.ini only when the settings are saved next.
#pragma once

#include <QDialog>
#include <cstdint>
#include <filesystem>

#include "data/data.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace heliomark {

class AnglePicker;
class CityPicker;
class HourZonePicker;

class CityEditor : public QDialog {
    Q_OBJECT

  public:
    CityEditor(CityList& cities, const DstRuleList& rules, Settings& settings, std::filesystem::path cityFile,
               QWidget* parent = nullptr);

    // Saves the city list (reporting a failure), then closes.
    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void NameChanged(const QString& text);
    void ShowCity(int index);
    void ShowNewCityDefaults();
    void LatitudeUpdated();
    void LongitudeUpdated();
    void ActClicked();
    void RenameClicked();
    void RemoveClicked();

    CityList& cities_;
    const DstRuleList& rules_;
    Settings& settings_;
    std::filesystem::path cityFile_;
    int16_t CurrentCity = 0;  // 1-based; 0 when the name box names no city

    CityPicker* cmbCities = nullptr;
    QLineEdit* txtName = nullptr;
    AnglePicker* apLat = nullptr;
    QComboBox* cmbLat = nullptr;
    AnglePicker* apLon = nullptr;
    QComboBox* cmbLon = nullptr;
    HourZonePicker* cmbHZ = nullptr;
    QWidget* hourZoneSlot = nullptr;  // keeps the layout's place for cmbHZ, which floats so its list can open
    QComboBox* cmbDST = nullptr;
    QPushButton* cmdAct = nullptr;
    QPushButton* cmdRen = nullptr;
    QPushButton* cmdRem = nullptr;
    QPushButton* cmdEx = nullptr;
};

}  // namespace heliomark
