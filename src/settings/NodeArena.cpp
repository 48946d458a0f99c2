#include "settings/NodeArena.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PROVANA_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define PROVANA_ASAN 1
#endif

#ifdef PROVANA_ASAN
#include <sanitizer/asan_interface.h>
#include <sanitizer/lsan_interface.h>
// The arena never reuses memory, so a node used after it went still reads
// as an error under the sanitizer.
#define POISON(start, size) ASAN_POISON_MEMORY_REGION(start, size)
#define UNPOISON(start, size) ASAN_UNPOISON_MEMORY_REGION(start, size)
// The leak checker looks for pointers to heap memory (a node's value) in the
// blocks too, as it does in the heap.
#define WATCH(start, size) __lsan_register_root_region(start, size)
#define UNWATCH(start, size) __lsan_unregister_root_region(start, size)
#else
#define POISON(start, size) ((void)(start), (void)(size))
#define UNPOISON(start, size) ((void)(start), (void)(size))
#define WATCH(start, size) ((void)(start), (void)(size))
#define UNWATCH(start, size) ((void)(start), (void)(size))
#endif

namespace {

constexpr std::size_t kFirstBlock = std::size_t(256) << 10;
constexpr std::size_t kLargestBlock = std::size_t(32) << 20;
// The size of a huge page: blocks this large are aligned to it and ask for
// huge pages, which cost one page fault instead of 512.
constexpr std::size_t kHugePage = std::size_t(2) << 20;

// Every piece of node memory starts with the arena it came from, null for
// the heap.
constexpr std::size_t kHeader = 8;
static_assert(sizeof(CNodeArena *) <= kHeader);

thread_local CNodeArena *t_current = nullptr;

std::size_t RoundUp(std::size_t size, std::size_t unit)
{
    return (size + unit - 1) / unit * unit;
}

char *MapBlock(std::size_t size)
{
    const bool huge = size >= kHugePage;
    const std::size_t mapped = huge ? size + kHugePage : size;
    void *memory =
        mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    auto *start = static_cast<char *>(memory);
    if (!huge)
        return start;
    // Trim the mapping to a huge-page boundary on both sides.
    const auto address = reinterpret_cast<std::uintptr_t>(start);
    char *aligned = start + (RoundUp(address, kHugePage) - address);
    if (aligned > start)
        munmap(start, static_cast<std::size_t>(aligned - start));
    if (char *tail = aligned + size; tail < start + mapped)
        munmap(tail, static_cast<std::size_t>(start + mapped - tail));
#ifdef MADV_HUGEPAGE
    madvise(aligned, size, MADV_HUGEPAGE);
#endif
    return aligned;
}

} // namespace

CNodeArena::Ref::Ref(CNodeArena *arena)
    : m_arena(arena)
{
    if (m_arena)
        m_arena->Hold();
}

CNodeArena::Ref::Ref(const Ref &other)
    : Ref(other.m_arena)
{}

CNodeArena::Ref::Ref(Ref &&other) noexcept
    : m_arena(std::exchange(other.m_arena, nullptr))
{}

CNodeArena::Ref &CNodeArena::Ref::operator=(Ref other) noexcept
{
    std::swap(m_arena, other.m_arena);
    return *this;
}

CNodeArena::Ref::~Ref()
{
    if (m_arena)
        m_arena->LetGo();
}

CNodeArena::Ref CNodeArena::Make()
{
    return Ref(new CNodeArena());
}

CNodeArena::~CNodeArena()
{
    for (const Block &block : m_blocks) {
        UNWATCH(block.start, block.size);
        UNPOISON(block.start, block.size);
        munmap(block.start, block.size);
    }
}

void CNodeArena::LetGo()
{
    if (m_holders.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete this;
}

void CNodeArena::AddBlock(std::size_t atLeast)
{
    const std::size_t previous = m_blocks.empty() ? kFirstBlock / 2 : m_blocks.back().size;
    const std::size_t size =
        std::max(std::min(previous * 2, kLargestBlock), RoundUp(atLeast, 4096));
    m_blocks.reserve(m_blocks.size() + 1);
    char *start = MapBlock(size);
    POISON(start, size);
    WATCH(start, size);
    m_blocks.push_back({start, size});
    m_next = start;
    m_end = start + size;
}

void *CNodeArena::Allocate(std::size_t size)
{
    const std::size_t needed = RoundUp(size, alignof(std::max_align_t) / 2);
    if (static_cast<std::size_t>(m_end - m_next) < needed)
        AddBlock(needed);
    void *memory = m_next;
    m_next += needed;
    m_used += needed;
    UNPOISON(memory, size);
    Hold();
    return memory;
}

void CNodeArena::Release(void *memory, std::size_t size)
{
    POISON(memory, size);
    LetGo();
}

std::size_t CNodeArena::ReservedBytes() const
{
    std::size_t total = 0;
    for (const Block &block : m_blocks)
        total += block.size;
    return total;
}

CNodeArenaScope::CNodeArenaScope(CNodeArena *arena)
    : m_previous(std::exchange(t_current, arena))
{}

CNodeArenaScope::~CNodeArenaScope()
{
    t_current = m_previous;
}

CNodeArena *CNodeArenaScope::Current()
{
    return t_current;
}

void *AllocateNodeMemory(std::size_t size)
{
    CNodeArena *arena = t_current;
    auto *memory = static_cast<char *>(arena ? arena->Allocate(kHeader + size)
                                             : ::operator new(kHeader + size));
    *reinterpret_cast<CNodeArena **>(memory) = arena;
    return memory + kHeader;
}

void FreeNodeMemory(void *memory, std::size_t size)
{
    if (!memory)
        return;
    char *start = static_cast<char *>(memory) - kHeader;
    if (CNodeArena *arena = *reinterpret_cast<CNodeArena **>(start))
        arena->Release(start, kHeader + size);
    else
        ::operator delete(start);
}
