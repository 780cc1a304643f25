// The class list's names as buttons in the main menu's name panel.

#include "log/Form11.h"
#include "menufixture.h"
#include "ui/screenkeyboard.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>

namespace {

/// What a confirmed name leaves behind.
QStringList confirmed(MenuFixture &f) {
    auto *log = dynamic_cast<Form11 *>(f.program->existing(ScreenId::Form11));
    return {f.get<QLabel>("Label5")->text(), f.program->nameField(), f.program->nameLabel(),
            QString::number(log ? log->lines(LogList::Lesen).size() : -1),
            QString::number(f.get("Picture6")->isVisible())};
}

/// Types `name` into the name panel and clicks "Fertig!" after a noun was
/// read: what that leaves behind, and the menu's size (the same with the panel in).
void typedAndConfirmed(const QString &name, QStringList &result, QSize &designed) {
    MenuFixture typed;
    QVERIFY(typed.startWith(3));
    designed = typed.menu()->size();
    Form11::appendTo(*typed.program, LogList::Lesen, "Hund");
    typed.click("Command9");
    QCOMPARE(typed.menu()->size(), designed);
    QTest::keyClicks(typed.get<QLineEdit>("Text1"), name);
    typed.click("Command25");
    result = confirmed(typed);
}

} // namespace

class NameButtonsTest : public QObject {
    Q_OBJECT
private slots:
    // A tap on a name does what typing it and "Fertig!" do; without a class
    // list the panel is as it always was.
    void tapIsTheNameTypedAndConfirmed() {
        QStringList typedResult;
        QSize designed;
        typedAndConfirmed("Ben", typedResult, designed);
        MenuFixture tapped;
        QVERIFY(tapped.startWith(3));
        const QSize plain = tapped.get("Picture6")->size();
        QVERIFY(!tapped.menu()->findChild<QScrollArea *>("Klasse"));
        tapped.changeExtras([](Extras &e) { e.classNames = {"Mia", "Ben", "Ole", "mia"}; });
        Form11::appendTo(*tapped.program, LogList::Lesen, "Hund");
        tapped.click("Command9");
        QVERIFY(tapped.get("Picture6")->height() > plain.height());
        auto *area = tapped.menu()->findChild<QScrollArea *>("Klasse");
        QVERIFY(area && area->isVisible());
        QCOMPARE(area->widget()->findChildren<QPushButton *>().size(), 3); // "mia" is Mia
        auto *ben = area->widget()->findChild<QPushButton *>("Kind2");
        QCOMPARE(ben->text(), QString("Ben"));
        QCOMPARE(ben->accessibleName(), QString("Ben"));
        QVERIFY(ben->height() >= 30);
        QTest::mouseClick(ben, Qt::LeftButton);
        QCOMPARE(confirmed(tapped), typedResult);
        QCOMPARE(typedResult.mid(0, 4), QStringList({"Ben", "Ben", "Ben", "0"}));

        tapped.changeExtras([](Extras &e) { e.classNames = {}; });
        QVERIFY(!tapped.menu()->findChild<QScrollArea *>("Klasse"));
        QCOMPARE(tapped.get("Picture6")->size(), plain);
    }

    // A class of 30 fits the window: the buttons scroll inside the panel.
    void largeClassStaysInTheWindow() {
        MenuFixture f;
        QVERIFY(f.startWith(3));
        QStringList names;
        for (int i = 1; i <= 30; ++i)
            names << QStringLiteral("Kind Nummer %1").arg(i);
        f.changeExtras([&names](Extras &e) { e.classNames = names; });
        f.click("Command9");
        QWidget *panel = f.get("Picture6");
        QVERIFY(panel->geometry().bottom() < f.menu()->height());
        auto *area = f.menu()->findChild<QScrollArea *>("Klasse");
        QCOMPARE(area->widget()->findChildren<QPushButton *>().size(), 30);
        QVERIFY(area->widget()->height() > area->viewport()->height());
        QVERIFY(area->widget()->width() <= area->viewport()->width());
    }

    // With the on-screen keyboard on, the name panel brings large keys of
    // every letter; typing on them and "fertig" is typing and "Fertig!".
    // With the switch off the menu keeps its size.
    void keysTypeTheName() {
        QStringList typedResult;
        QSize designed;
        typedAndConfirmed("Ole", typedResult, designed);
        MenuFixture f;
        QVERIFY(f.startWith(3));
        Form11::appendTo(*f.program, LogList::Lesen, "Hund");
        f.changeExtras([](Extras &e) { e.screenKeyboard = true; });
        auto *keys = f.menu()->findChild<ScreenKeyboard *>("Bildschirmtastatur");
        QVERIFY(keys && !keys->isVisible());
        f.click("Command9");
        QVERIFY(keys->isVisible());
        QCOMPARE(keys->keyTexts().size(), 30);
        QVERIFY(f.menu()->height() > designed.height());
        for (const char *k : {"Großbuchstabe", "O", "l", "e", "fertig"})
            QTest::mouseClick(keys->key(QString::fromUtf8(k)), Qt::LeftButton);
        QCOMPARE(confirmed(f), typedResult);
        QVERIFY(!keys->isVisible());
        QCOMPARE(f.menu()->size(), designed);
        QVERIFY(Extras().save()); // leave the shared test configuration clean
    }
};

QTEST_MAIN(NameButtonsTest)
#include "namebuttons_test.moc"
