// What the fuzz targets share: a dataset read from bytes with chosen
// options, and the comparison of two datasets field by field.
#ifndef QZCORE_FUZZ_FUZZSUPPORT_H
#define QZCORE_FUZZ_FUZZSUPPORT_H

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "qzCore/qzCore.h"

namespace qzfuzz {

/// A message handler that answers every question with yes and prints
/// nothing: the library's questions must not block a fuzzer.
class Quiet : public qzCore::MessageHandler {
public:
    void notify(const std::string&, const std::string&) override {}
    int query(const std::string&, const std::string&) override { return 1; }
};

/// Managers and one dataset.
struct Session {
    Session() { qzCore::installMessageHandler(&quiet); }
    ~Session() { qzCore::installMessageHandler(nullptr); }
    Quiet quiet;
    qzCore::ErrorManager errors;
    qzCore::FileManager files;
    qzCore::DataManager manager{&errors, &files};

    /// A new dataset read from `content` with `options`; its id, or 0 when
    /// the reader refused the file (a thrown header code).
    unsigned char read(const std::string& content, qzCore::qzIEColumnOptions options) {
        unsigned char id = 0;
        if (manager.createDataset(id, "", false, nullptr) != 1) return 0;
        options.setIEOption(qzCore::qzIEColumnOptions::IE_Report_Errors);
        options.setIEOption(qzCore::qzIEColumnOptions::IE_Read_Attributes);
        std::istringstream in(content);
        try {
            manager.addData(id, options, qzCore::qzIEDataTypeOrder(qzCore::qzIEDataTypeOptions(), options), in);
        } catch (int) {
            manager.deleteDataset(id);
            return 0;
        }
        return id;
    }

    std::string write(unsigned char id, qzCore::qzIEColumnOptions options) {
        const qzCore::qzIEDataTypeOptions types;
        qzCore::qzIEDataTypeOrder order(types, options);
        std::ostringstream out;
        manager.exportDataset(id, options, order, types, out);
        return out.str();
    }
};

/// Lines of a text as the line reader counts them: each LF, CR LF or lone
/// CR ends one, and text after the last line end is one more.
inline unsigned long linesOf(const std::string& text) {
    unsigned long lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            ++lines;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        }
    }
    const char last = text.empty() ? '\n' : text.back();
    return lines + (last == '\n' || last == '\r' ? 0 : 1);
}

/// The text layout qz writes: every value column, angles as numbers.
inline qzCore::qzIEColumnOptions textExport() {
    qzCore::qzIEColumnOptions o;
    o.setDefaultColumnOptions();
    o.setValueTextExport(qzCore::krtIEConstants::Tab_Delim);
    return o;
}

/// Stops the run: a finding.
[[noreturn]] inline void finding(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

}  // namespace qzfuzz

#endif  // QZCORE_FUZZ_FUZZSUPPORT_H
