// Loading, saving and checking generated configurations of growing size, and
// pugixml doing the same reading and writing on the same files.
#include "BenchLoads.h"
#include "BenchMain.h"
#include "BenchTree.h"
#include "ConfigurationGenerator.h"

#include "LoadMemory.h"
#include "document/SettingsDocument.h"
#include "settings/NodeTypes.h"

#include "config/ConfigWriter.h"
#include "settings/SettingNode.h"
#include "validate/TreeCheck.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>

namespace {

struct Sample
{
    QString path;
    qint64 bytes = 0;
    std::unique_ptr<CSettingNode> loaded;
};

QString FilePath(const char *what, int n)
{
    return BenchFilePath(QStringLiteral("%1-%2.xml").arg(QLatin1String(what)).arg(n));
}

// The configuration of size n: generated and saved on first use, then loaded
// once and kept for the benchmarks that need a loaded tree.
Sample &SampleOf(int n)
{
    static std::map<int, Sample> samples;
    Sample &sample = samples[n];
    if (!sample.path.isEmpty())
        return sample;
    const auto started = std::chrono::steady_clock::now();
    std::unique_ptr<CSettingNode> generated = CBenchTree::NewRoot();
    GenerateConfiguration(generated.get(), n);
    sample.path = FilePath("config", n);
    if (!SaveConfigurationFile(generated.get(), sample.path)) {
        std::fprintf(stderr, "cannot save %s\n", qPrintable(sample.path));
        std::exit(1);
    }
    generated.reset();
    sample.bytes = QFileInfo(sample.path).size();
    sample.loaded = LoadOurs(sample.path);
    CSettingNode *failing = nullptr;
    if (!sample.loaded || !CheckTree(sample.loaded.get(), &failing, true, false)) {
        std::fprintf(stderr, "configuration N=%d does not load cleanly (failing: %s)\n", n,
                     failing ? qPrintable(failing->GetLabel(false)) : "-");
        std::exit(1);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    std::fprintf(stderr, "configuration N=%d: %.1f MB, generated, saved and loaded in %.1f s\n", n,
                 sample.bytes / 1e6, took.count());
    return sample;
}

void SetSize(benchmark::State &state, const Sample &sample)
{
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * sample.bytes);
    state.counters["file_MB"] = sample.bytes / 1e6;
}

void AddMemoryCounters(benchmark::State &state, LoadKind kind, const Sample &sample)
{
    const LoadMemory memory = MeasureLoadMemory(kind, sample.path);
    if (!memory.ok) {
        state.SkipWithError("memory measurement failed");
        return;
    }
    state.counters["peak_MiB"] = memory.peakMiB;
    state.counters["kept_MiB"] = memory.retainedMiB;
    state.counters["cold_ms"] = memory.coldMs;
}

void OurLoad(benchmark::State &state)
{
    Sample &sample = SampleOf(static_cast<int>(state.range(0)));
    std::unique_ptr<CSettingNode> root;
    for (auto _ : state) {
        state.PauseTiming();
        root.reset();
        state.ResumeTiming();
        root = LoadOurs(sample.path);
        if (!root)
            state.SkipWithError("load failed");
    }
    root.reset();
    SetSize(state, sample);
    AddMemoryCounters(state, LoadKind::Ours, sample);
}

void OurSave(benchmark::State &state)
{
    Sample &sample = SampleOf(static_cast<int>(state.range(0)));
    const QString path = FilePath("ours", static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!SaveConfigurationFile(sample.loaded.get(), path))
            state.SkipWithError("save failed");
    }
    SetSize(state, sample);
}

// The save without the disk: the text and its bytes, as handed to the file.
void OurSaveText(benchmark::State &state)
{
    Sample &sample = SampleOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QString text;
        WriteConfiguration(sample.loaded.get(), text);
        QByteArray bytes = EncodeConfigurationFile(text);
        benchmark::DoNotOptimize(bytes.data());
    }
    SetSize(state, sample);
}

