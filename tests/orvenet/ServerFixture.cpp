#include "ServerFixture.h"

#include "orvenet/server/ConnectivityServerProxy.h"
#include "orvenet/server/ServerPaths.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <chrono>
#include <thread>

HRESULT CRecordingCallback::OnStateChanged(uint32_t state)
{
    Add({'s', 0, int32_t(state), {}, {}});
    return S_OK;
}

HRESULT CRecordingCallback::OnError(HRESULT result, uint32_t number, const char16_t *settingName,
                                    const char16_t *text)
{
    const Report report{'e', result, int32_t(number), QString::fromUtf16(settingName),
                        QString::fromUtf16(text)};
    Add(report);
    if (server)
        server->AnswerQuestion(answer ? answer(report) : QuestionAnswer::Skip);
    return S_OK;
}

HRESULT CRecordingCallback::OnProgress(int32_t phase, const char16_t *text, int32_t percentage)
{
    Add({'p', 0, phase, QString::number(percentage), QString::fromUtf16(text)});
    return S_OK;
}

HRESULT CRecordingCallback::OnFinished(HRESULT result)
{
    Add({'f', result, 0, {}, {}});
    return S_OK;
}

void CRecordingCallback::Add(Report report)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_reports.push_back(std::move(report));
    m_added.notify_all();
}

bool CRecordingCallback::WaitFor(char kind, int32_t phase, int timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_added.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        for (const Report &report : m_reports) {
            if (report.kind == kind && (kind != 'p' || report.number == phase))
                return true;
        }
        return false;
    });
}

std::vector<CRecordingCallback::Report> CRecordingCallback::Reports()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_reports;
}

std::optional<HRESULT> CRecordingCallback::FinishedResult()
{
    if (!WaitFor('f'))
        return std::nullopt;
    for (const Report &report : Reports()) {
        if (report.kind == 'f')
            return report.result;
    }
    return std::nullopt;
}

void ServerTest::SetUp()
{
    ASSERT_TRUE(m_folder.isValid());
    const QString root = m_folder.path();
    qputenv("TALVIK_RUNTIME", QFile::encodeName(root + QStringLiteral("/run")));
    qputenv("TALVIK_PHONE", QFile::encodeName(root + QStringLiteral("/phone")));
    qputenv("TALVIK_REGISTRY", QFile::encodeName(root + QStringLiteral("/registry")));
    qputenv("TALVIK_ACTIVITY_LOG", QFile::encodeName(LogPath()));
}

void ServerTest::TearDown()
{
    // Servers started by activation are not children of this process.
    CServerConnection connection;
    if (connection.Connect(ServerSocketPath()))
        connection.Call(Wire::StopServer);
    for (const auto &process : m_processes) {
        if (process->state() != QProcess::NotRunning && !process->waitForFinished(3000)) {
            process->kill();
            process->waitForFinished(3000);
        }
    }
}

QString ServerTest::Program(const QString &name)
{
    return ProgramFolder() + name;
}

QString ServerTest::PhonePath(const QString &relative) const
{
    return m_folder.path() + QStringLiteral("/phone/") + relative;
}

QString ServerTest::LogPath() const
{
    return m_folder.path() + QStringLiteral("/ProvixLog.csv");
}

QString ServerTest::WriteFile(const QString &relative, const QByteArray &bytes) const
{
    const QString path = m_folder.path() + u'/' + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

bool ServerTest::StartServer(const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(Program(QStringLiteral("orvenet-server")), arguments);
    if (!process->waitForStarted(5000))
        return false;
    m_processes.push_back(std::move(process));
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kServerStartMs) {
        CServerConnection probe;
        if (probe.Connect(ServerSocketPath()))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

int ServerTest::Phone(const QStringList &arguments, QString *output)
{
    QProcess process;
    process.start(Program(QStringLiteral("orvenet-phone")), arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput());
    return process.exitCode();
}

CComPtr<IConnectivityServer> ServerTest::Connect(const QString &clientName)
{
    CComPtr<IConnectivityServer> server;
    EXPECT_EQ(CreateLocalServerProxy(CLSID_ConnectivityServer, QString(), IID_IConnectivityServer,
                                     server.ReceiveVoid()),
              S_OK);
    if (server && !clientName.isEmpty())
        server->SetClientName(reinterpret_cast<const char16_t *>(clientName.utf16()));
    return server;
}

CComPtr<IConnectivityServer> ServerTest::ConnectWithCallback(CComPtr<CRecordingCallback> &callback,
                                                             uint32_t token)
{
    CreateComObject<CRecordingCallback>(nullptr, IID_ICallback, callback.ReceiveVoid());
    CComPtr<IConnectivityServer> server = Connect(QStringLiteral("Test client"));
    if (server) {
        callback->server = server.Get();
        EXPECT_EQ(server->RegisterCallback(callback.Get(), token), S_OK);
    }
    return server;
}

HRESULT ServerTest::Send(IConnectivityServer &server, const QString &text, const QString &file)
{
    const HRESULT set = server.SetConfiguration(reinterpret_cast<const char16_t *>(text.utf16()),
                                                reinterpret_cast<const char16_t *>(file.utf16()));
    return FAILED(set) ? set : server.StartTransfer();
}

QString ConfigurationWithFiles(const QString &entries)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
                          "<!-- Provana Configuration File -->\n\n"
                          "<Settings>\n"
                          "  <IAPSettings op=\"create\">\n"
                          "    <IAPConnection op=\"create\"><Name op=\"create\">Office</Name>"
                          "</IAPConnection>\n"
                          "  </IAPSettings>\n"
                          "  <FileTransfer op=\"create\">\n") +
           entries +
           QStringLiteral("  </FileTransfer>\n"
                          "</Settings>\n");
}

QString FileEntry(const QString &local, const QString &remote, bool included)
{
    const QString op = included ? QStringLiteral(" op=\"create\"") : QString();
    return QStringLiteral("    <Files op=\"create\"><File%1><Local op=\"create\">%2</Local>"
                          "<Remote op=\"create\">%3</Remote></File></Files>\n")
        .arg(op, local, remote);
}
