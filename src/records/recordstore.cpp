#include "records/recordstore.h"

#include "core/clock.h"
#include "files/safefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTimeZone>
#include <algorithm>
#include <array>
#include <limits>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace records {

namespace {

constexpr int kFields = 6;
constexpr int kReadableMax = 40;

/// Control characters would break the one-line-per-answer rule.
QString flatten(const QString &s) {
    QString out = s;
    for (QChar &c : out)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char(' ');
    return out;
}

bool looksLikeFormula(QByteArrayView v) {
    return !v.isEmpty() && (v[0] == '=' || v[0] == '+' || v[0] == '-' || v[0] == '@');
}

// A spreadsheet would run a field that starts like a formula ("=HYPERLINK(...)"
// typed as a name or an answer): such fields are written behind an apostrophe,
// which reading takes off again.
QByteArrayView unguarded(QByteArrayView v) {
    return v.size() > 1 && v[0] == '\'' && looksLikeFormula(v.sliced(1)) ? v.sliced(1) : v;
}

void appendField(QByteArray &out, const QString &field) {
    QByteArray utf8 = flatten(field).toUtf8();
    if (looksLikeFormula(utf8))
        utf8.prepend('\'');
    if (utf8.contains(',') || utf8.contains('"')) {
        out += '"';
        for (char c : utf8) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    } else {
        out += utf8;
    }
}

QString isoTime(const QDateTime &when) {
    const int offset = when.offsetFromUtc();
    const QDate d = when.date();
    const QTime t = when.time();
    const int a = std::abs(offset) / 60;
    return QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", d.year(), d.month(),
                             d.day(), t.hour(), t.minute(), t.second(), offset < 0 ? '-' : '+',
                             a / 60, a % 60);
}

int digits(const char *p, int n) {
    int v = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        v = v * 10 + (p[i] - '0');
    }
    return v;
}

/// "yyyy-MM-ddTHH:mm:ss" with "Z", "+hh:mm" or "-hh:mm"; false if malformed.
bool parseTime(QByteArrayView s, QDate &day, qint64 &secs) {
    const char *p = s.data();
    if (s.size() < 19 || p[4] != '-' || p[7] != '-' || p[10] != 'T' || p[13] != ':' || p[16] != ':')
        return false;
    const int y = digits(p, 4), mo = digits(p + 5, 2), d = digits(p + 8, 2);
    const int h = digits(p + 11, 2), mi = digits(p + 14, 2), se = digits(p + 17, 2);
    if (y < 0 || mo < 0 || d < 0 || h < 0 || h > 23 || mi < 0 || mi > 59 || se < 0 || se > 60)
        return false;
    day = QDate(y, mo, d);
    if (!day.isValid())
        return false;
    int offset = 0;
    if (s.size() == 20 && p[19] == 'Z') {
        offset = 0;
    } else if (s.size() == 25 && (p[19] == '+' || p[19] == '-') && p[22] == ':') {
        const int oh = digits(p + 20, 2), om = digits(p + 23, 2);
        if (oh < 0 || om < 0)
            return false;
        offset = (oh * 60 + om) * 60 * (p[19] == '-' ? -1 : 1);
    } else if (s.size() == 19) {
        offset = QDateTime(day, QTime(h, mi)).offsetFromUtc();
    } else {
        return false;
    }
    secs = (day.toJulianDay() - 2440588) * 86400 + h * 3600 + mi * 60 + se - offset;
    return true;
}

