#include "ui/dialogs/dialog_support.h"

#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/controls/city_picker.h"

namespace heliomark {

QComboBox* NewDropDown(QWidget* parent, const char* name, const QStringList& items) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    list->setCurrentIndex(-1);
    return list;
}

QStringList MonthNames() {
    QStringList names;
    for (int month = 1; month <= 12; ++month) {
        const std::string_view name = CalendarMonthName(month);
        names << QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    }
    return names;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(true);
    return button;
}

QString AskName(QWidget* parent, const QString& title, const QString& prompt) {
    QInputDialog input(parent);
    input.setWindowTitle(title);
    input.setLabelText(prompt);
    input.setInputMode(QInputDialog::TextInput);
    if (auto* edit = input.findChild<QLineEdit*>()) edit->setMaxLength(static_cast<int>(NameLength));
    return input.exec() == QDialog::Accepted ? input.textValue() : QString();
}

bool ConfirmRemoval(QWidget* parent, const QString& kind, const QString& name) {
    QMessageBox box(QMessageBox::Question, parent ? parent->windowTitle() : QStringLiteral("Heliomark"),
                    QStringLiteral("Remove the %1 \"%2\"?").arg(kind, name),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("msgConfirmRemoval"));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Yes);
}

QLabel* NewLabel(QWidget* parent, const QString& caption, const char* name) {
    auto* label = new QLabel(caption, parent);
    if (name) label->setObjectName(name);
    return label;
}

void FillCityCombo(CityPicker* list, const CityList& cities) {
    list->SetNames(CityNames(cities));
}

int16_t RoundedInt16(const QString& text) {
    const double v = std::nearbyint(LeadingNumber(text.toStdString()));
    constexpr double low = std::numeric_limits<int16_t>::min(), high = std::numeric_limits<int16_t>::max();
    return static_cast<int16_t>(std::clamp(v, low, high));
}

std::string FittedName(const QString& text) {
    std::string name = FitName(text.toStdString());
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

void ReportFileProblem(QWidget* parent, const QString& action, const std::exception& problem) {
    QMessageBox::warning(parent, QStringLiteral("Heliomark Pro"),
                         action + QStringLiteral("\n\n") + QString::fromStdString(problem.what()));
}

bool SaveReportingFailure(QWidget* parent, const QString& action, const std::function<void()>& save) {
    try {
        save();
        return true;
    } catch (const std::exception& e) {
        ReportFileProblem(parent, action, e);
        return false;
    }
}

}  // namespace heliomark
