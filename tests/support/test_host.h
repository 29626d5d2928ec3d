#pragma once

// Fake services with a folder of the test's own for the side files and the event log.
// Header-only: the Qt test programs link no test support library.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/demo_voyage.h"
#include "core/event_log.h"
#include "document/keelmark_lite_doc.h"
#include "platform/fake/fake_services.h"

class CTestHost {
public:
    explicit CTestHost(CTime now) {
        static std::atomic<int> serial{0};
        folder = std::filesystem::temp_directory_path() /
                 ("keelmark-host-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        fake.clock.Set(now);
    }
    ~CTestHost() { std::filesystem::remove_all(folder, ignored); }
    CTestHost(const CTestHost&) = delete;
    CTestHost& operator=(const CTestHost&) = delete;

    CFakeServices fake;
    std::filesystem::path folder;
    std::error_code ignored;

    std::string Path(const std::string& name) const { return (folder / name).string(); }

    // Points "almanac", "hurri" and "vesseldata" (and the log, if asked) into the folder.
    void KeepSideFilesHere(bool log = true) {
        Set("almanac", Path("almanac.dat"));
        Set("hurri", Path("hurricane.dat"));
        Set("vesseldata", Path("vessel.k7s"));
        if (log) Set("logging", Path("ship.txt"));
    }
    void Set(const char* key, const std::string& value) { fake.settings.SetString(kSettingsSection, key, value); }
    void Set(const char* key, int value) { fake.settings.SetInt(kSettingsSection, key, value); }

    std::unique_ptr<CKeelmarkLiteDoc> NewVoyage() { // as File New makes it
        auto doc = std::make_unique<CKeelmarkLiteDoc>();
        doc->OnNewDocument();
        return doc;
    }

    // Today's event log, as written so far.
    std::string Log() const {
        std::ostringstream text;
        text << std::ifstream(CEventLog::FileName(Path("ship.txt"), CEventLog::LocalNow()), std::ios::binary).rdbuf();
        return text.str();
    }

    // The texts of today's log entries, without their date and time.
    std::vector<std::string> Logged() const {
        std::vector<std::string> texts;
        std::istringstream in(Log());
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            texts.push_back(line.size() > 20 ? line.substr(20) : "");
        }
        return texts;
    }

    bool Shown(const std::string& text) const { return Count(text, true) > 0; }
    // How many prompts held the fragment (or were exactly it).
    int Count(const std::string& fragment, bool exactly = false) const {
        int n = 0;
        for (const auto& s : fake.prompts.History())
            n += exactly ? s.text == fragment : s.text.find(fragment) != std::string::npos;
        return n;
    }

    // The demo voyage, saved here the way the program saves a voyage.
    std::string WriteDemoVoyage(const std::string& name) {
        const std::string path = Path(name);
        CKeelmarkLiteDoc doc;
        BuildDemoVoyage(doc, fake.clock.Now());
        std::string error;
        if (!doc.SaveVoyageFile(path, error)) throw std::runtime_error(error);
        fake.prompts.Clear();
        return path;
    }
};

// The Channel crossing most tests steer: departure 50N 0E two hours before `now`,
// arrival "Brest" at 48N 0E ten hours after, the ship at 49 48N 0E on 185 degrees
// at 10.5 knots with 180 steered, popular position "Le Havre" at 49 30N 0 06E.
inline void MakeChannelCrossing(CKeelmarkLiteDoc& doc, CTime now) {
    auto place = [](CPosition& p, double latitude, double longitude, CTime time) {
        p.SetLatitude(latitude), p.SetLongitude(longitude), p.SetTime(time);
    };
    CVoyage& v = doc.GetVoyage();
    place(*v.GetFirst(), 50.0, 0.0, now - 2 * 3600);
    place(*v.GetLast(), 48.0, 0.0, now + 10 * 3600);
    v.GetLast()->SetName("Brest");
    CPosition& p = doc.GetPresentPosition();
    place(p, 49.8, 0.0, now);
    p.SetCourse(185.0);
    p.SetSpeed(10.5);
    doc.GetVessel().m_courseSetting = 180;
    doc.GetPopularPosition().SetName("Le Havre");
    place(doc.GetPopularPosition(), 49.5, 0.1, doc.GetPopularPosition().GetTime());
}

// The route the route-editing tests work on: Departure 50N, Fix A 49 48N, Mid
// 49 30N, Fix B 49 24N, Arrival 48N, all on the meridian by rhumb line, the fixes
// an hour apart; the ship at Fix B steering south for Arrival at 12 knots.
inline void MakeMeridianRoute(CKeelmarkLiteDoc& doc, CTime now) {
    auto place = [](CPosition* p, const char* name, double latitude, CTime time) {
        p->SetName(name);
        p->SetLatitude(latitude);
        p->SetLongitude(0.0);
        p->SetTime(time);
        p->SetProceedVia(CPosition::kRhumbLine);
    };
    CVoyage& v = doc.GetVoyage();
    place(v.GetFirst(), "Departure", 50.0, now - 4 * 3600);
    place(v.GetLast(), "Arrival", 48.0, now + 6 * 3600);
    CPosition* mid = v.InsertWaypointAfter(v.GetFirst(), *v.GetFirst(), now);
    place(mid, "Mid", 49.5, now);
    v.SetNextWaypoint(mid);
    place(v.InsertFix(49.8, 0.0, now), "Fix A", 49.8, now - 3 * 3600);
    v.SetNextWaypoint(v.GetLast());
    place(v.InsertFix(49.4, 0.0, now), "Fix B", 49.4, now - 2 * 3600);
    doc.SetReferencePosition(v.GetFirst());
    CPosition& present = doc.GetPresentPosition();
    present.SetLatitude(49.4);
    present.SetLongitude(0.0);
    present.SetTime(now);
    present.SetSpeed(12.0);
    present.SetCourse(180.0);
}
