#include "syllables/syllabifier.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

namespace {

// "A-mei-se" as the syllabifier splits the word.
QString read(const Syllabifier &s, const QString &noun) {
    return s.hyphenated(noun);
}

// Ü, Ö, Ä, ü, ö, ä, ß written as a base letter and a combining diaeresis.
QString decomposed(const QString &s) {
    return s.normalized(QString::NormalizationForm_D);
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(bytes);
    return path;
}

} // namespace

class SyllablesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY2(QFile::exists(Syllabifier::defaultPatternFile()),
                 "the German hyphenation patterns (hyphen-de) are missing");
    }

    void readingSyllables_data() {
        QTest::addColumn<QString>("expected");
        for (const char *w :
             {// one syllable, never a lone last letter
              "Hund", "Mond", "Zelt", "Maus", "Fisch", "Pferd", "Frosch", "Uhr", "Ei", "Schiff",
              // a single vowel stands alone at the start
              "E-le-fant", "I-gel", "A-mei-se", "O-fen", "E-sel", "U-hu", "O-ma", "E-cke",
              "O-ran-ge", "A-bend",
              // ... but not before two consonants or a diphthong
              "En-te", "Ap-fel", "Ei-mer", "Au-to", "Eu-le", "Ei-er",
              // umlauts and ß
              "Kü-ken", "Stra-ße", "Lö-we", "Mäu-se", "Kän-gu-ru", "Eich-hörn-chen",
              // compounds
              "Bä-ren-tat-ze", "Re-gen-schirm", "Schmet-ter-ling",
              // ck goes to the next syllable, sch/ch/qu stay whole
              "Zu-cker", "Schne-cke", "Glo-cke", "Ja-cke", "Fla-sche", "Ku-chen", "Qual-le",
              "Häus-chen",
              // plain open and closed syllables
              "Kat-ze", "Bir-ne", "Ba-na-ne", "Tel-ler", "Ti-ger", "Ro-se", "Kro-ko-dil",
              "Gi-raf-fe", "Blu-me", "Son-ne", "Vo-gel", "Pin-gu-in", "Lam-pe", "Fens-ter",
              "Schu-le", "Pa-pa-gei", "Schau-kel", "Ze-bra", "Rau-pe", "Te-le-fon", "Ba-by",
              "Fin-ger"}) {
            const QString e = QString::fromUtf8(w);
            QTest::newRow(w) << e;
        }
    }
    void readingSyllables() {
        QFETCH(QString, expected);
        const Syllabifier s;
        const QString noun = QString(expected).remove('-');
        QCOMPARE(read(s, noun), expected);
        // The patterns are lower case; the noun's case must not matter
        // (letter by letter, so ß stays one letter).
        QString upper = noun;
        for (QChar &c : upper)
            c = c.toUpper();
        QCOMPARE(read(s, upper).toLower(), expected.toLower());
        // Decomposed umlauts: same syllables, positions in the decomposed word.
        const QString d = decomposed(noun);
        QCOMPARE(read(s, d), decomposed(expected));
    }

    // The reading rules on top of whatever the patterns say, checked with
    // small pattern files that make the patterns' mistakes on purpose.
    void readingRules_data() {
        QTest::addColumn<QByteArray>("patterns");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lone last letter") << QByteArray("n1d") << "Hund"
                                          << "Hund";
        QTest::newRow("lone last vowel") << QByteArray("i1o") << "Radio"
                                         << "Radio";
        QTest::newRow("syllable without vowel") << QByteArray("1r1") << "Wurm"
                                                << "Wurm";
        QTest::newRow("ck to the next syllable") << QByteArray("c1k") << "Zucker"
                                                 << "Zu-cker";
        QTest::newRow("ch whole") << QByteArray("c1h") << "Kuchen"
                                  << "Ku-chen";
        QTest::newRow("sch whole") << QByteArray("sc1h") << "Flasche"
                                   << "Fla-sche";
        QTest::newRow("sch whole, s-ch") << QByteArray("s1ch") << "Flasche"
                                         << "Fla-sche";
        QTest::newRow("diminutive s-chen") << QByteArray("s1ch") << "Häuschen"
                                           << "Häus-chen";
        QTest::newRow("ph whole") << QByteArray("p1h") << "Strophe"
                                  << "Stro-phe";
        QTest::newRow("qu whole") << QByteArray("q1u") << "Aquarium"
                                  << "A-quarium";
        QTest::newRow("ei whole") << QByteArray("e1i") << "Eimer"
                                  << "Eimer";
        QTest::newRow("ie whole") << QByteArray("i1e") << "Biene"
                                  << "Biene";
        QTest::newRow("au whole") << QByteArray("a1u") << "Raupe"
                                  << "Raupe";
        QTest::newRow("äu whole") << QByteArray("ä1u") << "Mäuse"
                                  << "Mäuse";
        QTest::newRow("ei-er keeps its break") << QByteArray("i1e") << "Eier"
                                               << "Ei-er";
        QTest::newRow("leading vowel") << QByteArray("x1y") << "Igel"
                                       << "I-gel";
        QTest::newRow("prefix syllable stays") << QByteArray("r1i") << "Erinnerung"
                                               << "Er-innerung";
        QTest::newRow("no patterns for ng") << QByteArray("n1g") << "Finger"
                                            << "Fin-ger";
        QTest::newRow("letters after a hyphen") << QByteArray("x1y") << "Ober-Igel"
                                                << "O-ber--I-gel";
    }
    void readingRules() {
        QFETCH(QByteArray, patterns);
        QFETCH(QString, word);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = writeFile(dir, "rules.dic",
                                       "ISO8859-1\n" + patterns.replace("\xc3\xa4", "\xe4") + "\n");
        const Syllabifier s(path);
        QVERIFY(s.hasPatterns());
        QCOMPARE(read(s, word), expected);
    }

    // Odd nouns from odd file names: breaks stay inside the word, ascending,
    // and never split a letter from its combining mark.
    void oddWords_data() {
        QTest::addColumn<QString>("word");
        QTest::newRow("empty") << QString();
        QTest::newRow("one letter") << "A";
        QTest::newRow("leading blank") << " Hund";
        QTest::newRow("digits") << "3D-Brille";
        QTest::newRow("hyphen") << "E-Mail";
        QTest::newRow("outside Latin-1") << "Łódźkatze";
        QTest::newRow("mark without composition") << QString("Kq\u0308atze");
        QTest::newRow("surrogates") << QString::fromUtf8("Hund\xF0\x9F\x90\xB6katze");
        QTest::newRow("longer than libhyphen takes") << QString("Bananen").repeated(40);
    }
    void oddWords() {
        QFETCH(QString, word);
        const Syllabifier s;
        const QList<int> b = s.breaks(word);
        int last = 0;
        for (int x : b) {
            QVERIFY(x > last);
            QVERIFY(x < word.size());
            QVERIFY(!word[x].isMark() && !word[x].isLowSurrogate());
            last = x;
        }
        QCOMPARE(s.split(word).join(QString()), word);
    }

    void missingPatternsGiveWholeWords() {
        Syllabifier s("/nonexistent/hyph_de_DE.dic");
        QVERIFY(!s.hasPatterns());
        QCOMPARE(s.breaks("Elefant"), QList<int>());
        QCOMPARE(s.split("Elefant"), QStringList{"Elefant"});
        // The teacher's list still works.
        s.parseOverrides("Elefant=E-le-fant\n");
        QCOMPARE(read(s, "Elefant"), QString("E-le-fant"));
    }

    void overrides_data() {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<int>("accepted");
        QTest::addColumn<QList<int>>("skipped");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("expected");
        const QByteArray good = "Ameise=Am-ei-se";
        QTest::newRow("plain") << good << 1 << QList<int>{} << "Ameise"
                               << "Am-ei-se";
        QTest::newRow("any case") << QByteArray("aMEISE = AM-EI-SE") << 1 << QList<int>{}
                                  << "Ameise"
                                  << "Am-ei-se";
        QTest::newRow("one syllable")
            << QByteArray("Elefant=Elefant") << 1 << QList<int>{} << "Elefant"
            << "Elefant";
        QTest::newRow("comments and blanks")
            << QByteArray("# Silben\n\n   \n" + good + "\r\n") << 1 << QList<int>{} << "Ameise"
            << "Am-ei-se";
        QTest::newRow("later line wins")
            << QByteArray(good + "\nAmeise=Amei-se") << 2 << QList<int>{} << "Ameise"
            << "Amei-se";
        QTest::newRow("bad lines skipped")
            << QByteArray("Ameise=Am-ei-ze\nAmeise\n=A-mei-se\nAmeise=\nAmeise=-Ameise\n"
                          "Ameise=Am--eise\nAmeise=Ameise-\nA=B=C\nE-Mail=E-Mail\n" +
                          good)
            << 1 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9} << "Ameise"
            << "Am-ei-se";
        QTest::newRow("only bad lines")
            << QByteArray("Ameise=Am-eis\n") << 0 << QList<int>{1} << "Ameise"
            << "A-mei-se";
        QTest::newRow("UTF-8 with BOM")
            << QByteArray("\xEF\xBB\xBFK\xC3\xBCken=K\xC3\xBCk-en") << 1 << QList<int>{} << "Küken"
            << "Kük-en";
        QTest::newRow("Windows-1252")
            << QByteArray("K\xFCken=K\xFCk-en\r\nStra\xDF\x65=Stra\xDF-e\r\n") << 2 << QList<int>{}
            << "Straße"
            << "Straß-e";
        QTest::newRow("Windows-1252 en dash")
            << QByteArray("L\xF6we=L\xF6w\x96\x65") << 1 << QList<int>{} << "Löwe"
            << "Löw-e";
        QTest::newRow("decomposed noun")
            << QByteArray("K\xC3\xBCken=K\xC3\xBCk-en") << 1 << QList<int>{} << decomposed("Küken")
            << decomposed("Kük-en");
        QTest::newRow("decomposed list")
            << decomposed("Küken=Kük-en").toUtf8() << 1 << QList<int>{} << "Küken"
            << "Kük-en";
    }
    void overrides() {
        QFETCH(QByteArray, list);
        QFETCH(int, accepted);
        QFETCH(QList<int>, skipped);
        QFETCH(QString, word);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        Syllabifier s;
        const auto r = s.loadOverrides(writeFile(dir, Syllabifier::overrideFileName(), list));
        QVERIFY(r.opened);
        QCOMPARE(r.accepted, accepted);
        QCOMPARE(r.skippedLines, skipped);
        QCOMPARE(read(s, word), expected);
        // Only the listed word changes.
        QCOMPARE(read(s, "Elefant"), accepted && word == "Elefant" ? expected : "E-le-fant");
    }

    void missingListClearsOverrides() {
        Syllabifier s;
        s.parseOverrides("Igel=Ig-el");
        QCOMPARE(read(s, "Igel"), QString("Ig-el"));
        QVERIFY(!s.loadOverrides("/nonexistent/Silben.txt").opened);
        QCOMPARE(read(s, "Igel"), QString("I-gel"));
    }

    // Several threads and a preload race to a pattern file nobody has read yet.
    void loadsOnceAcrossThreads() {
        QTemporaryDir dir;
        const Syllabifier shared(writeFile(dir, "race.dic", "ISO8859-1\nc1k\nt1t\n"));
        shared.preload();
        const QStringList words{"Elefant", "Schmetterling", "Zucker", "Hund"};
        QList<QStringList> results(4);
        std::vector<std::thread> threads;
        for (int k = 0; k < 4; ++k)
            threads.emplace_back([&, k] {
                for (const QString &w : words)
                    results[k] << shared.hyphenated(w);
            });
        for (auto &t : threads)
            t.join();
        const QStringList expected{"E-lefant", "Schmet-terling", "Zu-cker", "Hund"};
        for (const QStringList &r : results)
            QCOMPARE(r, expected);
    }
};

QTEST_GUILESS_MAIN(SyllablesTest)
#include "syllables_test.moc"
