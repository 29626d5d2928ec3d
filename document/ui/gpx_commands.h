#pragma once

class CCommandRegistry;

// Registers route exchange in GPX: Voyage > "Import route (GPX)..." and
// "Export route (GPX)...". Their files, choices and questions go through the
// host services.
void RegisterGpxCommands(CCommandRegistry& registry);
