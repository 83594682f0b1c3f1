// A dataset as a value: read from one or more files (or text in memory),
// its records as columns of numbers, the rows refused and remarked as
// data, written in any format.  The hosts (qz, the Python module) are
// written on it; the published classes it wraps (DataManager, Data,
// ErrorManager, FileManager) stay reachable for what it does not cover.
//
// Angles are degrees: strike by the right-hand rule 0-360, dip 0-90,
// trend 0-360, plunge 0-90 down (lower hemisphere), rake 0-180.  A value a
// record does not have is NaN in a column.
//
// Example:
//
//     auto ds = qzCore::facade::Dataset::read("planes.txt");
//     for (double dip : ds.column(qzCore::facade::Column::Dip)) ...
//     for (const auto& row : ds.rejected()) std::cerr << row.line << ": " << row.reason;
#ifndef QZCORE_FACADE_DATASET_H
#define QZCORE_FACADE_DATASET_H

#include "qzCore/Export.h"

#include <memory>
#include <string>
#include <vector>

#include "qzCore/errors/ErrorManager.h"
#include "qzCore/facade/Failures.h"
#include "qzCore/files/FileLayout.h"
#include "qzCore/files/WriteFile.h"

namespace qzCore {

class Data;
class DataManager;
class FileManager;
class GeoData;

namespace facade {

/// A direction, degrees: trend 0-360 clockwise from north, plunge 0-90
/// down.
struct QZCORE_EXPORT Direction {
    double trend_deg = 0.0;
    double plunge_deg = 0.0;
};

/// How files are read; every field left as it is means "guess".
struct QZCORE_EXPORT ReadOptions {
    /// A name of fileFormats() that is read, or "auto" (by the extension
    /// and the content).
    std::string format = "auto";
    /// Column keywords or header words (ColumnHeader.h), "-" for a column
    /// passed over; empty: from the header row, else the default layout.
    std::vector<std::string> columns;
    /// "auto", "tab", "comma", "space", "semicolon" or "colon" (or the
    /// character itself).
    std::string delimiter = "auto";
    /// The Strike column holds dip directions.
    bool dipDirection = false;
};

/// The column words of a comma-separated text ("Strike,Dip,-,Well").
QZCORE_EXPORT std::vector<std::string> columnWords(const std::string& text);

/// How one file was read.
struct QZCORE_EXPORT FileRead {
    std::string path;
    /// 1, or the library's code that stopped the reading.
    int code = 1;
    /// The code's message (LF line ends); "" when read.
    std::string message;
    FileLayout layout;
    /// The text was UTF-16 and was read as UTF-8.
    bool utf16 = false;

    bool ok() const { return code == 1; }
    /// Delimited text whose columns nobody named: the default layout's, a
    /// guess a host should tell its user about.
    bool columnsGuessed() const;
    /// "text, tab, columns from the header row: Strike, Dip"; the format's
    /// name for the other formats.
    std::string layoutText() const;
};

/// A row of a file refused or loaded with a remark.
struct QZCORE_EXPORT LineReport {
    unsigned long line = 0;
    std::string text;
    /// What was wrong or done, in words (and what exactly, where known).
    std::string reason;
    /// The library's code.
    int code = 0;
};

/// The value columns of records.
enum class Column { Strike, Dip, DipDirection, Trend, Plunge, Rake, X, Y, Z, MeasuredDepth };

/// Records of one or more files with the managers they live in.  Moved,
/// not copied.
class QZCORE_EXPORT Dataset {
public:
    Dataset();
    Dataset(Dataset&&) noexcept;
    Dataset& operator=(Dataset&&) noexcept;
    ~Dataset();

    /// Reads the file `path` ("-": standard input).
    /// @throw Refused for options out of their tables; Failed (the
    /// library's code) when the file cannot be read.
    static Dataset read(const std::string& path, const ReadOptions& options = {});
    /// Reads text in memory as the file `name` (its extension helps guess
    /// the format).  @throw as read().
    static Dataset fromText(const std::string& name, std::string content, const ReadOptions& options = {});

    /// Reads one more file into this dataset, its records after those
    /// already held.  Does not throw for the file's own faults: they are
    /// in the outcome (and the dataset is unchanged).
    /// @throw Refused for options out of their tables.
    FileRead add(const std::string& path, const ReadOptions& options = {});
    FileRead addText(const std::string& name, std::string content, const ReadOptions& options = {});

    /// The files read, in order.
    const std::vector<FileRead>& files() const { return files_; }
    /// The first file's path ("" before any).
    std::string name() const;
    bool empty() const;
    std::size_t size() const;

    /// One value of each record, in order; NaN where it has none.
    std::vector<double> column(Column c) const;
    /// The value of one record (NaN where it has none).
    static double valueOf(Column c, const GeoData& record);

    /// Rows refused (the first ErrorManager::Max_Reported_Errors; count()
    /// of all in rejectedCount()).
    std::vector<LineReport> rejected() const;
    /// Rows loaded with a remark.
    std::vector<LineReport> remarks() const;
    unsigned long rejectedCount() const;
    unsigned long remarkCount() const;
    /// Lines passed over without a report, by kind.
    const SkippedLines& skipped() const;
    /// The library's report of the rows refused, as it words it (each row,
    /// "%<Line N>" and the message), LF line ends.
    std::string rejectedReport() const;
    /// The message of a library code, LF line ends.
    std::string message(int code) const;

    /// Writes the records to `path` in the format `format` names ("auto":
    /// by the extension, delimited text when it names none).
    /// @throw Refused for a format that is not written; Failed when the
    /// file cannot be written.
    WriteOutcome write(const std::string& path, const std::string& format = "auto");

    /// The published objects underneath.
    Data& data();
    const Data& data() const;
    DataManager& manager();
    const ErrorManager& errors() const;
    unsigned char id() const { return id_; }

private:
    struct Managers;
    std::unique_ptr<Managers> m_;
    unsigned char id_ = 0;
    bool open_ = false;
    std::vector<FileRead> files_;
};

/// Writes dataset `id` of `manager` (a dataset made from another, such as
/// a rotated copy) as Dataset::write does.  @throw as Dataset::write.
QZCORE_EXPORT WriteOutcome writeDataset(DataManager& manager, unsigned char id, const std::string& path,
                          const std::string& format = "auto");

}  // namespace facade
}  // namespace qzCore

#endif  // QZCORE_FACADE_DATASET_H
