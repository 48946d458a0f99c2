#pragma once

#include <QDialog>

class CApplication;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// Follows a transfer: a bar and a status line. While the server reports no
// percentage, the bar pulses by a fortieth of its range every second.
// Cancel asks the owner to cancel the transfer, who shows how that goes;
// the dialog stays until the transfer has ended.
class CSendProgressDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kPulseMs = 1000;
    static constexpr int kPulseParts = 40;

    explicit CSendProgressDlg(const CApplication *application, QWidget *parent = nullptr);

    void Reset();
    // status: without trailing dots; the dialog shows its own.
    void ShowProgress(const QString &status, int percentage, bool waiting);
    bool IsWaiting() const { return m_waiting; }
    int Position() const;
    QString Status() const;

    void reject() override;

signals:
    void cancelRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Pulse();

    const CApplication *m_application;
    QProgressBar *m_bar;
    QLabel *m_status;
    QPushButton *m_cancel;
    QTimer *m_timer;
    bool m_waiting = true;
};
