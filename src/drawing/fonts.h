#pragma once
// Font names the program asks for that Linux does not have.

namespace fonts {
/// Maps Verdana, MS Sans Serif, Arial and Times New Roman to installed fonts
/// with close proportions (DejaVu). Safe to call more than once.
void installSubstitutions();
} // namespace fonts
