// Start-up as the pupil sees it: from starting the process to the chooser painted,
// with the process's peak memory, beside an empty Qt window started the same way.
// Run under Xvfb:  xvfb-run -a startup_bench PROGRAM BASELINE [RUNS]
#include <climits>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Result
{
    double medianMs = 0;
    long peakKb = 0;
    bool ok = true;
};

Result measure(const char *program, int runs)
{
    Result result;
    std::vector<double> ms;
    char resolved[4096];
    if (!realpath(program, resolved)) {
        result.ok = false;
        return result;
    }
    program = resolved;
    const std::string path(program);
    const std::string folder = path.substr(0, path.find_last_of('/') + 1);
    for (int i = 0; i <= runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            if (!folder.empty() && chdir(folder.c_str()) != 0)
                _exit(126);
            setenv("CLOZE_QUIT_WHEN_SHOWN", "1", 1);
            execl(program, program, static_cast<char *>(nullptr));
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        const double elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            result.ok = false;
        if (i == 0)
            continue; // the first start pays for the page cache
        ms.push_back(elapsed);
        result.peakKb = std::max(result.peakKb, usage.ru_maxrss);
    }
    std::sort(ms.begin(), ms.end());
    result.medianMs = ms[ms.size() / 2];
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench PROGRAM BASELINE [RUNS]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(3, std::atoi(argv[3])) : 11;
    const Result program = measure(argv[1], runs);
    const Result bare = measure(argv[2], runs);
    std::printf("%d starts each, after one warm-up; process start to first paint and exit\n", runs);
    std::printf("%-34s %10s %10s  %s\n", "program", "median ms", "peak MB", "target");
    const bool met = program.ok && program.medianMs < 300 && program.peakKb < 80 * 1024;
    std::printf("%-34s %10.1f %10.1f  < 300 ms, < 80 MB %s\n", "cloze-trainer to the chooser", program.medianMs,
                program.peakKb / 1024.0, met ? "met" : "MISSED");
    std::printf("%-34s %10.1f %10.1f  baseline\n", "  an empty Qt window", bare.medianMs, bare.peakKb / 1024.0);
    if (!program.ok || !bare.ok)
        std::printf("a start failed (no display? run under xvfb-run)\n");
    return met ? 0 : 1;
}
