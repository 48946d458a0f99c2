#pragma once

#include <QString>

class CApplication;

// The localized text of an identifier for the screen. A text the language
// library lacks shows "Internal error." through the application's message
// port and gives "<error>", as a dialog would show it.
QString ShownLabel(const CApplication *application, unsigned id);
