#pragma once
// The one factory of every window besides the main menu.

#include "program/program.h"

Screen *createScreen(ScreenId id, Program &program);
