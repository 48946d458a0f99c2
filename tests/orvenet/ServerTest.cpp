// The connectivity server as a real process, driven through the proxy that
// activation hands out and through orvenet-phone.
#include "ServerFixture.h"

#include "orvenet/server/ConnectivityServerProxy.h"
#include "orvenet/server/Protocol.h"
#include "orvenet/server/ServerPaths.h"
#include "platform/com/Activation.h"
#include "platform/registry/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pty.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QScopeGuard>

#include <algorithm>
#include <csignal>
#include <mutex>
#include <thread>

namespace {

QByteArray Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList Names(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                  QDir::System);
}

// A socket that speaks whatever bytes it is given.
class CRawClient
{
public:
    CRawClient()
    {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(ServerSocketPath());
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        m_connected = ::connect(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
        const timeval timeout = {5, 0};
        setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    }
    ~CRawClient() { ::close(m_fd); }
    bool Connected() const { return m_connected; }
    void Write(const QByteArray &bytes)
    {
        ::send(m_fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL);
    }
    // True when the server closed the connection.
    bool ClosedByServer()
    {
        char byte = 0;
        return ::recv(m_fd, &byte, 1, 0) == 0;
    }

private:
    int m_fd = -1;
    bool m_connected = false;
};

// A server on the socket that answers every request at once, and refuses
// one append: the numbering starts at 1.
class CRefusingServer
{
public:
    explicit CRefusingServer(int refusedAppend)
        : m_refused(refusedAppend)
    {
        QDir().mkpath(QFileInfo(ServerSocketPath()).path());
        m_listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(ServerSocketPath());
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address);
        ::listen(m_listener, 1);
        m_thread = std::thread([this] { Serve(); });
    }
    ~CRefusingServer()
    {
        ::shutdown(m_listener, SHUT_RDWR);
        ::shutdown(m_client, SHUT_RDWR);
        m_thread.join();
        ::close(m_client);
        ::close(m_listener);
        ::unlink(QFile::encodeName(ServerSocketPath()).constData());
    }
    // The operations asked for, in order.
    std::vector<uint16_t> Requests()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }

private:
    void Serve()
    {
        m_client = ::accept(m_listener, nullptr, nullptr);
        Wire::CFrameDecoder decoder;
        char buffer[65536];
        int appends = 0;
        for (ssize_t count; (count = ::recv(m_client, buffer, sizeof buffer, 0)) > 0;) {
            decoder.Append(buffer, count);
            QByteArray body;
            while (decoder.Next(body) == Wire::CFrameDecoder::Result::Body) {
                const std::optional<Wire::Message> request = Wire::DecodeRequest(body);
                if (!request)
                    return;
                {
                    const std::lock_guard<std::mutex> lock(m_mutex);
                    m_requests.push_back(request->code);
                }
                const bool refuse =
                    request->code == Wire::AppendConfiguration && ++appends == m_refused;
                const QByteArray reply =
                    Wire::CMessageWriter(Wire::Kind::Response, request->id, request->code)
                        .Number(refuse ? ServerFailure(ServerResult::NoConfiguration) : S_OK)
                        .Frame();
                ::send(m_client, reply.constData(), size_t(reply.size()), MSG_NOSIGNAL);
            }
        }
    }

    int m_refused;
    int m_listener = -1;
    int m_client = -1;
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<uint16_t> m_requests;
};

} // namespace

TEST_F(ServerTest, AnAppendTheServerRefusesFailsTheSendThoughLaterPiecesWereOnTheirWay)
{
    const HRESULT refused = ServerFailure(ServerResult::NoConfiguration);
    // Ten pieces, the second refused: the client hears of it while a few
    // more are on their way, and sends no more.
    const QString text(10 << 16, u'a');
    {
        CRefusingServer server(2);
        CComPtr<IConnectivityServer> proxy;
        ASSERT_EQ(CreateLocalServerProxy(CLSID_ConnectivityServer, QString(),
                                         IID_IConnectivityServer, proxy.ReceiveVoid()),
                  S_OK);
        ASSERT_EQ(proxy->SetConfiguration(u"", u"a.cfg"), S_OK);
        EXPECT_EQ(proxy->AppendConfiguration(reinterpret_cast<const char16_t *>(text.utf16()),
                                             uint32_t(text.size())),
                  refused);
        const std::vector<uint16_t> requests = server.Requests();
        const auto appends =
            std::count(requests.begin(), requests.end(), Wire::AppendConfiguration);
        EXPECT_GE(appends, 2);
        EXPECT_LT(appends, 10);
    }
    // The last piece refused: the start fails and never reaches the server.
    CRefusingServer server(2);
    CComPtr<IConnectivityServer> proxy;
    ASSERT_EQ(CreateLocalServerProxy(CLSID_ConnectivityServer, QString(), IID_IConnectivityServer,
                                     proxy.ReceiveVoid()),
              S_OK);
    ASSERT_EQ(proxy->SetConfiguration(u"", u"a.cfg"), S_OK);
    ASSERT_EQ(proxy->AppendConfiguration(reinterpret_cast<const char16_t *>(text.utf16()),
                                         uint32_t(2 << 16)),
              S_OK);
    EXPECT_EQ(proxy->StartTransfer(), refused);
    const std::vector<uint16_t> requests = server.Requests();
    EXPECT_EQ(std::count(requests.begin(), requests.end(), Wire::StartTransfer), 0);
}

