#pragma once

#include <functional>

#include "app/ui/commands.h"

class CKeelmarkLiteDoc;
class QWidget;

// The dashboard commands of route and fix editing: waypoints, position sheets,
// course and speed, next waypoint, reference fix, speed made good, voyage
// properties.
bool IsRouteCommand(Command command);

// Opens the command's dialog over `parent` and returns when it has ended. For
// the commands that suspend the dashboard's refresh, `suspend(true)` is called
// before the dialog opens and `suspend(false)` after it has ended. False when
// the command is not one of these.
bool ExecuteRouteCommand(Command command, CKeelmarkLiteDoc& doc, QWidget* parent,
                         const std::function<void(bool)>& suspend);
