#pragma once

#include "document/SendSession.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class CApplication;
class CCallbackImpl;
class CQuestionDlg;
class CSendProgressDlg;
class CServerEvent;
class CSettingNode;
class QLabel;
class QPushButton;

// Sends the configuration to the phone connected to the connectivity
// server: shows which phone is connected, and Send hands the configuration
// over and follows the transfer in the progress dialog, putting the
// server's questions to the user. The server's reports reach the dialog as
// events posted by the plug-in's callback.
class CSendDlg : public QDialog
{
    Q_OBJECT

public:
    // Makes the server object; the default activates the server's class.
    using ServerFactory = std::function<HRESULT(IConnectivityServer **server)>;

    CSendDlg(const CApplication *application, const CSettingNode *root, QString filePath,
             CCallbackImpl &callback, QWidget *parent = nullptr);
    ~CSendDlg() override;

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
    void ShowMessage(const QString &text) const;
    void OnProgress(const CServerEvent &event);
    void OnError(const CServerEvent &event);
    void OnFinished(const CServerEvent &event);
    void AskQuestion(const CServerEvent &event);
    void CancelTransfer();

    const CApplication *m_application;
    const CSettingNode *m_root;
    QString m_filePath;
    CCallbackImpl &m_callback;
    ServerFactory m_factory;
    CServerClient m_client;
    CSendTransfer m_transfer;
    CSendProgressDlg *m_progress;
    QPointer<CQuestionDlg> m_question;
    bool m_transferring = false;
    QLabel *m_fields[3];
    QPushButton *m_send;
    QPushButton *m_ok;
};
