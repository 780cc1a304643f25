#pragma once
// Text in a metafile is 8-bit (or double-byte for the East Asian charsets) in
// the code page of the font's charset.

#include <QByteArrayView>
#include <QString>

namespace wmf {

/// Windows code page of a LOGFONT charset (1252 for ANSI, DEFAULT and unknown).
int codePageOfCharset(int charset);

/// Decodes metafile text in the code page of the given charset. Windows-1252
/// is decoded by our own table (it is nearly every file); other code pages
/// through Qt's ICU codecs, falling back to 1252 where a codec is missing.
QString decodeText(QByteArrayView bytes, int charset);

} // namespace wmf
