#include "app/icon.h"

#include <QApplication>
#include <QTest>

class IconTest : public QObject {
    Q_OBJECT
private slots:
    // The windows show the menu entry's SVG icon: it is built into the program
    // and drawn sharp at any size, also far above the old 64 px tiles.
    void windowIconIsTheScalableMenuIcon() {
        const QIcon icon = icon::window();
        for (int size : {16, 48, 256}) {
            const QImage image = icon.pixmap(size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            // Transparent corners around the tile, the red apple in its middle.
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            const QColor apple = image.pixelColor(size / 2, size * 100 / 256);
            QVERIFY2(apple.red() > 180 && apple.green() < 100 && apple.blue() < 100,
                     qPrintable(apple.name()));
        }
    }
};

QTEST_MAIN(IconTest)
#include "icon_test.moc"
