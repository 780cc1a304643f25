#pragma once
// Reads the headers of a Windows Metafile and walks its records. Nothing here
// trusts the file: every read is checked against the bytes that are there.

#include <QByteArrayView>
#include <QRectF>
#include <QSize>
#include <cstdint>

namespace wmf {

/// Largest file we read at all (bounds memory for hostile files).
constexpr qint64 kMaxFileBytes = 128LL * 1024 * 1024;
/// How far into a plain file we look for its first SetWindowExt.
constexpr qint64 kSizeScanBytes = 64 * 1024;

/// One record: function number and parameter bytes. Readers of parameters get
/// zero past the end, so a short record can never read outside the file; the
/// player still checks has() first and ignores records too short to mean anything.
struct Record {
    std::uint16_t function = 0;
    const uchar *params = nullptr;
    qsizetype paramBytes = 0;
    qsizetype offset = 0; // of the record in the file

    qsizetype words() const { return paramBytes / 2; }
    bool has(qsizetype nWords) const { return nWords >= 0 && paramBytes >= nWords * 2; }
    std::int16_t s(qsizetype word) const { return std::int16_t(u(word)); }
    std::uint16_t u(qsizetype word) const {
        if (word < 0 || word * 2 + 1 >= paramBytes)
            return 0;
        return std::uint16_t(params[word * 2] | (params[word * 2 + 1] << 8));
    }
    std::uint32_t u32(qsizetype word) const { return u(word) | (std::uint32_t(u(word + 1)) << 16); }
    /// Bytes from the given word to the end of the record.
    QByteArrayView tail(qsizetype word) const {
        if (word < 0 || word * 2 > paramBytes)
            return {};
        return QByteArrayView(params + word * 2, paramBytes - word * 2);
    }
};

/// The two headers. The natural size and the frame (the logical rectangle
/// that fills the target when drawn) come from here alone.
struct Header {
    bool placeable = false;
    // Placeable header
    std::int16_t bboxLeft = 0, bboxTop = 0, bboxRight = 0, bboxBottom = 0;
    std::uint16_t unitsPerInch = 0;
    // Standard header
    std::uint16_t type = 0, headerWords = 0, version = 0;
    std::uint32_t sizeWords = 0;
    std::uint16_t numObjects = 0;
    std::uint32_t maxRecordWords = 0;

    qsizetype recordsOffset = 0;
    /// Logical rectangle of the picture: its origin and extent (the extent may be
    /// negative in y for a plain file whose window flips the y axis).
    QPointF frameOrigin;
    QPointF frameExtent;
    /// A plain file sized by what it draws: its frame is in device pixels,
    /// where window and viewport start at one unit each, as on a device.
    bool drawnFrame = false;
    /// Device point that the frame's top-left corner shows (non-zero only for
    /// a drawn frame).
    QPointF frameShift;
    /// Twips per logical unit of the frame (fixes the scale of the metric modes).
    double frameUnitTwips = 15.0;
    QSize naturalTwips;
};

enum class HeaderResult { Ok, NeedMore, Bad };

/// Parses the headers from the first bytes of a file. For a plain file the
/// natural size needs the records up to the first SetWindowExt, or without
/// one in the first kSizeScanBytes, all of them (the bounds of what they
/// draw); if data ends before that and more of the file exists, NeedMore
/// asks for more.
HeaderResult readHeader(QByteArrayView data, bool wholeFile, Header *out);

/// Walks the records after the header. next() stops for good at the EOF
/// record, at a record size of 0, 1 or 2 words, at a size beyond the end of the
/// data, or after kMaxRecords records.
class RecordReader {
public:
    static constexpr long kMaxRecords = 1000000;

    RecordReader(QByteArrayView data, qsizetype start) : m_data(data), m_pos(start) {}
    bool next(Record *r);
    /// True when the walk ended at damage rather than at EOF or the data's end.
    bool damaged() const { return m_damaged; }
    /// True when the walk ended at the EOF record.
    bool atEof() const { return m_eof; }
    long count() const { return m_count; }

private:
    QByteArrayView m_data;
    qsizetype m_pos;
    long m_count = 0;
    bool m_damaged = false;
    bool m_done = false;
    bool m_eof = false;
};

} // namespace wmf
