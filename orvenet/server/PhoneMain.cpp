// orvenet-phone: controls the connectivity server's emulated phone.
#include "orvenet/server/Protocol.h"
#include "orvenet/server/ServerConnection.h"
#include "orvenet/server/ServerPaths.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

const char kUsage[] =
    "Usage: orvenet-phone COMMAND\n"
    "  status                       the phone's state\n"
    "  connect | disconnect         plug the phone in or out\n"
    "  identity NAME IMEI NUMBER    the phone's EPOC name, IMEI and phone number\n"
    "  hold APPLICATION | release   another application holds the phone, or none\n"
    "  fail CODE [--phase N]        the next transfer fails with CODE (decimal or 0x hex)\n"
    "  delay MS                     each step of a transfer takes MS milliseconds longer\n"
    "  stop                         ends the server\n";

bool ParseNumber(const QString &text, int32_t &value)
{
    bool ok = false;
    const qint64 number = text.startsWith(u"0x", Qt::CaseInsensitive)
                              ? text.mid(2).toLongLong(&ok, 16)
                              : text.toLongLong(&ok, 10);
    value = static_cast<int32_t>(number);
    return ok && number >= INT32_MIN && number <= qint64(UINT32_MAX);
}

// The request for a command line; false when it is not one.
bool MakeRequest(const QStringList &arguments, uint16_t &operation, QList<Wire::Field> &fields)
{
    const QString command = arguments.value(0);
    const qsizetype count = arguments.size() - 1;
    if (command == u"status" && count == 0)
        operation = Wire::PhoneStatus;
    else if (command == u"connect" && count == 0)
        operation = Wire::PhoneConnect;
    else if (command == u"disconnect" && count == 0)
        operation = Wire::PhoneDisconnect;
    else if (command == u"identity" && count == 3)
        operation = Wire::PhoneIdentity, fields = {arguments[1], arguments[2], arguments[3]};
    else if (command == u"hold" && count == 1)
        operation = Wire::PhoneHold, fields = {arguments[1]};
    else if (command == u"release" && count == 0)
        operation = Wire::PhoneRelease;
    else if (command == u"stop" && count == 0)
        operation = Wire::StopServer;
    else if (command == u"delay" && count == 1) {
        int32_t ms = 0;
        if (!ParseNumber(arguments[1], ms) || ms < 0)
            return false;
        operation = Wire::PhoneDelay, fields = {ms};
    } else if (command == u"fail" && (count == 1 || (count == 3 && arguments[2] == u"--phase"))) {
        int32_t code = 0;
        int32_t phase = 0;
        if (!ParseNumber(arguments[1], code) || (count == 3 && !ParseNumber(arguments[3], phase)))
            return false;
        // A bare code is the server's own failure code.
        if (code > 0 && code <= 0xFFFF)
            code = static_cast<int32_t>(0x80040000u | uint32_t(code));
        operation = Wire::PhoneFail, fields = {code, phase};
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    uint16_t operation = 0;
    QList<Wire::Field> fields;
    if (!MakeRequest(arguments, operation, fields)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    CServerConnection connection;
    if (!connection.Connect(ServerSocketPath())) {
        std::fprintf(stderr, "orvenet-phone: no server answers on %s\n",
                     qPrintable(ServerSocketPath()));
        return 4;
    }
    Wire::Message response;
    const HRESULT result = connection.Call(operation, fields, &response);
    if (FAILED(result)) {
        std::fprintf(stderr, "orvenet-phone: the server answered 0x%08X\n", unsigned(result));
        return 1;
    }
    if (operation == Wire::PhoneStatus)
        std::printf("%s\n", response.Text(1).toUtf8().constData());
    return 0;
}
