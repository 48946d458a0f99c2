#include "document/SendSession.h"

#include "document/SendTexts.h"
#include "document/ServerClient.h"

#include "config/ConfigWriter.h"
#include "orvenet/sdk/ConnectivityServer.h"
#include "platform/com/ComPtr.h"
#include "platform/com/TextBuffer.h"
#include "platform/com/UnknownImpl.h"
#include "settings/StringIds.h"
#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

using namespace NodeType;

namespace {

// Every text is "T" and its identifier, so that the table's choice shows;
// the formats the rules fill in are given their own texts.
class CSendTexts : public CTestTree
{
public:
    CSendTexts()
    {
        for (unsigned id : {486u, 489u, 495u, 513u, 514u, 521u, 566u, 567u, 569u, 570u, 571u, 575u,
                            576u, 578u, 581u, 582u, 583u, 590u, 594u, 614u, 615u, 616u, 617u, 621u})
            Strings().texts.insert(id, QStringLiteral("T%1").arg(id));
        Strings().texts.insert(StringId::MsgSettingNotValid, u"Setting \"%s\" not valid:\n%s"_qs);
        Strings().texts.insert(StringId::MsgPhoneHeld,
                               u"Another application (%s) is using the phone. Close it."_qs);
        Strings().texts.insert(StringId::SendingSetting, u"Sending %s..."_qs);
        Strings().texts.insert(StringId::CopyingFile, u"Copying %s..."_qs);
        Strings().texts.insert(StringId::InstallingFile, u"Installing %s"_qs);
        Strings().texts.insert(StringId::QuestionAboutItem, u"%s:\n%s"_qs);
        Strings().texts.insert(552, u"Ringing tones"_qs);
    }
    QString Error(uint32_t code, const QString &label = {}, const QString &text = {},
                  int32_t phase = 0, const QString &lastText = {})
    {
        return ServerErrorText(&Application(), ServerFailure(code), label, text, phase, lastText);
    }
};

} // namespace

TEST(SendTexts, ServerResultsPickTheirMessageByTheLowSixteenBits)
{
    CSendTexts texts;
    const std::pair<uint32_t, unsigned> table[] = {
        {1, 486},     {6, 486},     {7, 575},     {0x11, 578},  {0x12, 486},  {0x13, 486},
        {0x14, 575},  {0x20, 575},  {0x21, 486},  {0x29, 486},  {0x2A, 575},  {0xA1, 575},
        {0xA2, 576},  {0xA3, 582},  {0xA4, 583},  {0xA8, 583},  {0xA9, 575},  {0x101, 513},
        {0x102, 521}, {0x131, 486}, {0x132, 486}, {0x151, 514}, {0x152, 566}, {0x153, 514},
        {0x155, 514}, {0x156, 567}, {0x157, 569}, {0x158, 594}, {0x181, 570}, {0x182, 571},
        {0x183, 486}, {0x185, 486}, {0x186, 590}, {0x191, 614}, {0x192, 615}, {0x193, 616},
        {0x194, 621}, {0x211, 594}, {0x999, 575},
    };
    for (const auto &[code, label] : table)
        EXPECT_EQ(texts.Error(code), QStringLiteral("T%1.").arg(label)) << std::hex << code;
    // The facility and severity do not matter.
    EXPECT_EQ(ServerErrorText(&texts.Application(), 0x12340186), u"T590."_qs);
}

