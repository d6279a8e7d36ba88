#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// A program started for a measurement: in its own working directory on the X display, ended
// (and waited for) when this object goes.
class ProbeProcess {
public:
    ProbeProcess(const std::string &program, const std::string &workingDirectory);
    ~ProbeProcess();
    ProbeProcess(const ProbeProcess &) = delete;
    ProbeProcess &operator=(const ProbeProcess &) = delete;

    pid_t pid() const { return pid_; }
    // CLOCK_MONOTONIC time just before the process was forked.
    long long startedNs() const { return startedNs_; }
    bool isRunning();
    // Peak resident memory so far (VmHWM), in KiB; -1 when it cannot be read.
    long peakKiB() const;

private:
    pid_t pid_ = -1;
    long long startedNs_ = 0;
};

// The median of `values` (the upper one of an even count); 0 for none.
double median(std::vector<double> values);
