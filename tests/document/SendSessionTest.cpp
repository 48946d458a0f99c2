#include "document/SendSession.h"

#include "document/SendTexts.h"
#include "document/ServerClient.h"

#include "config/ConfigWriter.h"
#include "orvenet/sdk/ConnectivityServer.h"
#include "platform/com/ComPtr.h"
#include "platform/com/UnknownImpl.h"
#include "settings/StringIds.h"
#include "settings/TreeHelpers.h"
#include "support/FakeServer.h"
#include "support/TestApplication.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
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
        Strings().texts.insert(StringId::QuestionFileExists, u"%s: %s in %s"_qs);
        Strings().texts.insert(StringId::FileRefusedNoSuchDrive, u"No drive."_qs);
        Strings().texts.insert(StringId::FileRefusedName, u"No name."_qs);
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
    // The facility and severity do not matter; a server that went silent
    // cannot be reached.
    EXPECT_EQ(ServerErrorText(&texts.Application(), 0x12340186), u"T590."_qs);
    EXPECT_EQ(ServerErrorText(&texts.Application(), RPC_E_DISCONNECTED), u"T486."_qs);
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

    // A refused file ends with its phone path and says why.
    const CApplication *app = &texts.Application();
    const HRESULT refused = ServerFailure(ServerResult::FileNotTransferred);
    EXPECT_EQ(RefusedFileText(app, refused, FileRefusal::NoSuchDrive, u"E:\\a\\b.wav"_qs),
              u"T514. No drive.\r\nE:\\a\\b.wav"_qs);
    EXPECT_EQ(RefusedFileText(app, refused, FileRefusal::NameNotAllowed, u"C:\\..\\b"_qs),
              u"T514. No name.\r\nC:\\..\\b"_qs);
    EXPECT_EQ(RefusedFileText(app, refused, 0, u"C:\\b"_qs), u"T514.\r\nC:\\b"_qs);
    EXPECT_EQ(FileExistsQuestion(app, u"RingingTones"_qs, u"C:\\Tones\\a.wav"_qs),
              u"Ringing tones: a.wav in C:\\Tones\\"_qs);
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

TEST(SendTexts, CheckBeforeSendingNamesTheSettingItsItemAndWhyCutTo100)
{
    CSendTexts texts;
    texts.Strings().texts.insert(StringId::MsgItemSettingRefused, u"%s of %s: %s"_qs);
    texts.Strings().texts.insert(StringId::MsgSettingRefused, u"%s: %s"_qs);
    texts.Strings().texts.insert(StringId::MsgValueMissing, u"Missing."_qs);
    texts.Strings().texts.insert(StringId::MsgValueRefused, u"Bad %s."_qs);
    const CApplication *app = &texts.Application();
    CSettingNode *office = AddAccessPoint(texts.Root(), u"Office"_qs);
    const CSettingNode *failing = office;
    EXPECT_EQ(CheckBeforeSending(app, texts.Root(), &failing), QString());
    EXPECT_EQ(failing, nullptr);
    CSettingNode *phone = office->FindChild(IAPPhoneNumber);
    for (CSettingNode *node = phone; node->GetParent(); node = node->GetParent())
        node->SetInclude(1, 0);
    const QString start = phone->GetLabel(true) + u" of "_qs + office->GetLabel(true) + u": "_qs;
    ASSERT_TRUE(start.contains(u"Office"_qs)) << qPrintable(start);
    phone->SetValue(QString(101, u'x'));
    EXPECT_EQ(CheckBeforeSending(app, texts.Root(), &failing).toStdString(),
              (start + u"Bad "_qs + QString(100, u'x') + u"...."_qs).toStdString());
    EXPECT_EQ(failing, phone);
    phone->SetValue(QString(100, u'x'));
    EXPECT_EQ(CheckBeforeSending(app, texts.Root()),
              start + u"Bad "_qs + QString(100, u'x') + u"."_qs);
    phone->SetValue(QString());
    EXPECT_EQ(CheckBeforeSending(app, texts.Root()), start + u"Missing."_qs);
    office->SetInclude(0, 0);
    texts.Root()->FindChild(IAPSettings)->SetInclude(0, 0);
    EXPECT_EQ(CheckBeforeSending(app, texts.Root(), &failing), QString());
    EXPECT_EQ(failing, nullptr);
}

