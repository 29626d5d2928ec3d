#pragma once

#include <string>

#include "core/time.h"

class CMeteoObs;
class CPosition;

inline constexpr const char* kObsNoFileText = "No file selected, aborting OBS...";
inline constexpr const char* kObsCannotOpenText = "Oops...\nCan not open this file!";
inline constexpr const char* kObsLogText = "OBS message send";
inline constexpr const char* kObsFileFilter = "Meteo OBS (*.txt)|*.txt|All Files (*.*)|*.*||";

// The ship's coded observation message, WMO FM 13 SHIP, sections 0 to 2, built
// from the observation, the ship's position with its course and speed, its call
// sign and the time of observation, e.g.
//   BBXX PDHW 05144 99519 10041 425// 62713 10176 20150 40132 52012 84531
//   22253 00182 20503 327// 40804=
// (how each group is coded is documented in obs_message.cpp).
std::string ObsMessageText(const CMeteoObs& obs, const CPosition& position, const std::string& callSign, CTime now);

// Asks for a text file and writes the message for the observation, position and
// the present time into it, with no line end. A cancelled choice or a file that
// cannot be written is reported and writes nothing; false then.
bool WriteObsMessage(const CMeteoObs& obs, const CPosition& position, std::string callSign);

// The OBS command: writes the message, then logs that it was sent, whatever the outcome.
void SendObsMessage(const CMeteoObs& obs, const CPosition& present, const std::string& callSign);
