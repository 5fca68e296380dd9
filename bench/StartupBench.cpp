// Start-up benchmark: runs a program's probe and a baseline probe in turn, several times each, and
// prints the median time from process start to the main window's first painted frame and the median
// peak memory by then, with the ratio of the two programs.
//
//   StartupBench [--runs N] <probe> <baseline probe>
//
// A probe prints "first-paint-ns <CLOCK_MONOTONIC time>", "peak-rss-kb <maximum resident set>" and the
// counts of widgets, native windows and top-level windows it has at its first frame, and ends
// (FirstPaintProbe.cpp). The clock is read here right before the process is
// forked, so the time includes loading the executable and its libraries.

#include <sys/wait.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kRunTimeoutMs = 30000;

struct Sample {
    double Milliseconds = 0;
    double PeakMiB = 0;
    int Widgets = 0;
    int NativeWindows = 0;
    int TopLevelWindows = 0;
};

long long MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Runs the probe once; throws when it ends without reporting its first frame.
Sample RunOnce(const std::string& program)
{
    int out[2] = {-1, -1};
    if (pipe(out) != 0)
        throw std::runtime_error("pipe failed");
    const long long start = MonotonicNs();
    const pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);

    std::string report;
    const long long deadline = MonotonicNs() + kRunTimeoutMs * 1000000LL;
    while (true) {
        pollfd readable{out[0], POLLIN, 0};
        const int waitMs = static_cast<int>(std::max(0LL, (deadline - MonotonicNs()) / 1000000));
        if (poll(&readable, 1, waitMs) <= 0)
            break;
        char buffer[256];
        const ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        report.append(buffer, static_cast<size_t>(got));
    }
    close(out[0]);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    long long paintNs = 0;
    long peakKb = 0;
    Sample sample;
    std::istringstream lines(report);
    std::string key;
    while (lines >> key) {
        if (key == "first-paint-ns")
            lines >> paintNs;
        else if (key == "peak-rss-kb")
            lines >> peakKb;
        else if (key == "widgets")
            lines >> sample.Widgets;
        else if (key == "native-windows")
            lines >> sample.NativeWindows;
        else if (key == "top-level-windows")
            lines >> sample.TopLevelWindows;
    }
    if (paintNs == 0 || peakKb == 0)
        throw std::runtime_error(program + " reported no first frame");
    sample.Milliseconds = double(paintNs - start) / 1e6;
    sample.PeakMiB = double(peakKb) / 1024.0;
    return sample;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Summary {
    std::string Name;
    double MedianMs = 0;
    double MinMs = 0;
    double MaxMs = 0;
    double MedianPeakMiB = 0;
    double MinPeakMiB = 0;
    double MaxPeakMiB = 0;
    // What the program had built by its first frame; the same in every run.
    int Widgets = 0;
    int NativeWindows = 0;
    int TopLevelWindows = 0;
};

Summary Summarise(const std::string& program, const std::vector<Sample>& samples)
{
    std::vector<double> times;
    std::vector<double> peaks;
    for (const Sample& sample : samples) {
        times.push_back(sample.Milliseconds);
        peaks.push_back(sample.PeakMiB);
    }
    std::string name = program.substr(program.find_last_of('/') + 1);
    if (name.size() > 5 && name.compare(name.size() - 5, 5, "Probe") == 0)
        name.resize(name.size() - 5);
    const Sample& last = samples.back();
    return {name,
            Median(times),
            *std::min_element(times.begin(), times.end()),
            *std::max_element(times.begin(), times.end()),
            Median(peaks),
            *std::min_element(peaks.begin(), peaks.end()),
            *std::max_element(peaks.begin(), peaks.end()),
            last.Widgets,
            last.NativeWindows,
            last.TopLevelWindows};
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 15;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            programs.emplace_back(argv[i]);
    }
    if (programs.size() != 2) {
        std::fprintf(stderr, "usage: %s [--runs N] <probe> <baseline probe>\n", argv[0]);
        return 2;
    }

    try {
        // One run each first, so that both find their files in the page cache; then the two take turns,
        // so that a change in the machine's load falls on both alike.
        std::vector<std::vector<Sample>> samples(programs.size());
        for (const std::string& program : programs)
            RunOnce(program);
        for (int run = 0; run < runs; ++run) {
            for (size_t p = 0; p < programs.size(); ++p) {
                samples[p].push_back(RunOnce(programs[p]));
                // Let the window manager forget the window before the next one maps.
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
        }

        const Summary program = Summarise(programs[0], samples[0]);
        const Summary baseline = Summarise(programs[1], samples[1]);
        std::printf("Start-up to the first painted frame of the main window, median of %d runs\n", runs);
        std::printf("(peak memory: maximum resident set size at that frame)\n\n");
        std::printf("%-22s %12s %10s %10s %16s %14s\n", "program", "median [ms]", "min [ms]", "max [ms]",
                    "peak RSS [MiB]", "min-max [MiB]");
        for (const Summary& summary : {program, baseline}) {
            std::printf("%-22s %12.1f %10.1f %10.1f %16.1f %7.1f-%-6.1f\n", summary.Name.c_str(), summary.MedianMs,
                        summary.MinMs, summary.MaxMs, summary.MedianPeakMiB, summary.MinPeakMiB, summary.MaxPeakMiB);
        }
        const std::string ratio = program.Name + " / " + baseline.Name;
        std::printf("%-22s %12.2f %10s %10s %16.2f\n", ratio.c_str(), program.MedianMs / baseline.MedianMs, "", "",
                    program.MedianPeakMiB / baseline.MedianPeakMiB);
        std::printf("\nBuilt by the first frame: %-10s %8s %15s %18s\n", "", "widgets", "native windows",
                    "top-level windows");
        for (const Summary& summary : {program, baseline}) {
            std::printf("%-36s %8d %15d %18d\n", summary.Name.c_str(), summary.Widgets, summary.NativeWindows,
                        summary.TopLevelWindows);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "StartupBench: %s\n", error.what());
        return 1;
    }
    return 0;
}
