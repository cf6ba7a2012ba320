// Shared helpers of the dialog tests: a scratch folder, named-control lookup and an answerer for the
// modal boxes (message boxes, input boxes) that the dialogs open.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <string>

namespace heliomark::testing {

// A fresh folder under the system's temporary folder, removed again at the end of the test.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() / ("heliomark_dialogs_" + name)) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    const std::filesystem::path& Path() const { return path_; }
    // A file name that cannot be written even by root: its folder is a regular file.
    std::filesystem::path Unwritable(const char* fileName) const {
        const auto blocker = path_ / "not_a_folder";
        if (!std::filesystem::exists(blocker)) std::ofstream(blocker) << "x";
        return blocker / fileName;
    }

  private:
    std::filesystem::path path_;
};

// The child control named `name`; fails the test when there is none of that type.
template <class T>
T* Control(QWidget* window, const char* name) {
    T* control = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << "no control named " << name;
    return control;
}

// While alive, answers every modal message box (recording its text) and input box (typing `answer`,
// or cancelling when the answer is empty) that the code under test opens.
class ModalAnswerer {
  public:
    explicit ModalAnswerer(QString answer = {}) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
        timer_.start(10);
    }
    const QStringList& Messages() const { return messages_; }
    int InputBoxes() const { return inputs_; }
    QString LastInputTitle() const { return inputTitle_; }
    QString LastInputPrompt() const { return inputPrompt_; }

  private:
    void Answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages_ << box->text() + QStringLiteral("\n") + box->informativeText();
            box->accept();
        } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            ++inputs_;
            inputTitle_ = input->windowTitle();
            inputPrompt_ = input->labelText();
            if (answer_.isEmpty()) {
                input->reject();
            } else {
                input->setTextValue(answer_);
                input->accept();
            }
        }
    }

    QTimer timer_;
    QString answer_;
    QStringList messages_;
    int inputs_ = 0;
    QString inputTitle_, inputPrompt_;
};

}  // namespace heliomark::testing
