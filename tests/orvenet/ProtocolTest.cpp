#include "orvenet/server/Protocol.h"
#include "orvenet/server/ActivityLog.h"
#include "orvenet/server/EmulatedPhone.h"
#include "orvenet/server/ServerConnection.h"
#include "orvenet/server/ServerPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <future>
#include <memory>
#include <thread>
#include <vector>

using namespace Wire;

namespace {

std::vector<QByteArray> Bodies(CFrameDecoder &decoder, CFrameDecoder::Result *last = nullptr)
{
    std::vector<QByteArray> bodies;
    QByteArray body;
    CFrameDecoder::Result result;
    while ((result = decoder.Next(body)) == CFrameDecoder::Result::Body)
        bodies.push_back(body);
    if (last)
        *last = result;
    return bodies;
}

} // namespace

TEST(WireProtocol, FramesSurviveAnyCutAndDecodeToTheirFields)
{
    const QByteArray first = CMessageWriter(Kind::Request, 7, SetConfiguration)
                                 .Text(u"<Settings>\u00e4\U0001F600</Settings>")
                                 .Text(u"")
                                 .Frame();
    const QByteArray second = CMessageWriter(Kind::Event, 0xFFFFFFFF, Progress)
                                  .Number(3)
                                  .Text(u"a.wav")
                                  .Number(-1)
                                  .Frame();
    const QByteArray stream = first + second;
    for (qsizetype cut = 0; cut <= stream.size(); ++cut) {
        CFrameDecoder decoder;
        decoder.Append(stream.constData(), cut);
        std::vector<QByteArray> bodies = Bodies(decoder);
        decoder.Append(stream.constData() + cut, stream.size() - cut);
        for (QByteArray &body : Bodies(decoder))
            bodies.push_back(body);
        ASSERT_EQ(bodies.size(), 2u) << cut;
        EXPECT_FALSE(decoder.HasPartialFrame());
        const std::optional<Message> request = DecodeRequest(bodies[0]);
        ASSERT_TRUE(request);
        EXPECT_EQ(request->id, 7u);
        EXPECT_EQ(request->Text(0), QString::fromUtf16(u"<Settings>\u00e4\U0001F600</Settings>"));
        EXPECT_EQ(request->Text(1), QString());
        const std::optional<Message> event = DecodeReply(bodies[1]);
        ASSERT_TRUE(event);
        EXPECT_EQ(event->id, 0xFFFFFFFFu);
        EXPECT_EQ(event->Number(0), 3);
        EXPECT_EQ(event->Number(2), -1);
        EXPECT_FALSE(DecodeRequest(bodies[1])) << "an event is no request";
    }
}

TEST(WireProtocol, BrokenInputIsRefused)
{
    const auto body = [](CMessageWriter writer) {
        return writer.Frame().mid(4);
    };
    // Fields that do not match the operation, an unknown operation.
    EXPECT_FALSE(DecodeRequest(body(CMessageWriter(Kind::Request, 1, ReservePhone).Number(1))));
    EXPECT_FALSE(
        DecodeRequest(body(CMessageWriter(Kind::Request, 1, SetConfiguration).Text(u"x"))));
    EXPECT_FALSE(DecodeRequest(body(CMessageWriter(Kind::Request, 1, AnswerQuestion).Text(u"4"))));
    EXPECT_FALSE(DecodeRequest(body(CMessageWriter(Kind::Request, 1, 500))));
    EXPECT_TRUE(DecodeRequest(body(CMessageWriter(Kind::Request, 1, AnswerQuestion).Number(4))));
    // A response carries its result first.
    EXPECT_FALSE(DecodeReply(body(CMessageWriter(Kind::Response, 1, ReservePhone))));
    EXPECT_TRUE(DecodeReply(body(CMessageWriter(Kind::Response, 1, ReservePhone).Number(0))));

    QByteArray text = body(CMessageWriter(Kind::Request, 1, SetClientName).Text(u"ab"));
    EXPECT_TRUE(DecodeBody(text));
    EXPECT_FALSE(DecodeBody(text.left(text.size() - 1))) << "cut short";
    EXPECT_FALSE(DecodeBody(text + 'i')) << "bytes left over";
    text[text.size() - 1] = '\xff';
    EXPECT_FALSE(DecodeBody(text)) << "not UTF-8";
    EXPECT_FALSE(DecodeBody(QByteArray("\x04\0\0\0\0\0\0", 7))) << "unknown kind";

    CFrameDecoder decoder;
    const char tooLong[] = {'\x01', '\x00', '\x40', '\x00'};
    decoder.Append(tooLong, 4);
    QByteArray out;
    EXPECT_EQ(decoder.Next(out), CFrameDecoder::Result::Bad);
    const QByteArray good = CMessageWriter(Kind::Request, 1, StopServer).Frame();
    decoder.Append(good.constData(), good.size());
    EXPECT_EQ(decoder.Next(out), CFrameDecoder::Result::Bad) << "a bad stream stays bad";
    CFrameDecoder tiny;
    tiny.Append("\x02\0\0\0ab", 6);
    EXPECT_EQ(tiny.Next(out), CFrameDecoder::Result::Bad) << "shorter than a header";
}

