// Sending generated configurations of growing size through a real
// connectivity server: the text written and streamed by the client, read,
// stored and parsed by the server, next to writing the same text to a file.
#include "BenchMain.h"
#include "BenchTree.h"
#include "ConfigurationGenerator.h"

#include "config/ConfigWriter.h"
#include "document/ServerClient.h"
#include "orvenet/sdk/ConnectivityServer.h"
#include "orvenet/server/ConnectivityServerProxy.h"
#include "orvenet/server/ReceivedConfiguration.h"
#include "platform/ProgramFolder.h"
#include "platform/com/ComPtr.h"
#include "platform/com/UnknownImpl.h"
#include "settings/SettingNode.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include <condition_variable>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

std::unique_ptr<CSettingNode> &TreeOf(int n)
{
    static std::map<int, std::unique_ptr<CSettingNode>> trees;
    std::unique_ptr<CSettingNode> &tree = trees[n];
    if (!tree) {
        tree = CBenchTree::NewRoot();
        GenerateConfiguration(tree.get(), n);
    }
    return tree;
}

// Resident memory of this process in KiB, now (VmRSS) or at its highest
// (VmHWM).
long MemoryKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

class CFinishWaiter final : public CUnknownImpl<ICallback>
{
public:
    HRESULT OnStateChanged(uint32_t) override { return S_OK; }
    HRESULT OnError(HRESULT, uint32_t, const char16_t *, const char16_t *) override { return S_OK; }
    HRESULT OnProgress(int32_t, const char16_t *, int32_t) override { return S_OK; }
    HRESULT OnFinished(HRESULT result) override
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_result = result;
        m_finished.notify_all();
        return S_OK;
    }
    std::optional<HRESULT> Wait()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_finished.wait_for(lock, std::chrono::minutes(5), [this] { return m_result.has_value(); });
        return std::exchange(m_result, std::nullopt);
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_finished;
    std::optional<HRESULT> m_result;
};

void SetBytes(benchmark::State &state, qint64 units)
{
    state.counters["text_MiB"] = double(units) / (1 << 20);
    state.SetBytesProcessed(state.iterations() * units);
}

// The text written, as provana text writes it, to a file.
void WriteTextToFile(benchmark::State &state)
{
    const CSettingNode *root = TreeOf(int(state.range(0))).get();
    qint64 units = 0;
    for (auto _ : state) {
        QFile file(BenchFilePath(QStringLiteral("text.xml")));
        file.open(QIODevice::WriteOnly);
        units = 0;
        StreamConfigurationForSending(root, [&](QStringView piece) {
            units += piece.size();
            return file.write(piece.toUtf8()) >= 0;
        });
    }
    SetBytes(state, units);
}

// The server's reading of the received text (UTF-8, in memory): the check
// that it is well formed, the settings counted and the files found.
void ReadReceivedText(benchmark::State &state)
{
    const CSettingNode *root = TreeOf(int(state.range(0))).get();
    const QByteArray text = ConfigurationTextForSending(root).toUtf8();
    for (auto _ : state) {
        const std::optional<ReceivedConfiguration> read = ReadReceivedConfiguration(text);
        if (!read)
            state.SkipWithError("not read");
        benchmark::DoNotOptimize(read);
    }
    state.counters["text_MiB"] = double(text.size()) / (1 << 20);
    state.SetBytesProcessed(state.iterations() * text.size());
}

// The whole send: connect, reserve, stream, transfer and wait for the end.
void SendThroughServer(benchmark::State &state)
{
    const CSettingNode *root = TreeOf(int(state.range(0))).get();
    CComPtr<IConnectivityServer> server;
    if (FAILED(CreateLocalServerProxy(CLSID_ConnectivityServer, QString(), IID_IConnectivityServer,
                                      server.ReceiveVoid()))) {
        state.SkipWithError("no server");
        return;
    }
    CComPtr<ICallback> callback;
    CreateComObject<CFinishWaiter>(nullptr, IID_ICallback, callback.ReceiveVoid());
    auto *waiter = static_cast<CFinishWaiter *>(callback.Get());
    CServerClient client;
    client.Connect(server.Get(), callback.Get());
    const long before = MemoryKiB("VmRSS:");
    for (auto _ : state) {
        if (FAILED(server->ReservePhone()) || FAILED(client.Send(root, QString()))) {
            state.SkipWithError("send refused");
            break;
        }
        if (waiter->Wait() != S_OK)
            state.SkipWithError("transfer failed");
        server->ReleasePhone();
        state.PauseTiming();
        QDir received(QString::fromLocal8Bit(qgetenv("TALVIK_PHONE")) + u"/received"_qs);
        for (const QString &name : received.entryList(QDir::Files))
            received.remove(name);
        state.ResumeTiming();
    }
    // The highest resident size above the size before sending: the text is
    // never held whole, so this stays far below its size.
    state.counters["client_peak_MiB"] = double(MemoryKiB("VmHWM:") - before) / 1024;
    SetBytes(state, ConfigurationTextForSending(root).size());
}

void Sizes(benchmark::internal::Benchmark *benchmark)
{
    // 20000 makes about 100 MB of text.
    benchmark->Arg(100)->Arg(1000)->Arg(10000)->Arg(20000);
    benchmark->Unit(benchmark::kMillisecond)->Iterations(3);
}

BENCHMARK(WriteTextToFile)->Apply(Sizes);
BENCHMARK(ReadReceivedText)->Apply(Sizes);
BENCHMARK(SendThroughServer)->Apply(Sizes);

} // namespace

int main(int argc, char **argv)
{
    QProcess server;
    const auto start = [&server] {
        qputenv("TALVIK_RUNTIME", QFile::encodeName(BenchFilePath(QStringLiteral("run"))));
        qputenv("TALVIK_PHONE", QFile::encodeName(BenchFilePath(QStringLiteral("phone"))));
        qputenv("TALVIK_ACTIVITY_LOG", QFile::encodeName(BenchFilePath(QStringLiteral("log.csv"))));
        server.start(ProgramFolder() + QStringLiteral("orvenet-server"), {});
        if (!server.waitForStarted()) {
            std::fprintf(stderr, "cannot start orvenet-server next to this program\n");
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return true;
    };
    const auto stop = [&server] {
        server.terminate();
        server.waitForFinished();
    };
    return BenchMain(argc, argv, start, stop);
}
