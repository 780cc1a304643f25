#include "core/exercisetable.h"

namespace exercises {

const std::array<Exercise, 12> &all() {
    static const std::array<Exercise, 12> table{{
        {LogList::Lesen, "Lesen", "lesen", "Nomen", 3, true, ScreenId::Form2},
        {LogList::Bildwahl, "Bildwahl", "bildwahl", "Bildwahl", 10, true, ScreenId::Form6},
        {LogList::Wortwahl, "Wortwahl", "wortwahl", "Wortwahl", 10, true, ScreenId::Form5},
        {LogList::Begleiter, "Begleiter", "begleiter", "Begleiter", 1, false, ScreenId::Form3},
        {LogList::Ergaenzen, "Ergänzen", "ergaenzen", "Ergänzen", 1, false, ScreenId::Form4},
        {LogList::Abc, "A B C", "abc", "A B C", 5, true, ScreenId::Form8},
        {LogList::Abschrift, "Abschrift", "abschrift", "Abschrift", 1, false, ScreenId::Form9},
        {LogList::Diktat, "Diktat", "diktat", "Diktat", 1, false, ScreenId::Form10},
        {LogList::Teppich, "Teppich", "teppich", "Teppich", 1, false, ScreenId::Form7},
        {LogList::Fange, "Fange", "fange", "Fange", 1, false, ScreenId::Fang},
        {LogList::Memory, "Memory", "memory", "Memory", 9, true, ScreenId::Memo},
        {LogList::Galgen, "Galgen", "galgen", "Galgen", 1, false, ScreenId::Galgen},
    }};
    return table;
}

const Exercise &of(LogList log) {
    // The table is in log-list order; the lists are numbered from 1.
    return all()[size_t(int(log) - 1)];
}

const Exercise *byRecordId(QStringView id) {
    for (const Exercise &e : all())
        if (id == QLatin1String(e.recordId))
            return &e;
    return nullptr;
}

QString heading(LogList log) {
    return QString::fromUtf8(of(log).heading);
}

QString recordId(LogList log) {
    return QString::fromLatin1(of(log).recordId);
}

} // namespace exercises
