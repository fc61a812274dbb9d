#pragma once

// Helper threads for the parts of a solve that take microseconds.
//
// Waking a sleeping thread costs about as much as the work it would share,
// so a helper keeps polling for a while after each job and sleeps only when
// no job came for a long time (a paused run, the end of a run).

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

class TSolveWorker
{
public:
    using TJob = void (*)(void* Context, int Part);

    // The calling thread and Helpers more.
    explicit TSolveWorker(int Helpers = 1);
    ~TSolveWorker();
    TSolveWorker(const TSolveWorker&) = delete;
    TSolveWorker& operator=(const TSolveWorker&) = delete;

    // The threads a job's parts are dealt to, the caller's included.
    int Threads() const { return static_cast<int>(FHelpers.size()) + 1; }

    // Runs Job(Context, p) for every part p < Parts (at most MaxParts),
    // part p on thread p mod Threads() (thread 0 being the caller); returns
    // when all are done. A part whose thread has not taken it up by the
    // time the caller has done its own (a helper the system did not let
    // run) the caller runs itself. While another thread uses the workers,
    // the caller runs every part itself. Job must not throw.
    static constexpr int MaxParts = 64;
    void Run(TJob Job, void* Context, int Parts);

    // The program's workers, made at the first call: a helper for each
    // further core, up to three; null on a machine without a second core.
    // While one thread uses them, another thread's parts run on that thread
    // alone.
    static TSolveWorker* Shared();
    // A pause for a thread polling for another's word.
    static void Pause()
    {
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#else
        std::this_thread::yield();
#endif
    }
    // The threads the program's workers share a job among, the caller's
    // included, without making them.
    static int SharedThreads();

    // A piece of work that several threads may take up, numbered by the job
    // it belongs to: the last job that took it and the last that finished
    // it, on a cache line of its own, so that threads taking and finishing
    // pieces side by side do not pass one line between them.
    struct alignas(64) TSlot {
        std::atomic<std::uint64_t> Claimed{0};
        std::atomic<std::uint64_t> Done{0};
    };
    // Runs Fn for job J and marks Slot done unless a thread took Slot for
    // J already; true when this thread ran it. Job numbers only grow: a
    // thread late for an earlier job finds it taken and takes nothing of a
    // later one.
    template <class TFn>
    static bool RunOnce(TSlot& Slot, std::uint64_t J, TFn Fn)
    {
        if (!Claim(Slot, J)) return false;
        Fn();
        Slot.Done.store(J, std::memory_order_release);
        return true;
    }

private:
    // A helper's job word lies on a cache line of its own, so that polling
    // one helper does not disturb another: the job number times PartsBase
    // plus the job's parts.
    static constexpr std::uint64_t PartsBase = 128;
    struct alignas(64) THelper {
        std::atomic<std::uint64_t> Issued{0};
        std::atomic<bool> Sleeping{false};
        std::thread Thread;
    };
    static bool Claim(TSlot& Slot, std::uint64_t J);
    void Loop(int Index);
    // Runs part P of job J unless a thread took it already.
    void TryRun(int P, std::uint64_t J);

    // Taken by the thread whose job the helpers run; a flag rather than a
    // mutex, as it is only ever tried, once a solve.
    std::atomic<bool> FBusy{false};
    TJob FJob = nullptr;
    void* FContext = nullptr;
    std::uint64_t FJobNumber = 0;
    std::atomic<bool> FStop{false};
    std::vector<std::unique_ptr<THelper>> FHelpers;
    std::unique_ptr<TSlot[]> FParts;
};
