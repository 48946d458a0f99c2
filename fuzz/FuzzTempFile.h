#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// Readers that take a path get each input through one file in a folder that
// lives as long as the fuzzing process.
inline const QTemporaryDir &FuzzFolder()
{
    static const QTemporaryDir folder;
    if (!folder.isValid())
        __builtin_trap();
    return folder;
}

inline QString WriteFuzzFile(const QString &name, const char *data, size_t size)
{
    const QString path = FuzzFolder().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(data, qint64(size)) != qint64(size))
        __builtin_trap();
    return path;
}
