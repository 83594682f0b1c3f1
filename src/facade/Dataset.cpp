#include "qzCore/facade/Dataset.h"

#include <limits>
#include <sstream>

#include "qzCore/datasets/Data.h"
#include "qzCore/datasets/DataManager.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/files/FileManager.h"
#include "qzCore/files/ReadFile.h"
#include "qzCore/parsing/ColumnHeader.h"
#include "qzCore/records/GeoData.h"
#include "qzCore/shared/krtIEConstants.h"

namespace qzCore {
namespace facade {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r"), e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

/// The library's messages end their lines with CR LF; hosts print LF.
std::string lfOnly(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
        out += s[i];
    }
    return out;
}

unsigned int delimiterNamed(const std::string& name) {
    using C = krtIEConstants;
    static const std::pair<const char*, unsigned int> names[] = {
        {"auto", 0},          {"tab", C::Tab_Delim},   {"comma", C::Comma_Delim}, {"space", C::Space_Delim},
        {"semicolon", C::Semi_Colon_Delim}, {"colon", C::Colon_Delim}, {"\t", C::Tab_Delim}, {",", C::Comma_Delim},
        {" ", C::Space_Delim}, {";", C::Semi_Colon_Delim}, {":", C::Colon_Delim}};
    for (const auto& n : names) {
        if (name == n.first) return n.second;
    }
    throw Refused("delimiter", "takes auto, tab, comma, space, semicolon or colon, not '" + name + "'");
}

FileFormat readFormatNamed(const std::string& name) {
    if (name == "auto") return FileFormat::Auto;
    const FileFormatInfo* info = fileFormatNamed(name);
    if (info && info->readable) return info->format;
    std::string names;
    for (const std::string& n : fileFormatNames(false)) names += (names.empty() ? "" : ", ") + n;
    throw Refused("format", "takes auto, " + names + ", not '" + name + "'");
}

LayoutChoices choicesOf(const ReadOptions& o) {
    LayoutChoices given;
    given.format = readFormatNamed(o.format);
    given.delimiter = delimiterNamed(o.delimiter);
    given.dipDirection = o.dipDirection;
    for (const std::string& raw : o.columns) {
        const std::string word = trimmed(raw);
        int type = qzIEDataTypeOptions::Null_Type;
        bool dipDirection = false;
        if ((word != "-" && !headerWordType(word, type, dipDirection)) ||
            given.columns.size() >= std::size_t(qzIEColumnOptions::Max_Num_Columns)) {
            throw Refused("columns", "names an unknown or surplus column '" + word + "'");
        }
        given.columns.push_back(type);
        given.dipDirection = given.dipDirection || dipDirection;
    }
    return given;
}

std::vector<LineReport> reportsOf(const ErrorManager& errors, const std::vector<RejectedLine>& lines) {
    std::vector<LineReport> out;
    out.reserve(lines.size());
    for (const RejectedLine& r : lines) {
        // The message's first line names the kind of fault; its second
        // says what it is in words.
        std::string reason = lfOnly(errors.getMessage(r.code));
        const auto nl = reason.find('\n');
        if (nl != std::string::npos) reason = reason.substr(nl + 1);
        if (!r.detail.empty()) reason += ": " + r.detail;
        out.push_back({r.line, r.text, reason, r.code});
    }
    return out;
}

}  // namespace

std::vector<std::string> columnWords(const std::string& text) {
    std::vector<std::string> out;
    std::string item;
    std::istringstream in(text);
    while (std::getline(in, item, ',')) out.push_back(trimmed(item));
    return out;
}

bool FileRead::columnsGuessed() const {
    return layout.format == FileFormat::Text && layout.columnsGuessed && layout.columns.empty();
}

std::string FileRead::layoutText() const {
    std::string text = FileLayout::formatName(layout.format);
    if (layout.format != FileFormat::Text) return text;
    return text + ", " + FileLayout::delimiterName(layout.delimiter) + ", columns " +
           (columnsGuessed() ? "guessed" : layout.columnsGuessed ? "from the header row" : "given") + ": " +
           layout.columnsText();
}

struct Dataset::Managers {
    ErrorManager errors;
    FileManager files;
    DataManager manager{&errors, &files};
};

Dataset::Dataset() : m_(std::make_unique<Managers>()) {}
Dataset::Dataset(Dataset&&) noexcept = default;
Dataset& Dataset::operator=(Dataset&&) noexcept = default;
Dataset::~Dataset() = default;

Dataset Dataset::read(const std::string& path, const ReadOptions& options) {
    Dataset ds;
    const FileRead r = ds.add(path, options);
    if (!r.ok()) throw Failed(r.code, r.message);
    return ds;
}

Dataset Dataset::fromText(const std::string& name, std::string content, const ReadOptions& options) {
    Dataset ds;
    const FileRead r = ds.addText(name, std::move(content), options);
    if (!r.ok()) throw Failed(r.code, r.message);
    return ds;
}

FileRead Dataset::add(const std::string& path, const ReadOptions& options) {
    choicesOf(options);  // refuse bad options before reading anything
    std::string content;
    if (!readFileBytes(path, content)) {
        FileRead r;
        r.path = path;
        r.code = Error::File_Read_Error;
        r.message = "cannot open '" + path + "'";
        return r;
    }
    return addText(path, std::move(content), options);
}

