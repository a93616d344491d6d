#include "files/bus_error_guard.h"

#ifdef Q_OS_UNIX
#include <atomic>
#include <csignal>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace bladetrace {
namespace {

// The handler reads these, so they are lock-free atomics and nothing else.
struct Slot {
    std::atomic<std::uintptr_t> begin{0}; // 0: free
    std::atomic<std::uintptr_t> end{0};
    std::atomic<int> faults{0};
};
static_assert(std::atomic<std::uintptr_t>::is_always_lock_free);
static_assert(std::atomic<int>::is_always_lock_free);

// Pictures mapped at once: two per run, more only in tests and tools.
constexpr int kSlots = 64;
Slot slots[kSlots];
struct sigaction previous;
std::uintptr_t pageSize = 4096;

void onBusError(int signal, siginfo_t* info, void* context) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Slot& slot : slots) {
        const std::uintptr_t begin = slot.begin.load(std::memory_order_acquire);
        if (begin == 0 || address < begin || address >= slot.end.load(std::memory_order_acquire))
            continue;
        // A page of zeros over the one the file lost; the read runs again and finds it.
        void* page = reinterpret_cast<void*>(address & ~(pageSize - 1));
        if (::mmap(page, pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) ==
            MAP_FAILED)
            break;
        slot.faults.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    // Not a guarded page: as if this handler were not there.
    if (previous.sa_flags & SA_SIGINFO) {
        previous.sa_sigaction(signal, info, context);
    } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
        previous.sa_handler(signal);
    } else {
        // The read runs again and ends the process as it would have.
        ::sigaction(SIGBUS, &previous, nullptr);
    }
}

bool installHandler() {
    pageSize = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    struct sigaction action = {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    return ::sigaction(SIGBUS, &action, &previous) == 0;
}

} // namespace

BusErrorGuard::BusErrorGuard(const uchar* begin, qint64 size) {
    static const bool installed = installHandler();
    if (!installed || !begin || size <= 0)
        return;
    const auto first = reinterpret_cast<std::uintptr_t>(begin);
    for (int i = 0; i < kSlots; ++i) {
        std::uintptr_t free = 0;
        if (!slots[i].begin.compare_exchange_strong(free, first, std::memory_order_acq_rel))
            continue;
        slots[i].faults.store(0, std::memory_order_relaxed);
        slots[i].end.store(first + std::uintptr_t(size), std::memory_order_release);
        slot_ = i;
        return;
    }
}

BusErrorGuard::~BusErrorGuard() {
    if (slot_ < 0)
        return;
    slots[slot_].end.store(0, std::memory_order_release);
    slots[slot_].begin.store(0, std::memory_order_release);
}

int BusErrorGuard::faults() const {
    return slot_ < 0 ? 0 : slots[slot_].faults.load(std::memory_order_relaxed);
}

} // namespace bladetrace

#else

namespace bladetrace {

// Windows refuses to cut short a file while it is mapped: there is nothing to guard.
BusErrorGuard::BusErrorGuard(const uchar*, qint64) : slot_(0) {}
BusErrorGuard::~BusErrorGuard() = default;
int BusErrorGuard::faults() const {
    return 0;
}

} // namespace bladetrace

#endif
