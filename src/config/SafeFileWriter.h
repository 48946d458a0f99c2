#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// Writes a file so that it is either replaced completely or not at all: the
// bytes go to a temporary file in the same folder, every byte is checked as
// written, the file is flushed to disk and only then renamed over the target.
// Until Commit succeeds an existing file is left untouched; a writer
// destroyed without committing removes its temporary file.
class CSafeFileWriter
{
public:
    explicit CSafeFileWriter(const QString &path);
    ~CSafeFileWriter();
    CSafeFileWriter(const CSafeFileWriter &) = delete;
    CSafeFileWriter &operator=(const CSafeFileWriter &) = delete;

    // Appends bytes; false once anything has failed (later writes are skipped).
    bool Write(const char *data, qsizetype size);
    // Flushes, closes and renames; false with the system's message in error.
    bool Commit(QString &error);

private:
    void Fail(int error);
    void Discard();

    QByteArray m_target;
    QByteArray m_folder;
    QByteArray m_temporary;
    int m_fd = -1;
    int m_error = 0;
    // Bytes written, and how many of them the disk was asked to take.
    qint64 m_written = 0;
    qint64 m_writebackAsked = 0;
};

// The whole file at once through CSafeFileWriter.
bool WriteFileSafely(const QString &path, const QByteArray &bytes, QString &error);

// Tests replace the system's write to make it fail or write short.
using FileWriteFunction = ssize_t (*)(int fd, const void *data, size_t size);
void SetFileWriteFunction(FileWriteFunction function);
