// Drop-down list of place names in which the user finds a place by typing part of its name.
//
// It is a QComboBox whose items are the names in list order, so the list position (currentIndex,
// also the ListIndex property) is the city number minus one, as the handlers expect. A pick by the
// user emits what a pick from a plain drop-down list emits: currentIndexChanged when the position
// changes, then activated. Setting the position from code emits currentIndexChanged as usual.
//
// Finding: the box shows the chosen name; the first key typed replaces it, and a list of the names
// that contain the typed text (case and accents ignored, see SearchKey) opens below the box, in list
// order, the best match highlighted. Up and Down move in it, Enter or a click picks; Escape, or the
// focus leaving the box, puts the chosen name back and picks nothing. A click on the box or its
// arrow, F4 or Alt+Down opens the whole list; typing there carries on in the box.
#pragma once

#include <QComboBox>
#include <QStringList>
#include <string>
#include <vector>

#include "data/data.h"

class QAbstractItemView;
class QCompleter;

namespace heliomark {

class MatchListModel;

class CityPicker : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(int ListIndex READ currentIndex WRITE setCurrentIndex)

  public:
    explicit CityPicker(QWidget* parent = nullptr);

    // Replaces the items with `names` in their order and selects none, emitting no signal.
    void SetNames(const QStringList& names);
    // The box holds typed text rather than the chosen name.
    bool IsFinding() const;
    // The list of matches that opens while finding (hidden otherwise).
    QAbstractItemView* MatchList() const;

    void showPopup() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QString ChosenName() const;
    const std::vector<std::string>& Keys();
    void TextEdited(const QString& text);
    void PickHighlighted();
    void Pick(int position);
    void Restore();
    void MoveHighlight(int rows);

    QCompleter* completer_ = nullptr;
    MatchListModel* matches_ = nullptr;
    std::vector<std::string> keys_;  // SearchKey of every item, rebuilt when the items change
    bool keysStale_ = true;
};

// The trimmed names of the cities, in list order, as the city lists show them.
QStringList CityNames(const CityList& cities);

}  // namespace heliomark
