// Runs the start-up programs alternately as whole processes and prints the median wall time,
// CPU time and peak resident set of each, and Calibrix's ratios to its floors: the window of the
// same widgets (its own cost), and a bare window. The plugin firstframe, next to this program,
// ends each of them at its first frame.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

Run runOnce(const std::string& program, const char* argument = nullptr, bool noBus = false) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // Qt's warnings (a window closed mid-flush as the program quits) would bury the figures.
        if (FILE* quiet = std::freopen("/dev/null", "w", stderr); quiet == nullptr)
            _exit(126);
        if (noBus) {
            unsetenv("DBUS_SESSION_BUS_ADDRESS");
            unsetenv("AT_SPI_BUS_ADDRESS");
        }
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
    bool noBus; ///< run without the session bus, and so without any screen reader
    std::vector<double> ms, cpuMs;
    std::vector<long> rss;

    void run() {
        const Run r = runOnce(program, argument, noBus);
        ms.push_back(r.ms);
        cpuMs.push_back(r.cpuMs);
        rss.push_back(r.rssKiB);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s calibrix widgets-floor bare-floor [runs]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 4 ? std::atoi(argv[4]) : 21;
    const std::string plugins =
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / "plugins";
    setenv("QT_PLUGIN_PATH", plugins.c_str(), 1);
    setenv("QT_QPA_GENERIC_PLUGINS", "firstframe", 1);
    // Under a session bus each program also runs without it, in the same rounds, so that what
    // a listening screen reader costs is measured side by side too.
    const bool bus = std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr;
    std::vector<Series> series{
        {"calibrix", argv[1], nullptr, false, {}, {}, {}},
        {"same widgets, no artwork, no calculation", argv[2], nullptr, false, {}, {}, {}},
        {"bare Qt window", argv[3], nullptr, false, {}, {}, {}},
        {"bare Qt window with one text line", argv[3], "--text", false, {}, {}, {}}};
    if (bus) {
        series.push_back({"calibrix without the bus", argv[1], nullptr, true, {}, {}, {}});
        series.push_back({"same widgets without the bus", argv[2], nullptr, true, {}, {}, {}});
    }
    for (const Series& s : series) // warm the caches for all
        runOnce(s.program, s.argument, s.noBus);
    // Alternating, and each round in another order, so that a busy moment of the machine falls
    // on every program alike.
    for (int i = 0; i < runs; ++i)
        for (std::size_t k = 0; k < series.size(); ++k)
            series[(k + std::size_t(i)) % series.size()].run();

    std::printf("runs: %d, medians, time from exec to the end at the first frame\n", runs);
    for (const Series& s : series)
        std::printf("%-42s wall %6.1f ms, CPU %6.1f ms, peak RSS %ld KiB\n", s.what, median(s.ms),
                    median(s.cpuMs), median(s.rss));
    const auto ratio = [&](std::size_t a, std::size_t b) {
        std::printf("%s against %s: wall ratio %.3f, CPU ratio %.3f, RSS %+.2f MiB\n",
                    series[a].what, series[b].what, median(series[a].ms) / median(series[b].ms),
                    median(series[a].cpuMs) / median(series[b].cpuMs),
                    double(median(series[a].rss) - median(series[b].rss)) / 1024.0);
    };
    for (std::size_t k = 1; k < 4; ++k)
        ratio(0, k);
    if (bus) {
        ratio(4, 5);
        ratio(0, 4);
        ratio(1, 5);
    }
    std::printf("(targets: calibrix against the same widgets <= 1.05; with a listening screen "
                "reader against without <= 1.10)\n");
    return 0;
}
