#include "drawing/wmf/wmfpicture.h"

#include "drawing/picture.h"
#include "drawing/wmf/wmfplayer.h"
#include "drawing/wmf/wmfreader.h"

#include <QFile>
#include <QPainter>

namespace wmf {

namespace {

/// Files up to this size stay in memory after the first draw; larger ones are
/// read again for each draw.
constexpr qint64 kCacheBytes = 4 * 1024 * 1024;

class WmfPicture final : public PictureData {
public:
    WmfPicture(QString path, const Header &h, QByteArray data)
        : m_path(std::move(path)), m_header(h), m_data(std::move(data)) {}

    QSize naturalTwips() const override { return m_header.naturalTwips; }
    bool isVector() const override { return true; }

    void draw(QPainter &painter, const QRectF &target) const override {
        if (target.isEmpty() || m_failed)
            return;
        if (!m_data.isEmpty()) {
            play(m_data, m_header, painter, target);
            return;
        }
        QFile f(m_path);
        if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxFileBytes) {
            m_failed = true; // deleted or grown beyond reason: an empty frame from now on
            return;
        }
        const QByteArray data = f.readAll();
        Header h;
        if (readHeader(data, true, &h) != HeaderResult::Ok) {
            m_failed = true;
            return;
        }
        if (data.size() <= kCacheBytes)
            m_data = data;
        play(data, m_header, painter, target);
    }

private:
    QString m_path;
    Header m_header;
    mutable QByteArray m_data;
    mutable bool m_failed = false;
};

} // namespace

std::shared_ptr<const PictureData> openPicture(const QString &fileName) {
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxFileBytes)
        return nullptr;
    // Headers first; a plain file may need more for its first SetWindowExt.
    QByteArray head = f.read(512);
    Header h;
    HeaderResult res = readHeader(head, f.atEnd(), &h);
    if (res == HeaderResult::NeedMore) {
        head += f.read(kSizeScanBytes - head.size());
        res = readHeader(head, f.atEnd(), &h);
    }
    if (res == HeaderResult::NeedMore) { // sized by what it draws: all of it
        head += f.readAll();
        res = readHeader(head, true, &h);
    }
    if (res != HeaderResult::Ok)
        return nullptr;
    return std::make_shared<WmfPicture>(fileName, h, QByteArray());
}

std::shared_ptr<const PictureData> pictureFromData(const QByteArray &data) {
    Header h;
    if (data.size() > kMaxFileBytes || readHeader(data, true, &h) != HeaderResult::Ok)
        return nullptr;
    return std::make_shared<WmfPicture>(QString(), h, data);
}

} // namespace wmf
