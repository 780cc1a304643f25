#pragma once
// Creates the worksheets windows for the program.

#include "program/program.h"

namespace worksheets {

/// The window for id, or nullptr if it is not one of this folder's windows.
Screen *create(ScreenId id, Program &program);

} // namespace worksheets
