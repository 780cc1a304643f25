#include "drawing/wmf/wmftext.h"

#include "drawing/wmf/wmfformat.h"

#include <QStringDecoder>

namespace wmf {

namespace {

// 0x80..0x9F of Windows-1252; the rest of the code page is Latin-1.
// Undefined positions keep their C1 code point, as Windows does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decode1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar c = uchar(bytes[i]);
        d[i] = (c >= 0x80 && c < 0xA0) ? QChar(kCp1252High[c - 0x80]) : QChar(c);
    }
    return out;
}

} // namespace

int codePageOfCharset(int charset) {
    switch (charset) {
    case SHIFTJIS_CHARSET:
        return 932;
    case HANGUL_CHARSET:
        return 949;
    case GB2312_CHARSET:
        return 936;
    case CHINESEBIG5_CHARSET:
        return 950;
    case GREEK_CHARSET:
        return 1253;
    case TURKISH_CHARSET:
        return 1254;
    case VIETNAMESE_CHARSET:
        return 1258;
    case HEBREW_CHARSET:
        return 1255;
    case ARABIC_CHARSET:
        return 1256;
    case BALTIC_CHARSET:
        return 1257;
    case RUSSIAN_CHARSET:
        return 1251;
    case THAI_CHARSET:
        return 874;
    case EASTEUROPE_CHARSET:
        return 1250;
    case OEM_CHARSET:
        return 437;
    default:
        return 1252; // ANSI, DEFAULT, and SYMBOL shown as Latin text
    }
}

QString decodeText(QByteArrayView bytes, int charset) {
    const int cp = codePageOfCharset(charset);
    if (cp == 1252)
        return decode1252(bytes);
    const char *name = nullptr;
    switch (cp) {
    case 932:
        name = "Shift_JIS";
        break;
    case 936:
        name = "GBK";
        break;
    case 949:
        name = "windows-949";
        break;
    case 950:
        name = "Big5";
        break;
    case 874:
        name = "windows-874";
        break;
    case 437:
        name = "IBM437";
        break;
    default:
        break;
    }
    const QByteArray cpName = name ? QByteArray(name) : "windows-" + QByteArray::number(cp);
    QStringDecoder decoder(cpName.constData());
    if (!decoder.isValid())
        return decode1252(bytes);
    return decoder.decode(bytes);
}

} // namespace wmf
