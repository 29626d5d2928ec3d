#pragma once

#include <string>

// Turns a filter written as "Vessel Files (*.k7s)|*.k7s|All Files (*.*)|*.*||"
// into the form the Qt file dialogs take: "Vessel Files (*.k7s);;All Files (*)".
// Qt reads the patterns from the parentheses of each entry, so these are rebuilt
// from the pattern half of each pair; "*.*" becomes "*" so that files without an
// extension are listed too, as the pattern means on the system the layout comes from.
std::string ToQtFileFilter(const std::string& filter);

// The path with ".extension" added when its file name has no extension of its own.
// An empty extension leaves the path alone.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);
