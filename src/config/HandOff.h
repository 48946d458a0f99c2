#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>

// Hands items from one thread to another, at most capacity of them waiting:
// the giver waits while it is full, the taker while it is empty.
template<typename T>
class CHandOff
{
public:
    explicit CHandOff(std::size_t capacity)
        : m_capacity(capacity)
    {}

    void Push(T item)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return m_items.size() < m_capacity; });
        m_items.push_back(std::move(item));
        m_changed.notify_all();
    }
    T Pop()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_items.empty(); });
        return Take();
    }
    // An item if one waits, without waiting for one.
    std::optional<T> TryPop()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_items.empty())
            return std::nullopt;
        return Take();
    }

private:
    T Take()
    {
        T item = std::move(m_items.front());
        m_items.pop_front();
        m_changed.notify_all();
        return item;
    }

    const std::size_t m_capacity;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<T> m_items;
};
