// Start-up time (process start to the main window drawn) and peak resident memory of the lookup
// program on the demo data set, against a bare Qt window, run alternately in the same run: with
// Qt's offscreen platform, and also on the X display when DISPLAY is set.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

struct Sample {
    double ms;
    long peakKiB;
};

Sample runProbe(const char *mode, const char *platform)
{
    int out[2];
    if (pipe(out) != 0)
        std::exit(1);
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::string start = std::to_string(now.tv_sec * 1000000000LL + now.tv_nsec);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        if (chdir(QUORVEL_DEMO_DIR) != 0)
            _exit(127);
        setenv("QT_QPA_PLATFORM", platform, 1);
        execl(QUORVEL_PROBE, QUORVEL_PROBE, mode, start.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char text[64] = {};
    const ssize_t n = read(out[0], text, sizeof text - 1);
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (n <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "probe %s failed\n", mode);
        std::exit(1);
    }
    return {std::atof(text), usage.ru_maxrss};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void measure(const char *platform, int runs)
{
    std::vector<double> bareMs, programMs, bareKiB, programKiB, lookupKiB;
    runProbe("bare", platform); // warm the file cache
    runProbe("program", platform);
    for (int i = 0; i < runs; ++i) {
        const Sample b = runProbe("bare", platform);
        const Sample p = runProbe("program", platform);
        const Sample l = runProbe("lookup", platform);
        bareMs.push_back(b.ms);
        programMs.push_back(p.ms);
        bareKiB.push_back(double(b.peakKiB));
        programKiB.push_back(double(p.peakKiB));
        lookupKiB.push_back(double(l.peakKiB));
    }
    const double bm = median(bareMs), pm = median(programMs);
    std::printf("== Qt platform %s\n", platform);
    std::printf("start-up, process start to window drawn (median of %d):\n", runs);
    std::printf("  bare Qt window      %7.1f ms\n", bm);
    std::printf("  lookup program      %7.1f ms\n", pm);
    std::printf("  ratio               %7.2f (goal: at most 1.5)\n", pm / bm);
    std::printf("peak resident memory (median):\n");
    std::printf("  bare Qt window                     %7.1f MiB\n", median(bareKiB) / 1024);
    std::printf("  lookup program after start-up      %7.1f MiB\n", median(programKiB) / 1024);
    std::printf("  ... and one 100-hit lookup         %7.1f MiB\n", median(lookupKiB) / 1024);
    std::printf("  above the bare window              %7.1f MiB (goal: at most 20)\n",
                (median(lookupKiB) - median(bareKiB)) / 1024);
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 21;
    measure("offscreen", runs);
    if (std::getenv("DISPLAY") != nullptr)
        measure("xcb", runs);
    return 0;
}
