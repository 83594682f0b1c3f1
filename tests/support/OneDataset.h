// A test with a data manager and one dataset, and records entered into it
// as the readers enter them.
#ifndef QZCORE_TESTS_ONEDATASET_H
#define QZCORE_TESTS_ONEDATASET_H

#include <gtest/gtest.h>

#include "qzCore/datasets/DataManager.h"
#include "qzCore/errors/ErrorManager.h"
#include "qzCore/files/FileManager.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/Values.h"

namespace qzCore {

class OneDatasetTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(manager.createDataset(id, "", false, nullptr), 1); }
    Data& data() { return *manager.getDatasetFromID(id); }
    /// Enters a record with its slip text (the slip flags follow it) and
    /// returns it.
    const GeoData* add(DataStruct d, const char* slip = nullptr) {
        TokenStruct t;
        if (slip) t.setTokenValue(TokenStruct::Slip_Token, slip);
        EXPECT_EQ(data().insertData(d, t), 1);
        return data().getSpecificData(unsigned(data().getNumData() - 1));
    }

    ScriptedMessages script{{}};
    ScopedMessageHandler scope{&script};
    ErrorManager errors;
    FileManager files;
    DataManager manager{&errors, &files};
    unsigned char id = 0;
};

}  // namespace qzCore

#endif  // QZCORE_TESTS_ONEDATASET_H
