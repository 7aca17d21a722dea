// Prints what a process costs: CPU time of all its threads from the process CPU clock,
// voluntary and involuntary context switches summed over its threads, and resident and
// private memory from smaps_rollup. Usage: proc_stats PID
#include <dirent.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

long long ReadKilobytes(const std::string& path, const char* field)
{
    std::ifstream in(path);
    std::string line;
    const size_t fieldLength = std::strlen(field);
    long long total = 0;
    while (std::getline(in, line))
        if (line.compare(0, fieldLength, field) == 0) total += std::atoll(line.c_str() + fieldLength);
    return total;
}

void SumContextSwitches(int pid, long long& voluntary, long long& involuntary)
{
    const std::string taskDir = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(taskDir.c_str());
    if (!dir) return;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        const std::string status = taskDir + "/" + entry->d_name + "/status";
        voluntary += ReadKilobytes(status, "voluntary_ctxt_switches:");
        involuntary += ReadKilobytes(status, "nonvoluntary_ctxt_switches:");
    }
    closedir(dir);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: proc_stats PID\n");
        return 2;
    }
    const int pid = std::atoi(argv[1]);
    clockid_t clock;
    timespec cpu{};
    if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &cpu) != 0) {
        std::fprintf(stderr, "proc_stats: no such process %d\n", pid);
        return 1;
    }
    const std::string rollup = "/proc/" + std::to_string(pid) + "/smaps_rollup";
    long long voluntary = 0, involuntary = 0;
    SumContextSwitches(pid, voluntary, involuntary);
    std::printf("cpu_ns %lld\nrss_kb %lld\nprivate_kb %lld\nvoluntary %lld\ninvoluntary %lld\n",
                static_cast<long long>(cpu.tv_sec) * 1000000000LL + cpu.tv_nsec,
                ReadKilobytes(rollup, "Rss:"),
                ReadKilobytes(rollup, "Private_Clean:") + ReadKilobytes(rollup, "Private_Dirty:"),
                voluntary, involuntary);
    return 0;
}
