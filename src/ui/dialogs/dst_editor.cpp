#include "ui/dialogs/dst_editor.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "ui/controls/date_picker.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/tool_tips.h"

namespace heliomark {

namespace {

const QStringList Ordinals = {QStringLiteral("First"), QStringLiteral("Second"), QStringLiteral("Third"),
                              QStringLiteral("Forth"), QStringLiteral("Last")};
const QStringList Weekdays = {QStringLiteral("Sunday"),   QStringLiteral("Monday"),
                              QStringLiteral("Tuesday"),  QStringLiteral("Wednesday"),
                              QStringLiteral("Thursday"), QStringLiteral("Friday"),
                              QStringLiteral("Saturday")};

// List position of a rule field (field - 1); a value the list cannot show leaves it unselected.
void SelectField(QComboBox* list, int field) {
    const int position = field - 1;
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

// The rule field of a list: position + 1, so 0 when nothing is selected.
int16_t FieldOf(const QComboBox* list) {
    return static_cast<int16_t>(list->currentIndex() + 1);
}

}  // namespace

DstEditor::DstEditor(DstRuleList& rules, std::filesystem::path ruleFile, QWidget* parent)
    : QDialog(parent), rules_(rules), ruleFile_(std::move(ruleFile)) {
    setObjectName(QStringLiteral("frmDST"));
    setWindowTitle(QStringLiteral("Edit Daylight Saving Times"));

    cmbDST = NewDropDown(this, "cmbDST");
    txtName = Named(new QLineEdit(this), "txtName");
    txtName->setMaxLength(static_cast<int>(NameLength));  // what the rule file keeps of a name
    optPer = Named(new QRadioButton(QStringLiteral("Permanent Format"), this), "optPer");
    optCust = Named(new QRadioButton(QStringLiteral("Variable Format"), this), "optCust");

    Frame1 = Named(new QFrame(this), "Frame1");
    Frame1->setFrameShape(QFrame::StyledPanel);
    cmbCnt1 = NewDropDown(Frame1, "cmbCnt1", Ordinals);
    cmbWeek1 = NewDropDown(Frame1, "cmbWeek1", Weekdays);
    const QStringList months = MonthNames();
    cmbMon1 = NewDropDown(Frame1, "cmbMon1", months);
    cmbCnt2 = NewDropDown(Frame1, "cmbCnt2", Ordinals);
    cmbWeek2 = NewDropDown(Frame1, "cmbWeek2", Weekdays);
    cmbMon2 = NewDropDown(Frame1, "cmbMon2", months);
    auto* rules1 = new QGridLayout(Frame1);
    rules1->addWidget(NewLabel(Frame1, QStringLiteral("Start date format:")), 0, 0, 1, 3);
    rules1->addWidget(cmbCnt1, 1, 0);
    rules1->addWidget(cmbWeek1, 1, 1);
    rules1->addWidget(cmbMon1, 1, 2);
    rules1->addWidget(NewLabel(Frame1, QStringLiteral("End day format:")), 2, 0, 1, 3);
    rules1->addWidget(cmbCnt2, 3, 0);
    rules1->addWidget(cmbWeek2, 3, 1);
    rules1->addWidget(cmbMon2, 3, 2);

    Frame2 = Named(new QFrame(this), "Frame2");
    Frame2->setFrameShape(QFrame::StyledPanel);
    cmbYears = NewDropDown(Frame2, "cmbYears");
    txtYear = Named(new QLineEdit(Frame2), "txtYear");
    dpStart = Named(new DatePicker(Frame2), "dpStart");
    dpEnd = Named(new DatePicker(Frame2), "dpEnd");
    cmdAdd = NewButton(Frame2, "cmdAdd", QStringLiteral("Add"));
    cmdSave = NewButton(Frame2, "cmdSave", QStringLiteral("Save"));
    cmdRemY = NewButton(Frame2, "cmdRemY", QStringLiteral("Remove"));
    auto* years = new QGridLayout(Frame2);
    years->addWidget(cmbYears, 0, 0, 1, 3);
    years->addWidget(NewLabel(Frame2, QStringLiteral("Year:")), 1, 0);
    years->addWidget(txtYear, 1, 1);
    years->addWidget(cmdAdd, 1, 2);
    years->addWidget(NewLabel(Frame2, QStringLiteral("Start date:")), 2, 0);
    years->addWidget(dpStart, 2, 1);
    years->addWidget(NewLabel(Frame2, QStringLiteral("End date:")), 3, 0);
    years->addWidget(dpEnd, 3, 1);
    auto* yearButtons = new QHBoxLayout;
    yearButtons->addWidget(cmdSave);
    yearButtons->addWidget(cmdRemY);
    years->addLayout(yearButtons, 4, 0, 1, 3);

    cmdUpd = NewButton(this, "cmdUpd", QStringLiteral("Add New"));
    cmdRem = NewButton(this, "cmdRem", QStringLiteral("Remove"));
    cmdEx = NewButton(this, "cmdEx", QStringLiteral("Close"));
    // Enter in the name box adds or updates the rule; Escape closes, as Close does.
    cmdUpd->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(cmbDST, 0, 0, 1, 2);
    grid->addWidget(NewLabel(this, QStringLiteral("Name:")), 1, 0);
    grid->addWidget(txtName, 1, 1);
    grid->addWidget(optPer, 2, 0);
    grid->addWidget(optCust, 2, 1);
    // The two frames share one place; the format buttons show one of them.
    grid->addWidget(Frame1, 3, 0, 1, 2);
    grid->addWidget(Frame2, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdUpd, cmdRem, cmdEx})
        buttons->addWidget(b);
    grid->addLayout(buttons, 4, 0, 1, 2);
    // Both frames take the larger one's height, so the window keeps its size when the format changes.
    const int frameHeight = std::max(Frame1->sizeHint().height(), Frame2->sizeHint().height());
    Frame1->setMinimumHeight(frameHeight);
    Frame2->setMinimumHeight(frameHeight);

