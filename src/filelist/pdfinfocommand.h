#pragma once

#include "app/tools.h"

// How the file list runs poppler's pdfinfo. Each command carries the text the program has always
// shown for it; the process itself gets the path and the password as arguments of their own, so
// spaces, quotes and non-ASCII characters reach the tool intact.
namespace PdfInfoCommand {

struct Invocation
{
    Tools::Command command;
    QString text;
};

// First probe of a file: page count and size, and every page's media box and rotation (the room
// its images will need); tells protected files apart.
Invocation probe(const QString &path);
// Probe of a protected file with its password; the same answers.
Invocation withPassword(const QString &password, const QString &path);
// The properties dialog; password is empty for a file that opens without one.
Invocation information(const QString &password, const QString &path);

// Longest wait for one run of the tool, in milliseconds (30 s; tests shorten it).
int timeout();
void setTimeout(int milliseconds);

} // namespace PdfInfoCommand
