#include "ui/send/SendProgressDlg.h"

#include "settings/Labels.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kStatusWidthChars = 56;
const QString kProgressDots = QStringLiteral("...");

} // namespace

CSendProgressDlg::CSendProgressDlg(const CApplication *application, QWidget *parent)
    : QDialog(parent)
    , m_application(application)
    , m_bar(new QProgressBar(this))
    , m_status(new QLabel(this))
    , m_cancel(new QPushButton(LoadLabel(application, StringId::ButtonCancel, true), this))
    , m_timer(new QTimer(this))
{
    setWindowTitle(LoadLabel(application, StringId::ViewName, true));
    m_bar->setObjectName(ControlObjectName(ControlId::SendProgress));
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    m_status->setObjectName(ControlObjectName(ControlId::SendStatus));
    m_status->setMinimumWidth(m_status->fontMetrics().averageCharWidth() * kStatusWidthChars);
    m_cancel->setObjectName(ControlObjectName(ControlId::Cancel));
    connect(m_cancel, &QPushButton::clicked, this, &CSendProgressDlg::reject);
    m_timer->setInterval(kPulseMs);
    connect(m_timer, &QTimer::timeout, this, &CSendProgressDlg::Pulse);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    Reset();
}

void CSendProgressDlg::Reset()
{
    m_waiting = true;
    m_bar->setValue(0);
    m_status->setText(LoadLabel(m_application, StringId::PreparingToSend, true));
    m_cancel->setEnabled(true);
}

void CSendProgressDlg::ShowProgress(const QString &status, int percentage, bool waiting)
{
    m_bar->setValue(std::clamp(percentage, 0, 100));
    m_status->setText(status + kProgressDots);
    m_waiting = waiting;
}

int CSendProgressDlg::Position() const
{
    return m_bar->value();
}

QString CSendProgressDlg::Status() const
{
    return m_status->text();
}

void CSendProgressDlg::Pulse()
{
    if (!m_waiting)
        return;
    const int step = (m_bar->maximum() - m_bar->minimum()) / kPulseParts;
    m_bar->setValue(m_bar->value() <= m_bar->minimum() ? m_bar->minimum() + step : 0);
    // The bar repaints by itself only for steps wider than a chunk of its
    // style, which a pulse is not.
    m_bar->update();
}

void CSendProgressDlg::reject()
{
    // Escape and closing the window cancel too; the transfer's end closes.
    if (!m_cancel->isEnabled())
        return;
    m_cancel->setEnabled(false);
    emit cancelRequested();
}

void CSendProgressDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    activateWindow();
    m_timer->start();
}

void CSendProgressDlg::hideEvent(QHideEvent *event)
{
    m_timer->stop();
    QDialog::hideEvent(event);
}
