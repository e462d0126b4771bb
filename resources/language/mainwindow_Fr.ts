<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>CommandLine</name>
    <message>
        <source>Converts PDF documents into images, in batches.</source>
        <translation>Convertit des documents PDF en images, par lots.</translation>
    </message>
    <message>
        <source>PDF files to put in the list; folders are searched for them.</source>
        <translation>Fichiers PDF à mettre dans la liste ; les dossiers sont parcourus pour les trouver.</translation>
    </message>
    <message>
        <source>Convert the PDFs given without a window; vezudiri --convert --help lists its options.</source>
        <translation>Convertir les PDF indiqués sans fenêtre ; vezudiri --convert --help en donne les options.</translation>
    </message>
</context>
<context>
    <name>Config</name>
    <message>
        <source>Config</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>this is the gagagag</source>
        <translation>Paramètres généraux</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>Others </source>
        <translation>Autres </translation>
    </message>
    <message>
        <source>Close Settings</source>
        <translation>Fermeture</translation>
    </message>
    <message>
        <source>Close window, no promotion</source>
        <translation>Fermer la fenêtre sans confirmation</translation>
    </message>
    <message>
        <source>Prompt me when have list</source>
        <translation>Avertir si la liste contient des fichiers</translation>
    </message>
    <message>
        <source>Minimize to tray</source>
        <translation>Réduire dans la zone de notification</translation>
    </message>
    <message>
        <source>Update Settings</source>
        <translation>Mises à jour</translation>
    </message>
    <message>
        <source>Check for Updates Automatically</source>
        <translation>Rechercher automatiquement les mises à jour</translation>
    </message>
    <message>
        <source>PDF Security</source>
        <translation>Sécurité PDF</translation>
    </message>
    <message>
        <source>Owner Password:</source>
        <translation>Mot de passe propriétaire&#xa0;:</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>Dossier&#xa0;:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Parcourir</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Modify output file name</source>
        <translation>Nom des fichiers de sortie</translation>
    </message>
    <message>
        <source>Use source file name</source>
        <translation>Utiliser le nom du fichier source</translation>
    </message>
    <message>
        <source>Name with number</source>
        <translation>Nommer avec un numéro</translation>
    </message>
    <message>
        <source>Name with following template</source>
        <translation>Nommer selon le modèle suivant</translation>
    </message>
    <message>
        <source>+Number</source>
        <translation>+numéro</translation>
    </message>
    <message>
        <source>Tiff Setting</source>
        <translation>Paramètres TIFF</translation>
    </message>
    <message>
        <source>Output one tiff file</source>
        <translation>Produire un seul fichier TIFF</translation>
    </message>
    <message>
        <source>Post Task Action</source>
        <translation>Action après la tâche</translation>
    </message>
    <message>
        <source>After the conversion operation</source>
        <translation>Après la conversion</translation>
    </message>
    <message>
        <source>Language Setting</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Change Language:</source>
        <translation>Changer de langue&#xa0;:</translation>
    </message>
    <message>
        <source>Shutdown Plan</source>
        <translation>Arrêt programmé</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Rétablir les valeurs par défaut</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>Chaque jour</translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation>Chaque semaine</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Anglais</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japonais</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Allemand</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Fermer la session</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Redémarrer</translation>
    </message>
    <message>
        <source>Show Information</source>
        <translation>Afficher les informations</translation>
    </message>
    <message>
        <source>Invalid template</source>
        <translation>Modèle non valide</translation>
    </message>
    <message>
        <source>The name template cannot hold a folder separator, &quot;..&quot;, a control character or any of \ : * ? &quot; &lt; &gt; |, and must be shorter than 200 bytes.</source>
        <translation>Le modèle de nom ne peut contenir ni séparateur de dossier, ni « .. », ni caractère de contrôle, ni aucun des caractères \ : * ? &quot; &lt; &gt; |, et doit faire moins de 200 octets.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Smooth text</source>
        <translation>Texte lissé</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinois</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>Dialog</source>
        <translation>Dialogue</translation>
    </message>
    <message>
        <source>Close settings</source>
        <translation>Fermeture</translation>
    </message>
    <message>
        <source>What do you want to do? Exit/Minimize</source>
        <translation>Que voulez-vous faire&#xa0;? Quitter/Réduire</translation>
    </message>
    <message>
        <source> Exit</source>
        <translation> Quitter</translation>
    </message>
    <message>
        <source> Minimize to tray</source>
        <translation> Réduire dans la zone de notification</translation>
    </message>
    <message>
        <source> No longer to remind</source>
        <translation> Ne plus demander</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>ErrorDialog</name>
    <message>
        <source>ErrorDialog</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Insert information</source>
        <translation>Résultat de l’ajout</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Total %1 file(s) be added in filelist.</source>
        <translation>%1 fichier(s) ajouté(s) à la liste des fichiers.</translation>
    </message>
    <message>
        <source>Thefollowing %1 file(s) cann’t be added in filelist.</source>
        <translation>Impossible d’ajouter les %1 fichier(s) suivant(s) à la liste.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Files not added</source>
        <translation>Fichiers non ajoutés</translation>
    </message>