TEST_F(ServerTest, TransferCopiesIncludedFilesAsksAboutExistingOrUnreadableOnesAndLogsARow)
{
    ASSERT_TRUE(StartServer());
    const QString tone = WriteFile(QStringLiteral("pc/ring.wav"), "new tone");
    const QString game = WriteFile(QStringLiteral("pc/game.sis"), "installer");
    const QString note = WriteFile(QStringLiteral("pc/note.txt"), "note");
    const QString excluded = WriteFile(QStringLiteral("pc/excluded.txt"), "no");
    QDir().mkpath(PhonePath(QStringLiteral("C/Documents/Tones")));
    QFile old(PhonePath(QStringLiteral("C/Documents/Tones/ring.wav")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old tone");
    old.close();
    const QString text =
        ConfigurationWithFiles(
            QStringLiteral(
                "    <RingingTones op=\"create\"><RingingTone op=\"create\">%1</RingingTone>"
                "<RingingTone op=\"create\">%2/missing.wav</RingingTone></RingingTones>\n"
                "    <SISFiles op=\"create\"><SISFile op=\"create\">%3</SISFile></SISFiles>\n")
                .arg(tone, m_folder.path(), game) +
            FileEntry(note, QStringLiteral("D:\\Notes\\Work\\")) +
            FileEntry(excluded, QStringLiteral("D:\\Notes\\"), false))
            // A category that holds nothing and one that is excluded.
            .replace(u"</Settings>"_qs,
                     u"  <SMSSettings op=\"create\">\n  </SMSSettings>\n"
                     u"  <WAPSettings><WAPConnection><Name>W</Name></WAPConnection>"
                     u"</WAPSettings>\n</Settings>"_qs);

    CComPtr<CRecordingCallback> callback;
    CComPtr<IConnectivityServer> server = ConnectWithCallback(callback);
    callback->answer = [](const CRecordingCallback::Report &report) {
        return HRESULT_CODE(report.result) == ServerResult::FileExists ? QuestionAnswer::Overwrite
                                                                       : QuestionAnswer::Skip;
    };
    ASSERT_EQ(server->ReservePhone(), S_OK);
    ASSERT_EQ(Send(*server, text), S_OK);
    EXPECT_EQ(callback->FinishedResult(), S_OK);

    EXPECT_EQ(Read(PhonePath(QStringLiteral("C/Documents/Tones/ring.wav"))), "new tone");
    EXPECT_EQ(Read(PhonePath(QStringLiteral("C/Documents/Installs/game.sis"))), "installer");
    EXPECT_EQ(Read(PhonePath(QStringLiteral("D/Notes/Work/note.txt"))), "note");
    EXPECT_EQ(Names(PhonePath(QStringLiteral("D/Notes"))), QStringList{"Work"});
    EXPECT_EQ(Names(PhonePath(QStringLiteral("C/Documents/Tones"))), QStringList{"ring.wav"});
    // Kept in UTF-8, as its declaration says.
    const QByteArray received = Read(PhonePath(QStringLiteral("received/0001.xml")));
    EXPECT_EQ(received,
              QString(text).replace(u"encoding=\"UTF-16\""_qs, u"encoding=\"UTF-8\""_qs).toUtf8());

    // The bar gives each stage its share of the work: the configuration's
    // bytes, then each file's.
    const qint64 total = received.size() + 8 + 1 + 9 + 4;
    QList<int> firstCopy;
    QStringList seen;
    int last = 0;
    for (const auto &report : callback->Reports()) {
        if (report.kind == 'p') {
            EXPECT_GE(report.setting.toInt(), last) << qPrintable(report.text);
            last = report.setting.toInt();
            if (report.number == TransferPhase::CopyingFile)
                firstCopy << last;
        }
        if (report.kind == 'p')
            seen << QStringLiteral("p%1 %2")
                        .arg(report.number)
                        .arg(QFileInfo(report.text).fileName());
        else if (report.kind == 'e')
            seen << QStringLiteral("e%1 %2 %3 %4")
                        .arg(HRESULT_CODE(report.result), 0, 16)
                        .arg(report.number)
                        .arg(report.setting, QFileInfo(report.text).fileName());
    }
    EXPECT_EQ(firstCopy, (QList<int>{int(100 * received.size() / total),
                                     int(100 * (received.size() + 8) / total),
                                     int(100 * (received.size() + 9) / total),
                                     int(100 * (received.size() + 18) / total)}));
    EXPECT_EQ(seen, (QStringList{"p1 ", "p2 IAPSettings", "p2 FileTransfer", "p3 ring.wav",
                                 "e201 108 RingingTones C:\\Documents\\Tones\\ring.wav",
                                 "p3 missing.wav", "e203 68 RingingTones missing.wav",
                                 "p3 game.sis", "p4 game.sis", "p3 note.txt"}));

    const QList<QByteArray> rows = Read(LogPath()).split('\n');
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], "Date,Phone,Configuration,Result,Settings,Files\r");
    EXPECT_TRUE(rows[1].endsWith(",Talvik Phone,/cfg/office.cfg,0x00000000,17,3\r"))
        << rows[1].data();
}

