#include "core/settings.h"

#include "files/safefile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cfenv>
#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace settings {

const char *const kFileName = "KALIMBO.INI";

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
static const char16_t kHigh[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                   0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QString fromCp1252(const QByteArray &bytes) {
    QString s;
    s.reserve(bytes.size());
    for (const char ch : bytes) {
        const uchar b = uchar(ch);
        s += (b >= 0x80 && b < 0xA0) ? QChar(kHigh[b - 0x80]) : QChar(b);
    }
    return s;
}

QByteArray toCp1252(const QString &text) {
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += char(u);
            continue;
        }
        char repl = '?';
        for (int i = 0; i < 32; ++i)
            if (kHigh[i] == u && u != 0xFFFD)
                repl = char(0x80 + i);
        out += repl;
    }
    return out;
}

std::optional<int> toInt16(const QByteArray &raw) {
    const QByteArray t = raw.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    // Plain decimal only: sign, digits, an optional fraction.
    int i = 0;
    if (t[0] == '+' || t[0] == '-')
        ++i;
    bool digits = false, dot = false;
    for (; i < t.size(); ++i) {
        if (t[i] >= '0' && t[i] <= '9')
            digits = true;
        else if (t[i] == '.' && !dot)
            dot = true;
        else
            return std::nullopt;
    }
    if (!digits)
        return std::nullopt;
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST); // halves to the even neighbour
    const double r = std::nearbyint(d);
    std::fesetround(saved);
    if (r < -32768 || r > 32767)
        return std::nullopt;
    return int(r);
}

namespace {

// Reads lines from a device in chunks, so that only what the lines need is
// read and memory stays bounded however long a line is.
class LineReader {
public:
    explicit LineReader(QIODevice &in) : m_in(in) {}

    // Next line without its ending (CR LF, or a lone LF or CR); nullopt at
    // the end of the file, for binary data and for a runaway line.
    std::optional<QByteArray> next() {
        if (peek() < 0)
            return std::nullopt;
        QByteArray line;
        bool binary = false;
        for (qint64 length = 0;; ++length) {
            const int c = get();
            if (c < 0 || c == '\n')
                break;
            if (c == '\r') {
                if (peek() == '\n')
                    get();
                break;
            }
            if (length >= kMaxLineScan)
                return std::nullopt;
            binary = binary || c == 0;
            if (line.size() < kMaxLineBytes)
                line += char(c);
        }
        if (binary)
            return std::nullopt;
        return line;
    }

private:
    int peek() {
        if (m_pos == m_buf.size()) {
            m_buf = m_in.read(16 * 1024);
            m_pos = 0;
        }
        return m_pos < m_buf.size() ? uchar(m_buf[m_pos]) : -1;
    }
    int get() {
        const int c = peek();
        if (c >= 0)
            ++m_pos;
        return c;
    }

    QIODevice &m_in;
    QByteArray m_buf;
    qsizetype m_pos = 0;
};

ReadResult parseDevice(QIODevice &in, const Values &defaults) {
    ReadResult res;
    res.values = defaults;
    LineReader lines(in);
    struct Field {
        int *target;
        int lo, hi;
    };
    Values &v = res.values;
    const Field fields[9] = {{&v.check2, 0, 2}, {&v.check3, 0, 2},     {&v.check4, 0, 2},
                             {&v.check5, 0, 2}, {&v.consonant, 0, 15}, {&v.vowel, 0, 15},
                             {&v.red, 0, 255},  {&v.green, 0, 255},    {&v.blue, 0, 255}};
    for (const Field &f : fields) {
        const auto line = lines.next();
        if (!line)
            return res;
        const auto n = toInt16(*line);
        if (!n || *n < f.lo || *n > f.hi)
            return res;
        *f.target = *n;
        ++res.applied;
    }
    const auto letters = lines.next();
    if (!letters)
        return res;
    v.letters = fromCp1252(*letters);
    ++res.applied;
    return res;
}

} // namespace

ReadResult parse(const QByteArray &bytes, const Values &defaults) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return parseDevice(buffer, defaults);
}

ReadResult read(const QString &path, const Values &defaults) {
    ReadResult nothing;
    nothing.values = defaults;
    // A pipe, folder or device of that name is a bad file, and so is one far
    // larger than ten short lines could ever be.
    QFile f;
    if (files::openForReading(path, f, files::kSettingsCap).status != files::Status::Ok)
        return nothing;
    return parseDevice(f, defaults);
}

static QByteArray number(int n) {
    return (n < 0 ? QByteArray::number(n) : ' ' + QByteArray::number(n)) + ' ';
}

QByteArray serialise(const Values &v) {
    QByteArray out;
    for (int n :
         {v.check2, v.check3, v.check4, v.check5, v.consonant, v.vowel, v.red, v.green, v.blue})
        out += number(n) + "\r\n";
    out += toCp1252(v.letters) + "\r\n";
    return out;
}

bool write(const QString &path, const Values &v) {
    // Only a regular file is replaced, and never through a link: a folder,
    // pipe or link of that name is not ours to remove or to write through
    // (a pupil's link could point at the teacher's own files).
    const QFileInfo where(path);
    return files::replaceWhole(where.absolutePath(), where.fileName(), serialise(v)).status ==
           files::Status::Ok;
}

} // namespace settings
