// What the import tests share: a dataset read from text with chosen
// options, its records and its report of rejected lines.
#ifndef QZCORE_TESTS_FILES_IMPORTFIXTURE_H
#define QZCORE_TESTS_FILES_IMPORTFIXTURE_H

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qzCore/datasets/Data.h"
#include "qzCore/errors/ErrorManager.h"
#include "qzCore/files/qzFileParser.h"
#include "qzCore/records/GDTypes.h"
#include "tests/support/ScriptedMessages.h"

namespace qzCore {
namespace testing_import {

using O = qzIEColumnOptions;
using T = qzIEDataTypeOptions;
using K = GDTypes;

/// The default options with error reports on, changed by `setup`.
inline O optionsOf(const std::function<void(O&)>& setup) {
    O o;
    o.setDefaultColumnOptions();
    o.setIEOption(O::IE_Report_Errors);
    setup(o);
    return o;
}

/// The options of a file with these columns, in order, and delimiter.
inline std::function<void(O&)> columnsOf(std::initializer_list<int> columns, unsigned int delim = 1) {
    return [types = std::vector<int>(columns), delim](O& o) {
        o.resetColumnChoices();
        int i = 0;
        for (const int c : types) o.setColumnChoice(i++, c);
        o.setColumnDelim(delim);
    };
}

class Import : public ::testing::Test {
protected:
    /// Reads `text` into `into` with the options `setup` makes (error
    /// reports on).
    static int loadInto(Data& into, const std::string& text, const std::function<void(O&)>& setup) {
        const O o = optionsOf(setup);
        std::istringstream in(text);
        return into.addData(o, qzIEDataTypeOrder(qzIEDataTypeOptions(), o), in);
    }
    int load(const std::string& text, const std::function<void(O&)>& setup) { return loadInto(data, text, setup); }
    int loadColumns(const std::string& text, std::initializer_list<int> columns, unsigned int delim = 1) {
        return load(text, columnsOf(columns, delim));
    }
    const GeoData& at(int i) const { return *data.getSpecificData(static_cast<unsigned int>(i)); }
    const std::string& report() const { return errors.getErrorReportBuffer(); }

    ScriptedMessages script{{}};
    ScopedMessageHandler scope{&script};
    ErrorManager errors;
    Data data{ComplexFileName("import.txt"), &errors, 1};
};

}  // namespace testing_import
}  // namespace qzCore

#endif  // QZCORE_TESTS_FILES_IMPORTFIXTURE_H
