#pragma once
// Page arithmetic of the worksheet windows: pages of N consecutive pictures
// out of C. The last page is always full, ending at the last picture and
// overlapping the page before it; paging wraps both ways.

namespace pages {

/// Start of the page after the one starting at p (p = -n gives the first page).
int next(int p, int count, int n);
/// Start of the page before the one starting at p.
int previous(int p, int count, int n);

} // namespace pages
