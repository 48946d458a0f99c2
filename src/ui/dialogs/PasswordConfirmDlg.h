#pragma once

#include <QDialog>
#include <QString>

class CApplication;
class QLineEdit;

// Asks for a password a second time. The caller compares the typed text with
// the first entry; it is kept whichever button closed the dialog.
class CPasswordConfirmDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CPasswordConfirmDlg(const CApplication *application, QWidget *parent = nullptr);
    ~CPasswordConfirmDlg() override;

    // The longest text the field takes; the default suits any field.
    void SetMaxLength(int length);
    int GetMaxLength() const { return m_maxLength; }
    QString GetTypedText() const { return m_typedText; }

    void done(int result) override;

private:
    const CApplication *m_application;
    int m_maxLength;
    QString m_typedText;
    QLineEdit *m_edit;
};
