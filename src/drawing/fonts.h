#pragma once
// Font names the program asks for that Linux does not have.

namespace fonts {
/// Maps Verdana, MS Sans Serif, Arial, Tahoma, Times New Roman and Courier
/// New to the installed families whose widths come closest, so that captions
/// laid out for those fonts are not clipped. Safe to call more than once.
void installSubstitutions();
} // namespace fonts
