#include "ui/dialogs/AboutDlg.h"

#include "ProvanaVersion.h"
#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/ShownLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(const CApplication *application, QWidget *parent)
    : QDialog(parent)
    , m_application(application)
{
    setWindowTitle(ShownLabel(m_application, StringId::AboutTitle));

    auto *productLine = new QLabel(
        ShownLabel(m_application, StringId::ProductVersion) + u' ' + VersionText(), this);
    productLine->setObjectName(ControlObjectName(ControlId::ProductLine));
    QFont bold = productLine->font();
    bold.setBold(true);
    productLine->setFont(bold);

    auto *copyright = new QLabel(ShownLabel(m_application, StringId::Copyright), this);
    copyright->setObjectName(ControlObjectName(ControlId::Copyright));

    auto *ok = new QPushButton(ShownLabel(m_application, StringId::ButtonOk), this);
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
