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
        for (const char *name :
             {"derHund.wmf", "dieHund.jpg", "dasHund.gif", "DERHund.bmp", "dAsHund.WMF",
              "derHund.Jpg", "der Hund.jpg", "der.jpg", "derHund.alt.jpg"})
            QTest::newRow(name) << name << true;
        for (const char *name :
             {"derHund.png", "derHund.jpeg", "einHund.jpg", "Hundder.jpg", "KALIMBO.INI"})
            QTest::newRow(name) << name << false;
    }
    void pattern() {
        QFETCH(QString, name);
        QFETCH(bool, listed);
        QCOMPARE(nouns::isPictureFileName(name), listed);
    }

    void forms_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("noun");
        auto row = [](const char *tag, const QString &entry, const QString &noun) {
            QTest::newRow(tag) << entry << noun;
        };
        row("plain", "derHund.jpg", "Hund");
        row("upper", "DERHUND.jpg", "Hund");
        row("umlaut", "dieÄpfel.jpg", "Äpfel");
        row("sharp s stays", "dieStraße.bmp", "Straße");
        row("fussball", "derFUSSBALL.wmf", "Fussball");
        row("two dots", "derHund.alt.jpg", "Hund");
        row("empty noun", "der.jpg", "");
        row("decomposed", QString("derBa\u0308r.jpg"), "Bär");
    }
    void forms() {
        QFETCH(QString, entry);
        QFETCH(QString, noun);
        QCOMPARE(nouns::nounOf(entry), noun);
        QCOMPARE(nouns::displayForm(entry), entry.left(3).toLower() + ' ' + noun);
        QCOMPARE(nouns::copyForm(entry), noun);
        QCOMPARE(nouns::nounOnlyForm(entry), noun);
    }

    void upperKeepsSharpS() { QCOMPARE(nouns::upper("straße äöü"), QString("STRAßE ÄÖÜ")); }

    void filter_data() {
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QStringList>("passing");
        QTest::newRow("HUND+A") << "AHUND" << QStringList{"derHund.jpg", "dieHand.gif"};
        QTest::newRow("no letters") << "" << QStringList();
        QTest::newRow("ß needed") << "STRAE" << QStringList();
        QTest::newRow("with ß") << "STRAEß" << QStringList{"dieStraße.bmp"};
        QTest::newRow("A is not Ä") << "BAR" << QStringList();
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

    void listingSortsLikeEveryList() {
        PictureDir dir;
        for (const char *n : {"dieZange.jpg", "derApfel.gif", "dieÄpfel.bmp", "DERBall.jpg",
                              "derball.bmp", "dasAuto.JPG", "derHund.png", "readme.txt"})
            dir.addFile(n);
        const QStringList listed = nouns::listPictureFiles(QDir::current());
        QCOMPARE(listed, (QStringList{"dasAuto.JPG", "derApfel.gif", "derball.bmp", "DERBall.jpg",
                                      "dieÄpfel.bmp", "dieZange.jpg"}));
        QStringList words{"Bär", "Apfel", "Äpfel", "Banane", "apfel"};
        collation::sort(words);
        QCOMPARE(words, (QStringList{"Apfel", "apfel", "Äpfel", "Banane", "Bär"}));
    }
};

QTEST_GUILESS_MAIN(NounsTest)
#include "nouns_test.moc"
