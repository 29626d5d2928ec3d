#pragma once

#include <array>
#include <string>
#include <vector>

class CVoyage;

// The "Average Weather" window's figures: the voyage's positions with the
// weather, current and performance averaged into them.

// Which positions: the route's waypoints, the position fixes, or both.
enum AverageWeatherSelection : int { kAverageWaypoints = 0, kAverageFixes = 1, kAverageAll = 2 };
// Which figures: wind and pressure, current and ship's speed, or performance.
enum AverageWeatherView : int { kAverageWind = 0, kAverageCurrent = 1, kAveragePerformance = 2 };

// "Position" and the view's three column titles.
std::array<std::string, 4> AverageWeatherColumnTitles(int view);

struct CAverageWeatherRow {
    std::array<std::string, 4> texts; // the position's name, then the view's three figures
    int icon = 0;                     // 0 waypoint, 1 position fix
};

// One row per position of the selection, in route order.
std::vector<CAverageWeatherRow> AverageWeatherRows(const CVoyage& voyage, int selection, int view);
