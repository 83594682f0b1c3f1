// Loads a generated tab-delimited file of planes (strike, dip, a short
// comment, a station id) through the public import path and reports the
// time, rows per second and resident memory per record.
//
//   bench_load_planes [rows] [runs]     (defaults 1000000 and 5)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#include <string>
#include <vector>

#include "qzCore/qzCore.h"
#include "src/shared/RecordPool.h"  // the pool's figures, an internal header

namespace {

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 20, '\n');
    }
    return 0;
}

void writeFile(const std::string& name, long rows) {
    std::ofstream out(name);
    char line[96];
    for (long i = 0; i < rows; ++i) {
        const int n = std::snprintf(line, sizeof line, "%ld\t%ld\tbed %ld\tW-%ld\n", (i * 7) % 360, (i * 13) % 91,
                                    i % 1000, i % 100);
        out.write(line, n);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const std::string name = "/tmp/qz_bench_planes.txt";
    writeFile(name, rows);

    qzCore::qzIEColumnOptions options;
    options.setDefaultColumnOptions();
    options.resetColumnChoices();
    options.setColumnChoice(0, qzCore::qzIEDataTypeOptions::Strike_Type);
    options.setColumnChoice(1, qzCore::qzIEDataTypeOptions::Dip_Type);
    options.setColumnChoice(2, qzCore::qzIEDataTypeOptions::Comment_Type);
    options.setColumnChoice(3, qzCore::qzIEDataTypeOptions::Well_Type);
    const qzCore::qzIEDataTypeOrder order(qzCore::qzIEDataTypeOptions(), options);

    std::vector<double> seconds;
    double firstRunResident = 0.0;
    double firstRunHeap = 0.0;
    for (int run = 0; run < runs; ++run) {
        qzCore::ErrorManager errors;
        qzCore::FileManager files;
        qzCore::DataManager manager(&errors, &files);
        unsigned char id = 0;
        manager.createDataset(id, "bench", false, nullptr);
        const long before = residentKiB();
        // The record pool's large slabs are mapped outside the heap.
        const std::size_t heapBefore = mallinfo2().uordblks + qzCore::recordPoolStatistics().mappedBytes;
        std::ifstream in(name);
        const auto t0 = std::chrono::steady_clock::now();
        const int r = manager.addData(id, options, order, in);
        const auto t1 = std::chrono::steady_clock::now();
        const long after = residentKiB();
        const std::size_t heapAfter = mallinfo2().uordblks + qzCore::recordPoolStatistics().mappedBytes;
        if (r != 1 || manager.getNumData() != rows) {
            std::fprintf(stderr, "load failed: %d, %d records\n", r, manager.getNumData());
            return 1;
        }
        seconds.push_back(std::chrono::duration<double>(t1 - t0).count());
        // Heap growth (malloc's chunk sizes, so its overhead counts) and
        // resident growth are honest on the first run only: later runs
        // reuse the records the earlier ones freed (the record pool keeps
        // its blocks for them).
        if (run == 0) {
            firstRunHeap = double(heapAfter - heapBefore) / double(rows);
            firstRunResident = 1024.0 * double(after - before) / double(rows);
        }
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf("rows %ld, runs %d\n", rows, runs);
    std::printf("median load time   %.3f s\n", median);
    std::printf("rows per second    %.0f\n", double(rows) / median);
    std::printf("heap growth per record, first run %.0f\n", firstRunHeap);
    std::printf("resident growth per record, first run %.0f\n", firstRunResident);
    std::remove(name.c_str());
    return 0;
}
