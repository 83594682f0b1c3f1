// The parser alone on rows of strike and dip: no records made.  When a
// long file is read on two threads the parser runs on the helper and sets
// the pace; this is its time per row.
//
//   bench_parse_rows [rows] [runs]     (defaults 1000000 and 7)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <list>
#include <random>
#include <string>
#include <vector>

#include "src/shared/TextView.h"
#include "qzCore/qzCore.h"

int main(int argc, char** argv) {
    const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    std::string content;
    std::mt19937 random(1);
    for (long i = 0; i < rows; ++i) {
        content += std::to_string(random() % 360) + "\t" + std::to_string(random() % 91) + "\n";
    }
    qzCore::LayoutChoices given;
    const qzCore::FileLayout layout = qzCore::guessFileLayout("rows.txt", content, given);
    qzCore::qzIEColumnOptions options;
    options.setDefaultColumnOptions();
    layout.applyTo(options);
    const qzCore::qzIEDataTypeOptions types;
    const qzCore::qzIEDataTypeOrder order(types, options);

    std::vector<double> seconds;
    long values = 0;
    for (int run = 0; run < runs; ++run) {
        qzCore::TextView view(content);
        std::istream in(&view);
        qzCore::qzParser parser;
        parser.Initialize(options, order, in);
        qzCore::DataStruct data;
        qzCore::TokenStruct tokens;
        std::list<std::string> labels;
        std::string station, text;
        unsigned int line = 0;
        long read = 0;
        const auto t0 = std::chrono::steady_clock::now();
        for (;;) {
            data.reset();
            tokens.reset();
            labels.clear();
            station.clear();
            text.clear();
            const int r = parser.AutoFileParse(data, tokens, in, labels, station, false, line, text);
            if (r == qzCore::Error::Parsing_Incomplete) break;
            read += r > 0;
        }
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        seconds.push_back(s);
        values = read;
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf("rows %ld parsed into %ld values, %d runs\n", rows, values, runs);
    std::printf("parser alone, median   %.1f ms (%.0f ns a row)\n", median * 1e3, median * 1e9 / double(rows));
    return 0;
}
