#include "host/DesktopShell.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStringList>
#include <QUrl>
#include <QVBoxLayout>

namespace {

bool StartWith(const QString &command, const QString &path)
{
    QStringList arguments = QProcess::splitCommand(command);
    if (arguments.isEmpty())
        return false;
    const QString program = arguments.takeFirst();
    arguments.append(path);
    return QProcess::startDetached(program, arguments);
}

} // namespace

bool CDesktopShell::OpenWithDefaultProgram(const QString &path)
{
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return true;
    for (const char *variable : {"VISUAL", "EDITOR"}) {
        if (StartWith(qEnvironmentVariable(variable), path))
            return true;
    }
    return StartWith(QStringLiteral("xdg-open"), path);
}

bool CDesktopShell::ShowTextFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Not modal: the log can stay open beside the settings.
    auto *viewer = new QDialog(m_owner);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setObjectName(QStringLiteral("textViewer"));
    viewer->setWindowTitle(QFileInfo(path).fileName());
    auto *text = new QPlainTextEdit(viewer);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setPlainText(QString::fromUtf8(file.readAll()));
    auto *layout = new QVBoxLayout(viewer);
    layout->addWidget(text);
    const QFontMetrics metrics(text->font());
    viewer->resize(metrics.averageCharWidth() * 100, metrics.lineSpacing() * 30);
    viewer->show();
    return true;
}
