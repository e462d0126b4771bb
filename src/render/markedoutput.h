#pragma once

#include <QByteArray>

// Ghostscript's standard output on its way to the program, without the marker this process has
// it print: each marker is counted where it stood, and the text around it passes unchanged, even
// when a marker comes split across writes.
class MarkedOutput
{
public:
    explicit MarkedOutput(QByteArray marker);

    // The text of the next write that can pass now; markers counts those it held.
    QByteArray take(const QByteArray &text, int *markers);
    // What was held back as a marker's possible beginning, once no more comes.
    QByteArray rest();

private:
    const QByteArray marker;
    QByteArray held;
};
