#pragma once

#include <atomic>
#include <cstddef>
#include <vector>

// Memory for the nodes of one tree while it is read from a file: large
// blocks handed out in order, with no bookkeeping per node, so that a tree
// of a million nodes costs a few allocations instead of a million. A node's
// memory is not reused when the node goes; the blocks are released together
// once the last node made from them and the last handle are gone, whatever
// thread lets go last.
class CNodeArena
{
public:
    // A counted handle; the arena lives while a handle or one of its nodes
    // does.
    class Ref
    {
    public:
        Ref() = default;
        explicit Ref(CNodeArena *arena);
        Ref(const Ref &other);
        Ref(Ref &&other) noexcept;
        Ref &operator=(Ref other) noexcept;
        ~Ref();

        CNodeArena *get() const { return m_arena; }
        CNodeArena *operator->() const { return m_arena; }
        explicit operator bool() const { return m_arena != nullptr; }

    private:
        CNodeArena *m_arena = nullptr;
    };

    static Ref Make();

    CNodeArena(const CNodeArena &) = delete;
    CNodeArena &operator=(const CNodeArena &) = delete;

    // Memory for one object; only the thread with an open scope on this
    // arena allocates from it.
    void *Allocate(std::size_t size);
    // An object made here is gone; its memory stays until the whole arena
    // goes.
    void Release(void *memory, std::size_t size);

    // Bytes taken from the system, and bytes handed out so far.
    std::size_t ReservedBytes() const;
    std::size_t UsedBytes() const { return m_used; }

private:
    CNodeArena() = default;
    ~CNodeArena();

    void AddBlock(std::size_t atLeast);
    void Hold() { m_holders.fetch_add(1, std::memory_order_relaxed); }
    void LetGo();

    struct Block
    {
        char *start;
        std::size_t size;
    };
    std::vector<Block> m_blocks;
    char *m_next = nullptr;
    char *m_end = nullptr;
    std::size_t m_used = 0;
    std::atomic<std::size_t> m_holders{0};
};

// While a scope is open, the nodes made on its thread come from its arena;
// scopes nest, the innermost one serving.
class CNodeArenaScope
{
public:
    explicit CNodeArenaScope(CNodeArena *arena);
    ~CNodeArenaScope();
    CNodeArenaScope(const CNodeArenaScope &) = delete;
    CNodeArenaScope &operator=(const CNodeArenaScope &) = delete;

    // The arena of the innermost scope open on this thread, or null.
    static CNodeArena *Current();

private:
    CNodeArena *m_previous;
};

// Node memory: from the current arena when a scope is open, from the heap
// otherwise. Each piece remembers where it came from, so that freeing needs
// no scope.
void *AllocateNodeMemory(std::size_t size);
void FreeNodeMemory(void *memory, std::size_t size);
