#pragma once

class CCommandRegistry;

// Registers the vessel and destination-port commands: Vessel > Properties,
// Import and Export vesseldata; Voyage > Destination, Export and Import portinfo.
void RegisterShipCommands(CCommandRegistry& registry);
