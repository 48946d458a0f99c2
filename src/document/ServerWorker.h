#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// A thread that runs jobs one after another in the order they were posted,
// so that a server that starts slowly, takes a long text or stops answering
// holds this thread and never the one that posts.
class CServerWorker
{
public:
    CServerWorker();
    // Runs the jobs still queued, then ends.
    ~CServerWorker();
    CServerWorker(const CServerWorker &) = delete;
    CServerWorker &operator=(const CServerWorker &) = delete;

    void Post(std::function<void()> job);

private:
    void Run();

    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_jobs;
    bool m_stopping = false;
    std::thread m_thread;
};
