#pragma once

#include <string>

#include "core/time.h"

class CPosition;

inline constexpr const char* kObsNoFileText = "No file selected, aborting OBS...";
inline constexpr const char* kObsCannotOpenText = "Oops...\nCan not open this file!";
inline constexpr const char* kObsLogText = "OBS message send";
inline constexpr const char* kObsFileFilter = "Meteo OBS (*.txt)|*.txt|All Files (*.*)|*.*||";

// The head of the ship's synoptic message: "BBXX PDHW 145 995193" for call sign
// PDHW at 14 h UTC on the 5th and latitude 51.93 (either hemisphere). Hour, day
// and latitude in hundredths of a degree are whole numbers without padding.
std::string ObsMessageText(const std::string& callSign, CTime now, double latitude);

// Asks for a text file and writes the message for the position's latitude and the
// present time into it, with no line end. A cancelled choice or a file that cannot
// be written is reported and writes nothing; false then.
bool WriteObsMessage(const CPosition& position, const std::string& callSign);

// The OBS command: writes the message, then logs that it was sent, whatever the outcome.
void SendObsMessage(const CPosition& present, const std::string& callSign);
