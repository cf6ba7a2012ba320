// "Edit Daylight Saving Times" (frmDST): adds, changes and removes daylight-saving rules in both of
// their forms (a weekday rule for every year, or a list of years with their own dates).
//
// The editor works on a copy of one rule (WorkRule) that "Add New" or "Update" copies into the
// caller's list. The whole list is written to the rule file when the dialog closes, whichever way it
// closes; a failed write is reported and the list in memory kept. Usage from the main window's
// "D&aylight Saving Times..." command:
//
//     const QString previous = cmbDST->currentText();
//     DstEditor editor(state.DstRules, folder / "dst_types.txt", this);
//     editor.exec();
//     // refill cmbDST with "None" and the trimmed rule names, then select FindDstRule(previous)
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <filesystem>

#include "data/data.h"

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace heliomark {

class DatePicker;

class DstEditor : public QDialog {
    Q_OBJECT

  public:
    DstEditor(DstRuleList& rules, std::filesystem::path ruleFile, QWidget* parent = nullptr);

    // Saves the rule list (reporting a failure), then closes.
    void done(int result) override;

  private:
    void NameChanged(const QString& text);
    void YearChanged(const QString& text);
    void ShowPermanentFormat(bool shown);
    void ClearRuleDayLists();
    void SelectRuleDayLists(const DstRule& rule);
    void AddYearClicked();
    void SaveYearClicked();
    void RemoveYearClicked();
    void UpdateClicked();
    void RemoveRuleClicked();

    DstRuleList& rules_;
    std::filesystem::path ruleFile_;
    DstRule WorkRule;         // the rule being edited
    int16_t CurrentRule = 0;  // 1-based index of the rule named in txtName, 0 for none
    int16_t CurrentYear = 0;  // 1-based index of WorkRule's entry named in txtYear, 0 for none

    QComboBox* cmbDST = nullptr;
    QLineEdit* txtName = nullptr;
    QRadioButton* optPer = nullptr;
    QRadioButton* optCust = nullptr;
    QFrame* Frame1 = nullptr;
    QComboBox* cmbCnt1 = nullptr;
    QComboBox* cmbWeek1 = nullptr;
    QComboBox* cmbMon1 = nullptr;
    QComboBox* cmbCnt2 = nullptr;
    QComboBox* cmbWeek2 = nullptr;
    QComboBox* cmbMon2 = nullptr;
    QFrame* Frame2 = nullptr;
    QComboBox* cmbYears = nullptr;
    QLineEdit* txtYear = nullptr;
    DatePicker* dpStart = nullptr;
    DatePicker* dpEnd = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdRemY = nullptr;
    QPushButton* cmdUpd = nullptr;
    QPushButton* cmdRem = nullptr;
    QPushButton* cmdEx = nullptr;
};

}  // namespace heliomark
