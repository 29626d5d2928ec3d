#pragma once

// A Pacific passage across the date line, for the plot's tests: Yokohama by
// great circle to Kuril 45N 165E, two fixes, Aleutian South 49N 175W by rhumb
// line (the next waypoint), Juan de Fuca by great circle; the ship at
// 48 48N 177W on 080 at 15 knots, popular position Adak, one cyclone.

#include "document/keelmark_lite_doc.h"

inline void MakePacificPassage(CKeelmarkLiteDoc& doc, CTime now) {
    CVoyage& v = doc.GetVoyage();
    auto place = [](CPosition* p, const char* name, double lat, double lon, CTime t, int via) {
        p->SetName(name), p->SetLatitude(lat), p->SetLongitude(lon), p->SetTime(t), p->SetProceedVia(via);
        return p;
    };
    CPosition& ship = doc.GetPresentPosition();
    place(v.GetFirst(), "Yokohama", 35.0, 140.0, now - 96 * 3600, 0);
    place(v.GetLast(), "Juan de Fuca", 48.5, -125.0, now + 96 * 3600, 0);
    CPosition* kuril = place(v.InsertWaypointAfter(v.GetFirst(), ship, now), "Kuril", 45.0, 165.0, now, 0);
    CPosition* aleut = place(v.InsertWaypointAfter(kuril, ship, now), "Aleutian South", 49.0, -175.0, now, 1);
    v.SetNextWaypoint(aleut);
    place(v.InsertFix(47.0, 172.0, now - 20 * 3600), "GPS Fix 05 Dec 16:00 UTC", 47.0, 172.0, now - 20 * 3600, 1);
    place(v.InsertFix(48.6, -178.5, now - 3 * 3600), "GPS Fix 06 Dec 09:00 UTC", 48.6, -178.5, now - 3 * 3600, 1);
    place(&ship, "Present", 48.8, -177.0, now, 1);
    ship.SetCourse(80.0);
    ship.SetSpeed(15.0);
    place(&doc.GetPopularPosition(), "Adak", 51.9, -176.6, now, 1);
    CPosition* cyclone = place(doc.GetCyclones().AddNew(), "Opal", 40.0, 175.0, now, 1);
    cyclone->SetWindDirectionAtMaximum(150.0); // its radius
    cyclone->SetCourse(45.0);
    cyclone->SetSpeed(12.0);
    doc.GetNextWaypoint();
}
