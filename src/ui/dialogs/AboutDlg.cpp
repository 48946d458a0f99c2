#include "ui/dialogs/AboutDlg.h"

#include "ProvanaVersion.h"
#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(const CApplication *application, QWidget *parent)
    : QDialog(parent)
    , m_application(application)
{
    setWindowTitle(LoadLabel(m_application, StringId::AboutTitle, true));

    auto *productLine = new QLabel(
        LoadLabel(m_application, StringId::ProductVersion, true) + u' ' + VersionText(), this);
    productLine->setObjectName(ControlObjectName(ControlId::ProductLine));
    QFont bold = productLine->font();
    bold.setBold(true);
    productLine->setFont(bold);

    auto *copyright = new QLabel(LoadLabel(m_application, StringId::Copyright, true), this);
    copyright->setObjectName(ControlObjectName(ControlId::Copyright));

    auto *ok = new QPushButton(LoadLabel(m_application, StringId::ButtonOk, true), this);
    ok->setObjectName(ControlObjectName(ControlId::Ok));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(productLine);
    layout->addWidget(copyright);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CAboutDlg::~CAboutDlg() = default;

QString CAboutDlg::VersionText()
{
    return QStringLiteral(PROVANA_DISPLAY_VERSION);
}
