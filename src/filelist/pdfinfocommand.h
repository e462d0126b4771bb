#pragma once

#include "app/tools.h"

// How the file list runs poppler's pdfinfo. Each command carries the text the program has always
// shown for it; the process itself gets the path as an argument of its own, so spaces, quotes and
// non-ASCII characters reach the tool intact. A password never goes on its command line, which
// every user can read: protected files are read in process (filelist/popplerprobe.h).
namespace PdfInfoCommand {

struct Invocation
{
    Tools::Command command;
    QString text;
};

// First probe of a file: page count and size, and every page's media box and rotation (the room
// its images will need); tells protected files apart.
Invocation probe(const QString &path);
// The properties dialog of a file that opens without a password.
Invocation information(const QString &path);

// Longest wait for one run of the tool, in milliseconds (30 s; tests shorten it).
int timeout();
void setTimeout(int milliseconds);

} // namespace PdfInfoCommand
