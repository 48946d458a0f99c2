#pragma once

#include <QString>
#include <QStringView>

#include <functional>

using TextWidthFunction = std::function<int(QStringView)>;

// Breaks text into lines no wider than width by inserting line feeds: at the
// last run of spaces or tabs that leaves a fitting line, else after the last
// fitting punctuation character, else after the longest fitting prefix (at
// least one character, so that wrapping always ends). Spaces after a break
// are dropped; line feeds already in the text are kept. Returns the number of
// lines.
int WrapText(QString &text, int width, const TextWidthFunction &widthOf);