TEST_F(ServerTest, UnsafePhonePathsFailTheirFileAndNothingLandsOutsideTheDrives)
{
    ASSERT_TRUE(StartServer());
    const QString note = WriteFile(QStringLiteral("pc/note.txt"), "note");
    const QString outside = m_folder.path() + QStringLiteral("/outside");
    QDir().mkpath(outside);
    QDir().mkpath(PhonePath(QStringLiteral("C")));
    ASSERT_TRUE(QFile::link(outside, PhonePath(QStringLiteral("C/link"))));
    const QString text =
        ConfigurationWithFiles(FileEntry(note, QStringLiteral("C:\\..\\..\\escape\\")) +
                               FileEntry(note, QStringLiteral("C:\\Docs\\..\\..\\escape\\")) +
                               FileEntry(note, QStringLiteral("E:\\Other\\")) +
                               FileEntry(note, m_folder.path() + QStringLiteral("/outside/")) +
                               FileEntry(note, QStringLiteral("C:\\link\\")) +
                               FileEntry(note, QStringLiteral("C:\\Safe\\")));

    CComPtr<CRecordingCallback> callback;
    CComPtr<IConnectivityServer> server = ConnectWithCallback(callback);
    ASSERT_EQ(Send(*server, text), S_OK);
    EXPECT_EQ(callback->FinishedResult(), ServerFailure(ServerResult::FileNotTransferred));

    // Each refusal names the file's phone path and why.
    QStringList refused;
    for (const auto &report : callback->Reports()) {
        if (report.kind == 'e' && HRESULT_CODE(report.result) == ServerResult::FileNotTransferred)
            refused << QStringLiteral("%1 %2").arg(report.number).arg(report.text);
    }
    EXPECT_EQ(refused,
              (QStringList{u"2 C:\\..\\..\\escape\\note.txt"_qs,
                           u"2 C:\\Docs\\..\\..\\escape\\note.txt"_qs, u"1 E:\\Other\\note.txt"_qs,
                           u"1 "_qs + outside + u"/note.txt"_qs, u"2 C:\\link\\note.txt"_qs}));
    EXPECT_TRUE(Names(outside).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(m_folder.path() + QStringLiteral("/escape")));
    EXPECT_FALSE(QFileInfo::exists(PhonePath(QStringLiteral("escape"))));
    EXPECT_EQ(Read(PhonePath(QStringLiteral("C/Safe/note.txt"))), "note");
}

