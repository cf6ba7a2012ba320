// Small pieces the dialogs share: named controls, list filling, number entry and error reports.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>

#include "data/data.h"

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace heliomark {

class CityPicker;

// Gives `widget` its objectName and returns it, so a control is made and named in one line.
template <class T>
T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A drop-down list with the given objectName and items, nothing selected.
QComboBox* NewDropDown(QWidget* parent, const char* name, const QStringList& items = {});
// A dialog's push button. As in any desktop dialog, Enter presses the button that has the focus,
// and elsewhere the dialog's default button (setDefault), the one its frame marks.
QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption);
QLabel* NewLabel(QWidget* parent, const QString& caption, const char* name = nullptr);

// "January" .. "December", the items of a month list.
QStringList MonthNames();

// Clears `list` and adds the trimmed name of every city in list order, nothing selected.
void FillCityCombo(CityPicker* list, const CityList& cities);

// The numeric value a user typed (its leading number, as LeadingNumber reads it) rounded half to
// even to a 16-bit integer. Values beyond the 16-bit range are held at its ends instead of failing.
int16_t RoundedInt16(const QString& text);

// A name as the fixed 15-character fields keep it: cut to 15 characters, trailing blanks dropped
// (the files pad them back, and reading trims them again).
std::string FittedName(const QString& text);

// Asks for a record name (an input box with `title` and `prompt`) that takes at most the 15
// characters the data files keep. Empty when cancelled.
QString AskName(QWidget* parent, const QString& title, const QString& prompt);
// Asks before a record is removed, naming it: "Remove the city "Berlin"?". True for Yes; No is the
// default answer, so a stray Enter keeps the record.
bool ConfirmRemoval(QWidget* parent, const QString& kind, const QString& name);

// Tells the user that a data file could not be read or written; `problem` names the file.
void ReportFileProblem(QWidget* parent, const QString& action, const std::exception& problem);
// Runs `save`; a failure is reported with `action` and the file's name. Returns whether it worked.
bool SaveReportingFailure(QWidget* parent, const QString& action, const std::function<void()>& save);

}  // namespace heliomark
