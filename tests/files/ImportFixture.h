// What the import tests share: a dataset read from text with chosen
// options, its records and its report of rejected lines.
#ifndef QZCORE_TESTS_FILES_IMPORTFIXTURE_H
#define QZCORE_TESTS_FILES_IMPORTFIXTURE_H

#include <functional>
#include <sstream>
#include <string>

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

class Import : public ::testing::Test {
protected:
    /// Reads `text` with the options `setup` makes (error reports on).
    int load(const std::string& text, const std::function<void(O&)>& setup) {
        O o;
        o.setDefaultColumnOptions();
        o.setIEOption(O::IE_Report_Errors);
        setup(o);
        std::istringstream in(text);
        return data.addData(o, qzIEDataTypeOrder(qzIEDataTypeOptions(), o), in);
    }
    int loadColumns(const std::string& text, std::initializer_list<int> columns, unsigned int delim = 1) {
        return load(text, [&](O& o) {
            o.resetColumnChoices();
            int i = 0;
            for (const int c : columns) o.setColumnChoice(i++, c);
            o.setColumnDelim(delim);
        });
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
