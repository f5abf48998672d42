// Runs the start-up programs alternately as whole processes and prints the median wall time
// and the peak resident set of each, and their ratios.
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
    double ms;
    long rssKiB;
};

Run runOnce(const std::string& program, const char* argument = nullptr) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
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
    return {std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss};
}

template <class T> T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s calibrix-program bare-program [runs]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::atoi(argv[3]) : 21;
    std::vector<double> appMs, bareMs, textMs;
    std::vector<long> appRss, bareRss, textRss;
    runOnce(argv[1]); // warm the caches for both
    runOnce(argv[2]);
    for (int i = 0; i < runs; ++i) {
        const Run app = runOnce(argv[1]);
        const Run bare = runOnce(argv[2]);
        const Run text = runOnce(argv[2], "--text");
        textMs.push_back(text.ms);
        textRss.push_back(text.rssKiB);
        appMs.push_back(app.ms);
        appRss.push_back(app.rssKiB);
        bareMs.push_back(bare.ms);
        bareRss.push_back(bare.rssKiB);
    }
    const double a = median(appMs), b = median(bareMs);
    const long ra = median(appRss), rb = median(bareRss);
    std::printf("runs: %d\n", runs);
    std::printf("calibrix start to first plot paint: median %.1f ms, peak RSS %ld KiB\n", a, ra);
    std::printf("bare Qt window to first paint:      median %.1f ms, peak RSS %ld KiB\n", b, rb);
    const double t = median(textMs);
    const long rt = median(textRss);
    std::printf("bare Qt window with one text line:  median %.1f ms, peak RSS %ld KiB\n", t, rt);
    std::printf("against the bare window:   time ratio %.3f (target <= 1.15), RSS %+.2f MiB "
                "(target <= 4)\n",
                a / b, double(ra - rb) / 1024.0);
    std::printf("against the text window:   time ratio %.3f, RSS %+.2f MiB\n", a / t,
                double(ra - rt) / 1024.0);
    return 0;
}
