#include "qzCore/files/ReadFile.h"

#include <fstream>
#include <iostream>
#include <istream>
#include <sstream>

#include "qzCore/datasets/DataManager.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/parsing/IEOptions.h"
#include "shared/HugePages.h"
#include "shared/TextView.h"

namespace qzCore {

bool readFileBytes(const std::string& path, std::string& content) {
    content.clear();
    std::ostringstream all;
    if (path == "-") {
        all << std::cin.rdbuf();
        content = all.str();
        return !std::cin.bad();
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    // A regular file says its size: one read, no growing buffer.
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0 && in) {
        // A large file's buffer in huge pages where the system has them:
        // megabytes touched page by page cost a fault each.
        content.reserve(static_cast<std::size_t>(size));
        adviseHugePages(content.data(), content.capacity());
        content.resize(static_cast<std::size_t>(size));
        in.read(content.data(), size);
        if (in.gcount() == size && in.peek() == std::char_traits<char>::eof()) return true;
        // The file changed under us: read it as it comes.
        in.clear();
        in.seekg(0, std::ios::beg);
        content.clear();
    } else {
        in.clear();
        in.seekg(0, std::ios::beg);
    }
    all << in.rdbuf();
    content = all.str();
    return !in.bad();
}

ReadOutcome readIntoNewDataset(DataManager& manager, const std::string& name, std::string content,
                               const LayoutChoices& given, unsigned char& id) {
    ReadOutcome out;
    if (given.format != FileFormat::Binary && guessFileFormat(name, content) != FileFormat::Binary) {
        out.utf16 = decodeUtf16(content);
    }
    out.layout = guessFileLayout(name, content, given);
    if (out.layout.format == FileFormat::Brute) {
        out.code = Error::Unknown_File_Format;
        return out;
    }
    qzIEColumnOptions options;
    options.setDefaultColumnOptions();
    options.setIEOption(qzIEColumnOptions::IE_Report_Errors);
    options.setIEOption(qzIEColumnOptions::IE_Read_Attributes);
    // Field files name structures (S0, S1, L1, bedding) in a Type column:
    // labels, not kinds of records.
    options.setIEOption(qzIEColumnOptions::IE_Type_Labels);
    out.layout.applyTo(options);
    if (manager.createDataset(id, name, false, nullptr) != 1) {
        out.code = Error::Dataset_Creation_Failed;
        return out;
    }
    const qzIEDataTypeOptions types;
    const qzIEDataTypeOrder order(types, options);
    // The text read where it lies, without a copy into a string stream;
    // `content` is this function's own and read once, so its memory goes
    // back to the system as the rows are read.
    TextView view(content);
    view.releaseBehind();
    std::istream in(&view);
    try {
        out.code = manager.addData(id, options, order, in);
    } catch (int code) {
        out.code = code;
    }
    return out;
}

}  // namespace qzCore
