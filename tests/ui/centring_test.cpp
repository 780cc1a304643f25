// A window centres with its frame, not only its client area: the frame's
// top-left corner goes to ((screen - framed width) / 2, (screen - framed
// height) / 2), also when the frame becomes known only after showing.

#include "ui/screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace {
struct Host final : ScreenHost {
    void closedByTitleBar(Screen *) override {}
};
} // namespace

class CentringTest : public QObject {
    Q_OBJECT
private slots:
    void framePosition_data() {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QPoint>("expected");
        // The main menu (10815 x 7560 twips) under a 1 px border and 21 px title.
        QTest::newRow("main menu") << QRect(0, 0, 1280, 1024) << QSize(721, 504)
                                   << QMargins(1, 21, 1, 1) << QPoint(278, 249);
        QTest::newRow("no frame") << QRect(0, 0, 1280, 1024) << QSize(721, 504) << QMargins()
                                  << QPoint(279, 260);
        QTest::newRow("second screen") << QRect(1280, 0, 1024, 768) << QSize(649, 226)
                                       << QMargins(4, 24, 4, 4) << QPoint(1280 + 183, 257);
        QTest::newRow("larger than the screen") << QRect(0, 0, 640, 480) << QSize(721, 504)
                                                << QMargins(1, 21, 1, 1) << QPoint(-41, -23);
    }
    void framePosition() {
        QFETCH(QRect, area);
        QFETCH(QSize, client);
        QFETCH(QMargins, frame);
        QFETCH(QPoint, expected);
        QCOMPARE(Screen::centredFramePosition(area, client, frame), expected);
    }

    // A window grown by the on-screen keyboard's band keeps inside the
    // screen's usable part; one larger than it keeps its title bar in view.
    void keptInside_data() {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QPoint>("centred");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("fits: stays centred")
            << QRect(0, 0, 1280, 900) << QSize(724, 760) << QPoint(278, 70) << QPoint(278, 70);
        QTest::newRow("below a top panel")
            << QRect(0, 30, 1280, 870) << QSize(724, 860) << QPoint(278, 20) << QPoint(278, 30);
        QTest::newRow("above a bottom panel")
            << QRect(0, 0, 1280, 860) << QSize(724, 860) << QPoint(278, 20) << QPoint(278, 0);
        QTest::newRow("taller than the screen")
            << QRect(0, 0, 853, 600) << QSize(724, 760) << QPoint(64, -80) << QPoint(64, 0);
        QTest::newRow("second screen") << QRect(1280, 0, 1024, 768) << QSize(556, 600)
                                       << QPoint(1280 + 234, 84) << QPoint(1280 + 234, 84);
    }
    void keptInside() {
        QFETCH(QRect, area);
        QFETCH(QSize, outer);
        QFETCH(QPoint, centred);
        QFETCH(QPoint, expected);
        QCOMPARE(Screen::keptInside(area, outer, centred), expected);
    }

    // Centred while hidden (no frame yet), then shown: the window system's
    // frame must not push the window off centre.
    void centredBeforeShowing() {
        Host host;
        Screen w(host, 10815, 7560, QStringLiteral("Kalimbo (Menü)"), Qt::cyan);
        w.centre();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(w.frameGeometry().size() != w.size());
        const QRect area = w.screen()->geometry();
        const QRect frame = w.frameGeometry();
        QTRY_COMPARE(w.frameGeometry().topLeft(), QPoint((area.width() - frame.width()) / 2,
                                                         (area.height() - frame.height()) / 2));
        // Centring again once decorated keeps the place.
        w.centre();
        QCOMPARE(w.frameGeometry().topLeft(), frame.topLeft());
    }

    // A window larger than the screen (a full-page sheet scaled up for a
    // whiteboard) keeps its title bar and left edge on the screen.
    void largerThanTheScreenKeepsItsTitleBar() {
        Host host;
        Screen w(host, 14700, 10500, QStringLiteral("Kalimbo (Schreiblinien)"), Qt::cyan);
        const QRect area = w.screen()->availableGeometry();
        QVERIFY(w.width() > area.width() || w.height() > area.height());
        w.centre();
        QVERIFY(area.contains(w.pos()));
        if (w.width() > area.width())
            QCOMPARE(w.x(), area.left());
        if (w.height() > area.height())
            QCOMPARE(w.y(), area.top());
    }
};

QTEST_MAIN(CentringTest)
#include "centring_test.moc"
