#include "ui/send/ViewSending.h"

#include "document/SendTexts.h"
#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/MessagePort.h"
#include "settings/StringIds.h"

CViewSending::CViewSending(const CApplication *application, QWidget *view, CCallbackImpl *callback)
    : m_application(application)
    , m_view(view)
    , m_callback(callback)
{}

void CViewSending::ShowMessage(const QString &text) const
{
    if (IMessagePort *port = m_application ? m_application->GetMessagePort() : nullptr)
        port->ShowMessage(text, IMessagePort::Ok, IMessagePort::Warning);
}

void CViewSending::Send(const CSettingNode *root, const QString &filePath,
                        const ScrambleKeySource &keys)
{
    const CSettingNode *failingNode = nullptr;
    const QString failing = CheckBeforeSending(m_application, root, &failingNode);
    if (!failing.isEmpty()) {
        if (m_refused)
            m_refused(failingNode);
        ShowMessage(failing);
        return;
    }
    if (m_option != ThroughServer || !m_callback) {
        // Says what the chosen way does, and which way sends from here.
        const unsigned text = m_option == OverTheAir            ? StringId::SendOverTheAirElsewhere
                              : m_option == ProvisioningService ? StringId::SendServiceElsewhere
                                                                : StringId::SendOptionElsewhere;
        ShowMessage(LoadLabel(m_application, text, true));
        return;
    }
    CSendDlg dialog(m_application, root, filePath, *m_callback, m_view);
    if (m_factory)
        dialog.SetServerFactory(m_factory);
    dialog.SetScrambleKeys(keys);
    dialog.Run();
}
