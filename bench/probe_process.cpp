#include "probe_process.h"

#include "x_watch.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

ProbeProcess::ProbeProcess(const std::string &program, const std::string &workingDirectory)
{
    startedNs_ = XWatch::now();
    pid_ = fork();
    if (pid_ == 0) {
        if (chdir(workingDirectory.c_str()) != 0)
            _exit(127);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0)
            dup2(null, STDOUT_FILENO);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        std::fprintf(stderr, "cannot start %s: %s\n", program.c_str(), std::strerror(errno));
        _exit(127);
    }
}

ProbeProcess::~ProbeProcess()
{
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
}

bool ProbeProcess::isRunning()
{
    int status = 0;
    if (pid_ <= 0)
        return false;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return false;
    }
    return true;
}

long ProbeProcess::peakKiB() const
{
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
