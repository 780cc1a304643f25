// The rules for nouns a teacher adds: allowed names, which file holds a
// noun, what a file name suggests, the syllable list, the article list.

#include "core/articles.h"
#include "core/spelling.h"
#include "core/wordnames.h"

#include <QTemporaryDir>
#include <QtTest>

class WordNamesTest : public QObject {
    Q_OBJECT
private slots:
    void problems_data() {
        QTest::addColumn<QString>("noun");
        QTest::addColumn<QString>("problem"); // part of the message; empty: accepted
        QTest::newRow("plain") << "Hund"
                               << "";
        QTest::newRow("umlaut, sharp s") << "Öfchenstraße"
                                         << "";
        QTest::newRow("decomposed umlaut") << QStringLiteral("A\u0308pfel") << "";
        QTest::newRow("sixty letters") << "H" + QString(59, 'a') << "";
        QTest::newRow("sixty-one letters") << "H" + QString(60, 'a') << "zu lang";
        QTest::newRow("empty") << ""
                               << "eingeben";
        QTest::newRow("blank only") << "   "
                                    << "eingeben";
        QTest::newRow("slash") << "Hu/nd"
                               << "Schrägstrich";
        QTest::newRow("backslash") << "Hu\\nd"
                                   << "Schrägstrich";
        QTest::newRow("two dots") << "Hu..nd"
                                  << "zwei Punkte";
        QTest::newRow("control") << QStringLiteral("Hu\u0001nd") << "Steuerzeichen";
        QTest::newRow("newline") << QStringLiteral("Hu\nnd") << "Steuerzeichen";
        QTest::newRow("zero-width joiner") << QStringLiteral("Hu\u200Dnd") << "Steuerzeichen";
        QTest::newRow("digit") << "Hund2"
                               << "„2“";
        QTest::newRow("accent") << "Café"
                                << "„é“";
        QTest::newRow("blank inside") << "Roter Hund"
                                      << "„ “";
        QTest::newRow("lower case") << "hund"
                                    << "großen";
        QTest::newRow("sharp s first") << "ßuppe"
                                       << "großen";
    }
    void problems() {
        QFETCH(QString, noun);
        QFETCH(QString, problem);
        const QString got = wordnames::problemWith(wordnames::normalised(noun));
        if (problem.isEmpty())
            QCOMPARE(got, QString());
        else
            QVERIFY2(got.contains(problem), qPrintable(got));
    }

    void holder_data() {
        QTest::addColumn<QString>("noun");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("except");
        QTest::addColumn<QString>("holder");
        const QStringList folder = {"derHund.jpg",           "DIEKATZE.PNG", "dasHaus.wmf",
                                    "derBaum.wav",           "Maus.jpg",     "dieSonne.txt",
                                    "dasA\u0308pfelchen.gif"};
        QTest::newRow("same name") << "Hund" << folder << ""
                                   << "derHund.jpg";
        QTest::newRow("other case and format") << "Katze" << folder << ""
                                               << "DIEKATZE.PNG";
        QTest::newRow("typed in capitals") << "HAUS" << folder << ""
                                           << "dasHaus.wmf";
        QTest::newRow("decomposed on disk") << QStringLiteral("Äpfelchen") << folder << ""
                                            << QStringLiteral("dasA\u0308pfelchen.gif");
        QTest::newRow("recording only") << "Baum" << folder << ""
                                        << "";
        QTest::newRow("no article") << "Maus" << folder << ""
                                    << "";
        QTest::newRow("no picture") << "Sonne" << folder << ""
                                    << "";
        QTest::newRow("new") << "Igel" << folder << ""
                             << "";
        QTest::newRow("the source itself") << "Katze" << folder << "DIEKATZE.PNG"
                                           << "";
    }
    void holder() {
        QFETCH(QString, noun);
        QFETCH(QStringList, files);
        QFETCH(QString, except);
        QFETCH(QString, holder);
        QCOMPARE(wordnames::holderOf(noun, files, except), holder);
    }

