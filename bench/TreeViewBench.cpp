// How long the settings tree control takes to show a configuration with many
// access points: the rows are read, laid out and painted once, with the
// access point category expanded (offscreen platform); and how long opening a
// generated configuration file takes until the view shows its tree.
#include "ConfigurationGenerator.h"

#include "config/ConfigWriter.h"
#include "document/SettingsDocument.h"
#include "language/LanguageTexts.h"
#include "platform/LanguageLibrary.h"
#include "settings/Application.h"
#include "settings/BulkLoad.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "ui/editor/SettingsTreeCtrl.h"
#include "ui/editor/SettingsTreeModel.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

CApplication *g_application = nullptr;

class CAccessPointTree
{
public:
    explicit CAccessPointTree(int count)
        : m_root(std::make_unique<CSettingNode>(g_application))
    {
        m_root->SetType(NodeType::Root);
        m_root->CreateDefaultContent();
        CSettingNode *category = m_root->FindChild(NodeType::IAPSettings);
        CBulkLoad bulk(m_root.get());
        for (int i = 0; i < count; ++i)
            category->FindChild(NodeType::IAPTemplate)
                ->FindChild(NodeType::IAPConnectionName)
                ->SetValue(QStringLiteral("Access point %1").arg(i));
        bulk.Finish();
    }
    CSettingNode *Root() const { return m_root.get(); }

private:
    std::unique_ptr<CSettingNode> m_root;
};

// Trees are made once per size: making them is not what is measured.
CSettingNode *TreeWith(int count)
{
    static std::map<int, std::unique_ptr<CAccessPointTree>> trees;
    auto &tree = trees[count];
    if (!tree)
        tree = std::make_unique<CAccessPointTree>(count);
    return tree->Root();
}

CTreeIcons::ImageLoader Images()
{
    const auto *library = LanguageLibraryOf(*g_application);
    return [library](unsigned id) {
        return library ? library->LoadImage(id) : QByteArray();
    };
}

void FillExpandedView(benchmark::State &state)
{
    CSettingNode *root = TreeWith(static_cast<int>(state.range(0)));
    CSettingsTreeCtrl tree(Images());
    tree.resize(800, 1000);
    for (auto _ : state) {
        tree.Fill(root);
        tree.expand(tree.IndexOf(root->FindChild(NodeType::IAPSettings)));
        benchmark::DoNotOptimize(tree.grab());
        tree.Clear();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(FillExpandedView)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void ScrollToLastAccessPoint(benchmark::State &state)
{
    CSettingNode *root = TreeWith(static_cast<int>(state.range(0)));
    CSettingsTreeCtrl tree(Images());
    tree.resize(800, 1000);
    for (auto _ : state) {
        tree.Fill(root);
        const QModelIndex category = tree.IndexOf(root->FindChild(NodeType::IAPSettings));
        tree.expand(category);
        tree.scrollTo(tree.Model()->index(tree.Model()->rowCount(category) - 1, 0, category));
        benchmark::DoNotOptimize(tree.grab());
        tree.Clear();
    }
}
BENCHMARK(ScrollToLastAccessPoint)->Arg(10000)->Unit(benchmark::kMillisecond);

// Selects every access point in the expanded view and deletes them, as
// Select All and Delete do; each round works on a fresh document.
void DeleteSelectedAccessPoints(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        CSettingsDocument document(g_application);
        // Thousands of items are made directly, as a load makes them.
        auto *root = const_cast<CSettingNode *>(document.Reset());
        CSettingNode *category = root->FindChild(NodeType::IAPSettings);
        {
            CBulkLoad bulk(root);
            for (int i = 0; i < count; ++i)
                category->FindDescendant({NodeType::IAPTemplate, NodeType::IAPConnectionName})
                    ->SetValue(QStringLiteral("Access point %1").arg(i));
            bulk.Finish();
        }
        CSettingsTreeCtrl tree(Images());
        tree.resize(800, 1000);
        tree.SetDocument(&document);
        tree.Fill(root);
        const QModelIndex categoryRow = tree.IndexOf(category);
        tree.expand(categoryRow);
        QItemSelection items;
        // The preferred connection first, the template last: only the items go.
        items.select(tree.Model()->index(1, 0, categoryRow),
                     tree.Model()->index(count, 1, categoryRow));
        tree.selectionModel()->select(items, QItemSelectionModel::ClearAndSelect);
        state.ResumeTiming();
        tree.DeleteSelected();
        state.PauseTiming();
        if (tree.Model()->rowCount(categoryRow) != 2)
            state.SkipWithError("not every access point was deleted");
        tree.Clear();
        state.ResumeTiming();
    }
    state.SetComplexityN(count);
}
BENCHMARK(DeleteSelectedAccessPoints)
    ->Arg(500)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// The generated configuration of size n, written once per size.
QString ConfigurationFile(int n)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("generated-%1.xml").arg(n));
    if (!QFile::exists(path)) {
        auto root = std::make_unique<CSettingNode>(g_application);
        root->SetType(NodeType::Root);
        root->CreateDefaultContent();
        GenerateConfiguration(root.get(), n);
        if (!SaveConfigurationFile(root.get(), path))
            return {};
    }
    return path;
}

// Open as the editor does it: the view follows the document, which reads the
// file, checks and repairs it; then the view is painted.
void OpenFileIntoView(benchmark::State &state)
{
    const QString path = ConfigurationFile(static_cast<int>(state.range(0)));
    if (path.isEmpty()) {
        state.SkipWithError("the configuration could not be written");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto document = std::make_unique<CSettingsDocument>(g_application);
        document->Reset();
        auto tree = std::make_unique<CSettingsTreeCtrl>(Images());
        tree->resize(800, 1000);
        tree->SetDocument(document.get());
        state.ResumeTiming();
        if (document->Open(path) != CSettingsDocument::OpenResult::Opened)
            state.SkipWithError("the configuration did not open cleanly");
        benchmark::DoNotOptimize(tree->grab());
        state.PauseTiming();
        tree.reset();
        document.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(OpenFileIntoView)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Complexity();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    CApplication provana;
    LoadLanguageLibrary(provana);
    g_application = &provana;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
