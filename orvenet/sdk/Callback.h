#pragma once

#include "orvenet/sdk/OrvenetGuids.h"
#include "platform/com/Unknown.h"

#include <cstdint>

// What the connectivity server reports to a registered client. Calls may
// arrive on any of the server's threads; text arguments are valid for the
// call only. The methods stand in their published vtable order.
struct ICallback : IUnknown
{
    // state: ConnectionState flags.
    virtual HRESULT OnStateChanged(uint32_t state) = 0;
    // A failure or a question about one item of the transfer. number: for a
    // question, the answers the client may give (a button mask); settingName:
    // the XML element name of the setting concerned; text: the detail, such as
    // a file name. The client answers with IConnectivityServer::AnswerQuestion.
    virtual HRESULT OnError(HRESULT result, uint32_t number, const char16_t *settingName,
                            const char16_t *text) = 0;
    // phase: TransferPhase; text: the setting's element name or the file's
    // path; percentage: 0 to 100.
    virtual HRESULT OnProgress(int32_t phase, const char16_t *text, int32_t percentage) = 0;
    // The transfer ended, successfully or with result.
    virtual HRESULT OnFinished(HRESULT result) = 0;

protected:
    ~ICallback() = default;
};

namespace TransferPhase {
enum : int32_t { Preparing = 1, SendingSetting = 2, CopyingFile = 3, InstallingFile = 4 };
}
