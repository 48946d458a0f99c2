#pragma once

#include <QObject>

#include <functional>
#include <thread>

struct ICallback;

// Runs once, from the event loop, after the plug-in has started: brings the
// plug-in forward when a request file is waiting, and connects to the
// connectivity server once in the background and lets it go again, so that
// the server is up by the time the user sends.
class CStartupCheck final : public QObject
{
public:
    static constexpr int kEventType = 1335;

    // bringForward: activates the plug-in when a request file waits.
    CStartupCheck(std::function<void()> bringForward, ICallback *callback);
    ~CStartupCheck() override;

    void Post();

protected:
    void customEvent(QEvent *event) override;

private:
    std::function<void()> m_bringForward;
    ICallback *m_callback;
    std::thread m_worker;
};
