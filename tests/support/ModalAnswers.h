#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

// Answers modal dialogs that a step under test opens and runs in their own
// event loop. Each expectation takes the next visible modal dialog of its
// type once, hands it to its handler and rejects it if the handler left it
// open; expectations may nest (a handler opening the next dialog).
class CModalAnswers
{
public:
    CModalAnswers() = default;
    CModalAnswers(const CModalAnswers &) = delete;
    CModalAnswers &operator=(const CModalAnswers &) = delete;

    template<class T>
    void Expect(std::function<void(T *)> handle)
    {
        auto &timer = m_timers.emplace_back(std::make_unique<QTimer>());
        QTimer *polling = timer.get();
        QObject::connect(polling, &QTimer::timeout, polling, [this, polling, handle] {
            QPointer<T> dialog = qobject_cast<T *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            polling->stop();
            ++m_answered;
            handle(dialog.data());
            if (dialog && dialog->isVisible())
                dialog->reject();
        });
        polling->start(5);
    }

    int Answered() const { return m_answered; }
    // Expectations no dialog came for.
    int Pending() const
    {
        int pending = 0;
        for (const auto &timer : m_timers)
            pending += timer->isActive() ? 1 : 0;
        return pending;
    }

private:
    std::vector<std::unique_ptr<QTimer>> m_timers;
    int m_answered = 0;
};
