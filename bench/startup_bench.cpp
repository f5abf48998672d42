// Runs the start-up programs alternately as whole processes and prints the median wall time,
// CPU time and peak resident set of each, and Calibrix's ratios to its floors: the window of the
// same widgets (its own cost), and a bare window.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Run {
    double ms;    ///< wall time from fork to exit
    double cpuMs; ///< user and system time of the process
    long rssKiB;
};

double ms(const timeval& t) {
    return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
}

Run runOnce(const std::string& program, const char* argument = nullptr) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // Qt's warnings (a window closed mid-flush as the program quits) would bury the figures.
        if (FILE* quiet = std::freopen("/dev/null", "w", stderr); quiet == nullptr)
            _exit(126);
        execl(program.c_str(), program.c_str(), argument, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", program.c_str(), status);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(end - start).count(),
            ms(usage.ru_utime) + ms(usage.ru_stime), usage.ru_maxrss};
}

template <class T> T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Series {
    const char* what;
    std::string program;
    const char* argument;
    std::vector<double> ms, cpuMs;
    std::vector<long> rss;

    void run() {
        const Run r = runOnce(program, argument);
        ms.push_back(r.ms);
        cpuMs.push_back(r.cpuMs);
        rss.push_back(r.rssKiB);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s calibrix-program widgets-program bare-program [runs]\n",
                     argv[0]);
        return 2;
    }
    const int runs = argc > 4 ? std::atoi(argv[4]) : 21;
    std::vector<Series> series{
        {"calibrix start to first plot paint", argv[1], nullptr, {}, {}, {}},
        {"same widgets, no artwork, no calculation", argv[2], nullptr, {}, {}, {}},
        {"bare Qt window", argv[3], nullptr, {}, {}, {}},
        {"bare Qt window with one text line", argv[3], "--text", {}, {}, {}}};
    for (Series& s : series) // warm the caches for all
        runOnce(s.program, s.argument);
    // Alternating, and each round in another order, so that a busy moment of the machine falls
    // on every program alike.
    for (int i = 0; i < runs; ++i)
        for (std::size_t k = 0; k < series.size(); ++k)
            series[(k + std::size_t(i)) % series.size()].run();

    std::printf("runs: %d, medians\n", runs);
    for (const Series& s : series)
        std::printf("%-42s wall %6.1f ms, CPU %6.1f ms, peak RSS %ld KiB\n", s.what, median(s.ms),
                    median(s.cpuMs), median(s.rss));
    const Series& app = series[0];
    for (std::size_t k = 1; k < series.size(); ++k) {
        const Series& floor = series[k];
        std::printf("against %-34s wall ratio %.3f, CPU ratio %.3f, RSS %+.2f MiB\n", floor.what,
                    median(app.ms) / median(floor.ms), median(app.cpuMs) / median(floor.cpuMs),
                    double(median(app.rss) - median(floor.rss)) / 1024.0);
    }
    std::printf("(target against the same widgets: ratio <= 1.05)\n");
    return 0;
}
