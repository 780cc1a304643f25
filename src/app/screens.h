#pragma once
// The one factory of every window besides the main menu.

#include "words/program.h"

Screen *createScreen(ScreenId id, Program &program);
