// A dataset reading a file: the loop over its rows, each entered as a
// record or reported with its line number; a binary file's own tables
// translated into the dataset's.
//
// A long file is read by two threads: one turns rows into values (the
// parser and its state stay on it, so rows are parsed in order exactly as
// on one thread), the calling thread enters them as records, links
// stations and attributes and reports rejected rows, in file order.  Rows
// travel between them in batches.  The first rows are read on the calling
// thread alone, so a small file never starts a thread.
//
// Entering a record is quicker than parsing a row, so for a delimited text
// file the calling thread also finishes some rows itself: the helper reads
// every line in order (the part that carries state: line numbers, the
// header) but parses only its share of them; the caller parses the rest
// with a copy of the parser just before entering them.
#include <exception>
#include <istream>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "qzCore/datasets/Data.h"
#include "qzCore/shared/Threads.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/errors/ErrorManager.h"
#include "qzCore/files/FileHeader.h"
#include "qzCore/parsing/IEOptions.h"
#include "qzCore/parsing/qzParser.h"
#include "shared/HandOver.h"
#include "shared/HugePages.h"

namespace qzCore {

namespace {

// Rows read on the calling thread before a second one helps.
constexpr std::size_t Rows_Before_Helper = 8192;
// Rows handed over at a time, and how many batches circulate.
constexpr std::size_t Batch_Rows = 8192;
constexpr std::size_t Batches = 3;
// Of every Share_Period rows of a delimited file, the helper parses the
// first Helper_Share and only reads the others.  Measured balance on two
// cores (4, 5, 6 and 7 of 8 tried): reading a row of bare numbers takes
// about as long as making its record and entering it, and finishing it
// somewhat less.
constexpr std::size_t Share_Period = 8;
constexpr std::size_t Helper_Share = 6;

/// One row as the parser leaves it.
struct ParsedRow {
    int result = 0;
    unsigned int line = 0;
    DataStruct data;
    TokenStruct tokens;
    std::list<std::string> labels;
    std::string station;
    std::string text;
    bool tooLong = false;  // of a row read but not parsed
    // What the parser said of the row beside its result (qzParser::
    // RowRemark), kept small: rows travel in batches of thousands, and a
    // detail is written for a rejected row only.
    SkippedLine skipped = SkippedLine::Blank;
    int note = 0;
    std::unique_ptr<std::string> detail;
};

/// A row slot made empty for the next row, which starts at `line`.
void clearRow(ParsedRow& row, unsigned int line) {
    row.data.reset();
    row.tokens.reset();
    row.labels.clear();
    row.station.clear();
    row.text.clear();
    row.tooLong = false;
    row.line = line;
    row.note = 0;
    row.detail.reset();
}

/// The parser's remark on the row it read last, kept with the row.
void keepRemark(const qzParser& parser, ParsedRow& row) {
    const qzParser::RowRemark& r = parser.rowRemark();
    row.skipped = r.skipped;
    row.note = r.note;
    if (!r.detail.empty()) row.detail = std::make_unique<std::string>(r.detail);
}

/// The parser's reading of a row: what the loop starts from.  `line` goes
/// on from row to row: the parser counts the records of a binary file on
/// from it (a text file's rows carry their own line numbers).
int parseRow(qzParser& parser, std::istream& in, bool binary, unsigned int& line, ParsedRow& row) {
    clearRow(row, line);
    row.result = parser.AutoFileParse(row.data, row.tokens, in, row.labels, row.station, binary, row.line, row.text);
    line = row.line;
    keepRemark(parser, row);
    return row.result;
}

/// Reads a row of a delimited file without parsing it: its result is
/// qzParser::Row_Taken unless reading it said all there is to say.
int takeRow(qzParser& parser, std::istream& in, unsigned int& line, ParsedRow& row) {
    clearRow(row, line);
    row.result = parser.takeRow(in, row.line, row.text, row.tooLong);
    line = row.line;
    keepRemark(parser, row);
    return row.result;
}

/// The end of the file or a failure of the stream or the parser: no row
/// comes after it.
bool endsReading(int r) {
    return r == Error::Parsing_Incomplete || r == Error::Input_File_Error || r == Error::File_Parser_Failed;
}

/// Batches of parsed rows passed from the helper thread to the caller.
class RowPipe {
public:
    // Each batch on cache lines of its own: the helper fills one while the
    // caller reads another, and a shared line between them (as the stack
    // happened to place them, in one run out of two) slowed both threads
    // by a third.
    struct alignas(64) Batch {
        ParsedRow* rows = nullptr;  // Batch_Rows of them
        std::size_t count = 0;
        bool last = false;             // no batch follows
        std::exception_ptr thrown;     // the parser threw after `count` rows
    };

