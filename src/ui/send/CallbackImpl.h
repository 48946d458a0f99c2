#pragma once

#include "orvenet/sdk/Callback.h"
#include "platform/com/UnknownImpl.h"

#include <QPointer>

#include <mutex>

class QObject;

// The plug-in's callback for the connectivity server. Calls arrive on the
// server's threads; each only posts its values as an event to the target
// (the dialog following the transfer), so that everything they cause
// happens on the user-interface thread. Without a target they are dropped.
class CCallbackImpl final : public CUnknownImpl<ICallback>
{
public:
    void SetTarget(QObject *target);

    HRESULT OnStateChanged(uint32_t state) override;
    HRESULT OnError(HRESULT result, uint32_t number, const char16_t *settingName,
                    const char16_t *text) override;
    HRESULT OnProgress(int32_t phase, const char16_t *text, int32_t percentage) override;
    HRESULT OnFinished(HRESULT result) override;

private:
    void Post(class CServerEvent *event);

    std::mutex m_mutex;
    QPointer<QObject> m_target;
};