TEST(SendTexts, RejectedSettingsTheFinalDotAndTheFileBeingCopied)
{
    CSendTexts texts;
    const QString longLabel(120, u'L');
    EXPECT_EQ(texts.Error(0x204, u"Port"_qs, u"too big"_qs),
              u"Setting \"Port\" not valid:\ntoo big."_qs);
    EXPECT_EQ(texts.Error(0x204, longLabel, u"x."_qs),
              u"Setting \""_qs + QString(100, u'L') + u"...\" not valid:\nx."_qs);
    EXPECT_EQ(texts.Error(0x204), u"T617."_qs);
    // Trailing white space goes before the dot is added.
    texts.Strings().texts.insert(575, u"Failed.  \n"_qs);
    EXPECT_EQ(texts.Error(0xA1), u"Failed."_qs);

    const QString file = u"/home/ann/tones/ring.wav"_qs;
    for (uint32_t code : {0x156u, 0x157u, 0x158u, 0x211u})
        EXPECT_TRUE(texts.Error(code, {}, {}, 3, file).endsWith(u".\r\nring.wav"_qs)) << code;
    EXPECT_EQ(texts.Error(0x156, {}, {}, 3, u"C:\\x\\tone.wav"_qs), u"T567.\r\ntone.wav"_qs);
    EXPECT_EQ(texts.Error(0x156, {}, {}, 2, file), u"T567."_qs);
    EXPECT_EQ(texts.Error(0x156, {}, {}, 3, {}), u"T567."_qs);
    EXPECT_EQ(texts.Error(0x152, {}, {}, 3, file), u"T566."_qs);
}

TEST(SendTexts, HolderPhoneFieldsAndProgress)
{
    CSendTexts texts;
    const CApplication *app = &texts.Application();
    EXPECT_EQ(PhoneHeldText(app, u"  Sync Tool "_qs),
              u"Another application (Sync Tool) is using the phone. Close it."_qs);
    EXPECT_EQ(PhoneHeldText(app, u" "_qs), u"Another application is using the phone. Close it."_qs);

    const PhoneInfo info = ParsePhoneInfo(
        u"<EPOCName> Ann's phone </EPOCName><IMEI>4901</IMEI <PhoneNumber>+358 40</PhoneNumber>"_qs);
    EXPECT_EQ(info.epocName, u"Ann's phone"_qs);
    EXPECT_EQ(info.imei, QString());
    EXPECT_EQ(info.phoneNumber, u"+358 40"_qs);
    EXPECT_EQ(ParsePhoneInfo(u"</IMEI><IMEI>1"_qs).imei, QString());
    EXPECT_EQ(PhoneFieldText(app, info.epocName), u" Ann's phone"_qs);
    EXPECT_EQ(PhoneFieldText(app, info.imei), u" T489"_qs);

    EXPECT_EQ(ProgressStatus(app, 1, {}), u"T581"_qs);
    EXPECT_EQ(ProgressStatus(app, 2, u"FileTransfer"_qs), u"Sending <error>"_qs);
    EXPECT_EQ(ProgressStatus(app, 2, u"RingingTones"_qs), u"Sending Ringing tones"_qs);
    EXPECT_EQ(ProgressStatus(app, 3, u"/tmp/a b/ring.wav"_qs), u"Copying ring.wav"_qs);
    EXPECT_EQ(ProgressStatus(app, 4, u"C:\\Installs\\game.sis"_qs), u"Installing game.sis"_qs);
    EXPECT_EQ(ProgressStatus(app, 7, u"x"_qs), u"T495"_qs);
}

TEST(SendTexts, CheckBeforeSendingNamesTheFirstIncludedFailureCutTo100)
{
    CSendTexts texts;
    CSettingNode *office = AddAccessPoint(texts.Root(), u"Office"_qs);
    EXPECT_EQ(CheckBeforeSending(&texts.Application(), texts.Root()), QString());
    CSettingNode *phone = office->FindChild(IAPPhoneNumber);
    for (CSettingNode *node = phone; node->GetParent(); node = node->GetParent())
        node->SetInclude(1, 0);
    const QString start = u"Setting \""_qs + phone->GetLabel(true) + u"\" not valid:\n"_qs;
    phone->SetValue(QString(101, u'x'));
    EXPECT_EQ(CheckBeforeSending(&texts.Application(), texts.Root()),
              start + QString(100, u'x') + u"..."_qs);
    phone->SetValue(QString(100, u'x'));
    EXPECT_EQ(CheckBeforeSending(&texts.Application(), texts.Root()), start + QString(100, u'x'));
    office->SetInclude(0, 0);
    texts.Root()->FindChild(IAPSettings)->SetInclude(0, 0);
    EXPECT_EQ(CheckBeforeSending(&texts.Application(), texts.Root()), QString());
}

