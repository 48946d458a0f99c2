#include "ui/editor/TextValueEdit.h"

#include "document/ValueEditing.h"
#include "settings/NodeTypes.h"

#include <QKeyEvent>

#include <algorithm>

CTextValueEdit::CTextValueEdit(QWidget *parent)
    : CInPlaceLineEdit(parent)
{}

CTextValueEdit::~CTextValueEdit() = default;

void CTextValueEdit::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const auto refused = std::find_if(typed.begin(), typed.end(), [this](QChar c) {
        return !IsTypedCharacterAllowed(EditorKind::Text, m_nodeType, c, cursorPosition());
    });
    if (refused != typed.end()) {
        event->accept();
        emit characterRefused(*refused, cursorPosition());
        return;
    }
    CInPlaceLineEdit::keyPressEvent(event);
}
