#include "ui/editor/InPlaceLineEdit.h"

#include "ui/controls/ControlIds.h"
#include "ui/controls/InPlaceFocus.h"

#include <QFocusEvent>
#include <QKeyEvent>

CInPlaceLineEdit::CInPlaceLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(ControlObjectName(ControlId::ValueEdit));
}

CInPlaceLineEdit::~CInPlaceLineEdit() = default;

void CInPlaceLineEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit commitRequested();
        return;
    case Qt::Key_Escape:
        m_cancelled = true;
        emit commitRequested();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void CInPlaceLineEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    HandleEditorFocusLoss(this, m_companion, event->reason(), m_active);
}
