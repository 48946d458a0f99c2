#include "ui/controls/ShownLabel.h"

#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/MessagePort.h"

QString ShownLabel(const CApplication *application, unsigned id)
{
    if (std::optional<QString> text = FindLabel(application, id))
        return *std::move(text);
    if (IMessagePort *port = application->GetMessagePort())
        port->ShowMessage(QStringLiteral("Internal error."), IMessagePort::Ok, IMessagePort::Error);
    return LoadLabel(application, id, true);
}