</context>
<context>
    <name>FileConversion</name>
    <message>
        <source>The output folder %1 is not taken: %2.</source>
        <translation>Le dossier de sortie %1 n&apos;est pas repris : %2.</translation>
    </message>
    <message>
        <source>The record of the complete images in %1 cannot be written.</source>
        <translation>La liste des images terminées dans %1 ne peut pas être écrite.</translation>
    </message>
    <message>
        <source>The pages could not be joined into one TIFF file: %1 is not the page this run wrote. The page files were kept.</source>
        <translation>Les pages n&apos;ont pas pu être réunies en un seul fichier TIFF : %1 n&apos;est pas la page écrite par cette exécution. Les fichiers des pages ont été conservés.</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be made, or was not made by this plan: %2.</source>
        <translation>Le dossier de sortie %1 ne peut pas être créé, ou n'a pas été créé par ce plan : %2.</translation>
    </message>
    <message>
        <source>Another run converts these pages in %1.</source>
        <translation>Une autre exécution convertit ces pages dans %1.</translation>
    </message>
    <message>
        <source>The renderer could not be started: %1</source>
        <translation>Le moteur de rendu n’a pas pu être lancé : %1</translation>
    </message>
    <message>
        <source>The page selection names no page of this document.</source>
        <translation>La sélection ne désigne aucune page de ce document.</translation>
    </message>
    <message>
        <source>No output folder could be created in %1: %2.</source>
        <translation>Aucun dossier de sortie n’a pu être créé dans %1 : %2.</translation>
    </message>
    <message>
        <source>The renderer (Ghostscript) was not found.</source>
        <translation>Le moteur de rendu (Ghostscript) est introuvable.</translation>
    </message>
    <message>
        <source>The renderer could not draw page %1.</source>
        <translation>Le moteur de rendu n’a pas pu dessiner la page %1.</translation>
    </message>
    <message>
        <source>The renderer wrote no image for page %1.</source>
        <translation>Le moteur de rendu n’a écrit aucune image pour la page %1.</translation>
    </message>
    <message>
        <source>The image %1 could not be written.</source>
        <translation>L’image %1 n’a pas pu être écrite.</translation>
    </message>
    <message>
        <source>Page %1 could not be written as GIF: %2</source>
        <translation>La page %1 n’a pas pu être écrite en GIF : %2</translation>
    </message>
    <message>
        <source>The renderer reported no new page for %1 seconds and was stopped.</source>
        <translation>Le moteur de rendu n’a signalé aucune nouvelle page pendant %1 secondes et a été arrêté.</translation>
    </message>
    <message>
        <source>The renderer ended abnormally.</source>
        <translation>Le moteur de rendu s’est arrêté anormalement.</translation>
    </message>
    <message>
        <source>The renderer stopped at page %1 (exit code %2).</source>
        <translation>Le moteur de rendu s’est arrêté à la page %1 (code de sortie %2).</translation>
    </message>
    <message>
        <source>The renderer stopped at page %1: %2</source>
        <translation>Le moteur de rendu s’est arrêté à la page %1 : %2</translation>
    </message>
    <message>
        <source>The renderer wrote no image for page %1: %2</source>
        <translation>Le moteur de rendu n’a écrit aucune image pour la page %1 : %2</translation>
    </message>
    <message>
        <source>The renderer wrote more images than pages were selected.</source>
        <translation>Le moteur de rendu a écrit plus d’images que de pages sélectionnées.</translation>
    </message>
    <message>
        <source>The pages could not be joined into one TIFF file (tiffcp was not found); the page files were kept.</source>
        <translation>Les pages n’ont pas pu être réunies en un fichier TIFF (tiffcp introuvable) ; les fichiers des pages sont conservés.</translation>
    </message>
    <message>
        <source>The pages could not be joined into one TIFF file; the page files were kept.</source>
        <translation>Les pages n’ont pas pu être réunies en un fichier TIFF ; les fichiers des pages sont conservés.</translation>
    </message>
    <message>
        <source>The disk holding %1 is full.</source>
        <translation>Le disque qui contient %1 est plein.</translation>
    </message>
    <message>
        <source>The name %1 is too long for the file system.</source>
        <translation>Le nom %1 est trop long pour le système de fichiers.</translation>
    </message>
    <message>
        <source>The renderer cannot be given this password: it holds a line break or two backslashes in a row, or ends in a backslash after a space or a quote.</source>
        <translation>Ce mot de passe ne peut pas être transmis au moteur de rendu : il contient un saut de ligne ou deux barres obliques inverses de suite, ou se termine par une barre oblique inverse après une espace ou un guillemet.</translation>
    </message>
    <message>
        <source>The output folder %1 was moved or replaced during the conversion; the file was stopped.</source>
        <translation>Le dossier de sortie %1 a été déplacé ou remplacé pendant la conversion ; le fichier a été arrêté.</translation>
    </message>
