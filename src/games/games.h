#pragma once
// Creates the games windows for the program.

#include "program/program.h"

namespace games {

/// The window for id, or nullptr if it is not one of this folder's windows.
Screen *create(ScreenId id, Program &program);

} // namespace games
