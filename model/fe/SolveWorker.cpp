#include "model/fe/SolveWorker.h"

#include <algorithm>
#include <chrono>

#if defined(__linux__)
#include <sched.h>
#endif

namespace {

// How long a helper keeps polling after a job before it sleeps: many
// steps' worth, so that it sleeps only when the run does not step. After
// the first part of that, about the gap between two jobs of a step, it
// yields its core while it polls, in case another thread waits for one.
constexpr auto PollFor = std::chrono::milliseconds(2);
constexpr auto SpinFor = std::chrono::microseconds(50);

// More helpers than this only lengthen the top of a split factor, which
// one thread solves.
constexpr int MaxSharedHelpers = 3;

} // namespace

TSolveWorker::TSolveWorker(int Helpers) : FParts(std::make_unique<TSlot[]>(MaxParts))
{
    for (int k = 0; k < std::max(Helpers, 0); ++k) FHelpers.push_back(std::make_unique<THelper>());
    for (size_t k = 0; k < FHelpers.size(); ++k)
        FHelpers[k]->Thread = std::thread([this, k] { Loop(static_cast<int>(k)); });
}

TSolveWorker::~TSolveWorker()
{
    FStop.store(true, std::memory_order_release);
    for (const auto& h : FHelpers) {
        h->Issued.store(++FJobNumber * PartsBase, std::memory_order_seq_cst);
        h->Issued.notify_one();
    }
    for (const auto& h : FHelpers) h->Thread.join();
}

int TSolveWorker::SharedThreads()
{
    // The cores this process may run on, which a container or a CPU set
    // may limit to fewer than the machine has.
    int cores = static_cast<int>(std::thread::hardware_concurrency());
#if defined(__linux__)
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0) cores = CPU_COUNT(&set);
#endif
    return std::clamp(cores, 1, MaxSharedHelpers + 1);
}

TSolveWorker* TSolveWorker::Shared()
{
    static const std::unique_ptr<TSolveWorker> shared =
        SharedThreads() > 1 ? std::make_unique<TSolveWorker>(SharedThreads() - 1) : nullptr;
    return shared.get();
}

bool TSolveWorker::Claim(TSlot& Slot, std::uint64_t J)
{
    std::uint64_t old = Slot.Claimed.load(std::memory_order_relaxed);
    while (old < J)
        if (Slot.Claimed.compare_exchange_weak(old, J, std::memory_order_acq_rel, std::memory_order_relaxed))
            return true;
    return false;
}

void TSolveWorker::TryRun(int P, std::uint64_t J)
{
    RunOnce(FParts[static_cast<size_t>(P)], J, [this, P] { FJob(FContext, P); });
}

void TSolveWorker::Run(TJob Job, void* Context, int Parts)
{
    if (Parts > MaxParts || FBusy.exchange(true, std::memory_order_acquire)) {
        for (int p = 0; p < Parts; ++p) Job(Context, p);
        return;
    }
    FJob = Job;
    FContext = Context;
    const std::uint64_t job = ++FJobNumber;
    // The store publishes the job before the helper sees its word; the
    // helpers' words are stored side by side, not one after the other's
    // round trip. Waking costs a system call even when nobody sleeps: only
    // a helper that said it sleeps is woken (the fence puts the stores and
    // the helpers' own store and load in one total order, so one of the
    // two sides sees the other).
    const int threads = Threads();
    const size_t busy = static_cast<size_t>(std::clamp(Parts - 1, 0, threads - 1));
    for (size_t k = 0; k < busy; ++k)
        FHelpers[k]->Issued.store(job * PartsBase + static_cast<std::uint64_t>(Parts), std::memory_order_release);
    std::atomic_thread_fence(std::memory_order_seq_cst);
    for (size_t k = 0; k < busy; ++k) {
        THelper& h = *FHelpers[k];
        if (h.Sleeping.load(std::memory_order_seq_cst)) h.Issued.notify_one();
    }
    for (int p = 0; p < Parts; p += threads)
        TryRun(p, job);
    for (int p = 0; p < Parts; ++p)
        TryRun(p, job);
    for (int p = 0; p < Parts; ++p)
        while (FParts[static_cast<size_t>(p)].Done.load(std::memory_order_acquire) != job) Pause();
    FBusy.store(false, std::memory_order_release);
}

void TSolveWorker::Loop(int Index)
{
    THelper& h = *FHelpers[static_cast<size_t>(Index)];
    std::uint64_t seen = 0;
    for (;;) {
        std::uint64_t issued = h.Issued.load(std::memory_order_acquire);
        if (issued == seen) {
            const auto start = std::chrono::steady_clock::now();
            bool yield = false;
            for (int spins = 0; issued == seen; ++spins) {
                if (yield)
                    std::this_thread::yield();
                else
                    Pause();
                issued = h.Issued.load(std::memory_order_acquire);
                if (issued != seen || (spins & 63) != 63) continue;
                const auto now = std::chrono::steady_clock::now();
                yield = now - start > SpinFor;
                if (now - start < PollFor) continue;
                h.Sleeping.store(true, std::memory_order_seq_cst);
                if (h.Issued.load(std::memory_order_seq_cst) == seen) h.Issued.wait(seen, std::memory_order_acquire);
                h.Sleeping.store(false, std::memory_order_relaxed);
                issued = h.Issued.load(std::memory_order_acquire);
            }
        }
        seen = issued;
        if (FStop.load(std::memory_order_acquire)) return;
        const std::uint64_t job = issued / PartsBase;
        const int parts = static_cast<int>(issued % PartsBase);
        for (int p = Index + 1; p < parts; p += Threads())
            TryRun(p, job);
    }
}
