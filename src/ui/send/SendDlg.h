#pragma once

#include "document/SendSession.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class CApplication;
class CCallbackImpl;
class CQuestionDlg;
class CSendProgressDlg;
class CSettingNode;
class QLabel;
class QPushButton;

// Sends the configuration to the phone connected to the connectivity
// server: shows which phone is connected, and Send starts the send session,
// showing its progress in the progress dialog and its questions in the
// question dialog. The server's reports reach the dialog as events posted by
// the plug-in's callback.
class CSendDlg : public QDialog, private ISendSessionPort
{
    Q_OBJECT

public:
    // Makes the server object; without one the server cannot be reached.
    using ServerFactory = std::function<HRESULT(IConnectivityServer **server)>;

    CSendDlg(const CApplication *application, const CSettingNode *root, QString filePath,
             CCallbackImpl &callback, QWidget *parent = nullptr);
    ~CSendDlg() override;
    // The document's source of password keys; random keys otherwise.
    void SetScrambleKeys(ScrambleKeySource keys) { m_keys = std::move(keys); }

    void SetServerFactory(ServerFactory factory) { m_factory = std::move(factory); }

    // Connects and runs the dialog; Rejected at once when the server cannot
    // be reached (the message has been shown).
    int Run();

    CSendProgressDlg *Progress() const { return m_progress; }
    QString PhoneField(int index) const;
    bool IsSendEnabled() const;

    void Send();

protected:
    void customEvent(QEvent *event) override;

private:
    bool Connect();
    void ShowPhone(bool connected);

    void ShowProgress(const QString &status, int percentage, bool waiting) override;
    std::optional<SendReply> Ask(const SendQuestion &question) override;
    void ShowMessage(const QString &text) override;
    void PhoneChanged(bool connected) override;
    void TransferEnded(HRESULT result) override;

    const CApplication *m_application;
    const CSettingNode *m_root;
    ScrambleKeySource m_keys = RandomScrambleKey;
    QString m_filePath;
    CCallbackImpl &m_callback;
    ServerFactory m_factory;
    CSendSession m_session;
    CSendProgressDlg *m_progress;
    QPointer<CQuestionDlg> m_question;
    QLabel *m_fields[3];
    QPushButton *m_send;
    QPushButton *m_ok;
};
