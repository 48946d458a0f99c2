// How long importing a browser's bookmark export takes: decoding the file,
// scanning it for links, merging them into a bookmark list (the name test
// and the URL check) and making the list's entries, for exports of growing
// size. The cost should grow linearly with the number of links.
#include "bookmarks/BookmarkFile.h"
#include "bookmarks/BookmarkList.h"
#include "settings/Application.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

#include <QByteArray>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// An export as Firefox writes it: links in folders of 100, with attributes,
// escaped ampersands and a repeated name now and then.
QByteArray BookmarkExport(int links)
{
    QByteArray html = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<META HTTP-EQUIV=\"Content-Type\" "
                      "CONTENT=\"text/html; charset=UTF-8\">\n<DL><p>\n";
    for (int i = 0; i < links; ++i) {
        if (i % 100 == 0)
            html +=
                "<DT><H3 ADD_DATE=\"1\">Folder " + QByteArray::number(i / 100) + "</H3>\n<DL><p>\n";
        const QByteArray number = QByteArray::number(i % 997 == 0 ? 0 : i);
        html += "    <DT><A HREF=\"https://site" + number +
                ".example/path?a=1&amp;b=2\" "
                "ADD_DATE=\"1463262544\" ICON=\"data:image/png;base64,iVBORw0KGgo=\">Caf\xC3\xA9 "
                "&amp; page " +
                number + "</A>\n";
        if (i % 100 == 99 || i == links - 1)
            html += "</DL><p>\n";
    }
    return html + "</DL>\n";
}

void BM_ImportBookmarkExport(benchmark::State &state)
{
    CApplication application;
    const QByteArray file = BookmarkExport(int(state.range(0)));
    for (auto _ : state) {
        CSettingNode root(&application);
        root.SetType(NodeType::Root);
        root.CreateDefaultContent();
        CBookmarkList list(*root.FindDescendant({NodeType::PersonalData, NodeType::WWWBookmarks}));
        const BookmarkMergeCount count = list.Merge(ScanBookmarkText(DecodeBookmarkFile(file)));
        benchmark::DoNotOptimize(count);
        benchmark::DoNotOptimize(list.MakeEntries());
    }
    state.SetComplexityN(state.range(0));
    state.counters["bytes"] = double(file.size());
}
BENCHMARK(BM_ImportBookmarkExport)
    ->Arg(2000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// One line of 50 MB with no entry in it: the scan must pass over it once.
void BM_ScanGiantLine(benchmark::State &state)
{
    const QByteArray file = QByteArray(50 * 1024 * 1024, 'x') + "<dt><a href=\"http://a/";
    for (auto _ : state)
        benchmark::DoNotOptimize(ScanBookmarkText(DecodeBookmarkFile(file)));
}
BENCHMARK(BM_ScanGiantLine)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
