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
    qsizetype firstRefused = -1;
    for (qsizetype i = 0; i < current.size(); ++i) {
        if (IsTypedCharacterAllowed(EditorKind::PortNumber, 0, current.at(i), digits.size()))
            digits += current.at(i);
        else if (firstRefused < 0)
            firstRefused = i;
    }
    if (firstRefused < 0)
        return;
    setText(digits);
    end(false);
    emit characterRefused(current.at(firstRefused), firstRefused);
}
