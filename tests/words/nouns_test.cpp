#include "words/nouns.h"

#include <QTest>

class NounsTest : public QObject {
    Q_OBJECT
private slots:
    void placeholder() { QCOMPARE(nouns::nounOf("derHUND.jpg"), QString("Hund")); }
};

QTEST_GUILESS_MAIN(NounsTest)
#include "nouns_test.moc"
