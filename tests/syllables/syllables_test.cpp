#include "syllables/syllabifier.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

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
              "Hund", "Ei",
              // a single vowel stands alone at the start ...
              "E-le-fant", "A-mei-se", "U-hu",
              // ... but not before two consonants or a diphthong
              "Ap-fel", "Ei-mer", "Eu-le", "Ei-er",
              // umlauts, ß and compounds
              "Stra-ße", "Mäu-se", "Eich-hörn-chen", "Bä-ren-tat-ze",
              // ck goes to the next syllable, sch/ch/qu stay whole
              "Zu-cker", "Fla-sche", "Ku-chen", "Qual-le", "Häus-chen",
              // plain open and closed syllables
              "Kat-ze", "Ba-na-ne", "Kro-ko-dil", "Pin-gu-in", "Fens-ter", "Ze-bra", "Fin-ger",
              // one vowel sound per syllable: two sounds the patterns part ...
              "The-a-ter", "Mu-se-um", "Fe-ri-en", "See-i-gel",
              // ... and those they cannot: a lone vowel at the end, after a
              // compound's joint, or before two consonants that open a syllable
              "Li-ni-e", "Fa-mi-li-e", "Kas-ta-ni-e", "Ka-ka-o", "Ra-di-o", "Sta-tu-e", "Reu-e",
              "Back-o-fen", "Spiel-e-cke", "Bi-o-lo-gie", "A-pril",
              // the long ie, a y before a vowel, a loanword's silent e stay whole
              "Bat-te-rie", "Me-lo-die", "Knie", "Yo-ga", "Jeans", "Skate-board"}) {
            const QString e = QString::fromUtf8(w);
            QTest::newRow(w) << e;
        }
    }
    void readingSyllables() {
        QFETCH(QString, expected);
        const Syllabifier s;
        const QString noun = QString(expected).remove('-');
        QCOMPARE(s.hyphenated(noun), expected);
        // The patterns are lower case; the noun's case must not matter
        // (letter by letter, so ß stays one letter).
        QString upper = noun;
        for (QChar &c : upper)
            c = c.toUpper();
        QCOMPARE(s.hyphenated(upper).toLower(), expected.toLower());
        // Decomposed umlauts: same syllables, positions in the decomposed word.
        const QString d = decomposed(noun);
        QCOMPARE(s.hyphenated(d), decomposed(expected));
    }

    // The reading rules on top of whatever the patterns say, checked with
    // small pattern files that make the patterns' mistakes on purpose.
    void readingRules_data() {
        QTest::addColumn<QByteArray>("patterns");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("expected");
        auto row = [](const char *tag, const char *patterns, const char *word, const char *want) {
            QTest::newRow(tag) << QByteArray(patterns) << QString(word) << QString(want);
        };
        row("lone last letter", "n1d", "Hund", "Hund");
        row("lone last vowel after a consonant", "n1y", "Pony", "Pony");
        row("lone last vowel after a vowel", "a1d\ni1o", "Radio", "Ra-di-o");
        row("syllable without vowel", "1r1", "Wurm", "Wurm");
        row("ck to the next syllable", "c1k", "Zucker", "Zu-cker");
        row("ch whole", "c1h", "Kuchen", "Ku-chen");
        row("sch whole", "sc1h", "Flasche", "Fla-sche");
        row("sch whole, s-ch", "s1ch", "Flasche", "Fla-sche");
        row("diminutive s-chen", "s1ch", "Häuschen", "Häus-chen");
        row("qu whole", "q1u", "Aquarium", "A-quarium");
        row("ei whole", "e1i", "Eimer", "Eimer");
        row("ie whole", "x1y", "Knie", "Knie");
        row("ie two sounds at the end", "i1n", "Linie", "Li-ni-e");
        row("ie long at the end", "t1t\ne1r", "Batterie", "Bat-te-rie");
        row("a pair the patterns part is two sounds", "e1i", "Seeigel", "See-i-gel");
        row("ue two sounds at the end", "a1t", "Statue", "Sta-tu-e");
        row("ue within a word one sound", "e1s", "Kuese", "Kue-se");
        row("ei-er keeps its break", "i1e", "Eier", "Ei-er");
        row("leading vowel", "x1y", "Igel", "I-gel");
        row("lone vowel after a joint", "k1o", "Backofen", "Back-o-fen");
        row("lone vowel before a syllable-opening pair", "x1y", "April", "A-pril");
        row("y before a vowel is a consonant", "o1g", "Yoga", "Yo-ga");
        row("two sounds apart left to the patterns", "x1y", "Skate", "Skate");
        row("prefix syllable stays", "r1i", "Erinnerung", "Er-innerung");
        row("no patterns for ng", "n1g", "Finger", "Fin-ger");
        row("letters after a hyphen", "x1y", "Ober-Igel", "O-ber--I-gel");
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
        QCOMPARE(s.hyphenated(word), expected);
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
        QCOMPARE(s.hyphenated("Elefant"), QString("E-le-fant"));
    }

    void overrides_data() {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<int>("accepted");
        QTest::addColumn<QList<int>>("skipped");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("expected");
        auto row = [](const char *tag, const QByteArray &list, int accepted, const QString &word,
                      const QString &want, QList<int> skipped = {}) {
            QTest::newRow(tag) << list << accepted << skipped << word << want;
        };
        const QByteArray good = "Ameise=Am-ei-se";
        row("any case", "aMEISE = AM-EI-SE", 1, "Ameise", "Am-ei-se");
        row("one syllable", "Elefant=Elefant", 1, "Elefant", "Elefant");
        row("comments and blanks", "# Silben\n\n   \n" + good + "\r\n", 1, "Ameise", "Am-ei-se");
        row("later line wins", good + "\nAmeise=Amei-se", 2, "Ameise", "Amei-se");
        row("bad lines skipped",
            "Ameise=Am-ei-ze\nAmeise\n=A-mei-se\nAmeise=\nAmeise=-Ameise\nAmeise=Am--eise\n"
            "Ameise=Ameise-\nA=B=C\nE-Mail=E-Mail\n" +
                good,
            1, "Ameise", "Am-ei-se", {1, 2, 3, 4, 5, 6, 7, 8, 9});
        row("only bad lines", "Ameise=Am-eis\n", 0, "Ameise", "A-mei-se", {1});
        row("UTF-8 with BOM", "\xEF\xBB\xBFK\xC3\xBCken=K\xC3\xBCk-en", 1, "Küken", "Kük-en");
        row("Windows-1252", "K\xFCken=K\xFCk-en\r\nStra\xDF\x65=Stra\xDF-e\r\n", 2, "Straße",
            "Straß-e");
        row("Windows-1252 en dash", "L\xF6we=L\xF6w\x96\x65", 1, "Löwe", "Löw-e");
        row("decomposed noun", "K\xC3\xBCken=K\xC3\xBCk-en", 1, decomposed("Küken"),
            decomposed("Kük-en"));
        row("decomposed list", decomposed("Küken=Kük-en").toUtf8(), 1, "Küken", "Kük-en");
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
        QCOMPARE(s.hyphenated(word), expected);
        // Only the listed word changes.
        QCOMPARE(s.hyphenated("Elefant"), accepted && word == "Elefant" ? expected : "E-le-fant");
    }

    // Whatever stands in place of the teacher's list clears the old one and
    // is never waited for nor read whole.
    void unusableListClearsOverrides_data() {
        QTest::addColumn<QString>("kind");
        for (const char *kind : {"missing", "fifo", "fifo link", "/dev/zero link", "50 MB"})
            QTest::newRow(kind) << kind;
    }
    void unusableListClearsOverrides() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath("Silben.txt");
        const QByteArray native = QFile::encodeName(path);
        if (kind == "fifo") {
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        } else if (kind == "fifo link") {
            QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("p")).constData(), 0600), 0);
            QVERIFY(QFile::link(dir.filePath("p"), path));
        } else if (kind == "/dev/zero link") {
            QVERIFY(QFile::link("/dev/zero", path));
        } else if (kind == "50 MB") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("Igel=Ig-el\n") > 0 &&
                    f.resize(50 << 20));
        }
        Syllabifier s;
        s.parseOverrides("Igel=Ig-el");
        QCOMPARE(s.hyphenated("Igel"), QString("Ig-el"));
        ::alarm(20); // a wait on the FIFO ends the test instead of hanging it
        QVERIFY(!s.loadOverrides(path).opened);
        ::alarm(0);
        QCOMPARE(s.hyphenated("Igel"), QString("I-gel"));
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
