#pragma once

#include "document/DocumentPorts.h"

#include <QPointer>
#include <QWidget>

// The open and save file dialogs of the document commands. Qt's own dialog,
// not the desktop's, so that it is a child of the view like every other
// dialog of the plug-in and behaves the same under every desktop.
class CFileDialogs final : public IFileDialogPort
{
public:
    explicit CFileDialogs(QWidget *parent)
        : m_parent(parent)
    {}

    std::optional<QString> ChooseFileToOpen(const CFileDialogRequest &request) override;
    std::optional<QString> ChooseFileToSave(const CFileDialogRequest &request) override;

private:
    std::optional<QString> Run(const CFileDialogRequest &request, bool save);

    QPointer<QWidget> m_parent;
};
