#pragma once

#include "engine/folderhandle.h"

#include <QString>

// Ghostscript numbers the pages of one run in each TIFF file's PageNumber field (0, 1, 2, ...),
// where a page rendered on its own says 0. Clearing the field makes every page file of a
// one-run-per-file render byte for byte the file a run of that page alone writes.
namespace TiffPages {

// Sets the PageNumber field of every directory in the file to 0 of 0, in place. A file without
// the field is left as it is; false (with the reason) for a file that is no readable TIFF.
bool clearPageNumber(const FolderHandle &folder, const QString &name, QString *error = nullptr);

} // namespace TiffPages
