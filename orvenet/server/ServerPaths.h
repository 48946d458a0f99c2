#pragma once

#include <QString>

// Where the connectivity server and its clients meet, and where its phone
// lives. Each can be moved by an environment variable, so that tests and
// users can run servers side by side.

// $TALVIK_RUNTIME, or else $XDG_RUNTIME_DIR/talvik, or else
// /tmp/talvik-<uid>; ends without a separator.
QString ServerRuntimeFolder();
// Creates the runtime folder when needed and makes sure that only its owner
// can open it (0700); false with the reason in error when it is not ours.
bool PrepareRuntimeFolder(QString &error);
QString ServerSocketPath();

// $TALVIK_PHONE, or else ~/.local/share/Talvik/phone.
QString PhoneFolderPath();

// The activity log a server started from serverProgram writes:
// $TALVIK_ACTIVITY_LOG, or else ProvixLog.csv in the program's folder when
// that can be written, or else in the user's ~/.local/share/Talvik.
QString ActivityLogPathBeside(const QString &serverProgram);
