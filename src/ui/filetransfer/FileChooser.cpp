#include "ui/filetransfer/FileChooser.h"

#include <QFileDialog>

QString ChooseExistingFile(QWidget *parent, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(), ToQtFileFilter(filter),
                                        nullptr, QFileDialog::ReadOnly);
}

QStringList ChooseExistingFiles(QWidget *parent, const QString &filter)
{
    return QFileDialog::getOpenFileNames(parent, QString(), QString(), ToQtFileFilter(filter),
                                         nullptr, QFileDialog::ReadOnly);
}

QString ToQtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    // Label and patterns alternate; an empty label ends the list.
    for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
        QString label = parts[i].trimmed();
        // Qt reads the patterns from the parentheses at the label's end.
        if (label.endsWith(u')')) {
            const qsizetype open = label.lastIndexOf(u'(');
            if (open >= 0)
                label = label.left(open).trimmed();
        }
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == u"*.*")
                pattern = QStringLiteral("*");
        }
        filters.append(QStringLiteral("%1 (%2)").arg(label, patterns.join(u' ')));
    }
    return filters.join(QStringLiteral(";;"));
}
