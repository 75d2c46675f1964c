// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up time and peak memory: the program against a bare QMainWindow with the same widgets,
// run the same way, alternately, each from process start to its first painted frame.
// Usage: bench_startup PROGRAM BARE [RUNS]   (with DISPLAY set; scripts/with-xvfb.sh does it)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Run {
    double milliseconds;
    long peakKilobytes;
};

Run StartOnce(const char* program)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    std::string out;
    char buffer[256];
    ssize_t n;
    while (out.find("painted") == std::string::npos &&
           (n = read(pipeFds[0], buffer, sizeof buffer)) > 0) {
        out.append(buffer, static_cast<std::size_t>(n));
    }
    const auto painted = std::chrono::steady_clock::now();
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (out.find("painted") == std::string::npos || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not paint its window\n", program);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(painted - start).count(), usage.ru_maxrss};
}

template <class T> T Percentile(std::vector<T> values, int percent)
{
    std::sort(values.begin(), values.end());
    return values[(values.size() - 1) * static_cast<std::size_t>(percent) / 100];
}

// Each run's figure over its bare partner's (the two were started one after the other).
std::vector<double> PairRatios(const std::vector<double>& program, const std::vector<double>& bare)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < program.size(); ++i) {
        ratios.push_back(program[i] / bare[i]);
    }
    return ratios;
}

// The median with the spread around it: the quartiles, then the least and the most.
void PrintLine(const char* what, const std::vector<double>& program,
               const std::vector<double>& bare, const char* unit)
{
    const double medianProgram = Percentile(program, 50);
    const double medianBare = Percentile(bare, 50);
    const std::vector<double> ratios = PairRatios(program, bare);
    std::printf("%s, median: program %.1f %s, bare %.1f %s, ratio %.3f\n", what, medianProgram,
                unit, medianBare, unit, medianProgram / medianBare);
    std::printf("  program: quartiles %.1f-%.1f, range %.1f-%.1f %s\n", Percentile(program, 25),
                Percentile(program, 75), Percentile(program, 0), Percentile(program, 100), unit);
    std::printf("  bare:    quartiles %.1f-%.1f, range %.1f-%.1f %s\n", Percentile(bare, 25),
                Percentile(bare, 75), Percentile(bare, 0), Percentile(bare, 100), unit);
    std::printf("  ratio of each pair: median %.3f, quartiles %.3f-%.3f, range %.3f-%.3f\n",
                Percentile(ratios, 50), Percentile(ratios, 25), Percentile(ratios, 75),
                Percentile(ratios, 0), Percentile(ratios, 100));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PROGRAM BARE [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 30;
    StartOnce(argv[1]); // warm the file cache for both
    StartOnce(argv[2]);

    std::vector<double> programTime, bareTime, programMemory, bareMemory;
    for (int i = 0; i < runs; ++i) {
        const Run program = StartOnce(argv[1]);
        const Run bare = StartOnce(argv[2]);
        programTime.push_back(program.milliseconds);
        programMemory.push_back(double(program.peakKilobytes));
        bareTime.push_back(bare.milliseconds);
        bareMemory.push_back(double(bare.peakKilobytes));
    }
    std::printf("runs: %d each, alternating\n", runs);
    PrintLine("first frame", programTime, bareTime, "ms");
    PrintLine("peak resident memory", programMemory, bareMemory, "KiB");
    return 0;
}