TEST(EmulatedPhone, PlacesForFilesStayInsideTheDrivesWithoutFollowingLinks)
{
    QTemporaryDir folder;
    CEmulatedPhone phone(folder.path() + QStringLiteral("/phone"));
    QString error;
    ASSERT_TRUE(phone.Load(error)) << qPrintable(error);
    const QString root = phone.Folder();
    EXPECT_EQ(phone.PlaceForFile(u"C:\\Documents\\Tones\\"_qs, u"a.wav"_qs),
              root + u"/C/Documents/Tones/a.wav"_qs);
    EXPECT_EQ(phone.PlaceForFile(u"d:\\"_qs, u"b"_qs), root + u"/D/b"_qs);
    EXPECT_EQ(phone.PlaceForFile(u"C:\\A\\\\B"_qs, u"b"_qs), root + u"/C/A/B/b"_qs);
    for (const QString &bad : {u"E:\\x\\"_qs, u"C:x\\"_qs, u"/tmp/"_qs, u"C:\\..\\"_qs,
                               u"C:\\a\\.\\"_qs, u"C:\\a/..\\"_qs, u"\\\\host\\C:\\"_qs, QString()})
        EXPECT_EQ(phone.PlaceForFile(bad, u"f"_qs), QString()) << qPrintable(bad);
    for (const QString &badName : {u".."_qs, u"a/b"_qs, u"a\\b"_qs, QString()})
        EXPECT_EQ(phone.PlaceForFile(u"C:\\"_qs, badName), QString()) << qPrintable(badName);

    QDir().mkpath(folder.path() + u"/elsewhere"_qs);
    ASSERT_TRUE(QFile::link(folder.path() + u"/elsewhere"_qs, root + u"/C/away"_qs));
    EXPECT_EQ(phone.PlaceForFile(u"C:\\away\\"_qs, u"f"_qs), QString());
    EXPECT_EQ(phone.PlaceForFile(u"C:\\away\\deeper\\"_qs, u"f"_qs), QString());
    ASSERT_TRUE(QFile::link(folder.path() + u"/elsewhere/x"_qs, root + u"/C/link.txt"_qs));
    EXPECT_EQ(phone.PlaceForFile(u"C:\\"_qs, u"link.txt"_qs), QString());
    EXPECT_TRUE(QDir(folder.path() + u"/elsewhere"_qs).isEmpty());

    phone.SetIdentity({u"Ann"_qs, u"1"_qs, u"2"_qs});
    phone.SetConnected(false);
    QFile stale(root + u"/received/.client-3"_qs);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    CEmulatedPhone again(root);
    ASSERT_TRUE(again.Load(error));
    EXPECT_FALSE(stale.exists()) << "a configuration that was never started goes";
    EXPECT_EQ(again.InfoText(),
              u"<EPOCName>Ann</EPOCName><IMEI>1</IMEI><PhoneNumber>2</PhoneNumber>"_qs);
    EXPECT_FALSE(again.IsConnected());
    EXPECT_EQ(again.NextReceivedPath(), root + u"/received/0001.xml"_qs);
}

