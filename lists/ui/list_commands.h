#pragma once

class CCommandRegistry;

// Registers Tools > Addressbook > Destination (agent, pilot, port control) and
// Tools > Checklists.
void RegisterListCommands(CCommandRegistry& registry);
