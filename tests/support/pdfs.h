#pragma once

#include <QPageSize>
#include <QString>

// PDFs made by the tests themselves: never files taken from elsewhere.
namespace Pdfs {

// Writes a PDF with the given number of pages; every page shows its number in large type, so
// rendered pages can be told apart.
bool write(const QString &path, int pages, const QPageSize &size = QPageSize(QPageSize::A4));

// One A4 page filled with a photograph of noise over a colour gradient: as hard to compress as a
// page gets.
bool writePhoto(const QString &path);

// A copy that opens only with userPassword (qpdf, AES-256).
bool encrypt(const QString &source, const QString &target, const QString &userPassword,
             const QString &ownerPassword = QStringLiteral("owner-secret"));

// A copy cut down to the given fraction of its bytes.
bool truncate(const QString &source, const QString &target, double fraction);

} // namespace Pdfs