    const QString starts = "daylight saving time starts on", ends = "the first day after it falls on";
    SetToolTips(this, {
                          {"cmbDST", "The rules in the list: pick one to show and edit it"},
                          {"txtName", "Name of the rule, at most 15 characters"},
                          {"optPer", "The rule repeats every year: a weekday of a month"},
                          {"optCust", "The rule lists its dates year by year"},
                          {"cmbCnt1", "Which of the month's weekdays " + starts},
                          {"cmbWeek1", "The weekday " + starts},
                          {"cmbMon1", "The month daylight saving time starts in"},
                          {"cmbCnt2", "Which of the month's weekdays " + ends},
                          {"cmbWeek2", "The weekday " + ends},
                          {"cmbMon2", "The month the first day after it falls in"},
                          {"cmbYears", "The years the rule lists: pick one to show its dates"},
                          {"txtYear", "The year whose dates are shown below"},
                          {"dpStart", "First day of daylight saving time in that year: day / month / year"},
                          {"dpEnd", "First day after daylight saving time in that year: day / month / year"},
                          {"cmdAdd", "Adds the year with proposed dates, to be set and saved"},
                          {"cmdSave", "Keeps the dates above for the year"},
                          {"cmdRemY", "Removes the year from the rule"},
                          {"cmdUpd", "Adds the rule named above, or stores the changes to it"},
                          {"cmdRem", "Removes the rule from the list"},
                      });

