#include "core/pages.h"

namespace pages {

int next(int p, int count, int n) {
    if (count == p + n)
        p = -n; // the page ends at the last picture: start again at the first
    p += n;
    if (p + n > count)
        p = count - n;
    // Fewer pictures than a page: the page starts at the first one.
    return p < 0 ? 0 : p;
}

int previous(int p, int count, int n) {
    p -= n;
    if (p == -n)
        p = count - n; // back from the first page goes to the last page
    return p < 0 ? 0 : p;
}

} // namespace pages
