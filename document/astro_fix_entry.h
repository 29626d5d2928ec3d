#pragma once

class CKeelmarkLiteDoc;

// Takes the astro fix from the pending observations into the voyage: the fix
// for the present position now, the navigator's "Do you accept this
// position?", then the fix through AddPositionFix (which clears the pending
// observations) and, with "logpos" on, its line in the event log. Below 3
// observations the navigator is told so and nothing changes. True when a fix
// was taken.
bool EnterAstroFix(CKeelmarkLiteDoc& doc);