namespace {

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
    CreateComObject<CFakeServer>(nullptr, IID_IConnectivityServer, serverInterface.ReceiveVoid());
    auto *server = static_cast<CFakeServer *>(serverInterface.Get());
    CComPtr<ICallback> callback;
    CreateComObject<CNoCallback>(nullptr, IID_ICallback, callback.ReceiveVoid());
    {
        CServerClient client;
        ASSERT_EQ(client.Connect(server, callback.Get()), S_OK);
        EXPECT_EQ(server->Calls(),
                  (QStringList{u"name Provana User Interface"_qs, u"register"_qs}));
        EXPECT_NE(client.Token(), 0u);
        EXPECT_EQ(server->registered, client.Token());

        QString holder;
        EXPECT_EQ(client.Reserve(&holder), S_OK);
        server->reserveResult = ServerFailure(ServerResult::PhoneHeld);
        server->holder = u" Sync "_qs;
        EXPECT_EQ(client.Reserve(&holder), server->reserveResult);
        EXPECT_EQ(holder, u" Sync "_qs);

        // With the same keys the text sent is the text written, passwords too.
        const auto keys = [] {
            return std::uint16_t{0x1234};
        };
        EXPECT_EQ(client.Send(texts.Root(), u"/a/b.cfg"_qs, keys), S_OK);
        const QString expected = ConfigurationTextForSending(texts.Root(), keys);
        ASSERT_TRUE(expected.contains(u"Password>"_qs));
        EXPECT_EQ(server->configuration, expected);
        EXPECT_GT(server->appends, 1) << "a large configuration goes in pieces";
        EXPECT_EQ(server->path, u"/a/b.cfg"_qs);
        EXPECT_FALSE(server->Calls().contains(u"release"_qs));

        server->startResult = ServerFailure(0x186);
        EXPECT_EQ(client.Send(texts.Root(), {}), server->startResult);
        EXPECT_EQ(server->Calls().count(u"release"_qs), 1);
        server->startResult = S_OK;
        server->appendResult = ServerFailure(0x12);
        int appended = server->appends;
        EXPECT_EQ(client.Send(texts.Root(), {}), server->appendResult);
        EXPECT_EQ(server->appends, appended + 1) << "the stream stops at the refused piece";
        EXPECT_EQ(server->Calls().count(u"release"_qs), 2);

        // A cancel stops the text at the next piece, and nothing starts.
        server->appendResult = S_OK;
        std::atomic<bool> cancelled{true};
        const int starts = server->Calls().count(u"start"_qs);
        appended = server->appends;
        EXPECT_EQ(client.Send(texts.Root(), {}, RandomScrambleKey, &cancelled),
                  ServerFailure(ServerResult::Cancelled));
        EXPECT_EQ(server->appends, appended);
        EXPECT_EQ(server->Calls().count(u"start"_qs), starts);
        EXPECT_EQ(server->Calls().count(u"release"_qs), 3);
        client.Disconnect();
        EXPECT_EQ(server->Calls().last(), u"unregister"_qs);
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
    std::vector<SendOutcome> ended;
    std::optional<bool> connected;
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
    void Connected(bool made) override { connected = made; }
    void PhoneChanged(bool phone, const PhoneInfo &info) override
    {
        shown << QStringLiteral("phone %1 %2").arg(phone).arg(info.epocName);
    }
    void TransferEnded(const SendOutcome &outcome) override { ended.push_back(outcome); }
};

// The owner's thread of a session: the tasks its worker posts back run
// when the test waits for something.
class CTaskLoop
{
public:
    CSendSession::TaskPoster Poster()
    {
        return [this](std::function<void()> task) {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_tasks.push_back(std::move(task));
            m_posted.notify_one();
        };
    }
    // Runs tasks until done holds; false after a few seconds without.
    bool RunUntil(const std::function<bool()> &done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done()) {
            std::unique_lock<std::mutex> lock(m_mutex);
            // What the server was asked shows without a task: look again soon.
            if (!m_posted.wait_for(lock, std::chrono::milliseconds(10),
                                   [this] { return !m_tasks.empty(); })) {
                if (std::chrono::steady_clock::now() > deadline)
                    return done();
                continue;
            }
            std::function<void()> task = std::move(m_tasks.front());
            m_tasks.pop_front();
            lock.unlock();
            task();
        }
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_tasks;
};

class SendSessionTest : public ::testing::Test
{
protected:
    SendSessionTest()
    {
        CreateComObject<CFakeServer>(nullptr, IID_IConnectivityServer,
                                     m_serverInterface.ReceiveVoid());
        m_server = static_cast<CFakeServer *>(m_serverInterface.Get());
        m_server->phoneInfo = u"<EPOCName>Ann</EPOCName>"_qs;
        CreateComObject<CNoCallback>(nullptr, IID_ICallback, m_callback.ReceiveVoid());
        m_texts.Strings().texts.insert(StringId::SentSummary, u"Sent to %s: %s, %s"_qs);
        m_texts.Strings().texts.insert(StringId::CancelledPartlySent, u"Partly %s (%s) %s"_qs);
        m_texts.Strings().texts.insert(StringId::CancelledNothingSent, u"Nothing"_qs);
        m_texts.Strings().texts.insert(StringId::Cancelling, u"Cancelling..."_qs);
        m_session.Connect(Factory(), m_callback.Get());
        EXPECT_TRUE(m_loop.RunUntil([this] { return m_port.connected.has_value(); }));
    }
    CSendSession::ServerFactory Factory()
    {
        return [server = m_serverInterface](IConnectivityServer **made) {
            server->AddRef();
            *made = server.Get();
            return S_OK;
        };
    }
    // Starts a transfer and waits until the server has it.
    void Start()
    {
        const qsizetype starts = m_server->Calls().count(u"start"_qs);
        m_session.Start(m_texts.Root(), {});
        ASSERT_TRUE(m_session.IsTransferring());
        ASSERT_TRUE(Until([&] { return m_server->Calls().count(u"start"_qs) > starts; }));
    }
    bool Until(const std::function<bool()> &done) { return m_loop.RunUntil(done); }
    bool Called(const QString &call, qsizetype times = 1)
    {
        return Until([&] { return m_server->Calls().count(call) >= times; });
    }
    void Report(ServerReport::Kind kind, HRESULT result, const QString &name = {},
                const QString &text = {}, int32_t phase = 0, uint32_t number = 0)
    {
        m_session.Handle({kind, result, number, phase, 0, name, text});
    }
    void Progress(int32_t phase, const QString &text)
    {
        Report(ServerReport::Progress, S_OK, {}, text, phase);
    }
    void Question(const QString &name, const QString &file)
    {
        Report(ServerReport::Error, ServerFailure(ServerResult::FileExists), name, file, 0,
               QuestionAnswer::Skip | QuestionAnswer::Overwrite);
    }
    QStringList Answers() { return m_server->Calls().filter(u"answer"_qs); }

