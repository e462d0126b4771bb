#pragma once

#include "core/platform/tools.h"

#include <QByteArray>
#include <QList>
#include <QSizeF>
#include <QString>

// Poppler's pdfinfo: how it is run, and reading what it prints about a document.
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

// How the file list runs poppler's pdfinfo. Each command carries the text the program has always
// shown for it; the process itself gets the path as an argument of its own, so spaces, quotes and
// non-ASCII characters reach the tool intact. A password never goes on its command line, which
// every user can read: protected files are read by a child of their own
// (core/pdf/protectedprobe.h).
namespace PdfInfoCommand {

struct Invocation
{
    Tools::Command command;
    QString text;
};

// First probe of a file: page count and size, and every page's media box and rotation (the room
// its images will need); tells protected files apart.
Invocation probe(const QString &path);
// The same without the page boxes, for a document whose boxes are more than outputLimit().
Invocation pageCount(const QString &path);
// The properties dialog of a file that opens without a password.
Invocation information(const QString &path);

// Longest wait for one run of the tool, in milliseconds (30 s; tests shorten it).
int timeout();
void setTimeout(int milliseconds);
// Most bytes read from one run of the tool; one that writes more is stopped.
qint64 outputLimit();

} // namespace PdfInfoCommand
