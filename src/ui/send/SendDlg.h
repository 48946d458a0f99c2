#pragma once

#include "document/SendSession.h"

#include <QDialog>
#include <QPointer>

class CApplication;
class CCallbackImpl;
class CQuestionDlg;
class CSendProgressDlg;
class CSettingNode;
class QLabel;
class QPushButton;

// Sends the configuration to the phone connected to the connectivity
// server: shows which phone is connected, and Send starts the send session,
// showing its progress in the progress dialog, its questions in the question
// dialog and its outcome in a line of its own. The session talks to the
// server on its own thread; the server's reports reach the dialog as events
// posted by the plug-in's callback.
class CSendDlg : public QDialog, private ISendSessionPort
{
    Q_OBJECT

public:
    using ServerFactory = CSendSession::ServerFactory;

    CSendDlg(const CApplication *application, const CSettingNode *root, QString filePath,
             CCallbackImpl &callback, QWidget *parent = nullptr);
    ~CSendDlg() override;
    // The document's source of password keys; random keys otherwise.
    void SetScrambleKeys(ScrambleKeySource keys) { m_keys = std::move(keys); }

    void SetServerFactory(ServerFactory factory) { m_factory = std::move(factory); }

    // Shows the dialog while it connects and runs it; Rejected when the
    // server cannot be reached (the message has been shown).
    int Run();

    CSendProgressDlg *Progress() const { return m_progress; }
    QString PhoneField(int index) const;
    bool IsSendEnabled() const;
    // What the last send achieved.
    QString Outcome() const;

    void Send();

protected:
    void customEvent(QEvent *event) override;

private:
    void ShowPhone(bool connected, const PhoneInfo &phone);

    void ShowProgress(const QString &status, int percentage, bool waiting) override;
    std::optional<SendReply> Ask(const SendQuestion &question) override;
    void ShowMessage(const QString &text) override;
    void Connected(bool connected) override;
    void PhoneChanged(bool connected, const PhoneInfo &phone) override;
    void TransferEnded(const SendOutcome &outcome) override;

    const CApplication *m_application;
    const CSettingNode *m_root;
    ScrambleKeySource m_keys = RandomScrambleKey;
    QString m_filePath;
    CCallbackImpl &m_callback;
    ServerFactory m_factory;
    CSendProgressDlg *m_progress;
    QPointer<CQuestionDlg> m_question;
    QLabel *m_fields[3];
    QLabel *m_outcome;
    QPushButton *m_send;
    QPushButton *m_close;
    // Last: it goes first, while the dialog it reports to is still whole.
    CSendSession m_session;
};
