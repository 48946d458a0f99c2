#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

// What a transfer takes from a received configuration.
struct ReceivedConfiguration
{
    // An included file entry of an included FileTransfer category.
    struct FileEntry
    {
        QString category;
        QString local;
        QString remote;
    };
    // Where a category's first setting stands, in bytes, and how many
    // settings come before it and with it.
    struct SettingStep
    {
        QString category;
        qint64 position;
        int settings;
    };
    std::vector<FileEntry> files;
    std::vector<SettingStep> steps;
    // Every element below a category with an op attribute that holds
    // something counts as a setting.
    int settings = 0;
};

// Reads the configuration in text; nothing when the text is not well-formed
// XML in UTF-8 whose root is Settings.
std::optional<ReceivedConfiguration> ReadReceivedConfiguration(QByteArrayView text);

// The phone folder for each kind of file entry.
QString FolderForEntry(QStringView entryName);