    connect(cmbDST, &QComboBox::activated, this, [this] { txtName->setText(cmbDST->currentText()); });
    connect(cmbYears, &QComboBox::activated, this, [this] { txtYear->setText(cmbYears->currentText()); });
    connect(optPer, &QRadioButton::toggled, this, [this](bool on) {
        if (on) ShowPermanentFormat(true);
    });
    connect(optCust, &QRadioButton::toggled, this, [this](bool on) {
        if (on) ShowPermanentFormat(false);
    });
    connect(txtName, &QLineEdit::textChanged, this, &DstEditor::NameChanged);
    connect(txtYear, &QLineEdit::textChanged, this, &DstEditor::YearChanged);
    connect(cmdAdd, &QPushButton::clicked, this, &DstEditor::AddYearClicked);
    connect(cmdSave, &QPushButton::clicked, this, &DstEditor::SaveYearClicked);
    connect(cmdRemY, &QPushButton::clicked, this, &DstEditor::RemoveYearClicked);
    connect(cmdUpd, &QPushButton::clicked, this, &DstEditor::UpdateClicked);
    connect(cmdRem, &QPushButton::clicked, this, &DstEditor::RemoveRuleClicked);
    connect(cmdEx, &QPushButton::clicked, this, &QDialog::accept);

    // Load: the rule names, no period shown, nothing named yet.
    for (const DstRule& rule : rules_)
        cmbDST->addItem(QString::fromStdString(TrimBlanks(rule.Name)));
    cmbDST->setCurrentIndex(-1);
    optPer->setChecked(true);
    dpStart->hide();
    dpEnd->hide();
    cmdRemY->setEnabled(false);
    NameChanged(QString());
    YearChanged(QString());
}

void DstEditor::done(int result) {
    SaveReportingFailure(this,
                         QStringLiteral("The daylight saving rules could not be saved. Your changes are kept "
                                        "until the program ends; close this editor again to retry."),
                         [this] { SaveDstRules(ruleFile_, rules_); });
    QDialog::done(result);
}

void DstEditor::ShowPermanentFormat(bool shown) {
    Frame1->setVisible(shown);
    Frame2->setVisible(!shown);
}

void DstEditor::ClearRuleDayLists() {
    for (QComboBox* list : {cmbCnt1, cmbWeek1, cmbMon1, cmbCnt2, cmbWeek2, cmbMon2})
        list->setCurrentIndex(-1);
}

void DstEditor::SelectRuleDayLists(const DstRule& rule) {
    // Any ordinal from 5 up means the last such weekday of the month.
    SelectField(cmbCnt1, std::min<int>(rule.Start.Ordinal, 5));
    SelectField(cmbWeek1, rule.Start.Weekday);
    SelectField(cmbMon1, rule.Start.Month);
    SelectField(cmbCnt2, std::min<int>(rule.End.Ordinal, 5));
    SelectField(cmbWeek2, rule.End.Weekday);
    SelectField(cmbMon2, rule.End.Month);
}

void DstEditor::NameChanged(const QString& text) {
    if (text.isEmpty()) {
        cmdUpd->setEnabled(false);
        cmdRem->setEnabled(false);
        ClearRuleDayLists();
        txtYear->clear();
        return;
    }
    cmdUpd->setEnabled(true);
    CurrentRule = static_cast<int16_t>(FindDstRule(rules_, text.toStdString()));
    if (CurrentRule > 0) {
        WorkRule = rules_[static_cast<std::size_t>(CurrentRule - 1)];
        cmdUpd->setText(QStringLiteral("Update"));
        cmdRem->setEnabled(true);
        (WorkRule.Years.empty() ? optPer : optCust)->setChecked(true);
        txtYear->clear();
        cmbYears->clear();
        if (WorkRule.Years.empty()) {
            SelectRuleDayLists(WorkRule);
        } else {
            ClearRuleDayLists();
            for (const DstYearEntry& entry : WorkRule.Years)
                cmbYears->addItem(QString::number(entry.Year));
            cmbYears->setCurrentIndex(-1);
        }
    } else {
        // WorkRule keeps the last rule shown, so its years can be added again under a new name.
        cmdUpd->setText(QStringLiteral("Add New"));
        cmdRem->setEnabled(false);
        optPer->setChecked(true);
        ClearRuleDayLists();
        txtYear->clear();
    }
}

void DstEditor::YearChanged(const QString& text) {
    if (text.isEmpty()) {
        dpStart->hide();
        dpEnd->hide();
        // The rule's remove button too; the year's keeps its state.
        cmdRem->setEnabled(false);
        cmdSave->setEnabled(false);
        cmdAdd->setEnabled(false);
        return;
    }
    cmdSave->setEnabled(true);
    CurrentYear = static_cast<int16_t>(FindDstYear(WorkRule, RoundedInt16(text)));
    if (CurrentYear > 0) {
        const DstYearEntry& entry = WorkRule.Years[static_cast<std::size_t>(CurrentYear - 1)];
        cmdRemY->setEnabled(true);
        cmdAdd->setEnabled(false);
        dpStart->show();
        dpEnd->show();
        dpStart->SetValue(entry.StartDate);
        dpEnd->SetValue(entry.EndDate);
    } else {
        dpStart->hide();
        dpEnd->hide();
        cmdRemY->setEnabled(false);
        cmdAdd->setEnabled(true);
    }
}

// A new year's period is proposed as 1 April to 1 October.
void DstEditor::AddYearClicked() {
    const int year = RoundedInt16(txtYear->text());
    dpStart->show();
    dpEnd->show();
    dpStart->SetValue(DateSerial(year, 4, 1));
    dpEnd->SetValue(DateSerial(year, 10, 1));
}

void DstEditor::SaveYearClicked() {
    const int16_t year = RoundedInt16(txtYear->text());
    const double start = dpStart->Value(), end = dpEnd->Value();
    // A date the rule file cannot hold would make the whole list unsavable.
    if (!IsStorableDstDate(start) || !IsStorableDstDate(end)) {
        QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("The start and end dates must lie between the years 100 and 9999."));
        return;
    }
    if (CurrentYear == 0) {
        WorkRule.Years.push_back({year, 0, 0});
        CurrentYear = static_cast<int16_t>(WorkRule.Years.size());
        cmbYears->addItem(QString::number(year));
    }
    DstYearEntry& entry = WorkRule.Years[static_cast<std::size_t>(CurrentYear - 1)];
    entry.StartDate = start;
    entry.EndDate = end;
}

