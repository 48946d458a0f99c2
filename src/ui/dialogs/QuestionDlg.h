#pragma once

#include <QDialog>
#include <QString>

#include <array>

class CApplication;
class QCheckBox;
class QLabel;
class QPushButton;

// Puts a question about one transferred item to the user. The caller picks
// the answer buttons by a mask of answer codes; the dialog returns the code of
// the pressed button and whether the answer should be kept for the rest.
class CQuestionDlg : public QDialog
{
    Q_OBJECT

public:
    // Answer codes, one bit each; closing the dialog answers Skip.
    enum Answer : int { Skip = 4, Replace = 8, Retry = 32, Cancel = 64 };

    explicit CQuestionDlg(const CApplication *application, QWidget *parent = nullptr);
    ~CQuestionDlg() override;

    // Buttons whose answer is not in the mask are removed when the dialog opens.
    void SetButtonMask(int mask) { m_buttonMask = mask; }
    int GetButtonMask() const { return m_buttonMask; }
    // subjectExists picks the wording of the check box.
    void SetText(const QString &text, bool subjectExists);
    bool IsKeepAnswerChecked() const { return m_keepAnswer; }

    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void RemoveUnusedButtons();

    const CApplication *m_application;
    int m_buttonMask = Skip | Replace;
    bool m_keepAnswer = false;
    bool m_buttonsRemoved = false;
    QLabel *m_text;
    QCheckBox *m_keepAnswerBox;
    struct AnswerButton
    {
        int answer;
        QPushButton *button;
    };
    std::array<AnswerButton, 4> m_buttons{};
};
