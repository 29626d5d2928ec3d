#pragma once

#include <string>

#include "core/position.h"
#include "core/time.h"
#include "document/keelmark_lite_doc.h"

// A voyage of n positions zig-zagging across the North Atlantic, every third
// one a position fix taken on the way: departed five days before `now`, due
// ten days after it, the ship at its last fix making 14 knots.
inline void MakeBenchVoyage(CKeelmarkLiteDoc& doc, int n, CTime now) {
    CVoyage& voyage = doc.GetVoyage();
    const CTime departed = now + (-5 * 86400);
    CPosition* first = voyage.GetFirst();
    first->SetLatitude(50.0);
    first->SetLongitude(-5.0);
    first->SetTime(departed);
    voyage.SetStartTime(departed);
    CPosition* prev = first;
    CPosition* lastFix = first;
    for (int i = 1; i < n - 1; ++i) {
        CPosition* p = voyage.InsertWaypointAfter(prev, *prev, now);
        p->SetLatitude(50.0 - 20.0 * i / n + (i % 2 ? 0.1 : -0.1));
        p->SetLongitude(-5.0 - 60.0 * i / n);
        p->SetName("Waypoint " + std::to_string(i));
        p->SetProceedVia(i % 2);
        if (i % 3 == 0 && i < n / 3) {
            p->SetKind(CPosition::kFix);
            p->SetTime(departed + static_cast<std::int64_t>(i) * (5 * 86400) / (n / 3));
            lastFix = p;
        }
        prev = p;
    }
    CPosition* last = voyage.GetLast();
    last->SetLatitude(30.0);
    last->SetLongitude(-65.0);
    last->SetName("Destination");
    last->SetTime(now + 10 * 86400);
    voyage.SetEndTime(last->GetTime());
    voyage.SetTexts("Bench passage", "Liner", "042");

    CPosition& present = doc.GetPresentPosition();
    present.SetLatitude(lastFix->GetLatitude());
    present.SetLongitude(lastFix->GetLongitude());
    present.SetTime(lastFix->GetTime());
    present.SetCourse(250.0);
    present.SetSpeed(14.0);
    doc.SetReferencePosition(first);
}
