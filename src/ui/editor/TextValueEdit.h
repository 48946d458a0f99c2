#pragma once

#include "ui/editor/InPlaceLineEdit.h"

// The text editor: plain, host-name, e-mail and password values. The check
// mode says which rule the committed text must pass.
class CTextValueEdit : public CInPlaceLineEdit
{
    Q_OBJECT

public:
    enum CheckMode : int {
        CheckEmailAddress = 0,
        CheckHostName = 1,
        ConfirmPassword = 2,
        Password = 3,
    };

    explicit CTextValueEdit(QWidget *parent = nullptr);
    ~CTextValueEdit() override;

    void SetCheckMode(int mode) { m_checkMode = mode; }
    int GetCheckMode() const { return m_checkMode; }
    void SetNodeType(int type) { m_nodeType = type; }
    int GetNodeType() const { return m_nodeType; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_checkMode = CheckEmailAddress;
    int m_nodeType = 0;
};
