#include "config/ConfigText.h"

#include <cstring>

void NormalizeLineFeeds(QString &text)
{
    qsizetype read = text.indexOf(u'\r');
    if (read < 0)
        return;
    // Shrinks in place, so a large file's text is never copied: each line
    // moves once, over the gap that the carriage returns before it left.
    QChar *data = text.data();
    const qsizetype size = text.size();
    qsizetype write = read;
    while (read < size) {
        ++read; // past the carriage return at read
        if (read == size || data[read] != u'\n')
            data[write++] = u'\n';
        const qsizetype next = QStringView(data + read, size - read).indexOf(u'\r');
        const qsizetype end = next < 0 ? size : read + next;
        std::memmove(data + write, data + read, static_cast<size_t>(end - read) * sizeof(QChar));
        write += end - read;
        read = end;
    }
    text.truncate(write);
}
