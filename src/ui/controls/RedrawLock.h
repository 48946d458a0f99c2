#pragma once

// The one redraw lock count that all lists share: painting stays suspended
// while any list holds a lock, and nested locks need as many unlocks.
class CRedrawLock
{
public:
    // True when this is the first lock.
    static bool Lock();
    // True when no lock is left afterwards; an unlock without a lock changes
    // nothing.
    static bool Unlock();
    static int Count();

private:
    static int s_count;
};
