// How long the printed listing of a generated configuration takes to lay
// out, for the included settings and for all of them, at growing sizes. The
// text is measured in a fixed pitch, so the listing's own work is measured,
// not a font engine's.
#include "BenchMain.h"
#include "BenchTree.h"
#include "ConfigurationGenerator.h"

#include "print/FixedPitchMeasure.h"
#include "print/PrintListing.h"
#include "settings/SettingNode.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

// An A4 page at 600 dots per inch.
constexpr int kDotsPerInch = 600;
constexpr int kPageWidth = 4960;
constexpr int kPageHeight = 7015;

// Configurations are generated once per size: generating is not measured.
const CSettingNode *ConfigurationOf(int n)
{
    static std::map<int, std::unique_ptr<CSettingNode>> roots;
    std::unique_ptr<CSettingNode> &root = roots[n];
    if (!root) {
        root = CBenchTree::NewRoot();
        GenerateConfiguration(root.get(), n);
    }
    return root.get();
}

void BuildListing(benchmark::State &state, int range)
{
    const auto n = static_cast<int>(state.range(0));
    const CSettingNode *root = ConfigurationOf(n);
    const CFixedPitchMeasure measure = CFixedPitchMeasure::TenPoint(kDotsPerInch);
    std::size_t lines = 0;
    int pages = 0;
    for (auto _ : state) {
        CPrintListing listing;
        listing.Build(root, range, kPageWidth, kPageHeight, measure);
        lines = listing.Lines().size();
        pages = listing.PageCount();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["pages"] = pages;
    state.SetComplexityN(n);
}

void ListingIncluded(benchmark::State &state)
{
    BuildListing(state, PrintRange::Included);
}

void ListingAll(benchmark::State &state)
{
    BuildListing(state, PrintRange::All);
}

void Sizes(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Arg(10)->Arg(1000)->Arg(10000);
    benchmark->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
}

BENCHMARK(ListingIncluded)->Apply(Sizes);
BENCHMARK(ListingAll)->Apply(Sizes);

} // namespace

int main(int argc, char **argv)
{
    return BenchMain(argc, argv);
}
