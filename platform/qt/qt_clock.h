#pragma once

#include "platform/plain_services.h"

// The desktop program's clock: the machine's time and time zone, the same the
// command-line tool reads.
class CQtClock : public CSystemClock {};
