// What the problems panel adds to an edit on configurations with many access
// points, each without its phone number (so every one of them is listed):
// an edit with the panel following it, the same edit without the panel, and
// the walk of the whole tree that the panel avoids per edit.
#include "BenchMain.h"
#include "BenchTree.h"

#include "document/SendTexts.h"
#include "document/SettingsDocument.h"
#include "settings/BulkLoad.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "ui/problems/ProblemsModel.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A document holding count access points named directly, as a load makes
// them; their phone numbers are empty.
class CManyAccessPoints
{
public:
    explicit CManyAccessPoints(int count)
        : m_document(CBenchTree::Application())
    {
        auto *root = const_cast<CSettingNode *>(m_document.Reset());
        m_category = root->FindChild(NodeType::IAPSettings);
        CBulkLoad bulk(root);
        for (int i = 0; i < count; ++i)
            m_category->FindDescendant({NodeType::IAPTemplate, NodeType::IAPConnectionName})
                ->SetValue(QStringLiteral("Access point %1").arg(i));
        bulk.Finish();
    }

    CSettingsDocument &Document() { return m_document; }
    // A field of the access point in the middle.
    const CSettingNode *MiddleField(int type) const
    {
        const auto &items = m_category->Children();
        return items[items.size() / 2]->FindChild(type);
    }

private:
    CSettingsDocument m_document;
    CSettingNode *m_category;
};

// Breaks and fixes one phone number per round; with the panel, its model
// settles as the event loop would let it.
void Edit(benchmark::State &state, bool withPanel, int field, const QString &first,
          const QString &second)
{
    CManyAccessPoints tree(static_cast<int>(state.range(0)));
    CProblemsModel model(CBenchTree::Application());
    model.SetOnlyIncluded(false);
    if (withPanel) {
        tree.Document().AddObserver(&model);
        model.TreeReplaced(tree.Document().GetRoot());
    }
    const CSettingNode *node = tree.MiddleField(field);
    bool flip = false;
    for (auto _ : state) {
        tree.Document().EditValue(node, (flip = !flip) ? first : second);
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = model.rowCount();
    tree.Document().RemoveObserver(&model);
}

void EditPhoneNumberWithPanel(benchmark::State &state)
{
    Edit(state, true, NodeType::IAPPhoneNumber, QStringLiteral("0401"), QString());
}
void EditPhoneNumberWithoutPanel(benchmark::State &state)
{
    Edit(state, false, NodeType::IAPPhoneNumber, QStringLiteral("0401"), QString());
}
// A name: every listed setting is checked again, since names are what other
// settings' checks look at.
void RenameAccessPointWithPanel(benchmark::State &state)
{
    Edit(state, true, NodeType::IAPConnectionName, QStringLiteral("Renamed"),
         QStringLiteral("Named again"));
}
void RenameAccessPointWithoutPanel(benchmark::State &state)
{
    Edit(state, false, NodeType::IAPConnectionName, QStringLiteral("Renamed"),
         QStringLiteral("Named again"));
}

// What a panel that walked the tree after each edit would pay on top.
void WalkWholeTree(benchmark::State &state)
{
    CManyAccessPoints tree(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            FailingSettings(CBenchTree::Application(), tree.Document().GetRoot(), false));
}

BENCHMARK(EditPhoneNumberWithPanel)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(EditPhoneNumberWithoutPanel)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(RenameAccessPointWithPanel)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(RenameAccessPointWithoutPanel)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(WalkWholeTree)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return BenchMain(argc, argv);
}
