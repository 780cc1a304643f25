#pragma once
// Picture files with a noun for every initial sound but C, J, Qu, X and Y.

#include <QStringList>

inline QStringList nounsForAllButRareSounds(const QString &suffix) {
    QStringList files;
    for (const char *n :
         {"Affe",   "Ähre",  "Auto",  "Ball",   "Chamäleon", "Dach",  "Esel",  "Eimer",
          "Eule",   "Fisch", "Gans",  "Hut",    "Igel",      "Kamm",  "Löwe",  "Maus",
          "Nase",   "Ofen",  "Öl",    "Pinsel", "Pferd",     "Rabe",  "Sonne", "Schaf",
          "Spinne", "Stern", "Tasse", "Uhr",    "Übung",     "Vogel", "Wal",   "Zebra"})
        files << QStringLiteral("der") + QString::fromUtf8(n) + suffix;
    return files;
}
