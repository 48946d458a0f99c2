// How long the file list dialog takes to open on a long list (working copy,
// rows, column widths), to sort it by a column, and to remove half of its
// entries (offscreen platform).
#include "language/LanguageTexts.h"
#include "settings/Application.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "ui/controls/ListCtrlEx.h"
#include "ui/filetransfer/FileListDlg.h"

#include <QApplication>
#include <QItemSelection>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <memory>

namespace {

CApplication *g_application = nullptr;

// A category of the default content with count entries in no particular
// order, spread over a few dozen folders; Files entries with a phone folder.
class CFileCategory
{
public:
    CFileCategory(int type, int count)
        : m_root(std::make_unique<CSettingNode>(g_application))
    {
        m_root->SetType(NodeType::Root);
        m_root->CreateDefaultContent();
        m_category = m_root->FindDescendant({NodeType::FileTransfer, type});
        std::uint32_t state = 12345;
        const auto next = [&state] {
            state = state * 1664525u + 1013904223u;
            return state >> 8;
        };
        const bool files = type == NodeType::Files;
        for (int i = 0; i < count; ++i) {
            const QString path = QStringLiteral("/home/ann/Music/Album %1/Track %2.wav")
                                     .arg(next() % 40)
                                     .arg(next() % 100000);
            CSettingNode *entry =
                m_category->AddChild(files ? QString() : path, EditorKind::None,
                                     files ? int(NodeType::File) : int(NodeType::RingingTone));
            if (files) {
                entry->AddChild(path, EditorKind::None, NodeType::FileLocal);
                entry->AddChild(QStringLiteral("C:\\Documents\\Tones\\"), EditorKind::None,
                                NodeType::FileRemote);
            }
        }
    }
    const CSettingNode &Category() const { return *m_category; }

private:
    std::unique_ptr<CSettingNode> m_root;
    CSettingNode *m_category;
};

// Made once per category and size: making them is not what is measured.
const CSettingNode &CategoryWith(int type, int count)
{
    static std::map<std::pair<int, int>, std::unique_ptr<CFileCategory>> categories;
    auto &category = categories[{type, count}];
    if (!category)
        category = std::make_unique<CFileCategory>(type, count);
    return category->Category();
}

int TypeOf(const benchmark::State &state)
{
    return state.range(1) ? NodeType::Files : NodeType::RingingTones;
}

CListCtrlEx *ListOf(const CFileListDlg &dialog)
{
    return dialog.findChild<CListCtrlEx *>(QStringLiteral("id10161"));
}

void OpenDialog(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    const CSettingNode &category = CategoryWith(TypeOf(state), count);
    for (auto _ : state) {
        CFileListDlg dialog(g_application, category);
        benchmark::DoNotOptimize(dialog.grab());
        state.PauseTiming(); // closing is not what is measured
        if (ListOf(dialog)->GetItemCount() != count)
            state.SkipWithError("rows missing");
        state.ResumeTiming();
    }
    state.SetComplexityN(count);
    state.SetLabel(state.range(1) ? "Files" : "Ringing tones");
}
BENCHMARK(OpenDialog)
    ->ArgsProduct({{100, 1000, 10000}, {0}})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond);

// Each round turns the order round, as clicking the same header does.
void SortByColumn(benchmark::State &state)
{
    const int column = static_cast<int>(state.range(2));
    CFileListDlg dialog(g_application, CategoryWith(TypeOf(state), int(state.range(0))));
    CListCtrlEx *list = ListOf(dialog);
    for (auto _ : state)
        list->SortByColumn(column, CListCtrlEx::SortToggle);
    state.SetLabel(column == CFileListDlg::FileNameColumn ? "file name"
                   : column == CFileListDlg::FolderColumn ? "folder"
                                                          : "phone folder");
}
BENCHMARK(SortByColumn)
    ->Args({10000, 0, CFileListDlg::FileNameColumn})
    ->Args({10000, 0, CFileListDlg::FolderColumn})
    ->Args({10000, 1, CFileListDlg::PhoneFolderColumn})
    ->Unit(benchmark::kMillisecond);

// Every other row selected and removed with the Delete key.
void RemoveHalf(benchmark::State &state)
{
    const int count = static_cast<int>(state.range(0));
    const CSettingNode &category = CategoryWith(TypeOf(state), count);
    for (auto _ : state) {
        state.PauseTiming();
        CFileListDlg dialog(g_application, category);
        CListCtrlEx *list = ListOf(dialog);
        QItemSelection rows;
        for (int row = 0; row < count; row += 2)
            rows.select(list->model()->index(row, 0), list->model()->index(row, 1));
        list->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        state.ResumeTiming();
        QApplication::sendEvent(list, &press);
        state.PauseTiming();
        if (dialog.Files().Count() != count / 2)
            state.SkipWithError("not every selected entry was removed");
        state.ResumeTiming();
    }
    state.SetComplexityN(count);
}
BENCHMARK(RemoveHalf)
    ->ArgsProduct({{1000, 10000}, {0}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

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