    CSendTexts m_texts;
    CRecordingPort m_port;
    CTaskLoop m_loop;
    CComPtr<IConnectivityServer> m_serverInterface;
    CFakeServer *m_server = nullptr;
    CComPtr<ICallback> m_callback;
    CSendSession m_session{&m_texts.Application(), m_port, m_loop.Poster()};
};

} // namespace

TEST_F(SendSessionTest, QuestionsKeepOneAnswerPerKindOfItemForOneTransfer)
{
    EXPECT_EQ(m_port.connected, true);
    EXPECT_EQ(m_port.shown, QStringList{u"phone 1 Ann"_qs});
    m_port.shown.clear();
    Start();
    Progress(TransferPhase::Preparing, {});
    EXPECT_TRUE(m_port.lastWaiting);
    m_session.Handle(
        {ServerReport::Progress, S_OK, 0, TransferPhase::CopyingFile, 40, {}, u"/a/ring.wav"_qs});
    EXPECT_FALSE(m_port.lastWaiting);
    EXPECT_EQ(m_port.shown.last(), u"progress Copying ring.wav 40"_qs);

    // Kept for the file categories of the configuration, not for other items.
    m_port.replies = {{QuestionAnswer::Overwrite, true},
                      {QuestionAnswer::Skip, false},
                      {QuestionAnswer::Cancel, true}};
    Question(u"RingingTones"_qs, u"C:\\Tones\\ring.wav"_qs);
    Question(u"RingingTones"_qs, u"C:\\Tones\\other.wav"_qs);
    Question(u"Other"_qs, u"C:\\a"_qs);
    Question(u"Other"_qs, u"C:\\b"_qs);
    Question(u"Other"_qs, u"C:\\c"_qs);
    ASSERT_EQ(m_port.asked.size(), 3u);
    EXPECT_EQ(m_port.asked[0].text, u"Ringing tones: ring.wav in C:\\Tones\\"_qs);
    EXPECT_EQ(m_port.asked[0].answers, uint32_t(QuestionAnswer::Skip | QuestionAnswer::Overwrite));
    EXPECT_TRUE(m_port.asked[0].knownItem);
    EXPECT_FALSE(m_port.asked[1].knownItem) << "RingingTone is no file category";
    EXPECT_EQ(m_port.asked[2].text, u"<error>: b in C:\\"_qs);
    ASSERT_TRUE(Called(u"answer 64"_qs, 2));
    EXPECT_EQ(Answers(), (QStringList{u"answer 8"_qs, u"answer 8"_qs, u"answer 4"_qs,
                                      u"answer 64"_qs, u"answer 64"_qs}));

    // Error reports are answered at once and said once: not again at the end.
    m_port.shown.clear();
    Report(ServerReport::Error, ServerFailure(0x204), u"RingingTones"_qs, u"bad"_qs);
    Report(ServerReport::Error, ServerFailure(0x153), u"Files"_qs, u"E:\\x.txt"_qs, 0,
           FileRefusal::NoSuchDrive);
    Report(ServerReport::Finished, ServerFailure(0x153));
    EXPECT_EQ(m_port.shown, (QStringList{u"Setting \"Ringing tones\" not valid:\nbad."_qs,
                                         u"T514. No drive.\r\nE:\\x.txt"_qs}));
    ASSERT_EQ(m_port.ended.size(), 1u);
    EXPECT_EQ(m_port.ended[0].result, ServerFailure(0x153));
    EXPECT_TRUE(m_port.ended[0].summary.isEmpty());
    EXPECT_FALSE(m_session.IsTransferring());
    ASSERT_TRUE(Called(u"release"_qs));
    EXPECT_EQ(Answers().last(), u"answer 4"_qs);

    // The next transfer starts with nothing kept.
    Start();
    m_port.asked.clear();
    m_port.replies = {{QuestionAnswer::Skip, false}};
    Question(u"RingingTones"_qs, u"ring.wav"_qs);
    EXPECT_EQ(m_port.asked.size(), 1u);
}