</context>
<context>
    <name>GifWriter</name>
    <message>
        <source>Not enough memory to reduce the colours of the image.</source>
        <translation>Mémoire insuffisante pour réduire les couleurs de l’image.</translation>
    </message>
    <message>
        <source>The image could not be prepared for the colour reduction.</source>
        <translation>Impossible de préparer l’image pour la réduction des couleurs.</translation>
    </message>
    <message>
        <source>The colours of the image could not be reduced to a palette (libimagequant error %1).</source>
        <translation>Impossible de réduire les couleurs de l’image à une palette (erreur libimagequant %1).</translation>
    </message>
    <message>
        <source>Writing the GIF data failed: %1</source>
        <translation>Échec de l’écriture des données GIF&#xa0;: %1</translation>
    </message>
    <message>
        <source>There is no image to write to %1.</source>
        <translation>Aucune image à écrire dans %1.</translation>
    </message>
    <message>
        <source>The image is %1 x %2 pixels; a GIF file holds at most %3 x %3.</source>
        <translation>L’image mesure %1 x %2 pixels&#xa0;; un fichier GIF en contient au plus %3 x %3.</translation>
    </message>
    <message>
        <source>The image is %1 x %2 pixels; more than %3 million pixels cannot be made a GIF.</source>
        <translation>L&apos;image fait %1 x %2 pixels ; plus de %3 millions de pixels ne peuvent pas devenir un GIF.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d’écrire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Cannot read the image %1: %2</source>
        <translation>Impossible de lire l’image %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>The GIF encoding was cancelled.</source>
        <translation>L’encodage GIF a été annulé.</translation>
    </message>
