#pragma once

#include "orvenet/sdk/ConnectivityServer.h"
#include "orvenet/server/ServerConnection.h"
#include "platform/com/ComPtr.h"
#include "platform/com/UnknownImpl.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// What a client was told, in order; waits are bounded so that a broken
// server fails a test instead of hanging it.
class CRecordingCallback final : public CUnknownImpl<ICallback>
{
public:
    struct Report
    {
        char kind; // 's'tate, 'e'rror, 'p'rogress, 'f'inished
        HRESULT result;
        int32_t number;
        QString setting;
        QString text;
    };
    // Answers a question or an error report; runs on the connection's thread.
    std::function<int32_t(const Report &)> answer;
    IConnectivityServer *server = nullptr;

    HRESULT OnStateChanged(uint32_t state) override;
    HRESULT OnError(HRESULT result, uint32_t number, const char16_t *settingName,
                    const char16_t *text) override;
    HRESULT OnProgress(int32_t phase, const char16_t *text, int32_t percentage) override;
    HRESULT OnFinished(HRESULT result) override;

    // Waits until a report of this kind (and phase, for progress) arrives.
    bool WaitFor(char kind, int32_t phase = 0, int timeoutMs = 10000);
    std::vector<Report> Reports();
    std::optional<HRESULT> FinishedResult();

private:
    void Add(Report report);

    std::mutex m_mutex;
    std::condition_variable m_added;
    std::vector<Report> m_reports;
};

// Each test has its own runtime, phone, registry and activity log folders,
// set in this process's environment so that the servers it starts and the
// proxies it makes meet there. Every server it started is stopped.
class ServerTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    static QString Program(const QString &name);
    QString PhonePath(const QString &relative) const;
    QString LogPath() const;
    QString WriteFile(const QString &relative, const QByteArray &bytes) const;

    // Starts orvenet-server and waits until it answers.
    bool StartServer(const QStringList &arguments = {});
    // Runs orvenet-phone; its exit status.
    int Phone(const QStringList &arguments, QString *output = nullptr);
    // A proxy connected to the running server, never starting one.
    CComPtr<IConnectivityServer> Connect(const QString &clientName = QString());
    // A proxy with a recording callback registered.
    CComPtr<IConnectivityServer> ConnectWithCallback(CComPtr<CRecordingCallback> &callback,
                                                     uint32_t token = 7);
    // Sets the configuration text and starts the transfer.
    HRESULT Send(IConnectivityServer &server, const QString &text,
                 const QString &file = QStringLiteral("/cfg/office.cfg"));

    QTemporaryDir m_folder;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

// The configuration text with a FileTransfer element around entries.
QString ConfigurationWithFiles(const QString &entries);
QString FileEntry(const QString &local, const QString &remote, bool included = true);
