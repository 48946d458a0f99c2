#include "ui/editor/NumberEdit.h"

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
        if (c >= u'0' && c <= u'9')
            digits += c;
    }
    if (digits.size() == current.size())
        return;
    setText(digits);
    end(false);
}
