#pragma once

class QIcon;

// Who the desktop program is.
inline constexpr const char* kProgramName = "Keelmark Lite";
inline constexpr const char* kProgramVersion = "0.1.0";
inline constexpr const char* kOrganizationName = "Tessmoor Works";

// The program's icon in 16 and 32 pixels, from the resources.
QIcon ProgramIcon();

// A 16 x 16 toolbar image from the resources, by its file name without ".png".
QIcon ToolbarIcon(const char* name);

// Registers the compiled-in resources (icons, tips, shipped data); safe to call often.
void InitResources();
