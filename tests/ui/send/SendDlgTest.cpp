#include "ui/send/SendDlg.h"

#include "config/ConfigWriter.h"
#include "document/IncludeToggle.h"
#include "orvenet/sdk/ConnectivityServer.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/TreeHelpers.h"
#include "support/EnglishTexts.h"
#include "support/FakeServer.h"
#include "support/ModalAnswers.h"
#include "support/QtPrinters.h"
#include "ui/dialogs/QuestionDlg.h"
#include "ui/send/CallbackImpl.h"
#include "ui/send/SendProgressDlg.h"
#include "ui/send/ViewSending.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <functional>

namespace {

HRESULT Failure(uint32_t code)
{
    return MAKE_HRESULT(1, 4, code);
}

class SendDlgTest : public ::testing::Test
{
protected:
    SendDlgTest()
        : m_server(new CFakeServer)
        , m_callback(new CCallbackImpl)
    {
        // Both live as long as the test holds them.
        m_server->AddRef();
        m_callback->AddRef();
        m_root = m_texts.Root();
    }
    ~SendDlgTest() override
    {
        m_server->Release();
        m_callback->Release();
    }
    std::unique_ptr<CSendDlg> MakeDialog()
    {
        auto dialog = std::make_unique<CSendDlg>(m_texts.Application(), m_root, "/home/ann/a.xml",
                                                 *m_callback);
        dialog->SetServerFactory([this](IConnectivityServer **server) {
            m_server->AddRef();
            *server = m_server;
            return S_OK;
        });
        return dialog;
    }
    // Runs the dialog; handle runs while it is open, once it is connected.
    int Run(CSendDlg &dialog, std::function<void()> handle)
    {
        QTimer::singleShot(0, [this, &dialog, handle] {
            EXPECT_TRUE(QTest::qWaitFor([this] { return m_server->callback != nullptr; }));
            QTest::qWait(20);
            handle();
            if (dialog.isVisible())
                dialog.reject();
        });
        return dialog.Run();
    }

    CEnglishTexts m_texts{true};
    CRecordingMessages &m_messages = m_texts.Messages();
    CSettingNode *m_root;
    CFakeServer *m_server;
    CCallbackImpl *m_callback;
    CModalAnswers m_answers;
};

} // namespace

TEST_F(SendDlgTest, AServerThatCannotBeReachedClosesTheDialogAtOnce)
{
    auto dialog = MakeDialog();
    dialog->SetServerFactory([](IConnectivityServer **) { return E_FAIL; });
    EXPECT_EQ(dialog->Run(), QDialog::Rejected);
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_TRUE(m_messages.shown[0].startsWith("Cannot connect to the connectivity server"));
}