namespace {

// Records what a client asks of the server.
class CRecordingServer final : public CUnknownImpl<IConnectivityServer>
{
public:
    QString name;
    uint32_t registered = 0;
    uint32_t unregistered = 0;
    QString text;
    QString path;
    HRESULT reserveResult = S_OK;
    HRESULT appendResult = S_OK;
    HRESULT startResult = S_OK;
    QString holder;
    int appends = 0;
    int releases = 0;
    int cancels = 0;
    std::vector<int32_t> answers;
    bool started = false;

    HRESULT SetClientName(const char16_t *clientName) override
    {
        name = QString::fromUtf16(clientName);
        return S_OK;
    }
    HRESULT RegisterCallback(ICallback *, uint32_t token) override
    {
        registered = token;
        return S_OK;
    }
    HRESULT UnregisterCallback(uint32_t token) override
    {
        unregistered = token;
        return S_OK;
    }
    HRESULT GetConnectionState(uint32_t *flags) override
    {
        *flags = ConnectionState::Connected;
        return S_OK;
    }
    HRESULT GetPhoneInfo(char16_t *buffer, uint32_t size, uint32_t *length) override
    {
        return CopyTextToBuffer(u"", 0, buffer, size, length);
    }
    HRESULT GetHolderName(char16_t *buffer, uint32_t size, uint32_t *length) override
    {
        return CopyTextToBuffer(reinterpret_cast<const char16_t *>(holder.utf16()),
                                uint32_t(holder.size()), buffer, size, length);
    }
    HRESULT ReservePhone() override { return reserveResult; }
    HRESULT ReleasePhone() override
    {
        ++releases;
        return S_OK;
    }
    HRESULT CancelTransfer() override
    {
        ++cancels;
        return S_OK;
    }
    HRESULT AnswerQuestion(int32_t answer) override
    {
        answers.push_back(answer);
        return S_OK;
    }
    HRESULT SetConfiguration(const char16_t *configuration, const char16_t *filePath) override
    {
        text = QString::fromUtf16(configuration);
        path = QString::fromUtf16(filePath);
        return S_OK;
    }
    HRESULT StartTransfer() override
    {
        started = true;
        return startResult;
    }
    HRESULT AppendConfiguration(const char16_t *piece, uint32_t length) override
    {
        ++appends;
        text += QStringView(piece, length);
        return appendResult;
    }
};

class CNoCallback final : public CUnknownImpl<ICallback>
{
public:
    HRESULT OnStateChanged(uint32_t) override { return S_OK; }
    HRESULT OnError(HRESULT, uint32_t, const char16_t *, const char16_t *) override { return S_OK; }
    HRESULT OnProgress(int32_t, const char16_t *, int32_t) override { return S_OK; }
    HRESULT OnFinished(HRESULT) override { return S_OK; }
};

} // namespace

