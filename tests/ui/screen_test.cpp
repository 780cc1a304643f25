#include "drawing/picture.h"
#include "support/picturedir.h"
#include "ui/canvas.h"
#include "ui/screen.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {
struct Host final : ScreenHost {
    QList<Screen *> closed;
    void closedByTitleBar(Screen *s) override { closed << s; }
    using ScreenHost::setEnding;
};

struct Probe final : Screen {
    using Screen::Screen;
    int activations = 0;
    void activated() override { ++activations; }
};
/// A white square with the pictures drawn over it, stretched to fill it.
QImage drawn(int side, std::initializer_list<Picture> pictures) {
    QImage img(side, side, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter painter(&img);
    for (const Picture &p : pictures)
        p.draw(painter, QRectF(0, 0, side, side));
    return img;
}

} // namespace

class ScreenTest : public QObject {
    Q_OBJECT
private slots:
    void naturalSizeWithoutDecoding_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("jpg") << "derHund.jpg";
        QTest::newRow("bmp") << "dieKatze.bmp";
        QTest::newRow("gif") << "dasHaus.gif";
        QTest::newRow("upper-case extension") << "dasAuto.JPG";
    }
    void naturalSizeWithoutDecoding() {
        QFETCH(QString, name);
        PictureDir dir;
        dir.addPicture(name, QSize(200, 100), Qt::blue);
        const long before = Picture::decodeCount();
        const Picture p = Picture::load(name);
        QVERIFY(!p.isNull());
        QCOMPARE(p.naturalTwips(), QSize(3000, 1500));
        QCOMPARE(Picture::decodeCount(), before);
        // Drawn stretched into the target, decoded once for repeated draws.
        const QColor c = drawn(40, {p, p}).pixelColor(20, 20);
        QCOMPARE(Picture::decodeCount(), before + 1);
        QVERIFY2(c.blue() > 200 && c.red() < 60, qPrintable(c.name()));
    }

    void badPicturesAreNull_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("not a picture at all");
        QTest::newRow("jpeg header only") << QByteArray("\xFF\xD8\xFF", 3);
        QTest::newRow("huge gif header") << QByteArray("GIF89a\xFF\xFF\xFF\xFF\x00\x00\x00", 13);
    }
    void badPicturesAreNull() {
        QFETCH(QByteArray, bytes);
        PictureDir dir;
        dir.addPicture("derHund.gif", QSize(50, 50));
        const Picture loaded = Picture::load("derHund.gif");
        // Spoilt after loading: draws nothing; loaded again: no picture.
        dir.addFile("derHund.gif", bytes);
        const Picture p = Picture::load("derHund.gif");
        QVERIFY(p.isNull());
        QCOMPARE(p.naturalTwips(), QSize());
        QCOMPARE(drawn(20, {p, loaded}).pixelColor(10, 10), QColor(Qt::white));
        QVERIFY(Picture::load("derFehlt.jpg").isNull());
    }

    void canvasKeepsWhatIsDrawn() {
        Canvas c;
        c.resize(100, 50);
        c.setBackground(Qt::yellow);
        c.clear();
        c.surface().fillBox(150, 150, 600, 600, Qt::red, Qt::red); // twips: 10..40 px
        c.hide();
        c.show();
        c.repaint();
        QCOMPARE(c.image().pixelColor(20, 20), QColor(Qt::red));
        QCOMPARE(c.image().pixelColor(80, 40), QColor(Qt::yellow));
        QCOMPARE(c.snapshot().size(), QSize(100, 50));
        c.clear();
        QCOMPARE(c.image().pixelColor(20, 20), QColor(Qt::yellow));
    }

    void printPositionAdvances() {
        Canvas c;
        c.resize(300, 60);
        Surface &s = c.surface();
        s.setFont("Verdana", 12, true);
        s.setPrintPosition(100, 100);
        s.print("AB");
        QCOMPARE(QPoint(s.currentX(), s.currentY()), QPoint(100 + s.textWidth("AB"), 100));
        s.print("C", true);
        QCOMPARE(QPoint(s.currentX(), s.currentY()), QPoint(0, 100 + s.textHeight()));
    }

    void activationMeaning() {
        Host host;
        Probe a(host, 1500, 1500, "A", Qt::white);
        Probe b(host, 1500, 1500, "B", Qt::white);
        a.showAndActivate();
        // A message box closing, or a return from another application,
        // reactivates the same window: no activation.
        a.activate();
        QCOMPARE(a.activations, 1);
        a.hide();
        b.showAndActivate();
        b.hide();
        a.showAndActivate();
        b.activate(); // a hidden window never activates
        QCOMPARE(std::pair(a.activations, b.activations), std::pair(2, 1));
    }

    void titleBarCloseReachesTheHost() {
        Host host;
        Probe a(host, 1500, 1500, "A", Qt::white);
        a.showAndActivate();
        a.closeByTitleBar();
        QCOMPARE(host.closed.size(), 1);
        host.setEnding(); // the program's end is no title-bar close
        Probe b(host, 1500, 1500, "B", Qt::white);
        b.show();
        b.close();
        QCOMPARE(host.closed.size(), 1);
    }
};

QTEST_MAIN(ScreenTest)
#include "screen_test.moc"
