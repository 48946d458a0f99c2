#pragma once

#include <QDialog>
#include <QString>

class CApplication;

// The about box: the product line with the program's version.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(const CApplication *application, QWidget *parent = nullptr);
    ~CAboutDlg() override;

    // The version as the about box shows it ("1.03" for version 0.1.0.3).
    static QString VersionText();

private:
    const CApplication *m_application;
};
