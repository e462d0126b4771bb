#pragma once

#include <QString>

class QWidget;

// The "Browse" and "Open" actions shared by the main window and the configuration dialog.
namespace OutputFolderUi {

// The default custom output folder: "ZEMRA VEZ ud Iri" in the user's documents folder.
QString defaultFolder(const QString &documentsPath);

// Asks for a folder, starting in current when it exists and in the documents folder otherwise.
// Gives "" when cancelled, else the chosen folder without a trailing "/".
QString choose(QWidget *parent, const QString &current);

// Shows the folder in the file manager, creating it and its missing parents first; "\" counts as
// "/". A folder that cannot be created is reported in a confirmation box.
void open(QWidget *parent, const QString &folder);

} // namespace OutputFolderUi
