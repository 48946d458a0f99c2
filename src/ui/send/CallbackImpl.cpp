#include "ui/send/CallbackImpl.h"

#include "ui/send/ServerEvents.h"

#include <QCoreApplication>

namespace {

QString Text(const char16_t *text)
{
    return text ? QString::fromUtf16(text) : QString();
}

} // namespace

void CCallbackImpl::SetTarget(QObject *target)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_target = target;
}

void CCallbackImpl::Post(CServerEvent *event)
{
    // The target clears itself here before it goes, so it is alive while the
    // lock is held; posting is safe from any thread.
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_target)
        QCoreApplication::postEvent(m_target.data(), event);
    else
        delete event;
}

HRESULT CCallbackImpl::OnStateChanged(uint32_t state)
{
    Post(new CServerEvent(ServerEventType::StateChanged,
                          {ServerReport::StateChanged, S_OK, state, 0, 0, {}, {}}));
    return S_OK;
}

HRESULT CCallbackImpl::OnError(HRESULT result, uint32_t number, const char16_t *settingName,
                               const char16_t *text)
{
    Post(new CServerEvent(ServerEventType::Error, {ServerReport::Error, result, number, 0, 0,
                                                   Text(settingName), Text(text)}));
    return S_OK;
}

HRESULT CCallbackImpl::OnProgress(int32_t phase, const char16_t *text, int32_t percentage)
{
    Post(new CServerEvent(ServerEventType::Progress,
                          {ServerReport::Progress, S_OK, 0, phase, percentage, {}, Text(text)}));
    return S_OK;
}

HRESULT CCallbackImpl::OnFinished(HRESULT result)
{
    Post(new CServerEvent(ServerEventType::Finished,
                          {ServerReport::Finished, result, 0, 0, 0, {}, {}}));
    return S_OK;
}
