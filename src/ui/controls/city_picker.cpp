#include "ui/controls/city_picker.h"

#include <QAbstractListModel>
#include <QAbstractProxyModel>
#include <QApplication>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>

namespace heliomark {

// The matches as a list model over the picker's own items: row r shows item Rows[r].
class MatchListModel : public QAbstractListModel {
  public:
    MatchListModel(const QAbstractItemModel* items, QObject* parent)
        : QAbstractListModel(parent), items_(items) {}

    void SetRows(std::vector<int> rows) {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }
    int ItemOf(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[row] : -1; }
    int RowOf(int item) const {
        for (std::size_t r = 0; r < rows_.size(); ++r)
            if (rows_[r] == item) return static_cast<int>(r);
        return -1;
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const int item = ItemOf(index.row());
        return item < 0 ? QVariant() : items_->data(items_->index(item, 0), role);
    }

  private:
    const QAbstractItemModel* items_;
    std::vector<int> rows_;
};

namespace {

constexpr int VisibleMatches = 12;

bool IsTypedText(const QKeyEvent* key) {
    return !key->text().isEmpty() && key->text().at(0).isPrint() &&
           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

void SetUniformRows(QAbstractItemView* view) {
    // Every row is one line of text: the view then lays out thousands of rows without measuring each.
    if (auto* list = qobject_cast<QListView*>(view)) list->setUniformItemSizes(true);
}

}  // namespace

CityPicker::CityPicker(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // The items are found by the picker's own matching, not by the default prefix completion.
    setCompleter(nullptr);
    setMaxVisibleItems(VisibleMatches);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(static_cast<int>(NameLength));
    lineEdit()->setPlaceholderText(tr("Type to find a place"));
    setToolTip(tr("Type part of a name to find a place: Enter picks it, Esc keeps the previous one"));
    SetUniformRows(view());
    view()->installEventFilter(this);

    matches_ = new MatchListModel(model(), this);
    completer_ = new QCompleter(this);
    completer_->setModel(matches_);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setMaxVisibleItems(VisibleMatches);
    completer_->setWrapAround(false);
    completer_->setWidget(this);
    installEventFilter(this);  // after the completer's filter, so that it runs first
    SetUniformRows(completer_->popup());
    connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) {
                const auto* proxy = qobject_cast<const QAbstractProxyModel*>(completer_->completionModel());
                Pick(matches_->ItemOf(proxy ? proxy->mapToSource(index).row() : index.row()));
            });

    connect(lineEdit(), &QLineEdit::textEdited, this, &CityPicker::TextEdited);
    lineEdit()->installEventFilter(this);
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model(), signal, this, [this] { keysStale_ = true; });
    connect(model(), &QAbstractItemModel::modelReset, this, [this] { keysStale_ = true; });
    connect(model(), &QAbstractItemModel::dataChanged, this, [this] { keysStale_ = true; });
}

void CityPicker::SetNames(const QStringList& names) {
    const QSignalBlocker quiet(this);
    completer_->popup()->hide();
    clear();
    addItems(names);
    setCurrentIndex(-1);
}

QString CityPicker::ChosenName() const {
    return currentIndex() >= 0 ? itemText(currentIndex()) : QString();
}

bool CityPicker::IsFinding() const {
    return lineEdit()->text() != ChosenName();
}

QAbstractItemView* CityPicker::MatchList() const {
    return completer_->popup();
}

const std::vector<std::string>& CityPicker::Keys() {
    if (keysStale_) {
        keys_.clear();
        keys_.reserve(static_cast<std::size_t>(count()));
        for (int i = 0; i < count(); ++i)
            keys_.push_back(SearchKey(itemText(i).toStdString()));
        keysStale_ = false;
    }
    return keys_;
}

void CityPicker::TextEdited(const QString& text) {
    if (text.isEmpty()) {
        completer_->popup()->hide();
        return;
    }
    NameMatches found = FindNamesContaining(Keys(), text.toStdString());
    const int best = found.Best;
    matches_->SetRows(std::move(found.Positions));
    if (matches_->rowCount() == 0) {
        completer_->popup()->hide();
        return;
    }
    completer_->complete();  // opens the list below the box, sized to the matches
    QAbstractItemView* list = completer_->popup();
    const QModelIndex highlighted = list->model()->index(std::max(matches_->RowOf(best), 0), 0);
    list->setCurrentIndex(highlighted);
    list->scrollTo(highlighted, QAbstractItemView::PositionAtTop);
}

