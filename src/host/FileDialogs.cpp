#include "host/FileDialogs.h"

#include <QDir>
#include <QFileDialog>

std::optional<QString> CFileDialogs::ChooseFileToOpen(const CFileDialogRequest &request)
{
    return Run(request, false);
}

std::optional<QString> CFileDialogs::ChooseFileToSave(const CFileDialogRequest &request)
{
    return Run(request, true);
}

std::optional<QString> CFileDialogs::Run(const CFileDialogRequest &request, bool save)
{
    QFileDialog dialog(m_parent, request.title, request.folder, request.filter);
    dialog.setObjectName(save ? QStringLiteral("saveFileDialog")
                              : QStringLiteral("openFileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::cleanPath(dialog.selectedFiles().constFirst());
}