TEST_F(SendDlgTest, PhoneFieldsFollowTheConnection)
{
    m_server->phoneInfo = "<EPOCName> Ann's phone </EPOCName><IMEI>3520<PhoneNumber>+358 40 1234"
                          "</PhoneNumber>";
    auto dialog = MakeDialog();
    QStringList shown;
    Run(*dialog, [&] {
        shown << dialog->PhoneField(0) << dialog->PhoneField(1) << dialog->PhoneField(2);
        EXPECT_TRUE(dialog->IsSendEnabled());
        // The phone goes away: the server says so through the callback.
        m_server->callback->OnStateChanged(0);
        QCoreApplication::sendPostedEvents(dialog.get());
        shown << dialog->PhoneField(0);
        EXPECT_FALSE(dialog->IsSendEnabled());
    });
    EXPECT_EQ(shown,
              (QStringList{" Ann's phone", " Not available", " +358 40 1234", " Not available"}));
    EXPECT_EQ(m_server->Calls().mid(0, 2),
              (QStringList{"name Provana User Interface", "register"}));
    dialog.reset();
    EXPECT_EQ(m_server->Calls().last(), "unregister");
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

TEST_F(SendDlgTest, APhoneHeldElsewhereIsNamed)
{
    m_server->reserveResult = Failure(ServerResult::PhoneHeld);
    m_server->holder = "  Suite Sync ";
    auto dialog = MakeDialog();
    Run(*dialog, [&] {
        dialog->Send();
        EXPECT_TRUE(QTest::qWaitFor([this] { return !m_messages.shown.isEmpty(); }));
    });
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_EQ(m_messages.shown[0],
              "Another application (Suite Sync) is using the phone. Close it and try again.");
    EXPECT_FALSE(m_server->Calls().contains("start"));
}

TEST_F(SendDlgTest, ATransferReportsProgressAsksAndEnds)
{
    AddAccessPoint(m_root, "Office");
    auto dialog = MakeDialog();
    QStringList statuses;
    const auto callback = [this] {
        return m_server->callback;
    };
    m_server->script << [&] {
        callback()->OnProgress(TransferPhase::SendingSetting, u"IAPSettings", 40);
        QCoreApplication::sendPostedEvents(dialog.get());
        statuses << dialog->Progress()->Status() + QString::number(dialog->Progress()->Position());
        EXPECT_FALSE(dialog->isVisible());
        // A file already on the phone: asked once, the answer kept.
        m_answers.Expect<CQuestionDlg>([](CQuestionDlg *question) {
            question->findChild<QCheckBox *>()->setChecked(true);
            QTest::mouseClick(question->findChild<QPushButton *>("id273"), Qt::LeftButton);
        });
        callback()->OnError(Failure(0x201), 4 + 8 + 32 + 64, u"RingingTones", u"tone.wav");
    };
    m_server->script << [&] {
        callback()->OnError(Failure(0x201), 4 + 8 + 32 + 64, u"RingingTones", u"other.wav");
    };
    m_server->script << [&] {
        callback()->OnProgress(TransferPhase::CopyingFile, u"C:\\Sounds\\tone.wav", 90);
        callback()->OnFinished(S_OK);
    };
    QString outcome;
    Run(*dialog, [&] {
        dialog->Send();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->Outcome().isEmpty(); }));
        outcome = dialog->Outcome();
        EXPECT_TRUE(dialog->isVisible());
    });
    EXPECT_EQ(statuses, QStringList{"Sending Internet access points...40"});
    EXPECT_EQ(m_answers.Answered(), 1);
    EXPECT_EQ(m_server->answers, (QList<int32_t>{CQuestionDlg::Replace, CQuestionDlg::Replace}));
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_server->Calls().contains("release"); }));
    EXPECT_EQ(outcome, QStringLiteral("Sent to Ann's phone: %1 settings, 1 files")
                           .arg(CountMarkedSettings(m_root)));
    EXPECT_TRUE(m_server->configuration.contains("<ConnectionName>Office</ConnectionName>"))
        << m_server->configuration.left(400).toStdString();
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

TEST_F(SendDlgTest, CancelInTheProgressReachesTheServerAndAnErrorItsMessageBox)
{
    auto dialog = MakeDialog();
    m_server->script << [&] {
        m_server->callback->OnError(Failure(ServerResult::FileNotFound), 0, u"SISFiles",
                                    u"app.sis");
    };
    m_server->script << [&] {
        dialog->Progress()->reject();
        EXPECT_EQ(dialog->Progress()->Status(), "Cancelling...");
        EXPECT_TRUE(QTest::qWaitFor([this] { return m_server->Calls().contains("cancel"); }));
        m_server->callback->OnFinished(Failure(ServerResult::Cancelled));
    };
    QString outcome;
    Run(*dialog, [&] {
        dialog->Send();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->Outcome().isEmpty(); }));
        outcome = dialog->Outcome();
    });
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_EQ(m_server->answers, QList<int32_t>{4});
    EXPECT_EQ(outcome, "Cancelled. Nothing had reached the phone.");
}

