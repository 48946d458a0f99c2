#include "ui/editor/NumberEdit.h"

#include "document/ValueEditing.h"
#include "settings/NodeTypes.h"

CNumberEdit::CNumberEdit(QWidget *parent)
    : CInPlaceLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &CNumberEdit::RemoveNonDigits);
}

CNumberEdit::~CNumberEdit() = default;

void CNumberEdit::RemoveNonDigits()
{
    const QString current = text();
    QString digits;
    digits.reserve(current.size());
    for (const QChar c : current) {
        if (IsTypedCharacterAllowed(EditorKind::PortNumber, 0, c, digits.size()))
            digits += c;
    }
    if (digits.size() == current.size())
        return;
    setText(digits);
    end(false);
}
