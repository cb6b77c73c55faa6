// How much a rescan of a spool directory with many waiting jobs costs against the least any
// program pays to look at the same directory: reading it and asking the size and time of each
// file. Prints the ratio at the end.

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "app/queue/SpoolQueue.h"
#include "platform/files/posix/PosixFileSystem.h"

namespace {

namespace fs = std::filesystem;
using ostrelin::app::SpoolQueue;

constexpr int kJobs = 10000;

// A spool directory holding `count` settled jobs, removed again when the benchmark ends.
class SpoolDirectory {
  public:
    explicit SpoolDirectory(int count)
        : path_(fs::temp_directory_path() / ("ostrelin-rescan-bench-" + std::to_string(getpid()))) {
        fs::remove_all(path_);
        fs::create_directories(path_);
        const auto settled = fs::file_time_type::clock::now() - std::chrono::hours(1);
        for (int job = 0; job < count; ++job) {
            char name[32];
            std::snprintf(name, sizeof name, "JOB%05d.QSF", job);
            const fs::path file = path_ / name;
            // A description line in code page 852, its line end and the two skipped bytes.
            const std::string content =
                "V\xeckaz materi\xa0lu " + std::to_string(job) + std::string("\r\n\0\0", 4);
            std::ofstream(file, std::ios::binary) << content;
            fs::last_write_time(file, settled);
        }
    }
    ~SpoolDirectory() { fs::remove_all(path_); }
    SpoolDirectory(const SpoolDirectory&) = delete;
    SpoolDirectory& operator=(const SpoolDirectory&) = delete;

    // The directory as the queue takes it: ending with a separator.
    std::string Path() const { return path_.string() + "/"; }

  private:
    fs::path path_;
};

const SpoolDirectory& Directory() {
    static const SpoolDirectory directory(kJobs);
    return directory;
}

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// The floor: every entry's name read and its status asked once.
void BM_BareReaddirAndStat(benchmark::State& state) {
    const std::string path = Directory().Path();
    for (auto _ : state) {
        const std::unique_ptr<DIR, DirCloser> dir{::opendir(path.c_str())};
        long long bytes = 0;
        while (const dirent* entry = ::readdir(dir.get())) {
            struct stat info {};
            if (::fstatat(::dirfd(dir.get()), entry->d_name, &info, 0) == 0) {
                bytes += info.st_size;
            }
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["files"] = kJobs;
}
BENCHMARK(BM_BareReaddirAndStat)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The rescan that runs every five seconds while the jobs wait: every file is already listed.
void BM_RescanListedQueue(benchmark::State& state) {
    const std::string path = Directory().Path();
    const ostrelin::platform::files::PosixFileSystem files;
    SpoolQueue queue(files);
    queue.Rescan(path, SpoolQueue::Clock::now());
    if (queue.Count() != static_cast<std::size_t>(kJobs)) {
        state.SkipWithError("the queue did not list every job");
        return;
    }
    for (auto _ : state) {
        queue.Rescan(path, SpoolQueue::Clock::now());
    }
    state.counters["files"] = kJobs;
}
BENCHMARK(BM_RescanListedQueue)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The first rescan after start-up: every job is new and its description line is read.
void BM_RescanIntoEmptyQueue(benchmark::State& state) {
    const std::string path = Directory().Path();
    const ostrelin::platform::files::PosixFileSystem files;
    for (auto _ : state) {
        SpoolQueue queue(files);
        queue.Rescan(path, SpoolQueue::Clock::now());
        benchmark::DoNotOptimize(queue.Count());
    }
    state.counters["files"] = kJobs;
}
BENCHMARK(BM_RescanIntoEmptyQueue)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Prints the usual table and remembers each case's time per iteration.
class RatioReporter final : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                times_[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
    }

    // Each rescan case's time as a multiple of the bare directory read.
    void PrintRatios() const {
        const auto bare = times_.find("BM_BareReaddirAndStat");
        if (bare == times_.end() || bare->second <= 0) {
            return;
        }
        std::printf("\nWith %d spool files (target: a rescan of a listed queue at most 3x):\n",
                    kJobs);
        for (const auto& [name, time] : times_) {
            if (name != bare->first) {
                std::printf("  %-26s %6.2fx the bare readdir + stat loop\n", name.c_str(),
                            time / bare->second);
            }
        }
    }

  private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
