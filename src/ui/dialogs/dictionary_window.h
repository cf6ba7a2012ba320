// "Dictionary" (frmDict): the glossary's titles in a list; the selected entry's title and text.
//
// The caller owns the Dictionary (one per run, empty at start-up); the window reads dict.txt into it
// the first time it opens and never again. A file that cannot be read is reported, and the window
// opens with an empty list. Usage from the main window's "Dictionary..." command:
//
//     DictionaryWindow window(dictionary, folder / "dict.txt", this);
//     window.exec();
#pragma once

#include <QDialog>
#include <filesystem>

#include "data/dictionary.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace heliomark {

class DictionaryWindow : public QDialog {
    Q_OBJECT

  public:
    DictionaryWindow(Dictionary& dictionary, const std::filesystem::path& dictionaryFile,
                     QWidget* parent = nullptr);

  private:
    void EntryChosen(int row);

    Dictionary& dictionary_;
    QListWidget* List1 = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
};

}  // namespace heliomark
