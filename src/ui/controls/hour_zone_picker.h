// Drop-down picker of the 75 hour zones: closed, the short text ("GMT+01:00") with a drop button;
// open, the full list over the host's other controls.
#pragma once

#include <QString>
#include <QWidget>

namespace heliomark {

class HourZonePicker : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int ListIndex READ ListIndex WRITE SetListIndex)
    Q_PROPERTY(double HourZone READ HourZone)
    Q_PROPERTY(bool FullSize READ FullSize WRITE SetFullSize)
    Q_PROPERTY(QString Text READ Text)

  public:
    explicit HourZonePicker(QWidget* parent = nullptr);

    int ListIndex() const;            // -1 none
    void SetListIndex(int position);  // raises Click, also when written from code
    double HourZone() const;          // hours of the selected entry (0 when none)
    bool FullSize() const;            // the list is open
    void SetFullSize(bool open);
    QString Text() const;  // the short text shown
    void CloseList();

  signals:
    void Click();
};

}  // namespace heliomark