TEST_F(ServerTest, TheHolderIsNamedToOtherClientsUntilItReleasesOrGoes)
{
    ASSERT_TRUE(StartServer());
    CComPtr<IConnectivityServer> first = Connect(QStringLiteral("Sync Tool"));
    CComPtr<IConnectivityServer> second = Connect(QStringLiteral("Provana User Interface"));
    ASSERT_EQ(first->ReservePhone(), S_OK);
    EXPECT_EQ(first->ReservePhone(), S_OK) << "the holder may reserve again";
    const HRESULT refused = second->ReservePhone();
    EXPECT_EQ(refused, ServerFailure(ServerResult::PhoneHeld));
    EXPECT_EQ(Send(*second, ConfigurationWithFiles({})), refused);
    char16_t name[64] = {};
    uint32_t length = 0;
    ASSERT_EQ(second->GetHolderName(name, 64, &length), S_OK);
    EXPECT_EQ(QString::fromUtf16(name), QStringLiteral("Sync Tool"));

    first.Reset();
    HRESULT reserved = refused;
    for (int tries = 0; tries < 100 && reserved == refused; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        reserved = second->ReservePhone();
    }
    EXPECT_EQ(reserved, S_OK) << "a client that goes releases the phone";
    second->ReleasePhone();

    ASSERT_EQ(Phone({"hold", "Backup App"}), 0);
    EXPECT_EQ(second->ReservePhone(), refused);
    ASSERT_EQ(second->GetHolderName(name, 64, &length), S_OK);
    EXPECT_EQ(QString::fromUtf16(name), QStringLiteral("Backup App"));
    ASSERT_EQ(Phone({"release"}), 0);
    EXPECT_EQ(second->ReservePhone(), S_OK);
}

TEST_F(ServerTest, ClientsThatBreakTheProtocolAreDroppedWhileOthersAreServed)
{
    ASSERT_TRUE(StartServer());
    CComPtr<IConnectivityServer> good = Connect();
    ASSERT_TRUE(good);

    CRawClient tooLong;
    tooLong.Write(QByteArray("\xff\xff\xff\x7f", 4) + QByteArray(64, 'x'));
    CRawClient unknown;
    Wire::CMessageWriter request(Wire::Kind::Request, 1, 999);
    unknown.Write(request.Frame());
    CRawClient wrongFields;
    Wire::CMessageWriter reserve(Wire::Kind::Request, 1, Wire::ReservePhone);
    wrongFields.Write(reserve.Text(u"extra").Frame());
    {
        CRawClient half;
        Wire::CMessageWriter info(Wire::Kind::Request, 1, Wire::GetPhoneInfo);
        half.Write(info.Frame().left(6));
    }
    EXPECT_TRUE(tooLong.ClosedByServer());
    EXPECT_TRUE(unknown.ClosedByServer());
    EXPECT_TRUE(wrongFields.ClosedByServer());

    char16_t info[256] = {};
    uint32_t length = 0;
    ASSERT_EQ(good->GetPhoneInfo(info, 256, &length), S_OK);
    EXPECT_EQ(QString::fromUtf16(info),
              QStringLiteral("<EPOCName>Talvik Phone</EPOCName><IMEI>490154203237518</IMEI>"
                             "<PhoneNumber>+358401234567</PhoneNumber>"));
    // The half message's client may still be counted for a moment.
    QString status;
    for (int tries = 0; tries < 50 && !status.contains(u"clients: 2"); ++tries) {
        ASSERT_EQ(Phone({"status"}, &status), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(status.contains(u"clients: 2")) << qPrintable(status);
}

TEST_F(ServerTest, AKilledServerEndsTheTransferAndLaterCallsFailAtOnce)
{
    ASSERT_TRUE(StartServer());
    ASSERT_EQ(Phone({"delay", "5000"}), 0);
    CComPtr<CRecordingCallback> callback;
    CComPtr<IConnectivityServer> server = ConnectWithCallback(callback);
    ASSERT_EQ(Send(*server, ConfigurationWithFiles({})), S_OK);
    ASSERT_TRUE(callback->WaitFor('p', TransferPhase::Preparing));
    m_processes.front()->kill();
    EXPECT_EQ(callback->FinishedResult(), ServerFailure(ServerResult::ServerLost));
    EXPECT_TRUE(callback->WaitFor('s'));
    uint32_t state = 1;
    EXPECT_EQ(server->GetConnectionState(&state), RPC_E_DISCONNECTED);
    EXPECT_EQ(state, 0u);
    EXPECT_EQ(server->CancelTransfer(), RPC_E_DISCONNECTED);
}

TEST_F(ServerTest, UnpluggingThePhoneEndsATransferAndTellsEveryClient)
{
    ASSERT_TRUE(StartServer());
    ASSERT_EQ(Phone({"delay", "300"}), 0);
    CComPtr<CRecordingCallback> watcher;
    CComPtr<IConnectivityServer> other = ConnectWithCallback(watcher, 9);
    CComPtr<CRecordingCallback> callback;
    CComPtr<IConnectivityServer> server = ConnectWithCallback(callback);
    ASSERT_EQ(Send(*server, ConfigurationWithFiles({})), S_OK);
    ASSERT_TRUE(callback->WaitFor('p', TransferPhase::SendingSetting));
    ASSERT_EQ(Phone({"disconnect"}), 0);
    EXPECT_EQ(callback->FinishedResult(), ServerFailure(ServerResult::PhoneLost));
    ASSERT_TRUE(watcher->WaitFor('s'));
    EXPECT_EQ(watcher->Reports().front().number, 0);
    EXPECT_FALSE(watcher->WaitFor('f', 0, 200)) << "only the sender hears about its transfer";
    uint32_t state = 1;
    EXPECT_EQ(other->GetConnectionState(&state), S_OK);
    EXPECT_EQ(state, 0u);
    EXPECT_EQ(server->ReservePhone(), ServerFailure(ServerResult::NoPhone));
    ASSERT_EQ(Phone({"connect"}), 0);
    EXPECT_EQ(server->ReservePhone(), S_OK);
}

TEST_F(ServerTest, CancelDuringAFileCopyStopsBeforeTheNextFile)
{
    ASSERT_TRUE(StartServer());
    ASSERT_EQ(Phone({"delay", "1000"}), 0);
    const QString first = WriteFile(QStringLiteral("pc/first.txt"), "1");
    const QString second = WriteFile(QStringLiteral("pc/second.txt"), "2");
    CComPtr<CRecordingCallback> callback;
    CComPtr<IConnectivityServer> server = ConnectWithCallback(callback);
    ASSERT_EQ(Send(*server, ConfigurationWithFiles(FileEntry(first, "C:\\Notes\\") +
                                                   FileEntry(second, "C:\\Notes\\"))),
              S_OK);
    ASSERT_TRUE(callback->WaitFor('p', TransferPhase::CopyingFile));
    EXPECT_EQ(server->CancelTransfer(), S_OK);
    EXPECT_EQ(callback->FinishedResult(), ServerFailure(ServerResult::Cancelled));
    const QStringList copied = Names(PhonePath(QStringLiteral("C/Notes")));
    EXPECT_FALSE(copied.contains(u"second.txt"_qs));
    for (const QString &name : copied)
        EXPECT_EQ(name, u"first.txt"_qs) << "no half-written file is left";
}

TEST_F(ServerTest, CancelDuringTheSettingsLogsOnlyTheSettingsReadByThen)
{
    ASSERT_TRUE(StartServer());
    ASSERT_EQ(Phone({"delay", "1000"}), 0);
    CComPtr<CRecordingCallback> callback;
    CComPtr<IConnectivityServer> server = ConnectWithCallback(callback);
    // Four settings in all; the access point category is announced with its
    // item, the second of them.
    ASSERT_EQ(Send(*server, ConfigurationWithFiles(QStringLiteral(
                                "    <Files op=\"create\"><Files op=\"create\"/></Files>\n"))),
              S_OK);
    ASSERT_TRUE(callback->WaitFor('p', TransferPhase::SendingSetting));
    EXPECT_EQ(server->CancelTransfer(), S_OK);
    EXPECT_EQ(callback->FinishedResult(), ServerFailure(ServerResult::Cancelled));
    const QList<QByteArray> rows = Read(LogPath()).split('\n');
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1].split(',').value(4), "2") << rows[1].data();
}

