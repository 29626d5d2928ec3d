#pragma once

class QIcon;

// Who the desktop program is.
inline constexpr const char* kProgramName = "Keelmark Lite";
inline constexpr const char* kProgramVersion = "0.1.0";
inline constexpr const char* kOrganizationName = "Tessmoor Works";

// The program's icon in 16 and 32 pixels, from the resources.
QIcon ProgramIcon();
