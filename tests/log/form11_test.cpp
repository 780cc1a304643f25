#include "log/Form11.h"
#include "support/fakeprogram.h"
#include "support/windowfixture.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class Form11Test : public QObject {
    Q_OBJECT
private slots:
    void firstAppendCreatesItHidden() {
        FakeProgram p;
        QVERIFY(!p.existing(ScreenId::Form11));
        p.appendLog(LogList::Lesen, "Hund");
        p.appendLog(LogList::Lesen, "Hund"); // a noun read twice is listed twice
        p.appendLog(LogList::Galgen, "Katze");
        auto *log = dynamic_cast<Form11 *>(p.existing(ScreenId::Form11));
        QVERIFY(log);
        QVERIFY(!log->isVisible());
        QCOMPARE(log->lines(LogList::Lesen), (QStringList{"Hund", "Hund"}));
        QCOMPARE(log->lines(LogList::Galgen), QStringList{"Katze"});
    }

    void headings() {
        FakeProgram p;
        auto *log = screenAs<Form11>(p, ScreenId::Form11);
        QCOMPARE(log->windowTitle(), QString("Kalimbo (Benutzereingaben)"));
        QStringList headings;
        for (int i = 1; i <= 12; ++i)
            headings << log->heading(LogList(i));
        QCOMPARE(headings,
                 (QStringList{"Lesen", "Bildwahl", "Wortwahl", "Begleiter", "Ergänzen", "A B C",
                              "Abschrift", "Diktat", "Teppich", "Fange", "Memory", "Galgen"}));
    }

    void abbruchKeepsTitleBarLoses() {
        FakeProgram p;
        p.state().setNameLabel("Mia");
        p.appendLog(LogList::Memory, "Hund");
        p.showScreen(ScreenId::Form11);
        auto *log = screenAs<Form11>(p, ScreenId::Form11);
        QCOMPARE(control<QLabel>(log, "Label1")->text(), QString("Mia"));
        QTest::mouseClick(control<QPushButton>(log, "Command1"), Qt::LeftButton);
        QVERIFY(!log->isVisible());
        QCOMPARE(p.menuShows, 1);
        p.state().setNameLabel("Ole");
        p.showScreen(ScreenId::Form11);
        QCOMPARE(control<QLabel>(log, "Label1")->text(), QString("Ole"));
        QCOMPARE(p.log(LogList::Memory), QStringList{"Hund"});
        log->closeByTitleBar();
        QCOMPARE(p.menuShows, 2);
        QTRY_VERIFY(!p.existing(ScreenId::Form11));
        p.showScreen(ScreenId::Form11);
        QCOMPARE(p.log(LogList::Memory), QStringList());
    }

    void closedWindowDoesNotOutliveTheProgram() {
        QPointer<Screen> window;
        {
            FakeProgram p;
            p.showScreen(ScreenId::Form11);
            window = p.existing(ScreenId::Form11);
            window->closeByTitleBar(); // deletion is deferred to the event loop
            QVERIFY(!window.isNull());
        }
        // The program's end deleted it; the deferred delete finds nothing.
        QVERIFY(window.isNull());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(Form11Test)
#include "form11_test.moc"
