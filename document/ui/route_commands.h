#pragma once

class CCommandRegistry;

// Registers the handlers of route and fix editing: waypoints, position sheets,
// course and speed, next waypoint, reference fix, speed made good, voyage
// properties. Each opens its dialog over the context's window and returns when
// it has ended.
void RegisterRouteCommands(CCommandRegistry& registry);
