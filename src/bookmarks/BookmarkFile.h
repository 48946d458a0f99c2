#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reading bookmark files in the Netscape HTML format that browsers export.
// An imported bookmark travels as one string: its URL, a line feed, then its
// name.

QString ImportedBookmark(const QString &url, const QString &name);
// Splits at the first line feed; a string without one is all name.
void SplitImportedBookmark(const QString &imported, QString &url, QString &name);

// The file's text: UTF-8 when it starts with a UTF-8 byte order mark or is
// valid UTF-8, else in the charset its META tag declares when that is known,
// else Latin-1. CR LF and lone CR become line feeds, and the text ends with a
// line feed unless it is empty.
QString DecodeBookmarkFile(const QByteArray &bytes);

// Decodes &amp; &lt; &gt; &quot; &apos; &nbsp; and numeric references, each
// only when closed by its semicolon; anything else stays as written.
QString DecodeCharacterReferences(const QString &text);

// The links of the text, in file order. Each entry starts at a <DT>; its link
// is the next <A tag with an HREF= attribute (not necessarily its first),
// whose quoted value is the URL; the name runs from the
// end of that tag to the next "<", without line feeds. Tags are matched
// without regard to case. A link or name that is not closed ends the scan.
QStringList ScanBookmarkText(const QString &text);

// Reads and scans a bookmark file. A path whose only ";" ends it (as the
// search for bookmark files lists them) is taken without it. False when the
// file cannot be read.
bool ReadBookmarkFile(QString path, QStringList &result);
