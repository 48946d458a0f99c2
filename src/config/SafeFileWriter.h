#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// Writes a whole file so that it is either replaced completely or not at all:
// the bytes go to a temporary file in the same folder, every byte is checked
// as written, the file is flushed to disk and only then renamed over the
// target. Returns false with the system's message in error on failure; an
// existing file is then left untouched.
bool WriteFileSafely(const QString &path, const QByteArray &bytes, QString &error);

// Tests replace the system's write to make it fail or write short.
using FileWriteFunction = ssize_t (*)(int fd, const void *data, size_t size);
void SetFileWriteFunction(FileWriteFunction function);