namespace {

struct CPaintCounter : QObject
{
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

TEST(SendProgressDlg, PulsesWhileWaiting)
{
    CEnglishTexts texts;
    CSendProgressDlg progress(texts.Application());
    EXPECT_TRUE(progress.IsWaiting());
    progress.show();
    auto *bar = progress.findChild<QProgressBar *>();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&progress));
    QTest::qWait(50);
    CPaintCounter counter;
    bar->installEventFilter(&counter);
    QTest::qWait(CSendProgressDlg::kPulseMs + 300);
    EXPECT_EQ(progress.Position(), 100 / CSendProgressDlg::kPulseParts);
    EXPECT_GE(counter.paints, 1) << "a pulse is drawn, not only set";
    progress.ShowProgress("Copying a.wav", 70, false);
    EXPECT_EQ(progress.Status(), "Copying a.wav...");
    QTest::qWait(CSendProgressDlg::kPulseMs + 300);
    EXPECT_EQ(progress.Position(), 70);
}

TEST_F(SendDlgTest, OtherSendOptionsAndInvalidSettingsNeverReachTheServer)
{
    CViewSending sending(m_texts.Application(), nullptr, m_callback);
    const CSettingNode *refused = nullptr;
    sending.SetRefusalListener([&](const CSettingNode *failing) { refused = failing; });
    int activations = 0;
    sending.SetServerFactory([&](IConnectivityServer **) {
        ++activations;
        return E_FAIL;
    });
    // An included setting that is not valid is named, cut to 100 characters.
    CSettingNode *office = AddAccessPoint(m_root, "Office");
    ::ToggleInclude(office);
    CSettingNode *phone = office->FindChild(NodeType::IAPPhoneNumber);
    if (!phone->IsIncluded())
        ::ToggleInclude(phone);
    phone->SetValue(QString(120, u'x'));
    sending.Send(m_root, QString());
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_TRUE(m_messages.shown[0].startsWith("The setting \"Phone number\" of \"Office\""))
        << m_messages.shown[0].toStdString();
    EXPECT_TRUE(m_messages.shown[0].contains(QString(100, u'x') + "..."))
        << m_messages.shown[0].toStdString();
    EXPECT_EQ(refused, phone);
    phone->SetValue("0123");

    for (int option : {CViewSending::OverTheAir, CViewSending::ProvisioningService}) {
        sending.SetOption(option);
        sending.Send(m_root, QString());
    }
    EXPECT_EQ(m_messages.shown.size(), 3);
    EXPECT_TRUE(m_messages.shown[1].startsWith("Over the Air sends settings"));
    EXPECT_TRUE(m_messages.shown[2].startsWith("The Provisioning Service hands"));
    for (const QString &said : m_messages.shown.mid(1))
        EXPECT_TRUE(said.endsWith("Tools > Send Via > Cable, Infrared or Bluetooth."));
    EXPECT_EQ(activations, 0);
    sending.SetOption(CViewSending::ThroughServer);
    sending.Send(m_root, QString());
    EXPECT_EQ(activations, 1);
}

TEST_F(SendDlgTest, AServerThatStallsLeavesTheWindowResponsiveAndEndsUnreachable)
{
    // The server takes the configuration and then answers nothing until its
    // time is up, as a hung server does.
    m_server->Stall("start", 1500);
    auto dialog = MakeDialog();
    // The longest gap between the ticks of a 10 ms timer: how long the event
    // loop was held.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer probe;
    probe.setInterval(10);
    QObject::connect(&probe, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    int pulsed = 0;
    bool progressShown = false;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        pulsed = std::max(pulsed, dialog->Progress()->Position());
        progressShown = progressShown || dialog->Progress()->isVisible();
    });
    // What a busy machine costs the loop anyway, measured before the send.
    sinceTick.start();
    probe.start();
    QTest::qWait(500);
    const qint64 baselineGap = longestGap;
    longestGap = 0;
    Run(*dialog, [&] {
        sinceTick.start();
        // Runs until the transfer is over.
        dialog->Send();
        probe.stop();
    });
    EXPECT_TRUE(progressShown);
    EXPECT_LE(longestGap, 100 + baselineGap);
    EXPECT_EQ(pulsed, 100 / CSendProgressDlg::kPulseParts) << "the bar pulses while it waits";
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_TRUE(m_messages.shown[0].startsWith("Cannot connect to the connectivity server"))
        << m_messages.shown[0].toStdString();
}
