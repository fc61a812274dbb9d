#pragma once

#include <QImage>
#include <QString>

// Aerial photographs easily exceed Qt's default decoding limit of 256 MB; the
// map accepts pictures up to this many megabytes of decoded pixels.
inline constexpr int MapPictureAllocationLimitMB = 2048;

// Reads a picture file with Qt's image readers (format from the name, then from
// the content; TIFF through the image-format plugins) as 32-bit premultiplied
// ARGB. Raises EKPError with a German message naming the file when it cannot be
// read; the caller's pictures are never touched.
QImage ReadPictureFile(const QString& FileName);

// Path itself when such a file exists; otherwise a file in the same folder whose
// name differs only in letter case (pictures and their world files often come
// from systems that ignore case); otherwise empty.
QString FindFileIgnoringCase(const QString& Path);
