#pragma once
// The one sort order of the program: German, case-insensitive, umlauts beside
// their base letters; ties broken case-sensitively so the order is total.
// Used by the directory listing and every sorted list, so they always agree.

#include <QStringList>

namespace collation {

/// <0, 0 or >0 like strcmp.
int compare(const QString &a, const QString &b);
inline bool less(const QString &a, const QString &b) {
    return compare(a, b) < 0;
}
/// Sorts in place, stable.
void sort(QStringList &list);

} // namespace collation
