#include "ui/dialogs/QuestionDlg.h"

#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/ShownLabel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

struct AnswerButtonInfo
{
    int answer;
    int controlId;
    unsigned textId;
};

constexpr AnswerButtonInfo kAnswerButtons[] = {
    {CQuestionDlg::Replace, ControlId::AnswerReplace, StringId::AnswerReplace},
    {CQuestionDlg::Skip, ControlId::AnswerSkip, StringId::AnswerSkip},
    {CQuestionDlg::Retry, ControlId::AnswerRetry, StringId::AnswerRetry},
    {CQuestionDlg::Cancel, ControlId::AnswerCancel, StringId::AnswerCancel},
};

} // namespace

CQuestionDlg::CQuestionDlg(const CApplication *application, QWidget *parent)
    : QDialog(parent)
    , m_application(application)
{
    setWindowTitle(ShownLabel(m_application, StringId::ViewName));

    auto *icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this)
                        .pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop);

    m_text = new QLabel(this);
    m_text->setObjectName(ControlObjectName(ControlId::QuestionText));
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(m_text->fontMetrics().averageCharWidth() * 45);
    m_keepAnswerBox = new QCheckBox(this);
    m_keepAnswerBox->setObjectName(ControlObjectName(ControlId::KeepAnswer));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    std::size_t slot = 0;
    for (const AnswerButtonInfo &info : kAnswerButtons) {
        auto *button = new QPushButton(ShownLabel(m_application, info.textId), this);
        button->setObjectName(ControlObjectName(info.controlId));
        // Enter must not pick an answer by accident.
        button->setAutoDefault(false);
        const int answer = info.answer;
        connect(button, &QPushButton::clicked, this, [this, answer] { done(answer); });
        buttons->addWidget(button);
        m_buttons[slot++] = {answer, button};
    }

    auto *message = new QHBoxLayout;
    message->addWidget(icon);
    message->addWidget(m_text, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addWidget(m_keepAnswerBox);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    SetText(QString(), false);
}

CQuestionDlg::~CQuestionDlg() = default;

void CQuestionDlg::SetText(const QString &text, bool subjectExists)
{
    m_text->setText(text);
    m_keepAnswerBox->setText(ShownLabel(m_application, subjectExists
                                                           ? StringId::KeepAnswerForFiles
                                                           : StringId::KeepAnswerForSettings));
}

void CQuestionDlg::done(int result)
{
    m_keepAnswer = m_keepAnswerBox->isChecked();
    QDialog::done(result);
}

void CQuestionDlg::reject()
{
    done(Skip);
}

void CQuestionDlg::showEvent(QShowEvent *event)
{
    RemoveUnusedButtons();
    QDialog::showEvent(event);
}

void CQuestionDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CQuestionDlg::RemoveUnusedButtons()
{
    if (m_buttonsRemoved)
        return;
    m_buttonsRemoved = true;
    for (AnswerButton &entry : m_buttons) {
        if (!(m_buttonMask & entry.answer)) {
            entry.button->hide();
            entry.button->deleteLater();
            entry.button = nullptr;
        }
    }
}
