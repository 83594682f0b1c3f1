// Writes a dataset of mixed records (planes, lines, faults with comments)
// to a new binary file and reads it back through the import path.
//
//   bench_binary_io [records] [runs]     (defaults 1000000 and 5)
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "common.h"

int main(int argc, char** argv) {
    const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    qzCore::ErrorManager errors;
    qzCore::Data source(qzCore::ComplexFileName("source"), &errors, 1);
    bench::fillMixed(source, n);

    qzCore::qzIEColumnOptions options;
    options.setIEOption(qzCore::qzIEColumnOptions::IE_Binary_File);
    const qzCore::qzIEDataTypeOptions types;
    const qzCore::qzIEDataTypeOrder order(types, options);
    const std::string name = "/tmp/qz_bench_binary.gdf";

    // Each run writes a new file: the previous one is removed first, since
    // truncating 100 MB of it is the file system's work, not the writer's
    // (about 50 ms on this machine's ext4).
    const double write = bench::medianSeconds(runs, [&] { std::remove(name.c_str()); }, [&] {
        std::ofstream out(name, std::ios::binary | std::ios::trunc);
        qzCore::Emitter e(source, source.getDataList(), order, options, types, true);
        if (e.emit(out) != 1) std::abort();
    });
    // Each run reads into a fresh dataset; dropping the previous one is
    // not part of the reading.
    std::unique_ptr<qzCore::Data> target;
    const double read = bench::medianSeconds(
        runs,
        [&] {
            target.reset();
            target = std::make_unique<qzCore::Data>(qzCore::ComplexFileName("target"), &errors, 2);
        },
        [&] {
            std::ifstream in(name, std::ios::binary);
            if (target->addData(options, order, in) != 1 || target->getNumData() != n) std::abort();
        });
    std::printf("records %ld, runs %d\n", n, runs);
    std::printf("write  median %.3f s  (%.0f records/s)\n", write, double(n) / write);
    std::printf("read   median %.3f s  (%.0f records/s)\n", read, double(n) / read);
    std::remove(name.c_str());
    return 0;
}
