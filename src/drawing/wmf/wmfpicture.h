#pragma once
// Windows Metafile pictures for the picture interface.

#include <QByteArray>
#include <QString>
#include <memory>

class PictureData;

namespace wmf {

/// Opens a WMF file: checks its headers and measures its natural size without
/// playing the records. Returns null for a file that is not a usable WMF.
std::shared_ptr<const PictureData> openPicture(const QString &fileName);

/// The same for a metafile already in memory (tests, fuzzing, benchmarks).
std::shared_ptr<const PictureData> pictureFromData(const QByteArray &data);

} // namespace wmf