TEST_F(ServerTest, AnInjectedFailureEndsTheTransferInItsPhaseOnce)
{
    ASSERT_TRUE(StartServer());
    const QString note = WriteFile(QStringLiteral("pc/note.txt"), "note");
    ASSERT_EQ(Phone({"fail", "0x156", "--phase", "3"}), 0);
    EXPECT_EQ(Phone({"fail", "0xZZ"}), 2);
    CComPtr<CRecordingCallback> callback;
    CComPtr<IConnectivityServer> server = ConnectWithCallback(callback);
    ASSERT_EQ(Send(*server, ConfigurationWithFiles(FileEntry(note, "C:\\Notes\\"))), S_OK);
    EXPECT_EQ(callback->FinishedResult(), ServerFailure(0x156));
    EXPECT_EQ(callback->Reports().rbegin()[1].number, TransferPhase::CopyingFile);
    EXPECT_FALSE(QFileInfo::exists(PhonePath(QStringLiteral("C/Notes/note.txt"))));

    CComPtr<CRecordingCallback> again;
    CComPtr<IConnectivityServer> next = ConnectWithCallback(again, 8);
    ASSERT_EQ(Send(*next, ConfigurationWithFiles(FileEntry(note, "C:\\Notes\\"))), S_OK);
    EXPECT_EQ(again->FinishedResult(), S_OK);
    EXPECT_EQ(Read(LogPath()).count("\r\n"), 3);
}

