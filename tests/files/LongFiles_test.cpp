// Long files: past its first few thousand rows a file is parsed on a
// second thread, and text in memory is read through a TextView rather than
// a string stream.  Neither may lose, reorder or misreport a row.
#include <algorithm>
#include <initializer_list>
#include <istream>
#include <tuple>
#include <sstream>
#include <string>
#include <vector>

#include "src/shared/TextView.h"
#include "tests/files/ImportFixture.h"

namespace qzCore {
namespace testing_import {

namespace {

struct Expected {
    std::vector<std::pair<int, int>> records;  // strike, dip
    std::vector<std::string> comments;         // of each record
    std::vector<unsigned int> rejectedLines;
};

// Rows of strike and dip with a bad dip, a comment line and a blank line
// here and there; what reading them must give, worked out row by row.
std::string longFile(int rows, Expected& e) {
    std::string text;
    for (int line = 1; line <= rows; ++line) {
        if (line % 1500 == 0) {
            text += "# field note " + std::to_string(line) + "\n";
        } else if (line % 2000 == 1000) {
            text += "\n";
        } else if (line % 997 == 0) {
            text += std::to_string(line % 360) + "\t95\n";
            e.rejectedLines.push_back(unsigned(line));
        } else if (line % 1733 == 0) {
            text += "1\t2\tW-1\t" + std::string(1100, 'x') + "\n";  // too long: rejected whole
            e.rejectedLines.push_back(unsigned(line));
        } else {
            // Every fifth row carries a note: rows are parsed on both
            // threads, and each must keep its own.
            const std::string note = line % 5 == 0 ? "n" + std::to_string(line) : "";
            text += std::to_string(line % 360) + "\t" + std::to_string(line % 91) + "\tW-" + std::to_string(line % 7) +
                    (note.empty() ? "" : "\t" + note) + "\n";
            e.records.push_back({line % 360, line % 91});
            e.comments.push_back(note);
        }
    }
    return text;
}

// The line numbers of the rows a report names, in its order.
std::vector<unsigned int> reportedLines(const std::string& report) {
    std::vector<unsigned int> out;
    for (std::size_t at = report.find("%<Line "); at != std::string::npos; at = report.find("%<Line ", at + 1)) {
        out.push_back(unsigned(std::stoul(report.substr(at + 7))));
    }
    return out;
}


}  // namespace

class LongFile : public Import {
protected:
    /// Reads `text` through a TextView, as whole files are read.
    int loadView(const std::string& text) {
        const O o = optionsOf(columnsOf({T::Strike_Type, T::Dip_Type, T::Well_Type, T::Comment_Type}));
        TextView view(text);
        std::istream in(&view);
        return data.addData(o, qzIEDataTypeOrder(qzIEDataTypeOptions(), o), in);
    }
    void expectRead(const Expected& e) {
        ASSERT_EQ(data.getNumData(), int(e.records.size()));
        for (std::size_t i = 0; i < e.records.size(); ++i) {
            const LightweightDataStruct& d = *at(int(i)).data();
            ASSERT_EQ(d.getStrike(), e.records[i].first) << "record " << i;
            ASSERT_EQ(d.getDip(), e.records[i].second) << "record " << i;
            ASSERT_STREQ(at(int(i)).tokens()->getComment(), e.comments[i].c_str()) << "record " << i;
        }
        // Every rejected row kept as data; the text report names the first
        // ErrorManager::Max_Reported_Errors of them.
        std::vector<unsigned int> kept;
        for (const RejectedLine& r : errors.getRejectedLines()) kept.push_back(r.line);
        EXPECT_EQ(kept, e.rejectedLines);
        EXPECT_EQ(errors.getNumRejected(), e.rejectedLines.size());
        const std::size_t shown = std::min<std::size_t>(e.rejectedLines.size(), ErrorManager::Max_Reported_Errors);
        EXPECT_EQ(reportedLines(report()),
                  std::vector<unsigned int>(e.rejectedLines.begin(), e.rejectedLines.begin() + long(shown)));
        EXPECT_EQ(data.getStationList().getNumStations(), 7);
    }
};

TEST_F(LongFile, EveryRowKeptInOrderAndEveryRejectReportedWhereItStands) {
    // The last row has no line end.
    Expected e;
    std::string text = longFile(60000, e) + "123\t45";
    e.records.push_back({123, 45});
    e.comments.emplace_back();
    ASSERT_EQ(loadView(text), 1);
    expectRead(e);
}

// Lines at the edges of what a row may hold, read through a TextView and
// through a string stream (which takes them with getline): the records and
// the report must agree, early in the file and past the point where the
// second thread takes over.
TEST(TextViewLines, AgreeWithAStringStreamAtEveryEdge) {
    const std::size_t max = krtIEConstants::Max_Line_Length;
    auto row = [](std::size_t length) {
        std::string s = "010\t20\tx\t";  // the padding in a column no type reads
        s.resize(length, 'c');
        return s;
    };
    std::string edges;
    edges += "011\t21\tcrlf\r\n014\t24\tcr\r";
    for (const std::size_t n : {max - 1, max, max + 1, max + 3, max + 4, max + 5, max + 6, 3 * max}) {
        edges += row(n) + "\n";
        edges += row(n) + "\r\n";
    }
    edges += std::string("012\t22\tnul") + '\0' + "byte\n";
    edges += "\n\r\n";
    std::string text = "\xEF\xBB\xBF" + edges;  // a byte-order mark first
    for (int i = 0; i < 10000; ++i) text += "013\t23\n";
    text += edges;
    text += row(2 * max);  // too long, and no line end after it

    auto read = [&](bool view) {
        ErrorManager errors;
        Data data(ComplexFileName("edges.txt"), &errors, 1);
        const O o = optionsOf(columnsOf({T::Strike_Type, T::Dip_Type, T::Comment_Type}));
        const qzIEDataTypeOrder order(qzIEDataTypeOptions(), o);
        int r = 0;
        if (view) {
            TextView v(text);
            std::istream in(&v);
            r = data.addData(o, order, in);
        } else {
            std::istringstream in(text);
            r = data.addData(o, order, in);
        }
        std::string records;
        for (int i = 0; i < data.getNumData(); ++i) {
            const GeoData& g = *data.getSpecificData(unsigned(i));
            records += std::to_string(g.data()->getStrike()) + "/" + std::to_string(g.data()->getDip()) + " " +
                       (g.tokens()->hasComment() ? std::string(g.tokens()->getComment()) : std::string()) + "\n";
        }
        return std::make_tuple(r, data.getNumData(), records, errors.getErrorReportBuffer());
    };
    const auto stream = read(false);
    const auto view = read(true);
    EXPECT_EQ(std::get<0>(view), 1);
    EXPECT_EQ(std::get<0>(view), std::get<0>(stream));
    EXPECT_EQ(std::get<1>(view), std::get<1>(stream));
    EXPECT_EQ(std::get<2>(view), std::get<2>(stream));
    EXPECT_EQ(std::get<3>(view), std::get<3>(stream));
    // Independently: the crlf and cr rows on each side, the rows up to the limit
    // (which holds the line without its line end) four times on each
    // side, and the 10,000 plain rows.
    const std::string& report = std::get<3>(view);
    EXPECT_EQ(std::get<1>(view), 2 * 2 + 10000 + 2 * 4);
    EXPECT_NE(report.find("Line too long"), std::string::npos);
    EXPECT_NE(report.find("nul\\0byte"), std::string::npos);
}

}  // namespace testing_import
}  // namespace qzCore
