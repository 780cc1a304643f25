#pragma once
// A temporary working directory with picture files, entered for the test's
// lifetime (the program loads pictures relative to the working directory).

#include <QColor>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

class PictureDir {
public:
    PictureDir();
    ~PictureDir();
    QString path() const { return m_dir.path(); }
    /// Writes a picture of the given pixel size in the format its suffix names
    /// (jpg, bmp; gif needs no writer: a tiny hand-made GIF is used).
    void addPicture(const QString &name, QSize pixels = QSize(40, 30),
                    const QColor &colour = Qt::red);
    /// Writes raw bytes (damaged files, names only).
    void addFile(const QString &name, const QByteArray &bytes = QByteArray("x"));
    void remove(const QString &name);
    /// A GIF of a few bytes whose logical screen claims `screen` pixels
    /// (decoders allocate all of it) around one real pixel.
    static QByteArray claimingGif(QSize screen);
    QString filePath(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;
};
