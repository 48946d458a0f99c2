#include "orvenet/host/ViewHostSite.h"

#include "orvenet/host/HostWindow.h"

CViewHostSite::CViewHostSite(CHostWindow *window, int plugIn)
    : m_window(window)
    , m_plugIn(plugIn)
{}

HRESULT CViewHostSite::CreateToolbar(uint16_t *toolbarId)
{
    if (!toolbarId)
        return E_POINTER;
    return m_window ? m_window->CreateToolbar(m_plugIn, toolbarId) : E_UNEXPECTED;
}

HRESULT CViewHostSite::SetToolbarBitmap(uint16_t toolbarId, int32_t buttonCount, uint32_t bitmapId)
{
    return m_window ? m_window->SetToolbarBitmap(m_plugIn, toolbarId, buttonCount, bitmapId)
                    : E_UNEXPECTED;
}

HRESULT CViewHostSite::AddToolbarButton(uint16_t toolbarId, int32_t position, uint32_t command,
                                        int32_t, int32_t)
{
    return m_window ? m_window->AddToolbarButton(m_plugIn, toolbarId, position, command)
                    : E_UNEXPECTED;
}

HRESULT CViewHostSite::ShowToolbar(uint16_t toolbarId)
{
    return m_window ? m_window->ShowToolbar(toolbarId) : E_UNEXPECTED;
}

HRESULT CViewHostSite::SetToolbarCaption(uint16_t toolbarId, const char16_t *caption)
{
    if (!caption)
        return E_POINTER;
    return m_window ? m_window->SetToolbarCaption(toolbarId, QString::fromUtf16(caption))
                    : E_UNEXPECTED;
}

HRESULT CViewHostSite::RemoveToolbar(uint16_t toolbarId, const char16_t *)
{
    return m_window ? m_window->RemoveToolbar(toolbarId) : E_UNEXPECTED;
}

HRESULT CViewHostSite::IsPlugInActive(const char16_t *progId, int32_t *active)
{
    if (!progId || !active)
        return E_POINTER;
    *active = m_window && m_window->IsPlugInActive(QString::fromUtf16(progId)) ? 1 : 0;
    return S_OK;
}

HRESULT CViewHostSite::ActivatePlugIn(const char16_t *progId)
{
    if (!progId)
        return E_POINTER;
    return m_window ? m_window->ActivatePlugIn(QString::fromUtf16(progId)) : E_UNEXPECTED;
}
