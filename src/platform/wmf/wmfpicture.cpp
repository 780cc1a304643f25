#include "platform/wmf/wmfpicture.h"

#include "platform/picture.h"

namespace wmf {

// Placeholder until the metafile player lands: WMF files load as null pictures.
std::shared_ptr<const PictureData> openPicture(const QString &)
{
    return nullptr;
}

} // namespace wmf
