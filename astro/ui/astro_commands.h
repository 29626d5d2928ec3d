#pragma once

class CCommandRegistry;

// Registers the handlers of the celestial commands: star finder, local times,
// observation, azimuth, pending observations and the astro fix, the almanac
// dialog, loading and saving the almanac and bringing its stars to date.
void RegisterAstroCommands(CCommandRegistry& registry);