</context>
<context>
    <name>ListCls</name>
    <message>
        <source>ListCls</source>
        <translation>Vider la liste</translation>
    </message>
    <message>
        <source>Warring</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Clear whether the conversion</source>
        <translation>Vider la liste de conversion</translation>
    </message>
    <message>
        <source> list and close the program.</source>
        <translation> et fermer le programme&#xa0;?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>Fenêtre principale</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Vider</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>N°</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation>Prise en main</translation>
    </message>
    <message>
        <source>1、Click &quot;</source>
        <translation>1. Cliquez sur «&#xa0;</translation>
    </message>
    <message>
        <source>&quot; to import file</source>
        <translation>&#xa0;» pour importer</translation>
    </message>
    <message>
        <source>2、Click &quot;</source>
        <translation>2. Cliquez sur «&#xa0;</translation>
    </message>
    <message>
        <source>&quot; to convert file</source>
        <translation>&#xa0;» pour convertir</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Format de sortie&#xa0;:</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options&#xa0;:</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>Appliquer à tous</translation>
    </message>
    <message>
        <source>Apply to all DPI</source>
        <translation>Appliquer le DPI à tous</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>Dossier de sortie</translation>
    </message>
    <message>
        <source>Save file in source folder</source>
        <translation>Dans le dossier source</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>Personnalisé</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Lancer</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>VEZ ud IRI</source>
        <translation>VEZ ud IRI</translation>
    </message>
    <message>
        <source>ZEMRA VEZ ud Iri</source>
        <translation>ZEMRA VEZ ud Iri</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Add File(s) ...</source>
        <translation>Ajouter des fichiers...</translation>
    </message>
    <message>
        <source>Add Folder ...</source>
        <translation>Ajouter un dossier...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Delect All</source>
        <translation>Tout retirer</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinois</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Anglais</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japonais</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Allemand</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Classique</translation>
    </message>
    <message>
        <source>Elegant</source>
        <translation>Élégant</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Official Website</source>
        <translation>Site officiel</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Rechercher des mises à jour</translation>
    </message>
    <message>
        <source>Display window</source>
        <translation>Afficher la fenêtre</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Ouvrir le fichier</translation>
    </message>
    <message>
        <source>File Information</source>
        <translation>Informations sur le fichier</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Skin</source>
        <translation>Thème</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>Toutes les pages</translation>
    </message>
    <message>
        <source>Select Pages</source>
        <translation>Choix des pages</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Largeur</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Hauteur</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Couleurs</translation>
    </message>
    <message>
        <source>Merge into One</source>
        <translation>Fichier unique</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>&lt;font color=red&gt;P2I程序异常结束.&lt;/font&gt;<byte value="xd"/>
</source>
        <translation>&lt;font color=red&gt;Le moteur de rendu P2I s’est arrêté anormalement.&lt;/font&gt;<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Some files have already been changed. Do you want to convert again?</source>
        <translation>Certains fichiers ont déjà été convertis. Voulez-vous les convertir à nouveau&#xa0;?</translation>
    </message>
    <message>
        <source>
Invalid output path!</source>
        <translation>