    void guess_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("article");
        QTest::addColumn<QString>("noun");
        QTest::newRow("article and noun") << "derHund.png"
                                          << "der"
                                          << "Hund";
        QTest::newRow("capital article") << "DIEKatze.webp"
                                         << "die"
                                         << "Katze";
        QTest::newRow("noun alone") << "Hund.jpg"
                                    << ""
                                    << "Hund";
        QTest::newRow("lower noun") << "igel.svg"
                                    << ""
                                    << "Igel";
        QTest::newRow("phone photo") << "IMG_2034.jpg"
                                     << ""
                                     << "";
        QTest::newRow("article-like start") << "Dermatologe.jpg"
                                            << ""
                                            << "Dermatologe";
        QTest::newRow("two dots") << "dasHaus.alt.tif"
                                  << "das"
                                  << "Haus";
    }
    void guess() {
        QFETCH(QString, file);
        QFETCH(QString, article);
        QFETCH(QString, noun);
        const wordnames::Guess g = wordnames::guessFrom(file);
        QCOMPARE(g.article, article);
        QCOMPARE(g.noun, noun);
    }

    void notYetNouns() {
        const QStringList listed = {"derHund.jpg", "dieKatze.gif"};
        const QStringList folder = {"derHund.jpg",  "dieKatze.gif", "derHund.png",
                                    "Hund.jpg",     "IMG_2034.jpg", "dieMaus.webp",
                                    "Silben.txt",   "derHund.wav",  ".derIgel.jpg.1-2.tmp",
                                    "dasBild.tiff", "notes.doc"};
        QCOMPARE(wordnames::notYetNouns(folder, listed),
                 QStringList({"IMG_2034.jpg", "dieMaus.webp", "dasBild.tiff"}));
    }

    void syllableList() {
        const QString list = "# Silben\r\nAmeise=A-mei-se\r\nHund = Hund\r\nTomate=To-ma-te\r\n";
        const auto lines = wordnames::syllableLines(list);
        QCOMPARE(lines.value("ameise"), QString("A-mei-se"));
        QCOMPARE(lines.value("hund"), QString("Hund"));
        QCOMPARE(lines.size(), 3);
        // A rename moves the line; other lines and the line ends stay.
        QCOMPARE(wordnames::withSyllableLine(list, "Ameise", "Emse", "Em-se"),
                 QString("# Silben\r\nHund = Hund\r\nTomate=To-ma-te\r\nEmse=Em-se\r\n"));
        // An empty division drops the line; a line for the new name is not doubled.
        QCOMPARE(wordnames::withSyllableLine(list, "Tomate", "Hund", ""),
                 QString("# Silben\r\nAmeise=A-mei-se\r\n"));
        QCOMPARE(wordnames::withSyllableLine("", "Igel", "Igel", "I-gel"), QString("Igel=I-gel\n"));
    }

    void articles_data() {
        QTest::addColumn<QString>("noun");
        QTest::addColumn<QString>("article");
        QTest::addColumn<bool>("ambiguous");
        QTest::addColumn<QString>("from");
        QTest::newRow("masculine") << "Hund"
                                   << "der" << false << "Hund";
        QTest::newRow("feminine, second entry") << "Katze"
                                                << "die" << false << "Katze";
        QTest::newRow("neuter in alternatives") << "Haus"
                                                << "das" << false << "Haus";
        QTest::newRow("two lines, two genders") << "See"
                                                << "" << true << "See";
        QTest::newRow("two genders in one brace") << "Band"
                                                  << "" << true << "Band";
        QTest::newRow("compound tail") << "Erdbeere"
                                       << "die" << false << "Beere";
        QTest::newRow("longest tail wins") << "Hundehaus"
                                           << "das" << false << "Haus";
        QTest::newRow("ambiguous tail") << "Bodensee"
                                        << "" << true << "See";
        QTest::newRow("unknown") << "Xylofon"
                                 << "" << false << "";
        QTest::newRow("plural is no gender") << "Hunde"
                                             << "" << false << "";
        QTest::newRow("phrase is no noun") << "Leutnant"
                                           << "" << false << "";
    }
    void articles() {
        QFETCH(QString, noun);
        QFETCH(QString, article);
        QFETCH(bool, ambiguous);
        QFETCH(QString, from);
        QTemporaryDir dir;
        const QString path = dir.filePath("de-en");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("# Version :: test\n"
                "Hund {m} [zool.] | Hunde {pl} :: dog | dogs\n"
                "Katzenjammer {m} :: hangover\n"
                "Katze {f}; Mieze {f} :: cat\n"
                "Haus {n}; Gebäude {n} | Häuser {pl} :: house\n"
                "See {f} | auf See :: sea\n"
                "See {m}; Loch {m} :: lake\n"
                "Band {m,n} :: volume; band\n"
                "Beere {f} [bot.] :: berry\n"
                "Leutnant zur See {m} :: ensign\n"
                "schnell {adj} :: fast\n");
        f.close();
        ArticleDictionary dict;
        QVERIFY(dict.load(path));
        const ArticleDictionary::Suggestion s = dict.suggest(noun);
        QCOMPARE(s.article, article);
        QCOMPARE(s.ambiguous, ambiguous);
        QCOMPARE(s.from, from);
    }

    void missingDictionaryGivesNothing() {
        ArticleDictionary dict;
        QVERIFY(!dict.load("/nonexistent/de-en"));
        QCOMPARE(dict.suggest("Hund").article, QString());
        QVERIFY(!dict.suggest("Hund").ambiguous);
    }

    void spellingHint() {
        QTemporaryDir dir;
        QFile aff(dir.filePath("de.aff")), dic(dir.filePath("de.dic"));
        QVERIFY(aff.open(QIODevice::WriteOnly) && dic.open(QIODevice::WriteOnly));
        aff.write("SET UTF-8\nTRY esianrtolcdugmphbyfvkwzESIANRTOLCDUGMPHBYFVKWZäöüßÄÖÜ\n");
        dic.write("3\nHund\nKäfer\nStraße\n");
        aff.close();
        dic.close();
        SpellingHint hint;
        QVERIFY(hint.load(dir.filePath("de")));
        QVERIFY(hint.knows("Hund"));
        QVERIFY(hint.knows(QStringLiteral("Käfer")));
        QVERIFY(!hint.knows("Hnud"));
        QVERIFY(hint.suggestions("Hnud").contains("Hund"));
        QVERIFY(hint.suggestions(QStringLiteral("Strase")).contains(QStringLiteral("Straße")));
        // Without a dictionary every word passes: a hint, never a block.
        SpellingHint none;
        QVERIFY(!none.load(dir.filePath("missing")));
        QVERIFY(none.knows("Hnud"));
        QVERIFY(none.suggestions("Hnud").isEmpty());
    }
};

QTEST_GUILESS_MAIN(WordNamesTest)
#include "wordnames_test.moc"
