#pragma once

// The one fixture of the model tests: fake services at a fixed present time,
// side files and the event log in a folder of the test's own, the standard voyages.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/test_host.h"

class ModelTest : public ::testing::Test {
protected:
    static inline const CTime kNow = CTime::FromUtc(2026, 12, 6, 12, 0, 0);

    CTestHost host{kNow};
    CFakeServices& fake = host.fake;

    void SetUp() override {
        host.KeepSideFilesHere();
        host.Set("navreduce", 0);
    }

    // A new voyage on the Channel crossing to "Brest" (test_host.h).
    std::unique_ptr<CKeelmarkLiteDoc> Channel() {
        auto doc = host.NewVoyage();
        MakeChannelCrossing(*doc, kNow);
        fake.prompts.Clear();
        return doc;
    }
    // A new voyage on the meridian route Departure, Fix A, Mid, Fix B, Arrival.
    std::unique_ptr<CKeelmarkLiteDoc> Meridian() {
        auto doc = host.NewVoyage();
        MakeMeridianRoute(*doc, kNow);
        doc->SetModifiedFlag(false);
        fake.prompts.Clear();
        return doc;
    }
    std::vector<std::string> Shown() const { return fake.prompts.Texts(); }
    void Set(const char* key, int value) { host.Set(key, value); }
};

using Names = std::vector<std::string>;