void DstEditor::RemoveYearClicked() {
    const int16_t year = RoundedInt16(txtYear->text());
    const int index = FindDstYear(WorkRule, year);
    if (index == 0) return;  // the button outlives its year when the year box is emptied
    RemoveDstYear(WorkRule, index);
    const int item = cmbYears->findText(QString::number(year));
    if (item >= 0) cmbYears->removeItem(item);
    cmbYears->setCurrentIndex(-1);
    txtYear->clear();
}

void DstEditor::UpdateClicked() {
    WorkRule.Name = FittedName(txtName->text());
    if (optPer->isChecked()) {
        // A permanent rule carries no year entries.
        WorkRule.Start = {FieldOf(cmbWeek1), FieldOf(cmbCnt1), FieldOf(cmbMon1)};
        WorkRule.End = {FieldOf(cmbWeek2), FieldOf(cmbCnt2), FieldOf(cmbMon2)};
        WorkRule.Years.clear();
    }
    if (CurrentRule > 0) {
        rules_[static_cast<std::size_t>(CurrentRule - 1)] = WorkRule;
    } else {
        // Every "Add New" click appends; only the name box sets CurrentRule.
        AppendDstRule(rules_, WorkRule);
        cmbDST->addItem(QString::fromStdString(TrimBlanks(WorkRule.Name)));
    }
}

void DstEditor::RemoveRuleClicked() {
    if (CurrentRule < 1) return;
    const QString name =
        QString::fromStdString(TrimBlanks(rules_[static_cast<std::size_t>(CurrentRule - 1)].Name));
    if (!ConfirmRemoval(this, QStringLiteral("daylight saving rule"), name)) return;
    RemoveDstRule(rules_, CurrentRule);
    // The list item of the removed rule, which need not be the selected one when the name was typed.
    cmbDST->removeItem(CurrentRule - 1);
    cmbDST->setCurrentIndex(-1);
    CurrentRule = 0;
    txtName->clear();
}

}  // namespace heliomark