TEST(ServerClient, ConnectsReservesAndStreamsTheConfigurationAsItIsSent)
{
    CSendTexts texts;
    for (int i = 0; i < 400; ++i)
        AddAccessPoint(texts.Root(), QStringLiteral("Point %1").arg(i))->SetInclude(1, 0);
    CComPtr<IConnectivityServer> serverInterface;
    CreateComObject<CRecordingServer>(nullptr, IID_IConnectivityServer,
                                      serverInterface.ReceiveVoid());
    auto *server = static_cast<CRecordingServer *>(serverInterface.Get());
    CComPtr<ICallback> callback;
    CreateComObject<CNoCallback>(nullptr, IID_ICallback, callback.ReceiveVoid());
    {
        CServerClient client;
        ASSERT_EQ(client.Connect(server, callback.Get()), S_OK);
        EXPECT_EQ(server->name, u"Provana User Interface"_qs);
        EXPECT_NE(client.Token(), 0u);
        EXPECT_EQ(server->registered, client.Token());

        EXPECT_EQ(client.Reserve(&texts.Application()), QString());
        server->reserveResult = ServerFailure(ServerResult::PhoneHeld);
        server->holder = u" Sync "_qs;
        EXPECT_EQ(client.Reserve(&texts.Application()),
                  u"Another application (Sync) is using the phone. Close it."_qs);
        server->reserveResult = ServerFailure(0xA2);
        EXPECT_EQ(client.Reserve(&texts.Application()), u"T576."_qs);

        // With the same keys the text sent is the text written, passwords too.
        const auto keys = [] {
            return std::uint16_t{0x1234};
        };
        EXPECT_EQ(client.Send(texts.Root(), u"/a/b.cfg"_qs, keys), S_OK);
        const QString expected = ConfigurationTextForSending(texts.Root(), keys);
        ASSERT_TRUE(expected.contains(u"Password>"_qs));
        EXPECT_EQ(server->text, expected);
        EXPECT_GT(server->appends, 1) << "a large configuration goes in pieces";
        EXPECT_EQ(server->path, u"/a/b.cfg"_qs);
        EXPECT_EQ(server->releases, 0);

        server->startResult = ServerFailure(0x186);
        EXPECT_EQ(client.Send(texts.Root(), {}), server->startResult);
        EXPECT_EQ(server->releases, 1);
        server->started = false;
        server->appendResult = ServerFailure(0x12);
        const int appended = server->appends;
        EXPECT_EQ(client.Send(texts.Root(), {}), server->appendResult);
        EXPECT_EQ(server->appends, appended + 1) << "the stream stops at the refused piece";
        EXPECT_FALSE(server->started);
        EXPECT_EQ(server->releases, 2);
        const uint32_t token = client.Token();
        client.Disconnect();
        EXPECT_EQ(server->unregistered, token);
        EXPECT_EQ(client.Token(), 0u);
    }
}

namespace {

// Records what a session shows; answers questions from a list, and runs a
// step while a question is open, as the dialog's event loop would.
class CRecordingPort final : public ISendSessionPort
{
public:
    QStringList shown;
    std::vector<SendQuestion> asked;
    std::vector<SendReply> replies;
    std::function<void()> whileAsking;
    std::vector<HRESULT> ended;
    bool lastWaiting = false;

    void ShowProgress(const QString &status, int percentage, bool waiting) override
    {
        shown << QStringLiteral("progress %1 %2").arg(status).arg(percentage);
        lastWaiting = waiting;
    }
    std::optional<SendReply> Ask(const SendQuestion &question) override
    {
        asked.push_back(question);
        if (whileAsking) {
            std::exchange(whileAsking, nullptr)();
            return SendReply{QuestionAnswer::Overwrite, true};
        }
        if (replies.empty())
            return std::nullopt;
        const SendReply reply = replies.front();
        replies.erase(replies.begin());
        return reply;
    }
    void ShowMessage(const QString &text) override { shown << text; }
    void PhoneChanged(bool connected) override
    {
        shown << QStringLiteral("phone %1").arg(connected);
    }
    void TransferEnded(HRESULT result) override { ended.push_back(result); }
};

class SendSessionTest : public ::testing::Test
{
protected:
    SendSessionTest()
    {
        CreateComObject<CRecordingServer>(nullptr, IID_IConnectivityServer,
                                          m_serverInterface.ReceiveVoid());
        m_server = static_cast<CRecordingServer *>(m_serverInterface.Get());
        CreateComObject<CNoCallback>(nullptr, IID_ICallback, m_callback.ReceiveVoid());
        EXPECT_TRUE(m_session.Connect(m_server, m_callback.Get()));
    }
    void Start()
    {
        ASSERT_EQ(m_session.Start(m_texts.Root(), {}), CSendSession::StartResult::Started);
    }
    void Report(ServerReport::Kind kind, HRESULT result, const QString &name = {},
                const QString &text = {}, int32_t phase = 0, uint32_t number = 0)
    {
        m_session.Handle({kind, result, number, phase, 0, name, text});
    }
    void Question(const QString &name, const QString &file)
    {
        Report(ServerReport::Error, ServerFailure(ServerResult::FileExists), name, file, 0,
               QuestionAnswer::Skip | QuestionAnswer::Overwrite);
    }

