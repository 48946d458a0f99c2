#pragma once

#include <atomic>

// The lock count of the module that holds this code: live objects that keep
// the module busy and IClassFactory::LockServer locks. DllCanUnloadNow answers
// S_OK only at zero. Hidden visibility gives every module its own count.
class CModuleLock
{
public:
    CModuleLock() { Lock(); }
    CModuleLock(const CModuleLock &) { Lock(); }
    CModuleLock &operator=(const CModuleLock &) { return *this; }
    ~CModuleLock() { Unlock(); }

    static void Lock() { s_count.fetch_add(1); }
    static void Unlock() { s_count.fetch_sub(1); }
    static long Count() { return s_count.load(); }

private:
    [[gnu::visibility("hidden")]] static inline std::atomic<long> s_count{0};
};
