#pragma once

#include "settings/Labels.h"

#include <QString>

#include <initializer_list>

class CApplication;

namespace Cli {

// The application whose language library the tool speaks; set once by main.
void SetApplication(CApplication *application);
CApplication *Application();

// A line on standard output or standard error, in UTF-8.
void PrintOut(const QString &line);
void PrintError(const QString &line);
// Text as it stands, without a line feed added.
void PrintRaw(QStringView text);

// A text of the language library, formatted.
QString Text(unsigned id, std::initializer_list<FormatArg> args = {});

// The element name of a node type.
QString NodeTypeLabel(int type);

} // namespace Cli
