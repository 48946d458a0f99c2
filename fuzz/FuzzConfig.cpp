// A configuration file's bytes through the whole open road: decoding, reading
// into a reset tree, the check after loading and before sending, and writing
// the tree again.
#include "FuzzTree.h"

#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "settings/SettingNode.h"
#include "validate/TreeCheck.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static CFuzzTree tree;
    CSettingNode *root = tree.Reset();
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (!ParseConfigurationText(root, DecodeConfigurationBytes(bytes)))
        return 0;
    CheckTree(root, nullptr, false, true);
    CSettingNode *failing = nullptr;
    CheckTree(root, &failing, true, false);
    QString text;
    WriteConfiguration(root, text);
    return 0;
}
