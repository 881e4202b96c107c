#include "cli/BatchRunner.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace velta::cli {

void runJobs(int count, int jobs, const FileJob& job, const std::function<void(int, FileResult&)>& done) {
    if (count <= 0) return;
    if (jobs <= 1 || count == 1) {
        for (int i = 0; i < count; ++i) {
            FileResult r = job(0, i);
            done(i, r);
        }
        return;
    }
    std::vector<std::optional<FileResult>> results(static_cast<std::size_t>(count));
    std::mutex mutex;
    std::condition_variable ready;
    std::atomic<int> next{0};
    auto worker = [&](int w) {
        for (int i; (i = next.fetch_add(1)) < count;) {
            FileResult r = job(w, i);
            std::lock_guard lock(mutex);
            results[static_cast<std::size_t>(i)] = std::move(r);
            ready.notify_one();
        }
    };
    std::vector<std::thread> threads;
    const int n = std::min(jobs, count);
    threads.reserve(static_cast<std::size_t>(n));
    for (int w = 0; w < n; ++w) threads.emplace_back(worker, w);
    for (int i = 0; i < count; ++i) {
        FileResult r;
        {
            std::unique_lock lock(mutex);
            ready.wait(lock, [&] { return results[static_cast<std::size_t>(i)].has_value(); });
            r = std::move(*results[static_cast<std::size_t>(i)]);
            results[static_cast<std::size_t>(i)].reset();
        }
        done(i, r);
    }
    for (auto& t : threads) t.join();
}

}  // namespace velta::cli
