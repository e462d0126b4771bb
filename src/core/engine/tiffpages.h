#pragma once

#include "core/engine/folderhandle.h"
#include "core/platform/tools.h"

#include <QString>
#include <QStringList>

// The TIFF files of a run, with libtiff and its tiffcp.
//
// Ghostscript numbers the pages of one run in each TIFF file's PageNumber field (0, 1, 2, ...),
// where a page rendered on its own says 0. Clearing the field makes every page file of a
// one-run-per-file render byte for byte the file a run of that page alone writes.
namespace TiffPages {

// Sets the PageNumber field of every directory in the file to 0 of 0, in place. A file without
// the field is left as it is; false (with the reason) for a file that is no readable TIFF.
bool clearPageNumber(const FolderHandle &folder, const QString &name, QString *error = nullptr);

// tiffcp joining the page files, in order, into one multi-page TIFF.
Tools::Command joinCommand(const QStringList &pages, const QString &joined);

} // namespace TiffPages
