#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The file choosers of the file transfer dialogs. They take the filter in
// its "label (*.x)|*.x|...||" form; the dialogs hold them as functions so
// that a test can answer in place of the user.
using FileChooser = std::function<QString(QWidget *parent, const QString &filter)>;
using MultiFileChooser = std::function<QStringList(QWidget *parent, const QString &filter)>;

// One existing file, or empty when the user cancels.
QString ChooseExistingFile(QWidget *parent, const QString &filter);
// Any number of existing files, in the order the chooser returns them.
QStringList ChooseExistingFiles(QWidget *parent, const QString &filter);

// The filter in Qt's form, "label (*.x *.y);;label (*)". "*.*" becomes "*",
// which here also takes the many files without a dot in their name.
QString ToQtFileFilter(const QString &filter);
