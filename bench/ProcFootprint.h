#pragma once

#include <optional>
#include <string_view>
#include <sys/types.h>

namespace orvan::bench {

// What /proc tells of one running process: its memory from smaps_rollup and the
// processor time its threads have used so far, to the nanosecond from the scheduler's
// figures (the tick counts of the stat line are too coarse for an idle program).
class ProcFootprint {
public:
    struct Sample {
        double rssMib = 0;
        double pssMib = 0;     // shared pages divided among the processes that map them
        double privateMib = 0; // clean and dirty pages of this process alone
        double cpuSeconds = 0; // time on a processor of the threads running now
    };

    // Where the resident memory is, in MiB, by kind of mapping.
    struct Breakdown {
        double heap = 0;      // the main arena ([heap])
        double anonymous = 0; // other arenas, thread stacks, anonymous mmap
        double shared = 0;    // System V or POSIX shared memory, memfd
        double files = 0;     // libraries, fonts and other mapped files
        double other = 0;     // the main stack, vdso and the like
    };

    // None when the process is gone or its files cannot be read.
    static std::optional<Sample> read(pid_t pid);
    static std::optional<Breakdown> breakdown(pid_t pid);

    // Sums the Rss lines of smaps text by kind of mapping.
    static Breakdown breakdownOf(std::string_view smaps);

    // The kilobytes of the "`name`:" line of smaps_rollup or status text.
    static std::optional<long long> kilobytes(std::string_view text, std::string_view name);

private:
    static std::optional<double> cpuSeconds(pid_t pid);
};

} // namespace orvan::bench
