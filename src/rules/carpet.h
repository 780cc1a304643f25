#pragma once
// The rules of the letter carpet, without widgets: the pool, the 25 cells
// with the noun's letters hidden among fillers, and the letter clicks.

#include <QPoint>
#include <QString>
#include <QStringList>

class Random;
class Clock;

class Carpet {
public:
    static constexpr int kCells = 25;
    static constexpr int kCellWidth = 2000;
    static constexpr int kCellHeight = 1000;
    static const QString kFillers;

    /// Both pool lists from the noun list, in order.
    void fill(const QStringList &nounList);
    /// Reseeds, takes a noun out of the pool (refilling it when emptied) and
    /// lays out the carpet. Returns the noun's picture file.
    QString build(const QStringList &nounList, Random &random, const Clock &clock);
    /// Lays out the carpet for a noun (fillers, then its letters).
    void layOut(const QString &noun, Random &random);
    /// Empties the noun-text pool and the letter lists ("Abbruch").
    void abandon();
    /// The noun list changed: a noun whose picture has gone from the folder
    /// leaves the pool (a new list comes in at its next refill).
    void keepOnly(const QStringList &pictureFiles);

    /// Cell index of a click in twips (truncating; beyond the last full
    /// cell still column 5 or row 5). -1 outside the grid.
    static int cellAt(QPoint twips);
    /// Top-left corner of cell k in twips.
    static QPoint cellOrigin(int k);

    enum class Result { Wrong, Right, Solved };
    /// A click on cell k.
    Result click(int k);

    /// The noun to find and its picture file.
    QString noun() const { return m_noun; }
    QString pictureFile() const { return m_file; }
    /// Picture files not yet played in this pass.
    QStringList poolFiles() const { return m_poolFiles; }
    /// The noun's letters, one per entry.
    QStringList wordLetters() const { return m_wordLetters; }
    /// Cell k shows carpetLetters()[k]; only the first 25 are on the carpet.
    QStringList carpetLetters() const { return m_carpetLetters; }
    /// The letters clicked right so far.
    QStringList foundLetters() const { return m_found; }

private:
    void bringAllLettersIntoView();

    QString m_noun;              // Label2
    QString m_file;              // Label3
    QStringList m_poolNouns;     // List1
    QStringList m_poolFiles;     // bilder
    QStringList m_wordLetters;   // List2
    QStringList m_carpetLetters; // List3
    QStringList m_found;         // List4
};
