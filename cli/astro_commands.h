#pragma once

// The celestial commands of the tool: almanac, sight, times and almanac-build.
// Each takes its arguments without the command name and returns the exit
// status, or throws CommandFailure.

#include <iosfwd>
#include <string>
#include <vector>

int AlmanacCommand(const std::vector<std::string>& args, std::ostream& out);
int SightCommand(const std::vector<std::string>& args, std::ostream& out);
int TimesCommand(const std::vector<std::string>& args, std::ostream& out);
int AlmanacBuildCommand(const std::vector<std::string>& args);

// The epoch of the almanac this build ships (a Julian year such as 2027.45).
double ShippedAlmanacEpoch();
