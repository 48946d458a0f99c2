#pragma once

#include "orvenet/sdk/ViewHost.h"
#include "platform/com/UnknownImpl.h"

#include <QString>
#include <QStringList>

// A host that writes down what the plug-in asks of it, one line per call:
// the method's name and its arguments.
class CFakeViewHost final : public CUnknownImpl<IViewHost>
{
public:
    explicit CFakeViewHost(QStringList *calls)
        : m_calls(calls)
    {}

    HRESULT CreateToolbar(uint16_t *toolbarId) override
    {
        *toolbarId = 7;
        return Log("CreateToolbar");
    }
    HRESULT SetToolbarBitmap(uint16_t id, int32_t buttons, uint32_t bitmap) override
    {
        return Log("SetToolbarBitmap", id, buttons, bitmap);
    }
    HRESULT AddToolbarButton(uint16_t id, int32_t position, uint32_t command, int32_t state,
                             int32_t style) override
    {
        return Log("AddToolbarButton", id, position, command, state, style);
    }
    HRESULT ShowToolbar(uint16_t id) override { return Log("ShowToolbar", id); }
    HRESULT SetToolbarCaption(uint16_t id, const char16_t *caption) override
    {
        return Log("SetToolbarCaption", id, caption);
    }
    HRESULT RemoveToolbar(uint16_t id, const char16_t *name) override
    {
        return Log("RemoveToolbar", id, name);
    }
    // The plug-in counts as active while no "inactive" was logged.
    HRESULT IsPlugInActive(const char16_t *progId, int32_t *active) override
    {
        *active = m_calls->contains(QStringLiteral("inactive")) ? 0 : 1;
        return Log("IsPlugInActive", progId);
    }
    HRESULT ActivatePlugIn(const char16_t *progId) override
    {
        return Log("ActivatePlugIn", progId);
    }

private:
    static QString Text(const char16_t *text) { return QString::fromUtf16(text); }
    static QString Text(auto number) { return QString::number(number); }

    template<class... Args>
    HRESULT Log(const char *method, Args... args)
    {
        QStringList line{QLatin1String(method)};
        (line.append(Text(args)), ...);
        m_calls->append(line.join(u' '));
        return S_OK;
    }

    QStringList *m_calls;
};
