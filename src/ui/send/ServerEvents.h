#pragma once

#include "platform/com/ComTypes.h"

#include <QEvent>
#include <QString>

#include <cstdint>

// What the connectivity server reports, as events posted to the window that
// follows a transfer. The numbers are those of the suite's notifications.
namespace ServerEventType {
enum : int { Finished = 1324, Error = 1326, StateChanged = 1327, Progress = 1328 };
}

class CServerEvent final : public QEvent
{
public:
    explicit CServerEvent(int type)
        : QEvent(QEvent::Type(type))
    {}

    HRESULT result = 0;
    uint32_t number = 0; // a question's button mask, or the new state
    int32_t phase = 0;
    int32_t percentage = 0;
    QString settingName;
    QString text;
};