    // The rows of all batches lie in one block of huge pages: six
    // megabytes touched page by page would cost some 1,500 page faults
    // before the first batch came back.
    RowPipe() : m_block(sizeof(ParsedRow) * Batch_Rows * Batches) {
        ParsedRow* const rows = static_cast<ParsedRow*>(m_block.data());
        std::uninitialized_value_construct_n(rows, Batch_Rows * Batches);
        for (std::size_t k = 0; k < Batches; ++k) {
            m_batches[k].rows = rows + k * Batch_Rows;
            m_free.push_back(&m_batches[k]);
        }
    }
    ~RowPipe() { std::destroy_n(static_cast<ParsedRow*>(m_block.data()), Batch_Rows * Batches); }
    RowPipe(const RowPipe&) = delete;
    RowPipe& operator=(const RowPipe&) = delete;

    /// The helper: parses rows into batches until the file ends, the
    /// parser throws or the caller stops; with `share`, only its share of
    /// them, the others only read.
    void produce(qzParser& parser, std::istream& in, bool binary, unsigned int line, bool share) {
        for (;;) {
            Batch* b = takeFree();
            if (!b) return;  // stopped
            b->last = false;
            b->thrown = nullptr;
            // Counted here and published with the batch.
            std::size_t count = 0;
            try {
                while (count < Batch_Rows) {
                    ParsedRow& row = b->rows[count];
                    const bool mine = !share || count % Share_Period < Helper_Share;
                    const int r = mine ? parseRow(parser, in, binary, line, row) : takeRow(parser, in, line, row);
                    ++count;
                    if (endsReading(r)) {
                        b->last = true;
                        break;
                    }
                }
            } catch (...) {
                b->thrown = std::current_exception();
                b->last = true;
            }
            b->count = count;
            const bool last = b->last;
            giveFull(b);
            if (last) return;
        }
    }

    /// The caller: the next batch in file order.
    Batch* takeFull() {
        return m_hand.when([this] { return !m_full.empty(); },
                           [this] {
                               Batch* b = m_full.front();
                               m_full.erase(m_full.begin());
                               return b;
                           });
    }
    void giveBack(Batch* b) {
        m_hand.change([&] { m_free.push_back(b); });
    }
    /// The caller needs no more rows: the helper ends at its next batch.
    void stop() { m_hand.stop(); }

private:
    Batch* takeFree() {
        return m_hand.when([this] { return m_hand.stopped() || !m_free.empty(); },
                           [this]() -> Batch* {
                               if (m_hand.stopped()) return nullptr;
                               Batch* b = m_free.back();
                               m_free.pop_back();
                               return b;
                           });
    }
    void giveFull(Batch* b) {
        m_hand.change([&] { m_full.push_back(b); });
    }