Chemin de sortie non valide&#xa0;!</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>Choisir un dossier</translation>
    </message>
    <message>
        <source> &lt;File name error(without %)&gt;</source>
        <translation> &lt;Nom de fichier non valide (% interdit)&gt;</translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation>Erreur d’ouverture</translation>
    </message>
    <message>
        <source>Can not open program pdfinfo.exe</source>
        <translation>Impossible d’ouvrir le programme pdfinfo.exe</translation>
    </message>
    <message>
        <source> &lt;Format error&gt;</source>
        <translation> &lt;Erreur de format&gt;</translation>
    </message>
    <message>
        <source> &lt;Cancel&gt;</source>
        <translation> &lt;Annulé&gt;</translation>
    </message>
    <message>
        <source> &lt;Password error&gt;</source>
        <translation> &lt;Mot de passe incorrect&gt;</translation>
    </message>
    <message>
        <source>%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>    Are you sure to clear all the items from the list</source>
        <translation>    Voulez-vous vraiment vider la liste&#xa0;?</translation>
    </message>
    <message>
        <source>    Are you sure to remove the selected item(s) from the lies</source>
        <translation>    Voulez-vous vraiment retirer les éléments sélectionnés de la liste&#xa0;?</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tout</translation>
    </message>
    <message>
        <source>Page:example(1,3,7-9)</source>
        <translation>Gamme de page, par exemple (1,3,5-7)</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>  invalid format or out of range!</source>
        <translation>  Format non valide ou hors limites&#xa0;!</translation>
    </message>
    <message>
        <source>  Invalid output path or output file name!</source>
        <translation>  Chemin ou nom de fichier de sortie non valide&#xa0;!</translation>
    </message>
    <message>
        <source>  Are you sure to logout the windows!</source>
        <translation>  Voulez-vous vraiment fermer la session&#xa0;?</translation>
    </message>
    <message>
        <source>  Are you sure to restart the windows!</source>
        <translation>  Voulez-vous vraiment redémarrer l’ordinateur&#xa0;?</translation>
    </message>
    <message>
        <source>  Are you sure to shutdown the windows!</source>
        <translation>  Voulez-vous vraiment éteindre l’ordinateur&#xa0;?</translation>
    </message>
    <message>
        <source>(%1)</source>
        <translation>(%1)</translation>
    </message>
    <message>
        <source>  The system did not accept the request.</source>
        <translation>  Le système n’a pas accepté la demande.</translation>
    </message>
    <message>
        <source>Conversion stopped</source>
        <translation>Conversion arrêtée</translation>
    </message>
    <message>
        <source>The files converted keep their images; the others wait for the next run.</source>
        <translation>Les fichiers convertis gardent leurs images ; les autres attendent la prochaine conversion.</translation>
    </message>
    <message>
        <source>The images need %1 on %2, where %3 is free.</source>
        <translation>Les images ont besoin de %1 sur %2, où %3 sont libres.</translation>
    </message>
    <message>
        <source>Not enough room</source>
        <translation>Pas assez de place</translation>
    </message>
    <message>
        <source>Convert anyway</source>
        <translation>Convertir quand même</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Should the disk fill up, the run stops there; the files converted keep their images.</source>
        <translation>Si le disque se remplit, la conversion s’arrête là ; les fichiers convertis gardent leurs images.</translation>
    </message>
    <message>
        <source>
The output folder must be a full path, such as /home/me/images.</source>
        <translation>
Le dossier de sortie doit être un chemin complet, par exemple /home/me/images.</translation>
    </message>
    <message>
        <source> &lt;Not readable&gt;</source>
        <translation> &lt;Illisible&gt;</translation>
    </message>
    <message>
        <source> &lt;Not a file&gt;</source>
        <translation> &lt;Pas un fichier&gt;</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3 of %4 pages</source>
        <translation>%1 fichiers sur %2, %3 pages sur %4</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>reste %1</translation>
    </message>
    <message>
        <source>%1 file(s) converted, %2 failed</source>
        <translation>%1 fichier(s) converti(s), %2 en échec</translation>
    </message>
    <message>
        <source>Updates come from your distribution&apos;s package manager.</source>
        <translation>Les mises à jour viennent du gestionnaire de paquets de votre distribution.</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Main menu</source>
        <translation>Menu principal</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Dossier de sortie</translation>
    </message>
    <message>
        <source>Choose the output folder</source>
        <translation>Choisir le dossier de sortie</translation>
    </message>
    <message>
        <source>No preview</source>
        <translation>Pas d’aperçu</translation>
    </message>
</context>
<context>
    <name>PngWriter</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d’écrire %1 : %2</translation>
    </message>
    <message>
        <source>there is no image to write.</source>
        <translation>aucune image à écrire.</translation>
    </message>
    <message>
        <source>not enough memory.</source>
        <translation>mémoire insuffisante.</translation>
    </message>
</context>
<context>
    <name>ProDlg</name>
    <message>
        <source>ProDlg</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Ouverture du fichier</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>RawImage</name>
    <message>
        <source>Cannot read the image %1: %2</source>
        <translation>Impossible de lire l’image %1 : %2</translation>
    </message>
    <message>
        <source>it is not a regular file.</source>
        <translation>ce n’est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>it is not a raw PNM image.</source>
        <translation>ce n’est pas une image PNM brute.</translation>
    </message>
    <message>
        <source>its header is damaged.</source>
        <translation>son en-tête est endommagé.</translation>
    </message>
    <message>
        <source>it has %1 levels a sample, not 256.</source>
        <translation>elle a %1 niveaux par échantillon, et non 256.</translation>
    </message>
    <message>
        <source>it is %1 x %2 pixels; at most %3 million are read.</source>
        <translation>elle fait %1 x %2 pixels ; au plus %3 millions sont lus.</translation>
    </message>
    <message>
        <source>it holds %1 bytes of pixels instead of %2.</source>
        <translation>elle contient %1 octets de pixels au lieu de %2.</translation>
    </message>
    <message>
        <source>it changed while it was read.</source>
        <translation>elle a changé pendant sa lecture.</translation>
    </message>