TEST_F(SendSessionTest, TheEndSaysWhatReachedThePhoneAndNotACancelTheUserAskedFor)
{
    CSettingNode *office = AddAccessPoint(m_texts.Root(), u"Office"_qs);
    for (CSettingNode *node = office; node->GetParent(); node = node->GetParent())
        node->SetInclude(1, 0);
    const int settings = CountMarkedSettings(m_texts.Root());
    ASSERT_GE(settings, 2);

    // A success counts every marked setting and the files that were not
    // skipped.
    Start();
    Progress(TransferPhase::SendingSetting, u"IAPSettings"_qs);
    Progress(TransferPhase::SendingSetting, u"FileTransfer"_qs);
    Progress(TransferPhase::CopyingFile, u"/a/one.wav"_qs);
    Progress(TransferPhase::CopyingFile, u"/a/two.wav"_qs);
    m_port.replies = {{QuestionAnswer::Skip, false}};
    Question(u"RingingTones"_qs, u"two.wav"_qs);
    Progress(TransferPhase::CopyingFile, u"/a/three.sis"_qs);
    Progress(TransferPhase::InstallingFile, u"/a/three.sis"_qs);
    Report(ServerReport::Finished, S_OK);
    ASSERT_EQ(m_port.ended.size(), 1u);
    EXPECT_EQ(m_port.ended[0].summary, QStringLiteral("Sent to Ann: %1, 2").arg(settings));

    // The end of a copy that fails names the file; reports after the end are
    // not the session's any more.
    Start();
    Progress(TransferPhase::CopyingFile, u"/a/tone.wav"_qs);
    m_port.shown.clear();
    Report(ServerReport::Finished, ServerFailure(0x157));
    EXPECT_EQ(m_port.shown, QStringList{u"T569.\r\ntone.wav"_qs});
    Report(ServerReport::Finished, ServerFailure(0x157));
    EXPECT_EQ(m_port.ended.size(), 2u);
    EXPECT_TRUE(m_port.ended[1].summary.isEmpty());

    // A cancel says which categories were done before it, and no message.
    Start();
    Progress(TransferPhase::SendingSetting, u"IAPSettings"_qs);
    Progress(TransferPhase::SendingSetting, u"EMailSettings"_qs);
    m_port.shown.clear();
    m_session.Cancel();
    m_session.Cancel();
    ASSERT_TRUE(Called(u"cancel"_qs));
    EXPECT_TRUE(m_port.lastWaiting);
    EXPECT_EQ(m_port.shown, QStringList{u"progress Cancelling 0"_qs});
    Report(ServerReport::Finished, ServerFailure(ServerResult::Cancelled));
    EXPECT_EQ(m_port.shown.size(), 1);
    ASSERT_EQ(m_port.ended.size(), 3u);
    EXPECT_TRUE(m_port.ended[2].cancelled);
    const int inAccessPoints = CountMarkedSettings(m_texts.Root()->FindChild(IAPSettings));
    EXPECT_EQ(m_port.ended[2].summary,
              QStringLiteral("Partly %1 (%2) 0")
                  .arg(inAccessPoints)
                  .arg(LabelOfSetting(&m_texts.Application(), u"IAPSettings"_qs)));
    m_session.Cancel();
    EXPECT_EQ(m_server->Calls().count(u"cancel"_qs), 1) << "nothing to cancel after the end";

    // The transfer ends while a question is open: it is not answered, and the
    // end is reported, even a cancel.
    Start();
    m_port.shown.clear();
    m_port.whileAsking = [this] {
        Report(ServerReport::Finished, ServerFailure(ServerResult::Cancelled));
    };
    const qsizetype answered = Answers().size();
    Question(u"RingingTones"_qs, u"ring.wav"_qs);
    EXPECT_EQ(m_port.shown, QStringList{u"T513."_qs});
    EXPECT_EQ(m_port.ended.back().summary, u"Nothing"_qs);
    // The worker's calls keep their order: what the session asked before
    // the next start has reached the server by then.
    Start();
    EXPECT_EQ(Answers().size(), answered);
}