void CityPicker::MoveHighlight(int rows) {
    QAbstractItemView* list = completer_->popup();
    const int last = list->model()->rowCount() - 1;
    const int row = std::clamp(list->currentIndex().row() + rows, 0, last);
    list->setCurrentIndex(list->model()->index(row, 0));
}

void CityPicker::PickHighlighted() {
    QAbstractItemView* list = completer_->popup();
    int item = -1;
    if (list->isVisible() && list->currentIndex().isValid()) {
        item = matches_->ItemOf(list->currentIndex().row());
    } else {
        item = FindNamesContaining(Keys(), lineEdit()->text().toStdString()).Best;
    }
    if (item < 0) {
        QApplication::beep();  // nothing matches: the text stays for the user to mend
        return;
    }
    Pick(item);
}

void CityPicker::Pick(int position) {
    completer_->popup()->hide();
    if (position < 0 || position >= count()) return;
    if (position != currentIndex()) {
        setCurrentIndex(position);
    } else {
        lineEdit()->setText(itemText(position));
    }
    lineEdit()->selectAll();
    emit activated(position);
    emit textActivated(itemText(position));
}

void CityPicker::Restore() {
    completer_->popup()->hide();
    lineEdit()->setText(ChosenName());
    lineEdit()->selectAll();
}

void CityPicker::showPopup() {
    if (IsFinding()) Restore();
    completer_->popup()->hide();
    QComboBox::showPopup();
    // The chosen name in the middle of the list, with its neighbours on both sides.
    view()->scrollTo(view()->currentIndex(), QAbstractItemView::PositionAtCenter);
}

void CityPicker::keyPressEvent(QKeyEvent* event) {
    const bool listShown = completer_->popup()->isVisible();
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            // Only while finding: otherwise the keys are the dialog's (its default button, closing).
            if (IsFinding() || listShown) {
                if (event->key() == Qt::Key_Escape) {
                    Restore();
                } else {
                    PickHighlighted();
                }
                event->accept();
                return;
            }
            break;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (event->modifiers() & Qt::AltModifier) break;  // Alt+Down opens the whole list
            if (listShown) {
                const int step = event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown
                                     ? VisibleMatches - 1
                                     : 1;
                const bool up = event->key() == Qt::Key_Up || event->key() == Qt::Key_PageUp;
                MoveHighlight(up ? -step : step);
                event->accept();
                return;
            }
            if (IsFinding()) {  // the matches were closed by a click elsewhere: open them again
                TextEdited(lineEdit()->text());
                event->accept();
                return;
            }
            break;
        default:
            // The first key typed replaces the chosen name instead of adding to it.
            if (IsTypedText(event) && !IsFinding()) lineEdit()->selectAll();
            break;
    }
    QComboBox::keyPressEvent(event);
}

void CityPicker::mousePressEvent(QMouseEvent* event) {
    // The text field takes the clicks on the name itself; a click anywhere else on the box opens
    // the whole list, as on a list that accepts no typing.
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QStyle::SubControl part =
        style()->hitTestComplexControl(QStyle::CC_ComboBox, &option, event->position().toPoint(), this);
    if (event->button() == Qt::LeftButton && part != QStyle::SC_ComboBoxArrow && !view()->isVisible()) {
        setFocus(Qt::MouseFocusReason);
        showPopup();
        event->accept();
        return;
    }
    QComboBox::mousePressEvent(event);
}

bool CityPicker::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the box picks nothing. The picker sees the focus leave before the list of matches
    // does, which would keep the event from it while open. A popup taking the focus, or another
    // window becoming active, is not leaving the box.
    if (watched == this && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && IsFinding()) Restore();
        return false;
    }
    // Keys sent to the text field itself (the box keeps the focus, so only automation does that) act
    // as they do on the box.
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsTypedText(key) && !IsFinding()) lineEdit()->selectAll();
        if (!IsFinding() && !completer_->popup()->isVisible()) return false;
        switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Escape:
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                keyPressEvent(key);
                return true;
            default:
                return false;
        }
    }
    // Typing into the open whole list carries on in the box, which finds as it does when closed.
    if (watched == view() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (IsTypedText(key) || key->key() == Qt::Key_Backspace) {
            hidePopup();
            setFocus(Qt::OtherFocusReason);
            QKeyEvent again(QEvent::KeyPress, key->key(), key->modifiers(), key->text());
            QApplication::sendEvent(this, &again);
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

QStringList CityNames(const CityList& cities) {
    QStringList names;
    names.reserve(static_cast<qsizetype>(cities.size()));
    for (const CityRecord& city : cities)
        names << QString::fromStdString(TrimBlanks(city.Name));
    return names;
}

}  // namespace heliomark
