#include "ui/dialogs/dictionary_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "data/data.h"
#include "ui/dialogs/dialog_support.h"

namespace heliomark {

DictionaryWindow::DictionaryWindow(Dictionary& dictionary, const std::filesystem::path& dictionaryFile,
                                   QWidget* parent)
    : QDialog(parent), dictionary_(dictionary) {
    setObjectName(QStringLiteral("frmDict"));
    setWindowTitle(QStringLiteral("Dictionary"));

    List1 = Named(new QListWidget(this), "List1");
    List1->setFont(QFont(QStringLiteral("Arial")));
    Label1 = Named(new QLabel(this), "Label1");
    QFont titleFont(QStringLiteral("Tahoma"));
    titleFont.setBold(true);
    Label1->setFont(titleFont);
    Label1->setTextFormat(Qt::PlainText);
    Text1 = Named(new QPlainTextEdit(this), "Text1");
    Text1->setFont(QFont(QStringLiteral("Arial")));
    Text1->setReadOnly(true);
    Command1 = NewButton(this, "Command1", QStringLiteral("Close"));
    Command1->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(List1, 0, 0, 3, 1);
    grid->addWidget(Label1, 0, 1);
    grid->addWidget(Text1, 1, 1);
    grid->addWidget(Command1, 2, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(0, 1);
    resize(560, 360);

    try {
        EnsureDictionaryLoaded(dictionary_, dictionaryFile);
    } catch (const std::exception& e) {
        ReportFileProblem(this, QStringLiteral("The dictionary could not be read."), e);
    }
    for (const DictEntry& entry : dictionary_.Entries)
        List1->addItem(QString::fromStdString(entry.Title));

    connect(List1, &QListWidget::currentRowChanged, this, &DictionaryWindow::EntryChosen);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

void DictionaryWindow::EntryChosen(int row) {
    if (row < 0 || row >= static_cast<int>(dictionary_.Entries.size())) return;
    const DictEntry& entry = dictionary_.Entries[static_cast<std::size_t>(row)];
    // The stored text keeps the file's CR LF line ends; the text box wants plain line feeds.
    Text1->setPlainText(
        QString::fromStdString(entry.Text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    Label1->setText(QString::fromStdString(entry.Title));
}

}  // namespace heliomark
