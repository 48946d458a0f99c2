#pragma once

#include "ui/editor/InPlaceLineEdit.h"

// The number editor: whatever reaches its text, typed or pasted, keeps only
// its decimal digits.
class CNumberEdit : public CInPlaceLineEdit
{
    Q_OBJECT

public:
    explicit CNumberEdit(QWidget *parent = nullptr);
    ~CNumberEdit() override;

private:
    void RemoveNonDigits();
};
