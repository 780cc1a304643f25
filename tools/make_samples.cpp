// Renders the bundled raster sample pictures: each noun's emoji from the
// Noto Color Emoji font on a soft background, saved as JPEG, BMP or PNG
// (PNG files are turned into GIF by make_samples.sh, since Qt writes no GIF).

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

struct Sample {
    const char *file; // final name in samples/
    const char *emoji;
    int w, h; // pixels
    QRgb tint;
};

static const Sample kSamples[] = {
    {"derHund.jpg", "🐕", 240, 240, 0xfff4e0},     {"derApfel.jpg", "🍎", 240, 240, 0xeaffea},
    {"derBall.gif", "⚽", 200, 200, 0xe8f4ff},     {"derFisch.bmp", "🐟", 200, 160, 0xe0f0ff},
    {"derBaum.jpg", "🌳", 200, 280, 0xf0ffe8},     {"derStern.gif", "⭐", 200, 200, 0x20205a},
    {"derMond.jpg", "🌙", 240, 240, 0x1a1a40},     {"derKäse.jpg", "🧀", 240, 200, 0xfffbe0},
    {"derIgel.bmp", "🦔", 200, 200, 0xf5efe0},  {"derElefant.jpg", "🐘", 300, 220, 0xeef6ff},
    {"derLöwe.jpg", "🦁", 240, 240, 0xfff0d0},  {"derSchuh.gif", "👟", 220, 180, 0xf0f0f0},
    {"derVogel.jpg", "🐦", 240, 240, 0xe6f7ff},    {"derBus.bmp", "🚌", 240, 180, 0xfff8e8},
    {"derPilz.jpg", "🍄", 200, 240, 0xf2ffe6},     {"derFuß.gif", "🦶", 200, 200, 0xfff0f0},
    {"dieKatze.jpg", "🐈", 240, 240, 0xfff5f5},    {"dieMaus.gif", "🐁", 200, 200, 0xf0f0ff},
    {"dieBlume.jpg", "🌸", 200, 260, 0xf4ffe8},    {"dieBanane.bmp", "🍌", 240, 160, 0xfffde0},
    {"dieUhr.jpg", "⌚", 200, 240, 0xf0f4ff},      {"dieKerze.gif", "🕯", 180, 260, 0x302840},
    {"dieErdbeere.jpg", "🍓", 240, 240, 0xfff0f4}, {"dieEnte.jpg", "🦆", 240, 240, 0xe6f4ff},
    {"dieSchnecke.bmp", "🐌", 220, 180, 0xf0ffe0}, {"dieBrille.gif", "👓", 240, 160, 0xffffff},
    {"dieGurke.jpg", "🥒", 260, 200, 0xf6fff0}, {"dieMöhre.jpg", "🥕", 200, 260, 0xfff6ea},
    {"dieÄhre.gif", "🌾", 180, 260, 0xfffbe8},     {"dieStraße.jpg", "🛣", 280, 200, 0xeaf6ea},
    {"dieEule.jpg", "🦉", 200, 240, 0xf4eee6},  {"dasHaus.jpg", "🏠", 240, 240, 0xe6f4ff},
    {"dasAuto.JPG", "🚗", 280, 200, 0xf0f0f0},     {"dasBuch.gif", "📖", 240, 200, 0xfff8ee},
    {"dasEi.bmp", "🥚", 180, 220, 0xf4f0ff},    {"dasEis.jpg", "🍦", 200, 260, 0xffeef6},
    {"dasSchwein.jpg", "🐖", 260, 200, 0xfff0f4},  {"dasPferd.jpg", "🐎", 260, 220, 0xf0ffe6},
    {"dasFahrrad.gif", "🚲", 280, 200, 0xf0f8ff},  {"dasBrot.jpg", "🍞", 240, 200, 0xfff6e6},
    {"dasBoot.bmp", "⛵", 220, 220, 0xe0f0ff},     {"dasKüken.jpg", "🐤", 220, 220, 0xf8ffe0},
    {"dasSchaf.jpg", "🐑", 240, 220, 0xeaffea},    {"dasZelt.gif", "⛺", 240, 200, 0xeaf4ff},
};

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_samples <outdir>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QFont emoji(QStringLiteral("Noto Color Emoji"));
    int failures = 0;
    for (const Sample &s : kSamples) {
        QImage img(s.w, s.h, QImage::Format_RGB32);
        const QColor tint(s.tint);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        QLinearGradient g(0, 0, 0, s.h);
        g.setColorAt(0, tint.lighter(104));
        g.setColorAt(1, tint.darker(108));
        p.fillRect(img.rect(), g);
        emoji.setPixelSize(int(qMin(s.w, s.h) * 0.72));
        p.setFont(emoji);
        p.drawText(img.rect(), Qt::AlignCenter, QString::fromUtf8(s.emoji));
        p.end();
        QString name = QString::fromUtf8(s.file);
        const QString suffix = name.section(QLatin1Char('.'), -1).toLower();
        bool ok;
        if (suffix == QLatin1String("gif"))
            ok = img.save(out.filePath(name.chopped(4) + QStringLiteral(".gif-src.png")), "PNG");
        else
            ok = img.save(out.filePath(name), suffix == QLatin1String("bmp") ? "BMP" : "JPG", 85);
        if (!ok) {
            std::fprintf(stderr, "could not write %s\n", s.file);
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
