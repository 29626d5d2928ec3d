#pragma once

// The one fixture of the model tests: fake services at a fixed present time,
// side files and the event log in a folder of the test's own, a voyage in `doc`.

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <string>

#include "support/test_host.h"

using Names = std::vector<std::string>;

// Figures as one line, "49:48.00 North|185.00|10.50": one comparison shows every field that differs.
template <class... T> std::string Row(const T&... values) {
    std::ostringstream line;
    line << std::fixed << std::setprecision(2);
    auto put = [&](const auto& value) {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, CTime>)
            line << value.IsoText() << '|';
        else
            line << value << '|';
    };
    (put(values), ...);
    const std::string text = line.str();
    return text.substr(0, text.size() - 1);
}

class ModelTest : public ::testing::Test {
protected:
    static inline const CTime kNow = CTime::FromUtc(2026, 12, 6, 12, 0, 0);

    CTestHost host{kNow};
    CFakeServices& fake = host.fake;
    std::unique_ptr<CKeelmarkLiteDoc> doc;
    CVoyage* v = nullptr;
    CPosition* present = nullptr;

    void SetUp() override {
        host.KeepSideFilesHere();
        host.Set("navreduce", 0);
    }
    // Makes `doc` a new voyage laid out by `make` (test_host.h), unmodified, nothing shown yet.
    void Make(void (*make)(CKeelmarkLiteDoc&, CTime)) {
        doc = host.NewVoyage();
        make(*doc, kNow);
        doc->SetModifiedFlag(false);
        v = &doc->GetVoyage();
        present = &doc->GetPresentPosition();
        fake.prompts.Clear();
    }
    Names Shown() const { return fake.prompts.Texts(); }
    void Set(const char* key, int value) { host.Set(key, value); }
};

// Tests that all start from one standard voyage.
template <void (*make)(CKeelmarkLiteDoc&, CTime)> class VoyageTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        Make(make);
    }
};
