#pragma once

#include <QByteArray>
#include <QString>

// An Internet shortcut (.url file) is an INI file; its link is the URL value
// of the [InternetShortcut] section, and only there. Section and value names
// are matched without regard to case, as the INI readers of its origin do.
// Empty when the section or the value is missing.
QString InternetShortcutUrl(const QByteArray &bytes);