TEST_F(SendSessionTest, StartAndConnectSayWhyTheyFail)
{
    m_port.shown.clear();
    Progress(TransferPhase::Preparing, {});
    EXPECT_TRUE(m_port.shown.isEmpty()) << "no progress before a start";

    m_server->reserveResult = ServerFailure(ServerResult::PhoneHeld);
    m_server->holder = u"Sync"_qs;
    m_session.Start(m_texts.Root(), {});
    ASSERT_TRUE(Until([this] { return m_port.ended.size() == 1; }));
    EXPECT_TRUE(m_port.ended[0].unreachable);
    m_server->reserveResult = S_OK;
    m_server->startResult = ServerFailure(0x186);
    m_session.Start(m_texts.Root(), {});
    ASSERT_TRUE(Until([this] { return m_port.ended.size() == 2; }));
    EXPECT_FALSE(m_session.IsTransferring());
    EXPECT_FALSE(m_port.ended[1].unreachable);
    EXPECT_FALSE(m_server->Calls().contains(u"cancel"_qs));
    EXPECT_EQ(
        m_port.shown,
        (QStringList{u"Another application (Sync) is using the phone. Close it."_qs, u"T590."_qs}));

    CRecordingPort port;
    {
        CSendSession unconnected(&m_texts.Application(), port, m_loop.Poster());
        unconnected.Connect([](IConnectivityServer **) { return E_FAIL; }, m_callback.Get());
        ASSERT_TRUE(Until([&] { return port.connected.has_value(); }));
        EXPECT_EQ(port.connected, false);
        EXPECT_EQ(port.shown, QStringList{u"T486"_qs});
        unconnected.Start(m_texts.Root(), {});
        EXPECT_FALSE(unconnected.IsTransferring());
    }
}

TEST_F(SendSessionTest, ASlowServerNeverHoldsTheOwnerAndACancelStopsTheText)
{
    for (int i = 0; i < 300; ++i)
        AddAccessPoint(m_texts.Root(), QStringLiteral("Point %1").arg(i))->SetInclude(1, 0);
    // The server takes the first piece and then stops answering.
    m_server->Stall(u"append"_qs);
    m_session.Start(m_texts.Root(), {});
    ASSERT_TRUE(Called(u"append"_qs));
    EXPECT_TRUE(m_session.IsTransferring());
    m_session.Cancel();
    EXPECT_EQ(m_port.shown.last(), u"progress Cancelling 0"_qs) << "said before the server answers";
    m_server->Resume();
    ASSERT_TRUE(Until([this] { return !m_port.ended.empty(); }));
    EXPECT_EQ(m_server->Calls().count(u"append"_qs), 1) << "no piece after the cancel";
    EXPECT_FALSE(m_server->Calls().contains(u"start"_qs));
    EXPECT_TRUE(m_server->Calls().contains(u"release"_qs));
    EXPECT_TRUE(m_port.ended[0].cancelled);
    EXPECT_EQ(m_port.ended[0].summary, u"Nothing"_qs);

    // A cancel while the last piece is on its way reaches the server once it
    // has started.
    m_server->Stall(u"start"_qs);
    m_session.Start(m_texts.Root(), {});
    ASSERT_TRUE(Called(u"start"_qs));
    m_session.Cancel();
    m_server->Resume();
    ASSERT_TRUE(Called(u"cancel"_qs));
    EXPECT_TRUE(m_session.IsTransferring()) << "until the server ends it";
}
