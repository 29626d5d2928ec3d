#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// keelmark gpx-import VOYAGE_FILE GPX_FILE [--route NAME]: the route replaces the
// planned waypoints (no question) and the voyage file is saved in place.
int GpxImportCommand(const std::vector<std::string>& args, std::ostream& out);
// keelmark gpx-export VOYAGE_FILE OUT.gpx: the route, the fixes and the popular position.
int GpxExportCommand(const std::vector<std::string>& args, std::ostream& out);
