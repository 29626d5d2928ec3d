#pragma once

class CCommandRegistry;

// The Meteo menu: the meteo sheet, average weather, hurricanes and the OBS message.
void RegisterWeatherCommands(CCommandRegistry& registry);
