#pragma once

#include <QString>

// Where each PDF's folder of images goes under --output.
namespace OutputLayout {

// The folder a PDF's own folder of images is made in. No output folder: the PDF's own folder.
// A PDF found in a folder given on the command line (tree) keeps its place below that folder:
// tree/a/b/doc.pdf goes to output/a/b/doc/, so equal names from different sub-folders never
// meet. flat, or a PDF named by itself (tree empty): output itself.
QString parentFolder(const QString &output, const QString &tree, const QString &source, bool flat);

} // namespace OutputLayout
