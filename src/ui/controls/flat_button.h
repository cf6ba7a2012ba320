// 23 x 23 flat tool button with a 16 x 16 picture: flat, hover (raised frame) and pressed (sunken
// frame, picture shifted one pixel) looks; push (Style 0) or toggle (any other Style).
#pragma once

#include <QPixmap>
#include <QWidget>

namespace heliomark {

class FlatButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QPixmap Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(int Style READ Style WRITE SetStyle)
    Q_PROPERTY(bool Value READ Value WRITE SetValue)

  public:
    explicit FlatButton(QWidget* parent = nullptr);

    QPixmap Picture() const;
    void SetPicture(const QPixmap& picture);
    int Style() const;
    void SetStyle(int style);
    bool Value() const;
    void SetValue(bool value);  // toggle: stores, redraws, raises Click; push: true raises Click only

  signals:
    void Click();
};

}  // namespace heliomark
