#pragma once

#include "document/SendSession.h"

#include <QEvent>

#include <utility>

// What the connectivity server reports, as events posted to the window that
// follows a transfer. The numbers are those of the suite's notifications.
namespace ServerEventType {
enum : int { Finished = 1324, Error = 1326, StateChanged = 1327, Progress = 1328 };
}

class CServerEvent final : public QEvent
{
public:
    CServerEvent(int type, ServerReport serverReport)
        : QEvent(QEvent::Type(type))
        , report(std::move(serverReport))
    {}

    ServerReport report;
};
