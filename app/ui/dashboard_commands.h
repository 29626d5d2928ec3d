#pragma once

class CCommandRegistry;

// Registers the dashboard's own handlers: the GPS fix, the schedule of arrival,
// and the present position from the popular one.
void RegisterDashboardCommands(CCommandRegistry& registry);

// Registers the handlers of every family of voyage commands.
void RegisterVoyageCommands(CCommandRegistry& registry);