FileRead Dataset::addText(const std::string& name, std::string content, const ReadOptions& options) {
    const LayoutChoices given = choicesOf(options);
    FileRead r;
    r.path = name;
    unsigned char id = 0;
    const ReadOutcome read =
        readIntoNewDataset(m_->manager, name == "-" ? std::string("stdin") : name, std::move(content), given, id);
    r.layout = read.layout;
    r.utf16 = read.utf16;
    r.code = read.code < 0 ? read.code : 1;
    if (read.layout.format == FileFormat::Brute) {
        r.code = read.code < 0 ? read.code : Error::Unknown_File_Format;
        r.message = "'" + name + "': a brute listing is written for other programs, not read";
    } else if (read.code == Error::Dataset_Creation_Failed) {
        r.message = "cannot create a dataset";
    } else if (read.code < 0) {
        r.message = "'" + name + "': " + message(read.code);
    }
    if (!r.ok()) {
        if (id != 0) m_->manager.deleteDataset(id);
        return r;
    }
    if (!open_) {
        id_ = id;
        open_ = true;
    } else {
        m_->manager.mergeDatasets(id_, id);
        m_->manager.deleteDataset(id);
    }
    m_->manager.setCurrDataset(id_);
    files_.push_back(r);
    return r;
}

std::string Dataset::name() const { return files_.empty() ? std::string() : files_.front().path; }
bool Dataset::empty() const { return size() == 0; }
std::size_t Dataset::size() const { return open_ ? std::size_t(data().getNumData()) : 0; }

double Dataset::valueOf(Column c, const GeoData& g) {
    const LightweightDataStruct* d = g.data();
    if (!d) return NaN;
    auto angle = [](int v) { return v == -1 ? NaN : double(v); };
    switch (c) {
        case Column::Strike: return angle(d->getStrike());
        case Column::Dip: return angle(d->getDip());
        case Column::DipDirection: return d->isPlanar() && d->hasStrike() ? double((d->getStrike() + 90) % 360) : NaN;
        case Column::Trend: return angle(d->getTrend());
        case Column::Plunge: return angle(d->getPlunge());
        case Column::Rake: return angle(d->getRake());
        case Column::X: return d->hasX() ? d->getX() : NaN;
        case Column::Y: return d->hasY() ? d->getY() : NaN;
        case Column::Z: return d->hasZ() ? d->getZ() : NaN;
        case Column::MeasuredDepth: return d->hasMD() ? d->md() : NaN;
    }
    return NaN;
}

std::vector<double> Dataset::column(Column c) const {
    std::vector<double> out;
    if (!open_) return out;
    out.reserve(size());
    for (const GeoData* g : data().getDataList()) out.push_back(g ? valueOf(c, *g) : NaN);
    return out;
}

std::vector<LineReport> Dataset::rejected() const { return reportsOf(m_->errors, m_->errors.getRejectedLines()); }
std::vector<LineReport> Dataset::remarks() const { return reportsOf(m_->errors, m_->errors.getNotedLines()); }
unsigned long Dataset::rejectedCount() const { return m_->errors.getNumRejected(); }
unsigned long Dataset::remarkCount() const { return m_->errors.getNumNoted(); }
const SkippedLines& Dataset::skipped() const { return m_->errors.getSkippedLines(); }
std::string Dataset::rejectedReport() const { return lfOnly(m_->errors.getErrorReportBuffer()); }
std::string Dataset::message(int code) const { return lfOnly(m_->errors.getMessage(code)); }

WriteOutcome writeDataset(DataManager& manager, unsigned char id, const std::string& path, const std::string& format) {
    FileFormat f = FileFormat::Text;
    if (format == "auto") {
        // By the extension; delimited text for one no written format has.
        f = formatOfExtension(path);
        const FileFormatInfo* info = nullptr;
        for (const FileFormatInfo& i : fileFormats()) info = i.format == f ? &i : info;
        if (!info || !info->writable) f = FileFormat::Text;
    } else {
        const FileFormatInfo* info = fileFormatNamed(format);
        if (!info || !info->writable) {
            std::string names;
            for (const std::string& n : fileFormatNames(true)) names += (names.empty() ? "" : ", ") + n;
            throw Refused("to", "takes auto, " + names + ", not '" + format + "'");
        }
        f = info->format;
    }
    if (!manager.getDatasetFromID(id)) throw Failed(Error::No_Data_To_Analyse, "the dataset holds no data");
    const WriteOutcome w = writeDatasetFile(manager, id, path, f);
    if (w.code == Error::File_Write_Error) throw Failed(w.code, "cannot write '" + path + "'");
    if (w.code != 1) throw Failed(w.code, "'" + path + "': " + lfOnly(manager.getErrorManager()->getMessage(w.code)));
    return w;
}

WriteOutcome Dataset::write(const std::string& path, const std::string& format) {
    return writeDataset(m_->manager, open_ ? id_ : 0, path, format);
}

Data& Dataset::data() {
    if (!open_) throw Failed(Error::No_Data_To_Analyse, "the dataset holds no data");
    return *m_->manager.getDatasetFromID(id_);
}
const Data& Dataset::data() const { return const_cast<Dataset*>(this)->data(); }
DataManager& Dataset::manager() { return m_->manager; }
const ErrorManager& Dataset::errors() const { return m_->errors; }

}  // namespace facade
}  // namespace qzCore