    CSendTexts m_texts;
    CRecordingPort m_port;
    CSendSession m_session{&m_texts.Application(), m_port};
    CComPtr<IConnectivityServer> m_serverInterface;
    CRecordingServer *m_server = nullptr;
    CComPtr<ICallback> m_callback;
};

} // namespace

TEST_F(SendSessionTest, QuestionsKeepOneAnswerPerKindOfItemForOneTransfer)
{
    Start();
    m_session.Handle({ServerReport::Progress, S_OK, 0, TransferPhase::Preparing, 0, {}, {}});
    EXPECT_TRUE(m_port.lastWaiting);
    m_session.Handle(
        {ServerReport::Progress, S_OK, 0, TransferPhase::CopyingFile, 40, {}, u"/a/ring.wav"_qs});
    EXPECT_FALSE(m_port.lastWaiting);
    EXPECT_EQ(m_port.shown,
              (QStringList{u"progress T581 0"_qs, u"progress Copying ring.wav 40"_qs}));

    // Kept for the file categories of the configuration, not for other items.
    m_port.replies = {{QuestionAnswer::Overwrite, true},
                      {QuestionAnswer::Skip, false},
                      {QuestionAnswer::Cancel, true}};
    Question(u"RingingTones"_qs, u"ring.wav"_qs);
    Question(u"RingingTones"_qs, u"other.wav"_qs);
    Question(u"Other"_qs, u"a"_qs);
    Question(u"Other"_qs, u"b"_qs);
    Question(u"Other"_qs, u"c"_qs);
    ASSERT_EQ(m_port.asked.size(), 3u);
    EXPECT_EQ(m_port.asked[0].text, u"Ringing tones:\nring.wav"_qs);
    EXPECT_EQ(m_port.asked[0].answers, uint32_t(QuestionAnswer::Skip | QuestionAnswer::Overwrite));
    EXPECT_TRUE(m_port.asked[0].knownItem);
    EXPECT_FALSE(m_port.asked[1].knownItem) << "RingingTone is no file category";
    EXPECT_EQ(m_port.asked[2].text, u"<error>:\nb"_qs);
    EXPECT_EQ(m_server->answers,
              (std::vector<int32_t>{QuestionAnswer::Overwrite, QuestionAnswer::Overwrite,
                                    QuestionAnswer::Skip, QuestionAnswer::Cancel,
                                    QuestionAnswer::Cancel}));

    // Error reports are answered at once and said once: not again at the end.
    m_port.shown.clear();
    Report(ServerReport::Error, ServerFailure(0x204), u"RingingTones"_qs, u"bad"_qs);
    EXPECT_EQ(m_server->answers.back(), CSendSession::kErrorAnswer);
    Report(ServerReport::Finished, ServerFailure(0x153));
    EXPECT_EQ(m_port.shown, QStringList{u"Setting \"Ringing tones\" not valid:\nbad."_qs});
    EXPECT_EQ(m_port.ended, std::vector<HRESULT>{ServerFailure(0x153)});
    EXPECT_EQ(m_server->releases, 1);
    EXPECT_FALSE(m_session.IsTransferring());

    // The next transfer starts with nothing kept.
    Start();
    m_port.asked.clear();
    m_port.replies = {{QuestionAnswer::Skip, false}};
    Question(u"RingingTones"_qs, u"ring.wav"_qs);
    EXPECT_EQ(m_port.asked.size(), 1u);
}

