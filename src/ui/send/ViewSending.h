#pragma once

#include "ui/send/SendDlg.h"

#include <functional>

class CApplication;
class CCallbackImpl;
class CSettingNode;
class QWidget;

// The view's Send command and its three ways of sending. Only the first
// goes through the connectivity server; the other two only say so.
class CViewSending
{
public:
    enum Option : int { ThroughServer = 1, OverTheAir = 2, ProvisioningService = 3 };

    CViewSending(const CApplication *application, QWidget *view, CCallbackImpl *callback);

    int CurrentOption() const { return m_option; }
    void SetOption(int option) { m_option = option; }
    void SetServerFactory(CSendDlg::ServerFactory factory) { m_factory = std::move(factory); }
    // The callback the server's reports come through; without one nothing is
    // sent through the server.
    void SetCallback(CCallbackImpl *callback) { m_callback = callback; }
    // Told of the setting the check before sending refuses, before the
    // message shows.
    void SetRefusalListener(std::function<void(const CSettingNode *failing)> listener)
    {
        m_refused = std::move(listener);
    }

    // Checks the included settings of root and sends them the current way;
    // filePath: the file they came from. The caller commits any open edit.
    void Send(const CSettingNode *root, const QString &filePath,
              const ScrambleKeySource &keys = RandomScrambleKey);

private:
    void ShowMessage(const QString &text) const;

    const CApplication *m_application;
    QWidget *m_view;
    CCallbackImpl *m_callback;
    CSendDlg::ServerFactory m_factory;
    std::function<void(const CSettingNode *failing)> m_refused;
    int m_option = ThroughServer;
};