TEST(ActivityLog, RowsOfTransfersEndingAtOnceStayWhole)
{
    QTemporaryDir folder;
    const QString path = folder.path() + u"/ProvixLog.csv"_qs;
    ActivityRow row;
    row.time = QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7));
    row.phoneName = u"Ann's \"E90\", work"_qs;
    row.configurationFile = u"/cfg/a.cfg"_qs;
    row.result = static_cast<int32_t>(0x80040156u);
    row.settings = 12;
    row.files = 3;
    const QByteArray expected =
        "2026-03-04 05:06:07,\"Ann's \"\"E90\"\", work\",/cfg/a.cfg,0x80040156,12,3\r\n";
    EXPECT_EQ(FormatActivityRow(row), expected);

    std::vector<std::thread> writers;
    for (int i = 0; i < 8; ++i)
        writers.emplace_back([&] {
            for (int n = 0; n < 50; ++n)
                EXPECT_TRUE(AppendActivityRow(path, row));
        });
    for (std::thread &writer : writers)
        writer.join();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray all = file.readAll();
    EXPECT_EQ(all, QByteArray(kActivityLogHeader) + expected.repeated(400));
}

TEST(ActivityLog, KeptBesideTheServerUnlessTheEnvironmentNamesIt)
{
    const QByteArray saved = qgetenv("TALVIK_ACTIVITY_LOG");
    qunsetenv("TALVIK_ACTIVITY_LOG");
    // The editor asks for the log of the registered server program, which
    // writes beside itself only where it can.
    QTemporaryDir programs;
    EXPECT_EQ(ActivityLogPathBeside(programs.filePath(u"orvenet-server"_qs)),
              programs.filePath(u"ProvixLog.csv"_qs));
    EXPECT_EQ(ActivityLogPathBeside(u"/nonexistent/talvik/bin/orvenet-server"_qs),
              QDir::homePath() + u"/.local/share/Talvik/ProvixLog.csv"_qs);
    qputenv("TALVIK_ACTIVITY_LOG", "/var/log/talvik.csv");
    EXPECT_EQ(ActivityLogPathBeside(u"/opt/talvik/bin/orvenet-server"_qs),
              u"/var/log/talvik.csv"_qs);
    EXPECT_EQ(ActivityLogPath(), u"/var/log/talvik.csv"_qs);
    qputenv("TALVIK_ACTIVITY_LOG", saved);
    if (saved.isEmpty())
        qunsetenv("TALVIK_ACTIVITY_LOG");
}

TEST(ServerConnection, AnEventHandlerMayDestroyItsConnection)
{
    QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.filePath(u"s.sock"_qs));
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), path.size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 1), 0);

    auto connection = std::make_unique<CServerConnection>();
    std::promise<int> handled;
    int events = 0;
    connection->SetEventHandler([&](const Wire::Message &) {
        if (++events == 1) {
            connection.reset();
            handled.set_value(events);
        }
    });
    ASSERT_TRUE(connection->Connect(folder.filePath(u"s.sock"_qs)));
    const int server = ::accept(listener, nullptr, nullptr);
    // Both events arrive in one read: the loop must not go on to the second
    // through the connection that the first one's handler destroyed.
    QByteArray frames = Wire::CMessageWriter(Wire::Kind::Event, 0, 1).Number(1).Frame();
    frames += frames;
    ASSERT_EQ(::write(server, frames.constData(), frames.size()), frames.size());
    auto outcome = handled.get_future();
    ASSERT_EQ(outcome.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(outcome.get(), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(events, 1);
    ::close(server);
    ::close(listener);
}