TEST_F(SendSessionTest, TheEndReportsWhatWasNotSaidAndNotACancelTheUserAskedFor)
{
    Start();
    Report(ServerReport::Progress, S_OK, {}, u"/a/tone.wav"_qs, TransferPhase::CopyingFile);
    m_port.shown.clear();
    Report(ServerReport::Finished, ServerFailure(0x157));
    EXPECT_EQ(m_port.shown, QStringList{u"T569.\r\ntone.wav"_qs});
    // Reports after the end are not the session's any more.
    Report(ServerReport::Finished, ServerFailure(0x157));
    EXPECT_EQ(m_port.ended.size(), 1u);

    m_texts.Strings().texts.insert(StringId::Cancelling, u"Cancelling..."_qs);
    Start();
    m_port.shown.clear();
    m_session.Cancel();
    m_session.Cancel();
    EXPECT_EQ(m_server->cancels, 1);
    EXPECT_TRUE(m_port.lastWaiting);
    EXPECT_EQ(m_port.shown, QStringList{u"progress Cancelling 0"_qs});
    Report(ServerReport::Finished, ServerFailure(ServerResult::Cancelled));
    EXPECT_EQ(m_port.shown.size(), 1);
    Report(ServerReport::Finished, S_OK);
    m_session.Cancel();
    EXPECT_EQ(m_server->cancels, 1) << "nothing to cancel after the end";

    // The transfer ends while a question is open: it is not answered, and the
    // end is reported, even a cancel.
    Start();
    m_port.shown.clear();
    m_port.whileAsking = [this] {
        Report(ServerReport::Finished, ServerFailure(ServerResult::Cancelled));
    };
    const size_t answered = m_server->answers.size();
    Question(u"RingingTones"_qs, u"ring.wav"_qs);
    EXPECT_EQ(m_server->answers.size(), answered);
    EXPECT_EQ(m_port.shown, QStringList{u"T513."_qs});
    EXPECT_EQ(m_port.ended.back(), ServerFailure(ServerResult::Cancelled));
}

TEST_F(SendSessionTest, StartAndConnectSayWhyTheyFail)
{
    Report(ServerReport::StateChanged, S_OK, {}, {}, 0, 0);
    Report(ServerReport::Progress, S_OK, {}, {}, TransferPhase::Preparing);
    EXPECT_EQ(m_port.shown, QStringList{u"phone 0"_qs}) << "no progress before a start";
    EXPECT_TRUE(m_session.IsPhoneConnected());
    m_port.shown.clear();

    m_server->reserveResult = ServerFailure(ServerResult::PhoneHeld);
    m_server->holder = u"Sync"_qs;
    EXPECT_EQ(m_session.Start(m_texts.Root(), {}), CSendSession::StartResult::NotReserved);
    EXPECT_FALSE(m_server->started);
    m_server->reserveResult = S_OK;
    m_server->startResult = ServerFailure(0x186);
    EXPECT_EQ(m_session.Start(m_texts.Root(), {}), CSendSession::StartResult::Failed);
    EXPECT_FALSE(m_session.IsTransferring());
    EXPECT_EQ(
        m_port.shown,
        (QStringList{u"Another application (Sync) is using the phone. Close it."_qs, u"T590."_qs}));

    CSendSession unconnected(&m_texts.Application(), m_port);
    EXPECT_FALSE(unconnected.Connect(nullptr, m_callback.Get()));
    EXPECT_EQ(m_port.shown.last(), u"T486"_qs);
    EXPECT_FALSE(unconnected.IsPhoneConnected());
    EXPECT_EQ(unconnected.Start(m_texts.Root(), {}), CSendSession::StartResult::Failed);
}
