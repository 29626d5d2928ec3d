#pragma once

class CCommandRegistry;

// View > "Voyage Plot": opens the plot of the voyage as a second window beside
// the dashboard (or brings the open one forward).
void RegisterPlotCommands(CCommandRegistry& registry);
