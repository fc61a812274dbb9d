#include "model/fe/SolveWorker.h"

#include <algorithm>
#include <chrono>

namespace {

// How long a helper keeps polling after a job before it sleeps: many
// steps' worth, so that it sleeps only when the run does not step.
constexpr auto PollFor = std::chrono::milliseconds(2);

// More helpers than this only lengthen the top of a split factor, which
// one thread solves.
constexpr int MaxSharedHelpers = 3;

inline void Relax()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#else
    std::this_thread::yield();
#endif
}

} // namespace

TSolveWorker::TSolveWorker(int Helpers)
{
    for (int k = 0; k < std::max(Helpers, 0); ++k) FHelpers.push_back(std::make_unique<THelper>());
    for (size_t k = 0; k < FHelpers.size(); ++k)
        FHelpers[k]->Thread = std::thread([this, k] { Loop(static_cast<int>(k)); });
}

TSolveWorker::~TSolveWorker()
{
    FStop.store(true, std::memory_order_release);
    for (const auto& h : FHelpers) {
        h->Issued.fetch_add(1, std::memory_order_seq_cst);
        h->Issued.notify_one();
    }
    for (const auto& h : FHelpers) h->Thread.join();
}

int TSolveWorker::SharedThreads()
{
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, MaxSharedHelpers + 1);
}

TSolveWorker* TSolveWorker::Shared()
{
    static const std::unique_ptr<TSolveWorker> shared =
        SharedThreads() > 1 ? std::make_unique<TSolveWorker>(SharedThreads() - 1) : nullptr;
    return shared.get();
}

void TSolveWorker::Run(TJob Job, void* Context, int Parts)
{
    const std::unique_lock<std::mutex> lock(FBusy, std::try_to_lock);
    if (!lock.owns_lock()) {
        for (int p = 0; p < Parts; ++p) Job(Context, p);
        return;
    }
    FJob = Job;
    FContext = Context;
    FParts = Parts;
    // The increment publishes the job before the helper sees the new
    // number. Waking costs a system call even when nobody sleeps: only a
    // helper that said it sleeps is woken (both sides in one total order,
    // so one of them sees the other).
    const int threads = Threads();
    const size_t busy = static_cast<size_t>(std::clamp(Parts - 1, 0, threads - 1));
    for (size_t k = 0; k < busy; ++k) {
        THelper& h = *FHelpers[k];
        h.Awaited = h.Issued.fetch_add(1, std::memory_order_seq_cst) + 1;
        if (h.Sleeping.load(std::memory_order_seq_cst)) h.Issued.notify_one();
    }
    for (int p = 0; p < Parts; p += threads) Job(Context, p);
    for (size_t k = 0; k < busy; ++k)
        while (FHelpers[k]->Done.load(std::memory_order_acquire) != FHelpers[k]->Awaited) Relax();
}

void TSolveWorker::Loop(int Index)
{
    THelper& h = *FHelpers[static_cast<size_t>(Index)];
    std::uint32_t seen = 0;
    for (;;) {
        std::uint32_t issued = h.Issued.load(std::memory_order_acquire);
        if (issued == seen) {
            const auto until = std::chrono::steady_clock::now() + PollFor;
            for (int spins = 0; issued == seen; ++spins) {
                Relax();
                issued = h.Issued.load(std::memory_order_acquire);
                if (issued != seen || (spins & 255) != 255 || std::chrono::steady_clock::now() < until) continue;
                h.Sleeping.store(true, std::memory_order_seq_cst);
                if (h.Issued.load(std::memory_order_seq_cst) == seen) h.Issued.wait(seen, std::memory_order_acquire);
                h.Sleeping.store(false, std::memory_order_relaxed);
                issued = h.Issued.load(std::memory_order_acquire);
            }
        }
        seen = issued;
        if (FStop.load(std::memory_order_acquire)) return;
        for (int p = Index + 1; p < FParts; p += Threads()) FJob(FContext, p);
        h.Done.store(seen, std::memory_order_release);
    }
}
