#include "ui/editor/InPlaceLineEdit.h"

#include "ui/controls/ControlIds.h"

#include <QFocusEvent>
#include <QKeyEvent>

CInPlaceLineEdit::CInPlaceLineEdit(QWidget *parent)
    : QLineEdit(parent)
    , CInPlaceEditor(this)
{
    setObjectName(ControlObjectName(ControlId::ValueEdit));
}

CInPlaceLineEdit::~CInPlaceLineEdit() = default;

void CInPlaceLineEdit::keyPressEvent(QKeyEvent *event)
{
    if (!HandleEndKey(event))
        QLineEdit::keyPressEvent(event);
}

void CInPlaceLineEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    HandleFocusLoss(event->reason());
}
