// Plays every file of the given folders (the fuzz seeds, the regression
// inputs and the samples) through the reader and the player. Runs in the
// plain test suite, with or without clang.

#include "wmf_fuzz_one.h"

#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QByteArray data = f.readAll();
            playWmfInput(reinterpret_cast<const unsigned char *>(data.constData()),
                         size_t(data.size()));
            ++files;
        }
    }
    std::printf("played %d files\n", files);
    return files > 0 ? 0 : 1;
}
