#pragma once

#include "core/time.h"

class CKeelmarkLiteDoc;

// The voyage a first start opens, so that the dashboard is alive from the first
// minute: a container ship two and a half days out of Rotterdam for New York,
// past the Channel and on the great circle across the North Atlantic, with three
// GPS fixes behind her, the last an hour and a half ago, and the arrival
// scheduled a little under six days ahead.
//
// Fills a fresh document (route, fixes, present position, vessel, port, popular
// position) for the given present time and marks it modified; it loads and
// writes no files and shows nothing.
void BuildDemoVoyage(CKeelmarkLiteDoc& doc, CTime now);

// The name the demo voyage is saved under in the data folder: the file a first
// start opens, as the "datafile" default names it.
inline constexpr const char* kDemoVoyageFileName = "voyage.k7v";