/// Splits one line into its fields (RFC 4180 quoting within the line); false
/// for a damaged line.
bool splitLine(QByteArrayView line, std::array<QByteArrayView, kFields> &fields,
               std::array<QByteArray, kFields> &unquoted) {
    int n = 0;
    qsizetype i = 0;
    const qsizetype len = line.size();
    const char *p = line.data();
    while (true) {
        if (n == kFields)
            return false;
        if (i < len && p[i] == '"') {
            QByteArray &buf = unquoted[n];
            buf.clear();
            ++i;
            bool closed = false;
            while (i < len) {
                if (p[i] == '"') {
                    if (i + 1 < len && p[i + 1] == '"') {
                        buf += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                buf += p[i++];
            }
            if (!closed || (i < len && p[i] != ','))
                return false;
            fields[n++] = QByteArrayView(buf);
        } else {
            const qsizetype start = i;
            while (i < len && p[i] != ',') {
                if (p[i] == '"')
                    return false;
                ++i;
            }
            fields[n++] = line.sliced(start, i - start);
        }
        if (i >= len)
            break;
        ++i; // the comma
        if (i == len) {
            if (n == kFields)
                return false;
            fields[n++] = QByteArrayView();
            break;
        }
    }
    return n == kFields;
}

/// Shares one QString between the many records with the same text.
class Interner {
public:
    QString get(QByteArrayView bytes) {
        const QByteArray key = QByteArray::fromRawData(bytes.data(), bytes.size());
        auto it = m_map.constFind(key);
        if (it != m_map.constEnd())
            return it.value();
        const QString s = QString::fromUtf8(bytes);
        m_map.insert(QByteArray(bytes.data(), bytes.size()), s);
        return s;
    }

private:
    QHash<QByteArray, QString> m_map;
};

bool isReservedWindowsName(const QString &s) {
    const QString l = s.toLower();
    static const QStringList plain{"con", "prn", "aux", "nul"};
    if (plain.contains(l))
        return true;
    return l.size() == 4 &&
           (l.startsWith(QLatin1String("com")) || l.startsWith(QLatin1String("lpt"))) &&
           l[3] >= QLatin1Char('1') && l[3] <= QLatin1Char('9');
}

} // namespace

RecordStore::RecordStore(const QString &folder, const Clock *clock)
    : m_folder(folder), m_clock(clock) {}

QDateTime RecordStore::now() const {
    return m_clock ? m_clock->now() : QDateTime::currentDateTime();
}

QByteArray RecordStore::header() {
    return QByteArrayLiteral("Zeit,Name,Uebung,Eintrag,Richtig,Eingabe\n");
}

QByteArray RecordStore::line(const QString &name, const Answer &a, const QDateTime &when) {
    QByteArray out;
    out.reserve(96);
    out += isoTime(when).toLatin1();
    out += ',';
    appendField(out, name);
    out += ',';
    appendField(out, a.exercise);
    out += ',';
    appendField(out, a.entry);
    out += a.right ? ",1," : ",0,";
    appendField(out, a.given);
    out += '\n';
    return out;
}

QString RecordStore::fileNameFor(const QString &name) {
    // A name typed with composed or decomposed umlauts is the same name.
    const QString exact = name.normalized(QString::NormalizationForm_C);
    bool changed = false;
    QString readable;
    bool wordStart = true;
    for (QChar c : exact.trimmed()) {
        if (c.isLetterOrNumber()) {
            readable += wordStart ? c.toUpper() : c.toLower();
            wordStart = false;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('-')) {
            readable += c;
            wordStart = true;
        } else {
            readable += QLatin1Char('_');
            changed = true;
            wordStart = true;
        }
    }
    if (readable.size() > kReadableMax) {
        readable.truncate(kReadableMax);
        changed = true;
    }
    readable = readable.trimmed();
    if (readable.isEmpty() || isReservedWindowsName(readable)) {
        readable = readable.isEmpty() ? QStringLiteral("Kind") : readable;
        changed = true;
    }
    // Any other spelling of a plain name (case, blanks) counts as changed, so
    // names that differ only in case never share a file.
    if (readable != exact)
        changed = true;
    if (!changed)
        return readable + QStringLiteral(".csv");
    const QByteArray hash =
        QCryptographicHash::hash(exact.toUtf8(), QCryptographicHash::Sha1).toHex().left(10);
    return readable + QLatin1Char('_') + QString::fromLatin1(hash) + QStringLiteral(".csv");
}

QString RecordStore::pathFor(const QString &name) const {
    return QDir(m_folder).filePath(fileNameFor(name));
}

files::Folder RecordStore::openFolder(bool create, files::Info *info) const {
    const QFileInfo fi(m_folder);
    return files::Folder::open(fi.path(), fi.fileName(), create, info);
}

void RecordStore::fail(const QString &why) {
    if (!m_enabled)
        return;
    m_enabled = false;
    m_problem = QStringLiteral("Die Antworten können nicht gespeichert werden:\r") +
                QDir::toNativeSeparators(m_folder) + QStringLiteral("\r") + why +
                QStringLiteral("\r\rDer Verlauf wird bis zum Programmende nicht fortgeführt.\r");
    m_unreported << m_problem;
    if (onFailure)
        onFailure(m_problem);
}

void RecordStore::failFile(const QString &name, const QString &file, const QString &why) {
    if (m_badFiles.contains(file))
        return;
    m_badFiles.insert(file);
    const QString problem =
        QStringLiteral("Die Antworten von ") + name +
        QStringLiteral(" können nicht gespeichert werden:\r") +
        QDir::toNativeSeparators(QDir(m_folder).filePath(file)) + QStringLiteral("\r") + why +
        QStringLiteral("\r\rDie Antworten der anderen Kinder werden weiter gespeichert.\r");
    m_unreported << problem;
    if (onFailure)
        onFailure(problem);
}

QString RecordStore::takeProblemReport() {
    const QString out = m_unreported.join(QLatin1Char('\r'));
    m_unreported.clear();
    return out;
}

bool RecordStore::append(const QString &typedName, const Answer &answer) {
    if (!m_enabled)
        return false;
    const QString name = typedName.normalized(QString::NormalizationForm_C);
    const QString file = fileNameFor(name);
    if (m_badFiles.contains(file))
        return false;
    // Neither the folder nor the file may be a link: a pupil could point
    // them at any file of the teacher's.
    files::Info info;
    const files::Folder folder = openFolder(true, &info);
    if (!folder.isOpen()) {
        fail(info.status == files::Status::NotRegular
                 ? QStringLiteral("Dort liegt kein gewöhnlicher Ordner (sondern eine Verknüpfung "
                                  "oder eine Datei).")
                 : files::describe(info));
        return false;
    }
    QByteArray bytes = line(name, answer, now());
    const int fd = folder.openForAppend(file, &info);
    if (fd < 0) {
        if (info.status == files::Status::Failed &&
            (info.error == EROFS || info.error == ENOSPC || info.error == EDQUOT))
            fail(files::describe(info));
        else
            failFile(name, file, files::describe(info));
        return false;
    }
    // Another program on the same share may append at the same moment: the
    // look at the file's end and the write must not interleave with its, or
    // both write the header, or one sees half a line and adds a blank one.
    // Where the file system has no locks, the answer is written all the same.
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    struct stat st {};
    qint64 before = 0;
    if (::fstat(fd, &st) == 0) {
        before = qint64(st.st_size);
        if (st.st_size == 0) {
            bytes.prepend(header());
        } else {
            // A writer killed mid-line left no line break; start afresh so
            // this answer does not join the damaged line.
            char last = '\n';
            if (::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n')
                bytes.prepend('\n');
        }
    }
    const int error = files::appendWhole(fd, bytes, before);
    ::close(fd);
    if (error != 0) {
        files::Info why;
        why.status = files::Status::Failed;
        why.error = error;
        fail(files::describe(why));
        return false;
    }
    return true;
}

namespace {

/// Lines longer than this are damage (a file of zeros, say), not answers;
/// they are skipped without being held.
constexpr qsizetype kLongestLine = 64 * 1024;

struct Interners {
    Interner names, exercises, entries, givens;
};

/// Parses the whole lines of `data` (each ending with a line break).
void parseLines(QByteArrayView data, QList<Record> &out, Interners &in) {
    const QByteArray head = RecordStore::header().chopped(1);
    std::array<QByteArrayView, kFields> f;
    std::array<QByteArray, kFields> buf;
    qsizetype pos = 0;
    const qsizetype size = data.size();
    while (pos < size) {
        const qsizetype nl = data.indexOf('\n', pos);
        if (nl < 0)
            break; // a last line without its line break was cut off
        QByteArrayView line(data.data() + pos, nl - pos);
        pos = nl + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line == QByteArrayView(head))
            continue;
        if (!splitLine(line, f, buf))
            continue;
        Record r;
        if (!parseTime(f[0], r.day, r.secs))
            continue;
        if (f[4] == "1")
            r.right = true;
        else if (f[4] != "0")
            continue;
        if (f[2].isEmpty() || f[3].isEmpty())
            continue;
        r.name = in.names.get(unguarded(f[1]));
        r.exercise = in.exercises.get(f[2]);
        r.entry = in.entries.get(f[3]);
        r.given = in.givens.get(unguarded(f[5]));
        out.append(std::move(r));
    }
}

/// Reads an open records file chunk by chunk: memory grows with the answers,
/// never with the file. `limit` stops after that many bytes (0: no limit).
QList<Record> readStream(QFile &f, qint64 limit) {
    QList<Record> out;
    Interners in;
    constexpr qint64 kChunk = 1024 * 1024;
    // A file over the cap is read from its last part; the cut line is skipped.
    bool skipToLine = false;
    if (f.size() > files::kRecordsCap) {
        f.seek(f.size() - files::kRecordsCap);
        skipToLine = true;
    }
    QByteArray carry;
    qint64 total = 0;
    while (limit == 0 || total < limit) {
        const QByteArray chunk = f.read(kChunk);
        if (chunk.isEmpty())
            break;
        total += chunk.size();
        QByteArrayView view(chunk);
        if (skipToLine) {
            const qsizetype nl = view.indexOf('\n');
            if (nl < 0)
                continue;
            view = view.sliced(nl + 1);
            skipToLine = false;
        }
        const qsizetype last = view.lastIndexOf('\n');
        if (last < 0) {
            carry += view;
            if (carry.size() > kLongestLine) {
                carry.clear();
                skipToLine = true;
            }
            continue;
        }
        if (!carry.isEmpty()) {
            const qsizetype nl = view.indexOf('\n');
            carry += view.first(nl + 1);
            parseLines(carry, out, in);
            carry.clear();
            view = view.sliced(nl + 1);
            parseLines(view.first(last - nl), out, in);
        } else {
            parseLines(view.first(last + 1), out, in);
        }
        carry = view.sliced(view.lastIndexOf('\n') + 1).toByteArray();
        if (carry.size() > kLongestLine) {
            carry.clear();
            skipToLine = true;
        }
    }
    return out;
}

} // namespace

QList<Record> RecordStore::parse(const QByteArray &data) {
    QList<Record> out;
    out.reserve(data.count('\n'));
    Interners in;
    parseLines(data, out, in);
    return out;
}

QList<Record> RecordStore::read(const QString &path) {
    // Only a regular file inside a folder that is no link; a FIFO or a link
    // to a device reads as no answers.
    const QFileInfo fi(path);
    const QFileInfo dir(fi.path());
    const files::Folder folder = files::Folder::open(dir.path(), dir.fileName(), false, nullptr);
    QFile f;
    if (folder.openForReading(fi.fileName(), f, std::numeric_limits<qint64>::max()).status !=
        files::Status::Ok)
        return {};
    return readStream(f, 0);
}

QList<ChildFile> RecordStore::children() const {
    QList<ChildFile> out;
    const files::Folder folder = openFolder(false, nullptr);
    if (!folder.isOpen())
        return out;
    const QStringList names =
        QDir(m_folder).entryList({QStringLiteral("*.csv")}, QDir::Files | QDir::System, QDir::Name);
    for (const QString &file : names) {
        QFile f;
        if (folder.openForReading(file, f, std::numeric_limits<qint64>::max()).status !=
            files::Status::Ok)
            continue;
        ChildFile c;
        c.path = QDir(m_folder).filePath(file);
        // The name is on every line; the first few lines are enough.
        const QList<Record> first = parse(f.read(4096));
        if (!first.isEmpty())
            c.name = first.first().name.normalized(QString::NormalizationForm_C);
        if (c.name.isEmpty())
            c.name = QFileInfo(file).completeBaseName();
        out.append(c);
    }
    std::sort(out.begin(), out.end(), [](const ChildFile &a, const ChildFile &b) {
        const int c = QString::localeAwareCompare(a.name, b.name);
        return c != 0 ? c < 0 : a.path < b.path;
    });
    return out;
}

bool RecordStore::remove(const QString &path) {
    return QFile::remove(path) || !QFileInfo::exists(path);
}

} // namespace records
