#pragma once
// The teacher's recording of a noun: a sound file beside the picture with the
// same name up to the first dot (derHund.jpg -> derHund.wav). Sound files
// are never picture files, so they never reach the noun list.

#include <QDir>
#include <QString>
#include <QStringList>

namespace recordings {

/// The largest recording file looked at: a spoken word in any of the
/// formats, with room to spare.
constexpr qint64 kFileCap = 16 * 1024 * 1024;

/// The sound extensions, in order of preference when several files exist.
const QStringList &extensions();

/// True if the name ends in one of the sound extensions (any letter case).
bool isSoundFileName(const QString &name);

/// The recording for a picture entry in dir as an absolute path, or an empty
/// string. Letter case does not matter, and names written with decomposed
/// umlauts (as some file systems store them) match composed ones. Only a
/// non-empty regular file within kFileCap counts (a link to one is fine); a
/// FIFO, a device or a folder of that name is passed over without being
/// waited for.
QString recordingFor(const QString &entry, const QDir &dir = QDir());

} // namespace recordings