    HugeBlock m_block;
    Batch m_batches[Batches];
    HandOver m_hand;
    std::vector<Batch*> m_free;
    std::vector<Batch*> m_full;
};

}  // namespace

int Data::addData(const qzIEColumnOptions& options, const qzIEDataTypeOrder& order, std::istream& in) {
    using O = qzIEColumnOptions;
    int r = m_parser->Initialize(options, order, in);
    if (r < 0) return r;
    const bool binary = options.getIEOption(O::IE_Binary_File);
    // A binary file's own attribute table and station list, and where its
    // bits and indexes land in this dataset (which may hold data already).
    TableMap map;
    if (binary) {
        FileHeader header;
        AttrList fileAttributes;
        StationList fileStations;
        unsigned int contentFlags = 0;
        m_parser->ParseBinaryHeader(in, header, fileAttributes, fileStations, contentFlags);
        map = importTables(fileAttributes, fileStations);
    }
    const bool report = options.getIEOption(O::IE_Report_Errors) && m_errors;
    const bool readAttributes = options.getIEOption(O::IE_Read_Attributes);
    const bool assignAttributes = !options.getIEOption(O::IE_Do_Not_Assign_Attributes);
    const bool askAttributes = options.getIEOption(O::IE_Ask_About_Attributes);
    std::list<std::string> rejectedLabels;

    // Enters one parsed row, or reports it; a value when reading ends here.
    auto enterRow = [&](ParsedRow& row) -> std::optional<int> {
        int r = row.result;
        if (r == Error::Parsing_Incomplete) return 1;
        if (r == Error::Input_File_Error || r == Error::File_Parser_Failed) return r;
        if (r > 0 && binary && !translate(map, row.data)) r = Error::Insert_Failed;
        if (r > 0) {
            bool appended = false;
            if (!binary) r = attachStation(row.station.c_str(), row.data, appended);
            if (r > 0) {
                r = insertData(row.data, row.tokens);
                if (r < 0 && appended) uninitializeStationId(row.station.c_str());
                // No reference left: nothing more can be entered.
                if (r == Error::Insert_Failed && m_nextReference >= Max_Data_Reference) return r;
            }
            if (r > 0) {
                if (readAttributes && !row.labels.empty()) {
                    linkAttributesToCurrent(row.labels, rejectedLabels, assignAttributes, askAttributes);
                }
                if (report && row.note != 0) {
                    ErrorReport e;
                    e.Init(row.note, row.line, row.text.c_str());
                    m_errors->reportNote(e);
                }
                return std::nullopt;
            }
        }
        if (r == Error::Null_Input_Line) {
            if (report) m_errors->countSkipped(row.skipped);
            return std::nullopt;
        }
        if (report) {
            ErrorReport e;
            e.Init(r, row.line, row.text.c_str());
            if (row.detail) e.SetDetail(*row.detail);
            m_errors->reportError(e);
        }
        if (m_errors && m_errors->isFatal(r)) return r;
        return std::nullopt;
    };

    // The first rows on this thread.
    ParsedRow row;
    unsigned int line = 0;
    for (std::size_t n = 0; n < Rows_Before_Helper; ++n) {
        parseRow(*m_parser, in, binary, line, row);
        if (const std::optional<int> end = enterRow(row)) return *end;
    }

    // Without threads, the rest here too.
#ifndef QZCORE_NO_THREADS
    if (!threadsEnabled())
#endif
    {
        for (;;) {
            parseRow(*m_parser, in, binary, line, row);
            if (const std::optional<int> end = enterRow(row)) return *end;
        }
    }
#ifndef QZCORE_NO_THREADS
    // The rest with a helper thread parsing ahead, and a copy of the parser
    // for the rows this thread finishes.
    std::optional<qzParser> own;
    if (!binary && m_parser->rowsFinishApart()) own.emplace(*m_parser);
    RowPipe pipe;
    const bool share = own.has_value();
    std::thread helper([&, line, share] { pipe.produce(*m_parser, in, binary, line, share); });
    struct Join {
        RowPipe& pipe;
        std::thread& helper;
        ~Join() {
            pipe.stop();
            helper.join();
        }
    } join{pipe, helper};
    for (;;) {
        RowPipe::Batch* b = pipe.takeFull();
        const std::size_t count = b->count;
        for (std::size_t i = 0; i < count; ++i) {
            ParsedRow& row = b->rows[i];
            if (row.result == qzParser::Row_Taken) {
                row.result = own->finishRow(row.text, row.tooLong, row.data, row.tokens, row.labels, row.station);
                keepRemark(*own, row);
            }
            if (const std::optional<int> end = enterRow(row)) return *end;
        }
        if (b->thrown) std::rethrow_exception(b->thrown);
        // A batch always ends with the row that ended reading.
        if (b->last) return 1;
        pipe.giveBack(b);
    }
#endif
}

}  // namespace qzCore
