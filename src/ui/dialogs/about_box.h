// "About" (frmAbout): name, version, picture, credits, notice and the project's web address.
// Usage from the main window's "&About..." command: AboutBox(this).exec();
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace heliomark {

class AboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit AboutBox(QWidget* parent = nullptr);

    // The credits shown in Label4, one source per line; kept here so they are easy to find and edit.
    static QString CreditsText();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* Command1 = nullptr;
};

}  // namespace heliomark
