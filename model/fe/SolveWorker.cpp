#include "model/fe/SolveWorker.h"

#include <chrono>
#include <memory>

namespace {

// How long the worker keeps polling after a job before it sleeps: many
// steps' worth, so that it sleeps only when the run does not step.
constexpr auto PollFor = std::chrono::milliseconds(2);

inline void Relax()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#else
    std::this_thread::yield();
#endif
}

} // namespace

TSolveWorker::TSolveWorker() : FThread([this] { Loop(); })
{
}

TSolveWorker::~TSolveWorker()
{
    FStop.store(true, std::memory_order_release);
    FIssued.fetch_add(1, std::memory_order_seq_cst);
    FIssued.notify_one();
    FThread.join();
}

TSolveWorker* TSolveWorker::Shared()
{
    static const std::unique_ptr<TSolveWorker> shared =
        std::thread::hardware_concurrency() > 1 ? std::make_unique<TSolveWorker>() : nullptr;
    return shared.get();
}

void TSolveWorker::RunPair(TJob Job, void* Context)
{
    const std::unique_lock<std::mutex> lock(FBusy, std::try_to_lock);
    if (!lock.owns_lock()) {
        Job(Context, 0);
        Job(Context, 1);
        return;
    }
    FJob = Job;
    FContext = Context;
    // The increment publishes the job before the worker sees the new number.
    // Waking costs a system call even when nobody sleeps: only a worker
    // that said it sleeps is woken (both sides in one total order, so one
    // of them sees the other).
    const std::uint32_t issued = FIssued.fetch_add(1, std::memory_order_seq_cst) + 1;
    if (FSleeping.load(std::memory_order_seq_cst)) FIssued.notify_one();
    Job(Context, 0);
    while (FDone.load(std::memory_order_acquire) != issued) Relax();
}

void TSolveWorker::Loop()
{
    std::uint32_t seen = 0;
    for (;;) {
        std::uint32_t issued = FIssued.load(std::memory_order_acquire);
        if (issued == seen) {
            const auto until = std::chrono::steady_clock::now() + PollFor;
            for (int spins = 0; issued == seen; ++spins) {
                Relax();
                issued = FIssued.load(std::memory_order_acquire);
                if (issued != seen || (spins & 255) != 255 || std::chrono::steady_clock::now() < until) continue;
                FSleeping.store(true, std::memory_order_seq_cst);
                if (FIssued.load(std::memory_order_seq_cst) == seen) FIssued.wait(seen, std::memory_order_acquire);
                FSleeping.store(false, std::memory_order_relaxed);
                issued = FIssued.load(std::memory_order_acquire);
            }
        }
        seen = issued;
        if (FStop.load(std::memory_order_acquire)) return;
        FJob(FContext, 1);
        FDone.store(seen, std::memory_order_release);
    }
}
