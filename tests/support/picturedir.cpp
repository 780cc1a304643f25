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

// A GIF of one colour at any size: header, global colour table of two
// entries, one image with a minimal LZW stream that clears to colour 0.
static QByteArray solidGif(QSize s, const QColor &c) {
    QByteArray g("GIF89a");
    auto le16 = [&](int v) {
        g += char(v & 0xFF);
        g += char((v >> 8) & 0xFF);
    };
    le16(s.width());
    le16(s.height());
    g += char(0x80); // global table, 2 entries
    g += char(0);
    g += char(0);
    g += char(c.red());
    g += char(c.green());
    g += char(c.blue());
    g += char(0);
    g += char(0);
    g += char(0);
    g += ',';
    le16(0);
    le16(0);
    le16(s.width());
    le16(s.height());
    g += char(0);
    // LZW with min code size 2: emit clear, then index 0 for every pixel
    // using code 0 repeatedly (no table growth beyond reset points).
    const int pixels = s.width() * s.height();
    QByteArray data;
    quint32 acc = 0;
    int bits = 0;
    int codeSize = 3;
    int next = 6;
    auto emitCode = [&](int code) {
        acc |= quint32(code) << bits;
        bits += codeSize;
        while (bits >= 8) {
            data += char(acc & 0xFF);
            acc >>= 8;
            bits -= 8;
        }
    };
    emitCode(4); // clear
    for (int i = 0; i < pixels; ++i) {
        emitCode(0);
        if (i > 0) {
            ++next;
            if (next == (1 << codeSize) && codeSize < 12)
                ++codeSize;
            if (next >= 4095) {
                emitCode(4);
                codeSize = 3;
                next = 6;
            }
        }
    }
    emitCode(5); // end
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
        addFile(name, solidGif(pixels, colour));
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
    QByteArray g("GIF89a");
    auto le16 = [&](int v) {
        g += char(v & 0xFF);
        g += char((v >> 8) & 0xFF);
    };
    le16(screen.width());
    le16(screen.height());
    g += char(0x80); // global table, 2 entries
    g += char(0);
    g += char(0);
    g += QByteArray("\x20\x40\xC0\0\0\0", 6);
    g += ',';
    le16(0);
    le16(0);
    le16(1);
    le16(1); // one pixel at the top left
    g += char(0);
    // Min code size 2; 3-bit codes clear (4), index 0, end (5).
    g += QByteArray("\x02\x02\x44\x01\x00;", 6);
    return g;
}
