#include "core/collation.h"
#include "core/nouns.h"
#include "support/picturedir.h"

#include <QTest>

class NounsTest : public QObject {
    Q_OBJECT
private slots:
    void pattern_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("listed");
        for (const char *art : {"der", "die", "das", "DER", "Die", "dAS"})
            for (const char *ext : {"wmf", "jpg", "gif", "bmp", "WMF", "Jpg"})
                QTest::addRow("%s-%s", art, ext) << QString("%1Hund.%2").arg(art, ext) << true;
        QTest::newRow("blank between") << "der Hund.jpg" << true;
        QTest::newRow("empty noun") << "der.jpg" << true;
        QTest::newRow("two dots") << "derHund.alt.jpg" << true;
        QTest::newRow("png") << "derHund.png" << false;
        QTest::newRow("jpeg") << "derHund.jpeg" << false;
        QTest::newRow("other article") << "einHund.jpg" << false;
        QTest::newRow("article inside") << "Hundder.jpg" << false;
        QTest::newRow("settings") << "KALIMBO.INI" << false;
    }
    void pattern() {
        QFETCH(QString, name);
        QFETCH(bool, listed);
        QCOMPARE(nouns::isPictureFileName(name), listed);
    }

    void forms_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("noun");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("copy");
        QTest::newRow("plain") << "derHund.jpg"
                               << "Hund"
                               << "der Hund"
                               << "Hund";
        QTest::newRow("upper") << "derHUND.jpg"
                               << "Hund"
                               << "der Hund"
                               << "Hund";
        QTest::newRow("upper article") << "DERHund.jpg"
                                       << "Hund"
                                       << "der Hund"
                                       << "Hund";
        QTest::newRow("umlaut") << "dieÄpfel.jpg"
                                << "Äpfel"
                                << "die Äpfel"
                                << "Äpfel";
        QTest::newRow("sharp s stays") << "dieStraße.bmp"
                                       << "Straße"
                                       << "die Straße"
                                       << "Straße";
        QTest::newRow("fussball") << "derFUSSBALL.wmf"
                                  << "Fussball"
                                  << "der Fussball"
                                  << "Fussball";
        QTest::newRow("two dots") << "derHund.alt.jpg"
                                  << "Hund"
                                  << "der Hund"
                                  << "Hund";
        QTest::newRow("empty noun") << "der.jpg"
                                    << ""
                                    << "der "
                                    << "";
        QTest::newRow("decomposed") << QString("derBa\u0308r.jpg") << QString("Bär")
                                    << QString("der Bär") << QString("Bär");
    }
    void forms() {
        QFETCH(QString, entry);
        QFETCH(QString, noun);
        QFETCH(QString, display);
        QFETCH(QString, copy);
        QCOMPARE(nouns::nounOf(entry), noun);
        QCOMPARE(nouns::displayForm(entry), display);
        QCOMPARE(nouns::copyForm(entry), copy);
        QCOMPARE(nouns::nounOnlyForm(entry), noun);
    }

    void upperKeepsSharpS() {
        QCOMPARE(nouns::upper("straße"), QString("STRAßE"));
        QCOMPARE(nouns::upper("äöü"), QString("ÄÖÜ"));
    }

    void filter_data() {
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QStringList>("passing");
        const QStringList none;
        QTest::newRow("HUND") << "HUND" << QStringList{"derHund.jpg"};
        QTest::newRow("HUND+A") << "AHUND" << QStringList{"derHund.jpg", "dieHand.gif"};
        QTest::newRow("no letters") << "" << none;
        QTest::newRow("ß needed") << "STRAE" << none;
        QTest::newRow("with ß") << "STRAEß" << QStringList{"dieStraße.bmp"};
        QTest::newRow("A is not Ä") << "BAR" << none;
        QTest::newRow("Ä") << "BÄR" << QStringList{"derBär.wmf"};
        QTest::newRow("lower-case set") << "hund" << QStringList{"derHund.jpg"};
        QTest::newRow("all letters")
            << nouns::kLetters
            << QStringList{"derHund.jpg", "dieHand.gif", "dieStraße.bmp", "derBär.wmf"};
    }
    void filter() {
        QFETCH(QString, letters);
        QFETCH(QStringList, passing);
        // The blank and the hyphen are never letters, so those two never pass.
        const QStringList files{"derHund.jpg", "dieHand.gif",  "dieStraße.bmp",
                                "derBär.wmf",  "der Hund.jpg", "dasE-Mail.gif"};
        const nouns::FilterResult r = nouns::filter(files, letters);
        QCOMPARE(r.entries, passing);
        QCOMPARE(r.nouns.size(), passing.size());
        for (int i = 0; i < passing.size(); ++i)
            QCOMPARE(r.nouns[i], nouns::nounOf(passing[i]));
    }

    void countCaption() {
        QCOMPARE(nouns::countCaption(42), QString(" 42 Nomen "));
        QCOMPARE(nouns::countCaption(0), QString(" 0 Nomen "));
    }

    void listingSortsLikeEveryList() {
        PictureDir dir;
        const QStringList names{"dieZange.jpg", "derApfel.gif", "dieÄpfel.bmp", "DERBall.jpg",
                                "derball.bmp",  "dasAuto.JPG",  "derHund.png",  "readme.txt"};
        for (const QString &n : names)
            dir.addFile(n);
        const QStringList listed = nouns::listPictureFiles(QDir::current());
        QCOMPARE(listed, (QStringList{"dasAuto.JPG", "derApfel.gif", "derball.bmp", "DERBall.jpg",
                                      "dieÄpfel.bmp", "dieZange.jpg"}));
        QStringList resorted = listed;
        std::reverse(resorted.begin(), resorted.end());
        collation::sort(resorted);
        QCOMPARE(resorted, listed);
    }

    void collationOfUmlauts() {
        QStringList words{"Bär", "Apfel", "Äpfel", "Banane", "apfel"};
        collation::sort(words);
        QCOMPARE(words, (QStringList{"Apfel", "apfel", "Äpfel", "Banane", "Bär"}));
        QVERIFY(collation::less("Apfel", "Äpfel"));
        QVERIFY(collation::compare("Hund", "Hund") == 0);
    }
};

QTEST_GUILESS_MAIN(NounsTest)
#include "nouns_test.moc"
