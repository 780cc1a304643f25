// Qt's own texts are German even when the system speaks English or nothing
// at all (LANG=C): the message boxes' buttons and the context menus of text
// fields and scroll bars.

#include "ui/dialogs.h"
#include "ui/translations.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

QString plain(QString text) {
    text = text.section(QLatin1Char('\t'), 0, 0);
    text.remove(QLatin1Char('&'));
    return text;
}

QStringList texts(const QMenu *menu) {
    QStringList out;
    for (const QAction *a : menu->actions())
        if (!a->isSeparator())
            out << plain(a->text());
    return out;
}

/// Words of Qt's English menus and buttons.
const QStringList kEnglish = {"Undo",        "Redo",        "Cut",        "Copy",      "Paste",
                              "Delete",      "Select All",  "Yes",        "No",        "Top",
                              "Bottom",      "Scroll here", "Page up",    "Page down", "Scroll up",
                              "Scroll down", "Left edge",   "Right edge", "Page left", "Page right",
                              "Scroll left", "Scroll right"};

} // namespace

class QtGermanTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(translations::installQtGerman(*qApp)); }

    void yesNoBox() {
        QStringList seen;
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [&seen, poll] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            poll->stop();
            seen << plain(box->button(QMessageBox::Yes)->text())
                 << plain(box->button(QMessageBox::No)->text());
            box->button(QMessageBox::No)->click();
        });
        poll->start(10);
        QtDialogs dialogs;
        const bool yes = dialogs.askYesNo(QStringLiteral("Möchtest du dieses Programm jetzt "
                                                         "beenden?\r\r"),
                                          QStringLiteral("Kalimbo"));
        delete poll;
        QVERIFY(!yes);
        QCOMPARE(seen, (QStringList{"Ja", "Nein"}));
    }

    void lineEditMenu() {
        QLineEdit edit(QStringLiteral("Gast"));
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        const QStringList entries = texts(menu.get());
        QVERIFY(entries.contains(QStringLiteral("Alles auswählen")));
        for (const QString &e : entries)
            QVERIFY2(!kEnglish.contains(e), qPrintable(e));
    }

    void scrollBarMenu_data() {
        QTest::addColumn<Qt::Orientation>("orientation");
        QTest::newRow("vertical") << Qt::Vertical;
        QTest::newRow("horizontal") << Qt::Horizontal;
    }
    void scrollBarMenu() {
        QFETCH(Qt::Orientation, orientation);
        QScrollBar bar(orientation);
        bar.resize(orientation == Qt::Vertical ? QSize(17, 145) : QSize(145, 17));
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QStringList entries;
        QTimer::singleShot(0, this, [&entries] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                entries = texts(menu);
                menu->close();
            }
        });
        QContextMenuEvent ev(QContextMenuEvent::Mouse, QPoint(5, 5), bar.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&bar, &ev);
        QVERIFY(!entries.isEmpty());
        for (const QString &e : entries)
            QVERIFY2(!kEnglish.contains(e), qPrintable(e));
    }
};

int main(int argc, char **argv) {
    // An English or unset system language must not make Qt's texts English.
    qputenv("LANG", "C");
    qputenv("LC_ALL", "C");
    qunsetenv("LANGUAGE");
    QApplication app(argc, argv);
    QtGermanTest t;
    return QTest::qExec(&t, argc, argv);
}
#include "qtgerman_test.moc"
