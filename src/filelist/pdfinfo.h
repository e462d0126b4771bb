#pragma once

#include <QByteArray>
#include <QList>
#include <QSizeF>
#include <QString>

// Reading what pdfinfo prints about a document.
namespace PdfInfo {

// The values as printed, trimmed; empty when the label is missing.
struct Info
{
    QString pages;
    QString encrypted;
    QString pageSize;
    QString fileSize; // e.g. "1234 bytes"
    QString pdfVersion;
    QString creationDate; // as printed; see readableDate()
    qint64 fileSizeBytes = -1;
};

// Finds each value by its label, whatever the padding, line order or line ends (LF or CR LF);
// when a label appears more than once, its last line counts.
Info parse(const QByteArray &standardOutput);

// A page as the renderer sees it: its media box and its rotation in degrees.
struct PageBox
{
    QSizeF points;
    int rotation = 0;
};

// The "Page N MediaBox:" and "Page N rot:" lines of pdfinfo -box, in page order. Empty when a
// page in the run lacks one of them.
QList<PageBox> parsePageBoxes(const QByteArray &standardOutput);

// The size shown in the file list: whole kilobytes up to 1024 KB, above that megabytes with at
// most two decimals ("2 KB", "1024 KB", "1.5 M", "1.23 M"). Empty for a negative (unknown) size.
QString sizeText(qint64 bytes);

// pdfinfo's date ("Sat Feb  8 12:23:13 2025 UTC") as "2025-02-08 12:23:13 UTC"; text in any
// other form comes back with its runs of white space collapsed.
QString readableDate(const QString &raw);

} // namespace PdfInfo
