#include "ui/editor/ChoiceListEdit.h"

#include "ui/controls/ControlIds.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>

#include <algorithm>

CChoiceListEdit::Choice CChoiceListEdit::SplitChoice(const QString &choice)
{
    const qsizetype lineFeed = choice.indexOf(u'\n');
    if (lineFeed < 0)
        return {choice, choice};
    return {choice.left(lineFeed), choice.mid(lineFeed + 1)};
}

CChoiceListEdit::CChoiceListEdit(QWidget *parent)
    : QComboBox(parent)
    , CInPlaceEditor(this)
{
    setObjectName(ControlObjectName(ControlId::ChoiceList));
    setInsertPolicy(QComboBox::NoInsert);
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);
    // A choice taken from the open list (Enter or a click) ends the edit at
    // once, as Enter does on the closed list.
    connect(this, &QComboBox::activated, this, [this] {
        if (m_choosing) {
            m_choosing = false;
            emit commitRequested();
        }
    });
}

CChoiceListEdit::~CChoiceListEdit() = default;

void CChoiceListEdit::SetChoices(const QStringList &choices)
{
    clear();
    m_choices.clear();
    for (const QString &choice : choices) {
        m_choices.append(SplitChoice(choice));
        addItem(m_choices.constLast().shown);
    }
}

QStringList CChoiceListEdit::ValuesShownAs(const QString &text) const
{
    QStringList values;
    for (const Choice &choice : m_choices) {
        if (choice.shown == text)
            values.append(choice.value);
    }
    return values;
}

int CChoiceListEdit::WidestShownText(const QFontMetrics &metrics) const
{
    int widest = 0;
    for (const Choice &choice : m_choices)
        widest = std::max(widest, metrics.horizontalAdvance(choice.shown));
    return widest;
}

void CChoiceListEdit::SelectShownText(const QString &text, bool exactFirst)
{
    int row = -1;
    if (exactFirst) {
        for (int i = count() - 1; i >= 0 && row < 0; --i) {
            if (itemText(i) == text)
                row = i;
        }
    }
    if (row < 0)
        row = findText(text, Qt::MatchStartsWith);
    setCurrentIndex(row);
}

int CChoiceListEdit::WrappedRow(int key, int row) const
{
    if (count() == 0)
        return -1;
    if (key == Qt::Key_Up && row == 0)
        return count() - 1;
    if (key == Qt::Key_Down && row == count() - 1)
        return 0;
    return -1;
}

void CChoiceListEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & Qt::AltModifier) {
        QComboBox::keyPressEvent(event);
        return;
    }
    if (HandleEndKey(event))
        return;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (const int row = WrappedRow(event->key(), currentIndex()); row >= 0) {
            setCurrentIndex(row);
            return;
        }
        break;
    default:
        break;
    }
    QComboBox::keyPressEvent(event);
}

void CChoiceListEdit::NoteChoosing()
{
    // The open list reports its choice right away; a later activation comes
    // from the closed list's keys.
    m_choosing = true;
    QTimer::singleShot(0, this, [this] { m_choosing = false; });
}

bool CChoiceListEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view()->viewport() && event->type() == QEvent::MouseButtonRelease)
        NoteChoosing();
    // The open list takes Enter as early as the shortcut override.
    if (watched == view() &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            NoteChoosing();
    }
    // The open list wraps the same way as the closed one.
    if (watched == view() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (const int row = WrappedRow(key, view()->currentIndex().row()); row >= 0) {
            view()->setCurrentIndex(model()->index(row, modelColumn(), rootModelIndex()));
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void CChoiceListEdit::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    HandleFocusLoss(event->reason());
}

void CChoiceListEdit::showPopup()
{
    const int row = std::max(1, view()->sizeHintForRow(0));
    setMaxVisibleItems(std::max(1, kDropDownHeight / row));
    QComboBox::showPopup();
    FitPopup();
}

// Styles that lay out a non-editable list like a menu ignore the number of
// visible rows and make a long list as tall as the screen.
void CChoiceListEdit::FitPopup()
{
    QWidget *popup = view()->window();
    if (popup == window() || popup->height() <= kDropDownHeight)
        return;
    // Below the editor, or above it when the screen has no room below.
    const QRect screen = popup->screen()->availableGeometry();
    const int below = mapToGlobal(rect().bottomLeft()).y();
    const int above = mapToGlobal(rect().topLeft()).y();
    QRect area = popup->geometry();
    area.setHeight(kDropDownHeight);
    if (below + kDropDownHeight <= screen.bottom() || above - kDropDownHeight < screen.top())
        area.moveTop(below);
    else
        area.moveBottom(above);
    popup->setGeometry(area);
    view()->scrollTo(view()->currentIndex(), QAbstractItemView::PositionAtCenter);
}
