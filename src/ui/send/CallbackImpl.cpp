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
    auto *event = new CServerEvent(ServerEventType::StateChanged);
    event->number = state;
    Post(event);
    return S_OK;
}

HRESULT CCallbackImpl::OnError(HRESULT result, uint32_t number, const char16_t *settingName,
                               const char16_t *text)
{
    auto *event = new CServerEvent(ServerEventType::Error);
    event->result = result;
    event->number = number;
    event->settingName = Text(settingName);
    event->text = Text(text);
    Post(event);
    return S_OK;
}

HRESULT CCallbackImpl::OnProgress(int32_t phase, const char16_t *text, int32_t percentage)
{
    auto *event = new CServerEvent(ServerEventType::Progress);
    event->phase = phase;
    event->text = Text(text);
    event->percentage = percentage;
    Post(event);
    return S_OK;
}

HRESULT CCallbackImpl::OnFinished(HRESULT result)
{
    auto *event = new CServerEvent(ServerEventType::Finished);
    event->result = result;
    Post(event);
    return S_OK;
}