TEST_F(ServerTest, ActivationStartsTheRegisteredServerAndAMissingOneFailsWithoutHanging)
{
    CRegistry registry;
    const QString key = QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\") +
                        QString::fromStdString(FormatGuid(CLSID_ConnectivityServer)) +
                        QStringLiteral("\\LocalServer32");
    CComPtr<IConnectivityServer> server;
    EXPECT_EQ(CreateInstance(CLSID_ConnectivityServer, nullptr, server, CreateLocalServerProxy),
              REGDB_E_CLASSNOTREG);

    ASSERT_TRUE(registry.SetValue(key, QString(), m_folder.path() + QStringLiteral("/none")));
    EXPECT_EQ(CreateInstance(CLSID_ConnectivityServer, nullptr, server, CreateLocalServerProxy),
              CO_E_SERVER_EXEC_FAILURE);

    ASSERT_TRUE(registry.SetValue(key, QString(), Program(QStringLiteral("orvenet-server"))));
    ASSERT_EQ(CreateInstance(CLSID_ConnectivityServer, nullptr, server, CreateLocalServerProxy),
              S_OK);
    uint32_t state = 0;
    EXPECT_EQ(server->GetConnectionState(&state), S_OK);
    EXPECT_EQ(state, ConnectionState::Connected);
    EXPECT_EQ((QFileInfo(ServerRuntimeFolder()).permissions() & 0x7777),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                  QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    CComPtr<IConnectivityServer> second;
    ASSERT_EQ(CreateInstance(CLSID_ConnectivityServer, nullptr, second, CreateLocalServerProxy),
              S_OK);
    EXPECT_EQ(second->GetConnectionState(&state), S_OK);
    QString status;
    ASSERT_EQ(Phone({"status"}, &status), 0);
    EXPECT_TRUE(status.contains(u"clients: 3")) << "one server serves every client";
}

TEST_F(ServerTest, AnActivatedServerEndsWhenItHasNoClients)
{
    ASSERT_TRUE(StartServer({"--idle-exit", "200"}));
    {
        CComPtr<IConnectivityServer> server = Connect();
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        uint32_t state = 0;
        EXPECT_EQ(server->GetConnectionState(&state), S_OK) << "a client keeps it running";
    }
    EXPECT_TRUE(m_processes.front()->waitForFinished(5000));
    EXPECT_EQ(m_processes.front()->exitCode(), 0);
    EXPECT_EQ(Phone({"status"}), 4);
}

namespace {

struct ProgramRun
{
    int status = -1;
    QString out;
    QString error;
};

} // namespace

class ProvanaSendTest : public ServerTest
{
protected:
    ProgramRun Provana(const QStringList &arguments)
    {
        QProcess process;
        process.start(Program(QStringLiteral("provana")), arguments);
        process.closeWriteChannel();
        if (!process.waitForFinished(20000))
            process.kill();
        process.waitForFinished();
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    // A configuration with one ringing tone to send.
    QString MakeConfiguration()
    {
        const QString file = m_folder.path() + QStringLiteral("/office.cfg");
        const QString tone = WriteFile(QStringLiteral("pc/a.wav"), "tone");
        EXPECT_EQ(Provana({"new", file}).status, 0);
        EXPECT_EQ(Provana({"files", file, "--add", "RingingTones", tone}).status, 0);
        return file;
    }
};

TEST_F(ProvanaSendTest, SendsThroughAServerItStartsAndAnswersFromTheCommandLine)
{
    const QString file = MakeConfiguration();
    QProcess shell;
    shell.start(QStringLiteral("sh"),
                {QStringLiteral("-c"), QStringLiteral("\"$0\" send \"$1\" 2>&1 | cat"),
                 Program(QStringLiteral("provana")), file});
    EXPECT_TRUE(shell.waitForFinished(10000)) << "the server it starts holds no output of it open";
    EXPECT_EQ(shell.exitCode(), 0);
    const ProgramRun sent = Provana({"send", file});
    ASSERT_EQ(sent.status, 0) << qPrintable(sent.error);
    EXPECT_TRUE(sent.error.contains(u"Copying a.wav..."_qs)) << qPrintable(sent.error);
    EXPECT_EQ(Read(PhonePath(QStringLiteral("received/0002.xml"))),
              Provana({"text", file})
                  .out.replace(u"encoding=\"UTF-16\""_qs, u"encoding=\"UTF-8\""_qs)
                  .toUtf8());
    EXPECT_EQ(Read(PhonePath(QStringLiteral("C/Documents/Tones/a.wav"))), "tone");

    WriteFile(QStringLiteral("pc/a.wav"), "changed");
    const ProgramRun skipped = Provana({"send", file, "--answer", "skip"});
    EXPECT_EQ(skipped.status, 0);
    EXPECT_TRUE(skipped.error.contains(
        u"Ringing tones:\na.wav is already on the phone, in C:\\Documents\\Tones\\"_qs))
        << qPrintable(skipped.error);
    EXPECT_EQ(Read(PhonePath(QStringLiteral("C/Documents/Tones/a.wav"))), "tone");
    EXPECT_EQ(Provana({"send", file, "--answer", "overwrite"}).status, 0);
    EXPECT_EQ(Read(PhonePath(QStringLiteral("C/Documents/Tones/a.wav"))), "changed");
    EXPECT_EQ(Provana({"send", file, "--answer", "cancel"}).status, 1);

    ASSERT_EQ(Phone({"fail", "0x158", "--phase", "3"}), 0);
    const ProgramRun failed = Provana({"send", file});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.error.contains(u"The file could not be copied to the phone.\r\na.wav"_qs))
        << qPrintable(failed.error);

    EXPECT_EQ(Provana({"send", file, "--answer", "maybe"}).status, 2);
    EXPECT_EQ(Provana({"send", file, "--option", "3"}).status, 0);
    EXPECT_EQ(Names(PhonePath(QStringLiteral("received"))).size(), 6) << "option 3 sends nothing";
}

TEST_F(ProvanaSendTest, AnUnreachablePhoneOrServerExitsWithFour)
{
    const QString file = MakeConfiguration();
    ASSERT_TRUE(StartServer());
    ASSERT_EQ(Phone({"hold", "Sync Tool"}), 0);
    const ProgramRun held = Provana({"send", file});
    EXPECT_EQ(held.status, 4);
    EXPECT_TRUE(held.error.startsWith(u"Another application (Sync Tool) is using the phone."_qs))
        << qPrintable(held.error);
    ASSERT_EQ(Phone({"release"}), 0);
    ASSERT_EQ(Phone({"disconnect"}), 0);
    const ProgramRun unplugged = Provana({"send", file});
    EXPECT_EQ(unplugged.status, 4);
    EXPECT_TRUE(unplugged.error.startsWith(u"Cannot connect to the connectivity server."_qs))
        << qPrintable(unplugged.error);
    EXPECT_FALSE(QFileInfo::exists(LogPath()));

    // A registered server that cannot start is not replaced by another.
    CRegistry().SetValue(QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\") +
                             QString::fromStdString(FormatGuid(CLSID_ConnectivityServer)) +
                             QStringLiteral("\\LocalServer32"),
                         QString(), m_folder.path() + QStringLiteral("/none"));
    ASSERT_EQ(Phone({"stop"}), 0);
    ASSERT_TRUE(m_processes.front()->waitForFinished(5000));
    EXPECT_EQ(Provana({"send", file}).status, 4);
}

namespace {

// provana send running on its own, interrupted as Ctrl+C does.
class CSendProcess
{
public:
    CSendProcess(const QString &program, const QString &file, int terminal = -1)
    {
        m_process.setReadChannel(QProcess::StandardError);
        // A question is asked on a terminal only.
        if (terminal >= 0)
            m_process.setChildProcessModifier([terminal] { ::dup2(terminal, STDIN_FILENO); });
        m_process.start(program, {QStringLiteral("send"), file});
    }
    ~CSendProcess()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    bool WaitForError(const QString &text)
    {
        while (!m_error.contains(text) && m_process.waitForReadyRead(5000))
            m_error += QString::fromUtf8(m_process.readAllStandardError());
        return m_error.contains(text);
    }
    void Interrupt() { ::kill(pid_t(m_process.processId()), SIGINT); }
    // The exit status, or -1 when it did not end in time.
    int Wait(int ms = 5000)
    {
        if (!m_process.waitForFinished(ms))
            return -1;
        m_error += QString::fromUtf8(m_process.readAllStandardError());
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    const QString &Error() const { return m_error; }

private:
    QProcess m_process;
    QString m_error;
};

} // namespace

TEST_F(ProvanaSendTest, CtrlCCancelsAtAnyMomentEvenDuringAQuestionAndASecondEndsAtOnce)
{
    const QString file = MakeConfiguration();
    const QString provana = Program(QStringLiteral("provana"));
    ASSERT_TRUE(StartServer());
    ASSERT_EQ(Phone({"delay", "1000"}), 0);
    {
        CSendProcess send(provana, file);
        ASSERT_TRUE(send.WaitForError(u"Preparing"_qs)) << qPrintable(send.Error());
        send.Interrupt();
        EXPECT_EQ(send.Wait(), 1);
        EXPECT_TRUE(send.Error().contains(u"Cancelled"_qs)) << qPrintable(send.Error());
        EXPECT_TRUE(Read(LogPath()).contains(",0x80040101,"));
    }
    // The phone was let go: the next send takes it.
    ASSERT_EQ(Phone({"delay", "0"}), 0);
    const ProgramRun sent = Provana({"send", file});
    ASSERT_EQ(sent.status, 0) << qPrintable(sent.error);
    EXPECT_TRUE(sent.out.startsWith(u"Sent to Talvik Phone: "_qs)) << qPrintable(sent.out);

    // The tone is on the phone now, so the next send asks on the terminal.
    int terminal = -1;
    int answerer = -1;
    ASSERT_EQ(::openpty(&answerer, &terminal, nullptr, nullptr, nullptr), 0);
    const auto closeTerminal = qScopeGuard([&] {
        ::close(answerer);
        ::close(terminal);
    });
    {
        CSendProcess send(provana, file, terminal);
        ASSERT_TRUE(send.WaitForError(u"[s]kip"_qs)) << qPrintable(send.Error());
        send.Interrupt();
        EXPECT_EQ(send.Wait(), 1) << qPrintable(send.Error());
        EXPECT_TRUE(send.Error().contains(u"Cancelled"_qs)) << qPrintable(send.Error());
    }

    // A server that stops answering holds the cancel; the second Ctrl+C
    // does not wait for it.
    ASSERT_EQ(Phone({"delay", "2000"}), 0);
    {
        CSendProcess send(provana, file);
        ASSERT_TRUE(send.WaitForError(u"Preparing"_qs)) << qPrintable(send.Error());
        const auto server = pid_t(m_processes.front()->processId());
        ::kill(server, SIGSTOP);
        const auto resume = qScopeGuard([server] { ::kill(server, SIGCONT); });
        send.Interrupt();
        EXPECT_EQ(send.Wait(300), -1) << "the first waits for the server";
        send.Interrupt();
        EXPECT_EQ(send.Wait(1000), 130);
    }
}

TEST_F(ServerTest, RegisteringAPlugInRegistersTheServerClassAndUnregisteringRemovesIt)
{
    const QString classKey = QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\") +
                             QString::fromStdString(FormatGuid(CLSID_ConnectivityServer));
    const auto host = [&](const char *option) {
        QProcess process;
        process.start(Program(QStringLiteral("orvenet")),
                      {QLatin1String(option), m_folder.path() + QStringLiteral("/missing.so")});
        process.waitForFinished(10000);
        return process.exitCode();
    };
    EXPECT_EQ(host("--register"), 1) << "the plug-in module is missing";
    const std::optional<QString> server =
        CRegistry().GetValue(classKey + QStringLiteral("\\LocalServer32"));
    ASSERT_TRUE(server);
    EXPECT_EQ(QFileInfo(*server).canonicalFilePath(),
              QFileInfo(Program(QStringLiteral("orvenet-server"))).canonicalFilePath());
    host("--unregister");
    EXPECT_FALSE(CRegistry().KeyExists(classKey));
}

TEST_F(ServerTest, ATextArrivesWholeAcrossPiecesAndOneTheServerCannotReadFailsTheTransfer)
{
    ASSERT_TRUE(StartServer());
    // A surrogate pair right where the proxy cuts its first piece.
    const QString text = QStringLiteral("<Settings>") + QString((1 << 16) - 11, u'a') +
                         QString::fromUtf16(u"\U0001F600") + QStringLiteral("</Setting>");
    CComPtr<CRecordingCallback> callback;
    CComPtr<IConnectivityServer> server = ConnectWithCallback(callback);
    ASSERT_EQ(Send(*server, text), S_OK);
    EXPECT_EQ(callback->FinishedResult(), ServerFailure(ServerResult::ConfigurationNotRead));
    EXPECT_EQ(Read(PhonePath(QStringLiteral("received/0001.xml"))), text.toUtf8());

    EXPECT_EQ(server->StartTransfer(), ServerFailure(ServerResult::NoConfiguration))
        << "each configuration is sent once";
    CComPtr<CRecordingCallback> other;
    CComPtr<IConnectivityServer> second = ConnectWithCallback(other, 5);
    ASSERT_EQ(Send(*second, QStringLiteral("<Other/>")), S_OK);
    EXPECT_EQ(other->FinishedResult(), ServerFailure(ServerResult::ConfigurationNotRead));
}
