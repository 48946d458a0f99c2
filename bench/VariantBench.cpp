// Variants from a table: 1,000 rows made from a template of 100 access points,
// next to the same rows made by opening the template for each row, and to
// 1,000 plain opens and saves as provana convert does them.
#include "BenchMain.h"
#include "BenchTree.h"
#include "ConfigurationGenerator.h"

#include "config/ConfigWriter.h"
#include "document/SettingsDocument.h"
#include "document/VariantMaker.h"
#include "settings/NodePath.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

#include <benchmark/benchmark.h>

#include <QDir>

#include <cstdio>

namespace {

constexpr int kAccessPoints = 100;

QString TemplatePath()
{
    static QString path;
    if (path.isEmpty()) {
        const std::unique_ptr<CSettingNode> root = CBenchTree::NewRoot();
        GenerateAccessPoints(root.get(), kAccessPoints);
        path = BenchFilePath(QStringLiteral("template.xml"));
        if (!SaveConfigurationFile(root.get(), path)) {
            std::fprintf(stderr, "cannot save %s\n", qPrintable(path));
            std::exit(1);
        }
    }
    return path;
}

// rows rows, each giving its own file name, the first access point's phone
// number and the last one's user name.
CVariantTable Table(const CSettingsDocument &model, int rows)
{
    const CSettingNode *category = model.GetRoot()->FindChild(NodeType::IAPSettings);
    const CSettingNode *first = category->FindChild(NodeType::IAPConnection);
    const CSettingNode *last = category->Children()[category->Children().size() - 2];
    CVariantTable table;
    table.header = {CVariantMaker::FileColumn(),
                    PathOfNode(first->FindChild(NodeType::IAPPhoneNumber)),
                    PathOfNode(last->FindChild(NodeType::IAPUsername))};
    for (int i = 0; i < rows; ++i)
        table.rows.push_back({QStringLiteral("row%1").arg(i), QStringLiteral("+35850%1").arg(i),
                              QStringLiteral("person%1").arg(i)});
    return table;
}

QString OutFolder()
{
    return BenchFilePath(QStringLiteral("out"));
}

// The variant maker: the template read once, copied for every row.
void VariantsFromCopies(benchmark::State &state)
{
    const int rows = static_cast<int>(state.range(0));
    CVariantMaker maker(CBenchTree::Application());
    if (maker.OpenTemplate(TemplatePath()) != CSettingsDocument::OpenResult::Opened) {
        state.SkipWithError("the template did not open");
        return;
    }
    const CVariantTable table = Table(maker.Template(), rows);
    if (!maker.UnknownColumns(table.header).isEmpty()) {
        state.SkipWithError("a column names no setting");
        return;
    }
    QDir().mkpath(OutFolder());
    for (auto _ : state) {
        for (int row = 0; row < rows; ++row) {
            if (maker.MakeRow(table, row, OutFolder(), true, false).result !=
                CVariantMaker::CRowOutcome::Written)
                state.SkipWithError("a row was not written");
        }
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

// The same rows with the template opened again for each.
void VariantsFromReopening(benchmark::State &state)
{
    const int rows = static_cast<int>(state.range(0));
    CSettingsDocument document(CBenchTree::Application());
    document.Open(TemplatePath());
    const CVariantTable table = Table(document, rows);
    QDir().mkpath(OutFolder());
    for (auto _ : state) {
        for (int row = 0; row < rows; ++row) {
            document.Open(TemplatePath());
            for (qsizetype column = 1; column < table.header.size(); ++column)
                document.EditValue(FindNodeByPath(document.GetRoot(), table.header[column]),
                                   table.rows[size_t(row)][column]);
            document.Save(QDir(OutFolder()).filePath(table.rows[size_t(row)][0] + ".xml"));
        }
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

// What provana convert does for each file: open, then save.
void ConvertOpenSave(benchmark::State &state)
{
    const int rows = static_cast<int>(state.range(0));
    CSettingsDocument document(CBenchTree::Application());
    QDir().mkpath(OutFolder());
    for (auto _ : state) {
        for (int row = 0; row < rows; ++row) {
            if (document.Open(TemplatePath()) != CSettingsDocument::OpenResult::Opened ||
                !document.Save(QDir(OutFolder()).filePath(QStringLiteral("c%1.xml").arg(row))))
                state.SkipWithError("open or save failed");
        }
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

BENCHMARK(VariantsFromCopies)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(VariantsFromReopening)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(ConvertOpenSave)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return BenchMain(argc, argv);
}
