#include "ui/dialogs/PasswordConfirmDlg.h"

#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/ShownLabel.h"
#include "validate/FieldLimits.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CPasswordConfirmDlg::CPasswordConfirmDlg(const CApplication *application, QWidget *parent)
    : QDialog(parent)
    , m_application(application)
    , m_maxLength(kDefaultMaxLength)
{
    setWindowTitle(ShownLabel(m_application, StringId::PasswordConfirmTitle));

    auto *prompt = new QLabel(ShownLabel(m_application, StringId::PasswordConfirmPrompt), this);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(ControlObjectName(ControlId::TextEdit));
    m_edit->setEchoMode(QLineEdit::Password);
    m_edit->setMaxLength(m_maxLength);
    m_edit->setMinimumWidth(m_edit->fontMetrics().averageCharWidth() * 30);
    prompt->setBuddy(m_edit);

    auto *ok = new QPushButton(ShownLabel(m_application, StringId::ButtonOk), this);
    ok->setObjectName(ControlObjectName(ControlId::Ok));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *cancel = new QPushButton(ShownLabel(m_application, StringId::ButtonCancel), this);
    cancel->setObjectName(ControlObjectName(ControlId::Cancel));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_edit);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CPasswordConfirmDlg::~CPasswordConfirmDlg() = default;

void CPasswordConfirmDlg::SetMaxLength(int length)
{
    m_maxLength = length;
    m_edit->setMaxLength(length);
}

void CPasswordConfirmDlg::done(int result)
{
    m_typedText = m_edit->text();
    QDialog::done(result);
}
