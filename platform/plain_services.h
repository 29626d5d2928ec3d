#pragma once

// The services of a program without a window (the command-line tool): the
// machine's clock, the desktop program's settings file read without Qt,
// prompts on standard error, and no file dialogs.
#include "platform/plain_clock.h"
#include "platform/plain_file_choice.h"
#include "platform/plain_prompts.h"
#include "platform/plain_settings_store.h"
