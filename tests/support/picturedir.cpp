#include "support/picturedir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

PictureDir::PictureDir() {
    m_oldCwd = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
}

PictureDir::~PictureDir() {
    QDir::setCurrent(m_oldCwd);
}

QString PictureDir::filePath(const QString &name) const {
    return m_dir.filePath(name);
}

// A GIF whose logical screen is `screen`, with a global table of two colours
// (`c` and black) and one image of `image` pixels at the top left, all `c`.
static QByteArray gif(QSize screen, QSize image, const QColor &c) {
    QByteArray g("GIF89a");
    auto le16 = [&](int v) {
        g += char(v & 0xFF);
        g += char((v >> 8) & 0xFF);
    };
    le16(screen.width());
    le16(screen.height());
    g += QByteArray("\x80\0\0", 3); // global table, 2 entries
    g += char(c.red());
    g += char(c.green());
    g += char(c.blue());
    g += QByteArray(3, '\0');
    g += ',';
    le16(0);
    le16(0);
    le16(image.width());
    le16(image.height());
    g += char(0);
    // LZW with min code size 2: 3-bit codes; a clear (4) before every two
    // pixels (index 0) keeps the table from growing; then the end (5).
    QByteArray data;
    quint32 acc = 0;
    int bits = 0;
    auto emitCode = [&](int code) {
        acc |= quint32(code) << bits;
        for (bits += 3; bits >= 8; bits -= 8, acc >>= 8)
            data += char(acc & 0xFF);
    };
    for (int i = 0; i < image.width() * image.height(); ++i) {
        if (i % 2 == 0)
            emitCode(4);
        emitCode(0);
    }
    emitCode(5);
    if (bits > 0)
        data += char(acc & 0xFF);
    g += char(2);
    for (int i = 0; i < data.size(); i += 255) {
        const QByteArray chunk = data.mid(i, 255);
        g += char(chunk.size());
        g += chunk;
    }
    g += char(0);
    g += ';';
    return g;
}

void PictureDir::addPicture(const QString &name, QSize pixels, const QColor &colour) {
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("gif")) {
        addFile(name, gif(pixels, pixels, colour));
        return;
    }
    QImage img(pixels, QImage::Format_RGB32);
    img.fill(colour);
    const QByteArray format = suffix == QLatin1String("bmp") ? "BMP" : "JPG";
    img.save(filePath(name), format.constData());
}

void PictureDir::addFile(const QString &name, const QByteArray &bytes) {
    QFile f(filePath(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

void PictureDir::remove(const QString &name) {
    QFile::remove(filePath(name));
}

QByteArray PictureDir::claimingGif(QSize screen) {
    return gif(screen, QSize(1, 1), QColor(0x20, 0x40, 0xC0));
}
