// The whole `qz info` process on a file of strike and dip rows: start,
// reading, the summary, the end.  Prints the median wall time and the peak
// resident memory (per record) of `runs` processes.
//
//   bench_qz_info_process [rows] [runs]     (defaults 1000000 and 11)
//
// The file is made once, like a field sheet exported as tab-separated text
// (6.5 MB for a million rows), and left in /tmp for comparisons with other
// programs (numpy.loadtxt('/tmp/qz_bench_strike_dip.txt')).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

int main(int argc, char** argv) {
    const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 11;
    const std::string name = "/tmp/qz_bench_strike_dip.txt";
    {
        std::ofstream out(name);
        std::mt19937 random(1);
        char line[32];
        for (long i = 0; i < rows; ++i) {
            const int n = std::snprintf(line, sizeof line, "%u\t%u\n", unsigned(random() % 360), unsigned(random() % 91));
            out.write(line, n);
        }
    }
    std::vector<double> seconds;
    std::vector<long> peakKiB;
    for (int run = 0; run < runs; ++run) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        char program[] = QZ_PROGRAM;
        char command[] = "info";
        std::string file = name;
        char* args[] = {program, command, file.data(), nullptr};
        const auto t0 = std::chrono::steady_clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, program, &actions, nullptr, args, environ) != 0) {
            std::perror("posix_spawn");
            return 1;
        }
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        const auto t1 = std::chrono::steady_clock::now();
        posix_spawn_file_actions_destroy(&actions);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "qz info failed\n");
            return 1;
        }
        seconds.push_back(std::chrono::duration<double>(t1 - t0).count());
        peakKiB.push_back(usage.ru_maxrss);
    }
    std::sort(seconds.begin(), seconds.end());
    std::sort(peakKiB.begin(), peakKiB.end());
    const long peak = peakKiB[peakKiB.size() / 2];
    std::printf("qz info, %ld rows of strike and dip, %d runs\n", rows, runs);
    std::printf("median wall time   %.3f s (fastest %.3f s)\n", seconds[seconds.size() / 2], seconds.front());
    std::printf("peak resident      %.0f MiB, %.0f bytes per record\n", double(peak) / 1024.0,
                1024.0 * double(peak) / double(rows));
    return 0;
}
