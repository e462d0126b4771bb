#pragma once

#include "core/engine/diskspace.h"

#include <QString>

// The words of --convert's lines, shared by the plain run, the dry run and the planned run.
namespace Report {

// "1 page", "2 pages".
QString counted(qint64 count, const QString &thing);
// "2048 bytes (2 KiB)"; "size unknown" for -1.
QString bytesText(qint64 bytes);
// The line of a file that ended: "ok      SOURCE -> FOLDER", or its status and why.
QString fileLine(const QString &status, const QString &source, const QString &detail);
// Why the images of a file cannot be written on their disk.
QString tooLarge(qint64 bytes, const DiskSpace::Volume &volume);
// What a disk lacks for the images of a run.
QString shortage(const DiskSpace::Volume &volume, bool forced);

} // namespace Report
