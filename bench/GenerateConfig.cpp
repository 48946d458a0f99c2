// Writes the generated configuration of size N to a file, for measuring
// whole processes on it (compare-convert.sh).
#include "BenchTree.h"
#include "ConfigurationGenerator.h"

#include "config/ConfigWriter.h"
#include "settings/SettingNode.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s N OUT\n", argv[0]);
        return 2;
    }
    CBenchTree tree;
    if (!tree.HasLanguageLibrary())
        std::fprintf(stderr, "language library not found: labels stay empty\n");
    std::unique_ptr<CSettingNode> root = CBenchTree::NewRoot();
    GenerateConfiguration(root.get(), std::atoi(argv[1]));
    if (!SaveConfigurationFile(root.get(), QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot save %s\n", argv[2]);
        return 1;
    }
    return 0;
}
