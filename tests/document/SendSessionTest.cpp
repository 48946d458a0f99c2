#include "document/SendSession.h"

#include "config/ConfigWriter.h"
#include "orvenet/sdk/ConnectivityServer.h"
#include "platform/com/ComPtr.h"
#include "platform/com/TextBuffer.h"
#include "platform/com/UnknownImpl.h"
#include "settings/StringIds.h"
#include "settings/TreeHelpers.h"
#include "support/TestApplication.h"

#include <QRegularExpression>

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

TEST(SendTransfer, QuestionsKeepOneAnswerPerKindAndTheEndReportsOnlyWhatWasNotSaid)
{
    CSendTexts texts;
    CSendTransfer transfer(&texts.Application());
    EXPECT_TRUE(CSendTransfer::IsQuestion(ServerFailure(0x201)));
    EXPECT_TRUE(CSendTransfer::IsQuestion(ServerFailure(0x203)));
    EXPECT_FALSE(CSendTransfer::IsQuestion(ServerFailure(0x202)));
    EXPECT_TRUE(CSendTransfer::IsKnownItem(texts.Root(), u"RingingTones"_qs));
    EXPECT_FALSE(CSendTransfer::IsKnownItem(texts.Root(), u"RingingTone"_qs));
    EXPECT_FALSE(CSendTransfer::IsKnownItem(texts.Root(), u"IAPSettings"_qs));
    EXPECT_EQ(transfer.QuestionText(u"RingingTones"_qs, u"ring.wav"_qs),
              u"Ringing tones:\nring.wav"_qs);

    transfer.KeepAnswer(true, QuestionAnswer::Overwrite);
    EXPECT_EQ(transfer.KeptAnswer(true), QuestionAnswer::Overwrite);
    EXPECT_FALSE(transfer.KeptAnswer(false));
    transfer.KeepAnswer(false, QuestionAnswer::Skip);
    EXPECT_EQ(transfer.KeptAnswer(true), QuestionAnswer::Overwrite);

    const HRESULT cancelled = ServerFailure(ServerResult::Cancelled);
    EXPECT_EQ(transfer.FinishedReport(S_OK, false), QString());
    EXPECT_EQ(transfer.FinishedReport(cancelled, false), QString());
    EXPECT_EQ(transfer.FinishedReport(cancelled, true), u"T513."_qs);
    transfer.Progress(3, u"/a/tone.wav"_qs);
    EXPECT_EQ(transfer.FinishedReport(ServerFailure(0x157), false), u"T569.\r\ntone.wav"_qs);
    EXPECT_EQ(transfer.ErrorReport(ServerFailure(0x204), u"RingingTones"_qs, u"bad"_qs),
              u"Setting \"Ringing tones\" not valid:\nbad."_qs);
    EXPECT_EQ(transfer.FinishedReport(ServerFailure(0x153), false), QString());

    transfer.Reset();
    EXPECT_FALSE(transfer.KeptAnswer(true));
    EXPECT_EQ(transfer.LastPhase(), 0);
    EXPECT_EQ(transfer.FinishedReport(ServerFailure(0x153), false), u"T514."_qs);
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
    HRESULT CancelTransfer() override { return S_OK; }
    HRESULT AnswerQuestion(int32_t) override { return S_OK; }
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

        EXPECT_EQ(client.Send(texts.Root(), u"/a/b.cfg"_qs), S_OK);
        // Scrambled passwords differ from one writing to the next.
        static const QRegularExpression password(u"<Password>[^<]*</Password>"_qs);
        const QString expected = ConfigurationTextForSending(texts.Root());
        EXPECT_EQ(QString(server->text).replace(password, {}),
                  QString(expected).replace(password, {}));
        EXPECT_EQ(server->text.size(), expected.size());
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
