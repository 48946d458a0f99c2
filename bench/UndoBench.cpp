// Undo and redo of edits that change many nodes at once: deleting every
// access point of a configuration and toggling their category's include
// check box, with 1,000 and 10,000 access points. Each step records what it
// changed, so the times grow with the number of items, not with copies of the
// tree.
#include "BenchMain.h"
#include "BenchTree.h"
#include "ConfigurationGenerator.h"

#include "config/ConfigWriter.h"
#include "document/SettingsDocument.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <vector>

namespace {

// A document holding n access points, opened from a file made once per size.
void OpenAccessPoints(CSettingsDocument &document, int n)
{
    static std::map<int, QString> paths;
    QString &path = paths[n];
    if (path.isEmpty()) {
        const std::unique_ptr<CSettingNode> root = CBenchTree::NewRoot();
        GenerateAccessPoints(root.get(), n);
        path = BenchFilePath(QStringLiteral("ap%1.xml").arg(n));
        if (!SaveConfigurationFile(root.get(), path)) {
            std::fprintf(stderr, "cannot save %s\n", qPrintable(path));
            std::exit(1);
        }
    }
    document.Open(path);
}

std::vector<const CSettingNode *> AccessPoints(const CSettingsDocument &document)
{
    std::vector<const CSettingNode *> items;
    for (const CSettingNode *child :
         document.GetRoot()->FindChild(NodeType::IAPSettings)->Children())
        if (child->GetType() == NodeType::IAPConnection)
            items.push_back(child);
    return items;
}

// Deleting every access point as one step.
void DeleteAll(benchmark::State &state)
{
    CSettingsDocument document(CBenchTree::Application());
    OpenAccessPoints(document, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        const std::vector<const CSettingNode *> items = AccessPoints(document);
        state.ResumeTiming();
        document.DeleteNodes(items);
        state.PauseTiming();
        document.Undo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Taking that step back and making it again.
void UndoRedoDeleteAll(benchmark::State &state)
{
    CSettingsDocument document(CBenchTree::Application());
    OpenAccessPoints(document, static_cast<int>(state.range(0)));
    document.DeleteNodes(AccessPoints(document));
    for (auto _ : state) {
        document.Undo();
        document.Redo();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The category's check box, which changes the flags of every item, toggled
// and taken back.
void UndoRedoIncludeToggle(benchmark::State &state)
{
    CSettingsDocument document(CBenchTree::Application());
    OpenAccessPoints(document, static_cast<int>(state.range(0)));
    const CSettingNode *category = document.GetRoot()->FindChild(NodeType::IAPSettings);
    document.ToggleInclude(category);
    for (auto _ : state) {
        document.Undo();
        document.Redo();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(DeleteAll)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(UndoRedoDeleteAll)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(UndoRedoIncludeToggle)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return BenchMain(argc, argv);
}
