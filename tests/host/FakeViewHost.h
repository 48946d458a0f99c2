#pragma once

#include "orvenet/sdk/ViewHost.h"
#include "platform/com/UnknownImpl.h"

#include <QString>
#include <QStringList>

// A host that writes down what the plug-in asks of it.
class CFakeViewHost final : public CUnknownImpl<IViewHost>
{
public:
    explicit CFakeViewHost(QStringList *calls)
        : m_calls(calls)
    {}

    HRESULT CreateToolbar(uint16_t *toolbarId) override
    {
        *toolbarId = 7;
        m_calls->append(QStringLiteral("CreateToolbar"));
        return S_OK;
    }
    HRESULT SetToolbarBitmap(uint16_t id, int32_t buttons, uint32_t bitmap) override
    {
        m_calls->append(
            QStringLiteral("SetToolbarBitmap %1 %2 %3").arg(id).arg(buttons).arg(bitmap));
        return S_OK;
    }
    HRESULT AddToolbarButton(uint16_t id, int32_t position, uint32_t command, int32_t state,
                             int32_t style) override
    {
        m_calls->append(QStringLiteral("AddToolbarButton %1 %2 %3 %4 %5")
                            .arg(id)
                            .arg(position)
                            .arg(command)
                            .arg(state)
                            .arg(style));
        return S_OK;
    }
    HRESULT ShowToolbar(uint16_t id) override
    {
        m_calls->append(QStringLiteral("ShowToolbar %1").arg(id));
        return S_OK;
    }
    HRESULT SetToolbarCaption(uint16_t id, const char16_t *caption) override
    {
        m_calls->append(
            QStringLiteral("SetToolbarCaption %1 %2").arg(id).arg(QString::fromUtf16(caption)));
        return S_OK;
    }
    HRESULT RemoveToolbar(uint16_t id, const char16_t *name) override
    {
        m_calls->append(
            QStringLiteral("RemoveToolbar %1 %2").arg(id).arg(QString::fromUtf16(name)));
        return S_OK;
    }
    HRESULT IsPlugInActive(const char16_t *, int32_t *active) override
    {
        *active = 1;
        return S_OK;
    }
    HRESULT ActivatePlugIn(const char16_t *progId) override
    {
        m_calls->append(QStringLiteral("ActivatePlugIn %1").arg(QString::fromUtf16(progId)));
        return S_OK;
    }

private:
    QStringList *m_calls;
};
