#pragma once

// A second thread for the two halves of a solve that take microseconds.
//
// Waking a sleeping thread costs about as much as the work it would share,
// so the worker keeps polling for a while after each job and sleeps only
// when no job came for a long time (a paused run, the end of a run).

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

class TSolveWorker
{
public:
    using TJob = void (*)(void* Context, int Part);

    TSolveWorker();
    ~TSolveWorker();
    TSolveWorker(const TSolveWorker&) = delete;
    TSolveWorker& operator=(const TSolveWorker&) = delete;

    // Runs Job(Context, 1) on the worker and Job(Context, 0) on the calling
    // thread (both on the calling thread while another thread uses the
    // worker); returns when both are done. Job must not throw.
    void RunPair(TJob Job, void* Context);

    // The program's worker, made at the first call; null on a machine
    // without a second core. While one thread uses it, another thread's
    // pair runs on that thread alone.
    static TSolveWorker* Shared();

private:
    void Loop();

    std::mutex FBusy;
    TJob FJob = nullptr;
    void* FContext = nullptr;
    std::atomic<std::uint32_t> FIssued{0};
    std::atomic<std::uint32_t> FDone{0};
    std::atomic<bool> FStop{false};
    std::atomic<bool> FSleeping{false};
    std::thread FThread;
};
