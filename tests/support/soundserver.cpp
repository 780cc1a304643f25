#include "support/soundserver.h"

#include <QDir>
#include <QStandardPaths>
#include <QThread>
#include <QtEndian>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <sys/prctl.h>

namespace {

// A helper process ends with the test, even one that crashes.
void endWithParent(QProcess &p) {
    p.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

} // namespace

QByteArray wavBytes(const Pcm &pcm) {
    QByteArray out;
    auto u32 = [&](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char *>(&le), 4);
    };
    auto u16 = [&](quint16 v) {
        const quint16 le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char *>(&le), 2);
    };
    const quint32 size = quint32(pcm.samples.size());
    out.append("RIFF");
    u32(36 + size);
    out.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(quint16(pcm.channels));
    u32(quint32(pcm.rate));
    u32(quint32(pcm.rate * pcm.channels * 2));
    u16(quint16(pcm.channels * 2));
    u16(16);
    out.append("data");
    u32(size);
    out.append(pcm.samples);
    return out;
}

Pcm tone(int ms, int hz, int rate, int channels) {
    Pcm pcm;
    pcm.rate = rate;
    pcm.channels = channels;
    const qint64 frames = qint64(rate) * ms / 1000;
    pcm.samples.resize(frames * channels * 2);
    auto *s = reinterpret_cast<qint16 *>(pcm.samples.data());
    for (qint64 i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            s[i * channels + c] = qint16(12000 * std::sin(2 * M_PI * hz * double(i) / rate));
    return pcm;
}

SoundServer::SoundServer() {
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    const QString pactl = QStandardPaths::findExecutable(QStringLiteral("pactl"));
    if (daemon.isEmpty() || pactl.isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty()) {
        m_why = QStringLiteral("pulseaudio, pactl or parec is missing");
        return;
    }
    const QDir dir(m_dir.path());
    for (const char *sub : {"home", "run", "state", "config"})
        dir.mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(dir.filePath(QStringLiteral("run")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("PULSE_SERVER"));
    env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir.filePath(QStringLiteral("run/pulse")));
    env.insert(QStringLiteral("PULSE_STATE_PATH"), dir.filePath(QStringLiteral("state")));
    m_daemon.setProcessEnvironment(env);
    endWithParent(m_daemon);
    m_daemon.setStandardOutputFile(dir.filePath(QStringLiteral("pulse.log")));
    m_daemon.setStandardErrorFile(dir.filePath(QStringLiteral("pulse.log")));
    m_daemon.start(daemon,
                   {QStringLiteral("--daemonize=no"), QStringLiteral("-n"),
                    QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                    QStringLiteral("--log-target=stderr"),
                    QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") +
                        dir.filePath(QStringLiteral("native")),
                    QStringLiteral("--load=module-null-sink sink_name=kalimbo_test")});
    if (!m_daemon.waitForStarted(5000)) {
        m_why = QStringLiteral("pulseaudio does not start");
        return;
    }
    // Ready once it answers.
    for (int i = 0; i < 100 && !m_ok; ++i) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(pactl, {QStringLiteral("--server=") + address(), QStringLiteral("set-default-sink"),
                        QStringLiteral("kalimbo_test")});
        m_ok =
            p.waitForFinished(2000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        if (!m_ok)
            QThread::msleep(50);
    }
    if (!m_ok) {
        m_why = QStringLiteral("pulseaudio does not answer");
        return;
    }
    qputenv("PULSE_SERVER", address().toLocal8Bit());
}

SoundServer::~SoundServer() {
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.kill();
        m_daemon.waitForFinished(3000);
    }
}

QString SoundServer::address() const {
    return QStringLiteral("unix:") + QDir(m_dir.path()).filePath(QStringLiteral("native"));
}

MonitorRecorder::MonitorRecorder(const SoundServer &server, int rate)
    : m_server(server), m_rate(rate) {}

MonitorRecorder::~MonitorRecorder() {
    stop();
}

bool MonitorRecorder::start() {
    m_clock.start();
    const QStringList args = {QStringLiteral("--server=") + m_server.address(),
                              QStringLiteral("--device=kalimbo_test.monitor"),
                              QStringLiteral("--format=s16le"),
                              QStringLiteral("--rate=%1").arg(m_rate),
                              QStringLiteral("--channels=1"),
                              QStringLiteral("--latency-msec=10")};
    m_reader = std::thread([this, args] {
        QProcess parec;
        endWithParent(parec);
        parec.start(QStringLiteral("parec"), args);
        if (!parec.waitForStarted(5000))
            return;
        while (!m_stop.load() && parec.state() != QProcess::NotRunning) {
            if (!parec.waitForReadyRead(20))
                continue;
            const QByteArray bytes = parec.readAllStandardOutput();
            const qint64 now = m_clock.nsecsElapsed();
            QMutexLocker lock(&m_mutex);
            m_samples.append(bytes);
            m_chunks.append({m_samples.size() / 2, now});
            m_flowing = true;
        }
        parec.kill();
        parec.waitForFinished(2000);
    });
    for (int i = 0; i < 300 && !m_flowing.load(); ++i)
        QThread::msleep(10);
    return m_flowing.load();
}

void MonitorRecorder::stop() {
    m_stop = true;
    if (m_reader.joinable())
        m_reader.join();
}

QByteArray MonitorRecorder::samples() const {
    QMutexLocker lock(&m_mutex);
    return m_samples;
}

qint64 MonitorRecorder::playedAtNs(qint64 i) const {
    QMutexLocker lock(&m_mutex);
    for (const auto &[end, at] : m_chunks)
        if (end > i)
            return at - (end - i) * 1000000000 / m_rate;
    return -1;
}

QList<MonitorRecorder::Run> MonitorRecorder::runs(int threshold, int gapMs) const {
    return runsOf(samples(), m_rate, threshold, gapMs);
}

QList<MonitorRecorder::Run> runsOf(const QByteArray &samples, int rate, int threshold, int gapMs) {
    QList<MonitorRecorder::Run> out;
    const auto *s = reinterpret_cast<const qint16 *>(samples.constData());
    const qint64 n = samples.size() / 2;
    const qint64 gap = qint64(rate) * gapMs / 1000;
    qint64 lastLoud = -1;
    for (qint64 i = 0; i < n; ++i) {
        if (std::abs(int(s[i])) <= threshold)
            continue;
        if (out.isEmpty() || i - lastLoud > gap)
            out.append({i, 1});
        else
            out.last().length = i - out.last().start + 1;
        lastLoud = i;
    }
    return out;
}
