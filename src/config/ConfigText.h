#pragma once

#include <QString>
#include <QStringView>

// What the configuration reader and writer agree on about the text.

// A character data section: the writer wraps scripts, signatures and raw
// markup in it, and the reader passes its content through untouched.
inline constexpr QStringView kCDataOpen = u"<![CDATA[";
inline constexpr QStringView kCDataClose = u"]]>";

// Turns every CR LF and lone CR into LF, in place. Files end their lines in
// CR LF; the program, and the text sent to a phone, use line feeds only.
void NormalizeLineFeeds(QString &text);
