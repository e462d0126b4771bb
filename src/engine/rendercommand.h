#pragma once

#include <QString>
#include <QStringList>

// One renderer run: one page of one PDF into one image file. Moving to the next page changes
// only page and imageName.
class RenderJob final
{
public:
    QString format; // a name of the format catalogue; any other name renders as "JPG"
    QString colour; // colour keyword; empty gives the format's default colour
    int dpi = 0;
    int page = 1;
    QString outputFolder; // "/" separators
    QString imageName;
    QString password; // empty when the document needs none
    QString sourcePath;

    QString device() const;
    int resolution() const;

    // The command as the user reads it; it names the same arguments the renderer gets.
    QString text() const;
    QStringList arguments() const;

    static QString extension(const QString &format);
    static QString imageFileName(const QString &prefix, int number, const QString &format);

private:
    QString knownFormat() const;
    QStringList deviceOptions() const;
    QString outputFile() const;
};
