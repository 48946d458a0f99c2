// A configuration file's bytes through the whole open road: decoding, reading
// into a reset tree, the check after loading and before sending, and writing
// the tree again. The same bytes are also read from a file in small blocks
// whose size the input chooses, which must give the same tree as the whole
// text: every split of a line, comment or element is tried somewhere.
#include "FuzzTempFile.h"
#include "FuzzTree.h"

#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "settings/SettingNode.h"
#include "validate/TreeCheck.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

// Passwords are scrambled with keys that do not change, so two writes of
// one tree compare equal.
std::uint16_t FixedKey()
{
    return 0x5a17;
}

QString ReadInBlocks(const char *data, std::size_t size)
{
    static CFuzzTree tree;
    CSettingNode *root = tree.Reset();
    const qsizetype blockBytes = size ? 1 + static_cast<std::uint8_t>(data[size - 1]) % 97 : 1;
    int failed = 0;
    const int loaded = LoadConfigurationFile(
        root, WriteFuzzFile(QStringLiteral("blocks.xml"), data, size), failed, blockBytes);
    if (!loaded && failed == 0)
        __builtin_trap();
    QString text = QString::number(loaded) + QString::number(failed);
    if (failed != kNotConfiguration)
        WriteConfiguration(root, text, FixedKey);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static CFuzzTree tree;
    CSettingNode *root = tree.Reset();
    const auto *chars = reinterpret_cast<const char *>(data);
    const QByteArray bytes = QByteArray::fromRawData(chars, static_cast<qsizetype>(size));
    bool complete = false;
    // A file's last line is read with a line feed, as every line is.
    QString whole = DecodeConfigurationBytes(bytes);
    if (!whole.isEmpty() && !whole.endsWith(u'\n'))
        whole += u'\n';
    const int parsed = ParseConfigurationText(root, whole, &complete);
    QString text = QString::number(parsed && complete) + QString::number(!parsed ? kNotConfiguration
                                                                         : complete ? 0
                                                                                    : kEndsEarly);
    if (parsed) {
        WriteConfiguration(root, text, FixedKey);
        CheckTree(root, nullptr, false, true);
        CSettingNode *failing = nullptr;
        CheckTree(root, &failing, true, false);
        QString checked;
        WriteConfiguration(root, checked);
    }
    const QString blocks = ReadInBlocks(chars, size);
    if (blocks != text) {
        qsizetype at = 0;
        while (at < text.size() && at < blocks.size() && text[at] == blocks[at])
            ++at;
        std::fprintf(stderr, "whole text and blocks differ at %lld:\n%s\n--- blocks:\n%s\n",
                     static_cast<long long>(at), qPrintable(text.mid(at - 40, 120)),
                     qPrintable(blocks.mid(at - 40, 120)));
        __builtin_trap();
    }
    return 0;
}