void CheckBeforeSending(benchmark::State &state)
{
    Sample &sample = SampleOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CSettingNode *failing = nullptr;
        if (!CheckTree(sample.loaded.get(), &failing, true, false))
            state.SkipWithError("the generated configuration fails the check");
    }
    SetSize(state, sample);
}

// What follows every change made through the document: references brought
// up to date, then every included node that is disabled excluded.
void NormaliseAfterEdit(benchmark::State &state)
{
    Sample &sample = SampleOf(static_cast<int>(state.range(0)));
    for (auto _ : state)
        sample.loaded->Normalise();
    SetSize(state, sample);
}

// The same walk over a tree of n access points and nothing else.
void NormaliseAccessPoints(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    const std::unique_ptr<CSettingNode> root = CBenchTree::NewRoot();
    GenerateAccessPoints(root.get(), n);
    for (auto _ : state)
        root->Normalise();
    state.SetComplexityN(n);
}

// One value typed into the editor of a large configuration's last access
// point: the rules, then the walk over what the edit can have changed.
void EditOneValue(benchmark::State &state)
{
    Sample &sample = SampleOf(static_cast<int>(state.range(0)));
    CSettingsDocument document(CBenchTree::Application());
    if (document.Open(sample.path) == CSettingsDocument::OpenResult::NotReadable) {
        state.SkipWithError("open failed");
        return;
    }
    const CSettingNode *category = document.GetRoot()->FindChild(NodeType::IAPSettings);
    const CSettingNode *item = category->Children()[category->Children().size() - 2];
    const CSettingNode *user = item->FindChild(NodeType::IAPUsername);
    int round = 0;
    for (auto _ : state) {
        if (document.EditValue(user, QString::number(++round % 2)).IsRefused())
            state.SkipWithError("the user name was refused");
    }
    SetSize(state, sample);
}

void PugixmlLoad(benchmark::State &state)
{
    Sample &sample = SampleOf(static_cast<int>(state.range(0)));
    std::unique_ptr<pugi::xml_document> document;
    for (auto _ : state) {
        state.PauseTiming();
        document = std::make_unique<pugi::xml_document>();
        state.ResumeTiming();
        if (LoadPugixml(*document, sample.path) < 0)
            state.SkipWithError("pugixml load failed");
    }
    document.reset();
    SetSize(state, sample);
    AddMemoryCounters(state, LoadKind::Pugixml, sample);
}

void PugixmlSave(benchmark::State &state)
{
    Sample &sample = SampleOf(static_cast<int>(state.range(0)));
    pugi::xml_document document;
    if (LoadPugixml(document, sample.path) < 0) {
        state.SkipWithError("pugixml load failed");
        return;
    }
    const QByteArray path =
        QFile::encodeName(FilePath("pugixml", static_cast<int>(state.range(0))));
    for (auto _ : state) {
        if (!document.save_file(path.constData(), "  ", pugi::format_indent,
                                pugi::encoding_utf16_le))
            state.SkipWithError("pugixml save failed");
    }
    SetSize(state, sample);
}

void Sizes(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Arg(10)->Arg(1000)->Arg(10000);
    benchmark->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
}

BENCHMARK(OurLoad)->Apply(Sizes);
BENCHMARK(PugixmlLoad)->Apply(Sizes);
BENCHMARK(OurSave)->Apply(Sizes);
BENCHMARK(OurSaveText)->Apply(Sizes);
BENCHMARK(PugixmlSave)->Apply(Sizes);
BENCHMARK(CheckBeforeSending)->Apply(Sizes);
BENCHMARK(NormaliseAfterEdit)->Apply(Sizes);
BENCHMARK(NormaliseAccessPoints)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(EditOneValue)->Apply(Sizes);

} // namespace

int main(int argc, char **argv)
{
    if (MeasureLoadMemoryInChild(argc, argv))
        return 0;
    return BenchMain(argc, argv);
}
