// Reading syllables of 5,000 nouns, as a word list of that size would need
// them; the pattern file's first load is timed on its own.
#include "syllables/syllabifier.h"

#include <QElapsedTimer>
#include <QTest>

#include <ctime>

namespace {

// Simple nouns and their compounds give 5,000 distinct words.
QStringList nouns5000() {
    const QStringList parts =
        QString::fromUtf8(
            "Hund Katze Maus Haus Baum Blume Sonne Mond Stern Apfel Birne Banane Zucker Flasche "
            "Schnecke Elefant Igel Ameise Küken Straße Löwe Bär Tatze Eimer Auto Eule Ofen Esel "
            "Tiger Rose Krokodil Schmetterling Teller Tasse Löffel Gabel Messer Fenster Tür Schule "
            "Kuchen Tisch Stuhl Lampe Regen Schirm Papagei Hörnchen Schaukel Känguru Zebra Qualle "
            "Pferd Frosch Raupe Leiter Giraffe Hase Vogel Pinguin Affe Ente Nase Ohr Auge Hand Fuß "
            "Jacke Glocke Socke")
            .split(' ');
    QStringList words = parts;
    for (const QString &a : parts)
        for (const QString &b : parts)
            if (a != b)
                words << a + b.toLower();
    for (int k = 0; words.size() < 5000; ++k)
        words << words[parts.size() + k] + parts[k % parts.size()].toLower();
    words.resize(5000);
    return words;
}

} // namespace

class SyllablesBench : public QObject {
    Q_OBJECT
private slots:
    void firstLoad() {
        QElapsedTimer t;
        t.start();
        const std::clock_t cpu = std::clock();
        const Syllabifier s;
        QVERIFY(s.hasPatterns());
        qInfo("first load of the patterns: %.0f ms wall, %.0f ms CPU", t.nsecsElapsed() / 1e6,
              double(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC);
    }

    void fiveThousandNouns() {
        const QStringList words = nouns5000();
        QCOMPARE(words.size(), 5000);
        const Syllabifier s;
        QVERIFY(s.hasPatterns()); // loaded already; the loop times syllables only
        qsizetype total = 0;
        const std::clock_t cpu = std::clock();
        for (const QString &w : words)
            total += s.breaks(w).size();
        qInfo("one pass: %.1f ms CPU", double(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC);
        QBENCHMARK {
            for (const QString &w : words)
                total += s.breaks(w).size();
        }
        QVERIFY(total > 0);
    }
};

QTEST_GUILESS_MAIN(SyllablesBench)
#include "syllables_bench.moc"