</context>
<context>
    <name>StartDlg</name>
    <message>
        <source>StartDlg</source>
        <translation>Démarrage</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version&#xa0;:</translation>
    </message>
    <message>
        <source>Initializing:</source>
        <translation>Initialisation&#xa0;:</translation>
    </message>
</context>
<context>
    <name>PlanFolder</name>
    <message>
        <source>it is no folder, or a link</source>
        <translation>ce n&apos;est pas un dossier, ou c&apos;est un lien</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>il appartient à un autre utilisateur</translation>
    </message>
    <message>
        <source>other users can write in it</source>
        <translation>d&apos;autres utilisateurs peuvent y écrire</translation>
    </message>
    <message>
        <source>its plan mark is not a file of this user&apos;s that only this user can write</source>
        <translation>sa marque de plan n&apos;est pas un fichier de cet utilisateur que lui seul peut modifier</translation>
    </message>
    <message>
        <source>this plan did not make it</source>
        <translation>ce plan ne l&apos;a pas créé</translation>
    </message>
</context>
<context>
    <name>TiffPages</name>
    <message>
        <source>Cannot finish the TIFF file %1: %2</source>
        <translation>Impossible de terminer le fichier TIFF %1 : %2</translation>
    </message>
    <message>
        <source>it is no valid TIFF file.</source>
        <translation>ce n’est pas un fichier TIFF valide.</translation>
    </message>
</context>
<context>
    <name>aboutDlg</name>
    <message>
        <source>aboutDlg</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version&#xa0;:</translation>
    </message>
    <message>
        <source>HomePage:</source>
        <translation>Site Web&#xa0;:</translation>
    </message>
    <message>
        <source>Copyright © 2026 ZEMRA. All rights reserved.</source>
        <translation>Copyright © 2026 ZEMRA. Tous droits réservés.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>deleteDlg</name>
    <message>
        <source>deleteDlg</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>fileInfo</name>
    <message>
        <source>fileInfo</source>
        <translation>Informations sur le fichier</translation>
    </message>
    <message>
        <source>File Properties</source>
        <translation>Propriétés du fichier</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>Nom du fichier&#xa0;:</translation>
    </message>
    <message>
        <source>File path:</source>
        <translation>Emplacement&#xa0;:</translation>
    </message>
    <message>
        <source>CreationDate:</source>
        <translation>Date de création&#xa0;:</translation>
    </message>
    <message>
        <source>File size:</source>
        <translation>Taille du fichier&#xa0;:</translation>
    </message>
    <message>
        <source>Page size:</source>
        <translation>Format de page&#xa0;:</translation>
    </message>
    <message>
        <source>Pages:</source>
        <translation>Pages&#xa0;:</translation>
    </message>
    <message>
        <source>PDF Version:</source>
        <translation>Version PDF&#xa0;:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>information</name>
    <message>
        <source>information</source>
        <translation>Informations</translation>
    </message>
    <message>
        <source>Successfully</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Success: %1 file(s)</source>
        <translation>Réussis&#xa0;: %1 fichier(s)</translation>
    </message>
    <message>
        <source>Fail:    %1 file(s)</source>
        <translation>Échecs&#xa0;: %1 fichier(s)</translation>
    </message>
    <message>
        <source>Some files failed</source>
        <translation>Échec partiel</translation>
    </message>
    <message>
        <source>All files failed</source>
        <translation>Échec total</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>passWordPDF</name>
    <message>
        <source>passWordPDF</source>
        <translation>Mot de passe PDF</translation>
    </message>
    <message>
        <source>请输入PDF文件的密码.</source>
        <translation>Veuillez saisir le mot de passe du fichier PDF.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
</context>
<context>
    <name>shutdowndlg</name>
    <message>
        <source>shutdowndlg</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
</TS>
