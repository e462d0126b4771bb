<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CommandLine</name>
    <message>
        <source>Converts PDF documents into images, in batches.</source>
        <translation>Wandelt PDF-Dokumente stapelweise in Bilder um.</translation>
    </message>
    <message>
        <source>PDF files to put in the list; folders are searched for them.</source>
        <translation>PDF-Dateien, die in die Liste kommen; Ordner werden nach ihnen durchsucht.</translation>
    </message>
    <message>
        <source>Convert the PDFs given without a window; vezudiri --convert --help lists its options.</source>
        <translation>Die angegebenen PDFs ohne Fenster umwandeln; vezudiri --convert --help zeigt die Optionen.</translation>
    </message>
</context>
<context>
    <name>Config</name>
    <message>
        <source>Config</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>this is the gagagag</source>
        <translation>Allgemeine Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Umwandeln</translation>
    </message>
    <message>
        <source>Others </source>
        <translation>Sonstiges </translation>
    </message>
    <message>
        <source>Close Settings</source>
        <translation>Beim Schließen</translation>
    </message>
    <message>
        <source>Close window, no promotion</source>
        <translation>Beim Schließen nicht nachfragen</translation>
    </message>
    <message>
        <source>Prompt me when have list</source>
        <translation>Nachfragen, wenn die Liste Dateien enthält</translation>
    </message>
    <message>
        <source>Minimize to tray</source>
        <translation>In den Infobereich minimieren</translation>
    </message>
    <message>
        <source>Update Settings</source>
        <translation>Aktualisierung</translation>
    </message>
    <message>
        <source>Check for Updates Automatically</source>
        <translation>Automatisch nach Updates suchen</translation>
    </message>
    <message>
        <source>PDF Security</source>
        <translation>PDF-Sicherheit</translation>
    </message>
    <message>
        <source>Owner Password:</source>
        <translation>Besitzerpasswort:</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>Ausgabeordner:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Modify output file name</source>
        <translation>Dateinamen der Ausgabe</translation>
    </message>
    <message>
        <source>Use source file name</source>
        <translation>Name der Quelldatei verwenden</translation>
    </message>
    <message>
        <source>Name with number</source>
        <translation>Mit Nummer benennen</translation>
    </message>
    <message>
        <source>Name with following template</source>
        <translation>Nach folgender Vorlage benennen</translation>
    </message>
    <message>
        <source>+Number</source>
        <translation>+Nummer</translation>
    </message>
    <message>
        <source>Tiff Setting</source>
        <translation>TIFF-Einstellung</translation>
    </message>
    <message>
        <source>Output one tiff file</source>
        <translation>Eine einzige TIFF-Datei ausgeben</translation>
    </message>
    <message>
        <source>Post Task Action</source>
        <translation>Aktion nach Abschluss</translation>
    </message>
    <message>
        <source>After the conversion operation</source>
        <translation>Nach der Konvertierung</translation>
    </message>
    <message>
        <source>Language Setting</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Change Language:</source>
        <translation>Sprache ändern:</translation>
    </message>
    <message>
        <source>Shutdown Plan</source>
        <translation>Geplantes Herunterfahren</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Herunterfahren</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Standardwerte wiederherstellen</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japanisch</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Französisch</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Neu starten</translation>
    </message>
    <message>
        <source>Show Information</source>
        <translation>Informationen anzeigen</translation>
    </message>
    <message>
        <source>Invalid template</source>
        <translation>Ungültige Vorlage</translation>
    </message>
    <message>
        <source>The name template cannot hold a folder separator, &quot;..&quot;, a control character or any of \ : * ? &quot; &lt; &gt; |, and must be shorter than 200 bytes.</source>
        <translation>Die Namensvorlage darf kein Ordnertrennzeichen, kein „..“, kein Steuerzeichen und keines der Zeichen \ : * ? &quot; &lt; &gt; | enthalten und muss kürzer als 200 Byte sein.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Smooth text</source>
        <translation>Text glätten</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinesisch</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>Dialog</source>
        <translation>Dialogfenster</translation>
    </message>
    <message>
        <source>Close settings</source>
        <translation>Beim Schließen</translation>
    </message>
    <message>
        <source>What do you want to do? Exit/Minimize</source>
        <translation>Was möchten Sie tun? Beenden/Minimieren</translation>
    </message>
    <message>
        <source> Exit</source>
        <translation> Beenden</translation>
    </message>
    <message>
        <source> Minimize to tray</source>
        <translation> In den Infobereich minimieren</translation>
    </message>
    <message>
        <source> No longer to remind</source>
        <translation> Nicht mehr nachfragen</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>ErrorDialog</name>
    <message>
        <source>ErrorDialog</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Insert information</source>
        <translation>Ergebnis des Hinzufügens</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Total %1 file(s) be added in filelist.</source>
        <translation>%1 Datei(en) wurde(n) zur Dateiliste hinzugefügt.</translation>
    </message>
    <message>
        <source>Thefollowing %1 file(s) cann’t be added in filelist.</source>
        <translation>Folgende %1 Datei(en) konnten nicht hinzugefügt werden.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Files not added</source>
        <translation>Nicht hinzugefügte Dateien</translation>
    </message>
</context>
<context>
    <name>FileConversion</name>
    <message>
        <source>The output folder %1 is not taken: %2.</source>
        <translation>Der Ausgabeordner %1 wird nicht übernommen: %2.</translation>
    </message>
    <message>
        <source>The record of the complete images in %1 cannot be written.</source>
        <translation>Die Liste der fertigen Bilder in %1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The pages could not be joined into one TIFF file: %1 is not the page this run wrote. The page files were kept.</source>
        <translation>Die Seiten konnten nicht zu einer TIFF-Datei zusammengefügt werden: %1 ist nicht die Seite, die dieser Lauf geschrieben hat. Die Seitendateien wurden behalten.</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be made, or was not made by this plan: %2.</source>
        <translation>Der Ausgabeordner %1 kann nicht angelegt werden oder wurde nicht von diesem Plan angelegt: %2.</translation>
    </message>
    <message>
        <source>Another run converts these pages in %1.</source>
        <translation>Ein anderer Lauf wandelt diese Seiten in %1 um.</translation>
    </message>
    <message>
        <source>The renderer could not be started: %1</source>
        <translation>Der Renderer konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>The page selection names no page of this document.</source>
        <translation>Die Seitenauswahl enthält keine Seite dieses Dokuments.</translation>
    </message>
    <message>
        <source>No output folder could be created in %1: %2.</source>
        <translation>In %1 konnte kein Ausgabeordner angelegt werden: %2.</translation>
    </message>
    <message>
        <source>The renderer (Ghostscript) was not found.</source>
        <translation>Der Renderer (Ghostscript) wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The renderer could not draw page %1.</source>
        <translation>Der Renderer konnte Seite %1 nicht zeichnen.</translation>
    </message>
    <message>
        <source>The renderer wrote no image for page %1.</source>
        <translation>Der Renderer hat für Seite %1 kein Bild geschrieben.</translation>
    </message>
    <message>
        <source>The image %1 could not be written.</source>
        <translation>Das Bild %1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Page %1 could not be written as GIF: %2</source>
        <translation>Seite %1 konnte nicht als GIF geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The renderer reported no new page for %1 seconds and was stopped.</source>
        <translation>Der Renderer hat %1 Sekunden lang keine neue Seite gemeldet und wurde beendet.</translation>
    </message>
    <message>
        <source>The renderer ended abnormally.</source>
        <translation>Der Renderer wurde unerwartet beendet.</translation>
    </message>
    <message>
        <source>The renderer stopped at page %1 (exit code %2).</source>
        <translation>Der Renderer hat bei Seite %1 aufgehört (Rückgabewert %2).</translation>
    </message>
    <message>
        <source>The renderer stopped at page %1: %2</source>
        <translation>Der Renderer hat bei Seite %1 aufgehört: %2</translation>
    </message>
    <message>
        <source>The renderer wrote no image for page %1: %2</source>
        <translation>Der Renderer hat für Seite %1 kein Bild geschrieben: %2</translation>
    </message>
    <message>
        <source>The renderer wrote more images than pages were selected.</source>
        <translation>Der Renderer hat mehr Bilder geschrieben, als Seiten ausgewählt waren.</translation>
    </message>
    <message>
        <source>The pages could not be joined into one TIFF file (tiffcp was not found); the page files were kept.</source>
        <translation>Die Seiten konnten nicht zu einer TIFF-Datei zusammengefügt werden (tiffcp wurde nicht gefunden); die Seitendateien bleiben erhalten.</translation>
    </message>
    <message>
        <source>The pages could not be joined into one TIFF file; the page files were kept.</source>
        <translation>Die Seiten konnten nicht zu einer TIFF-Datei zusammengefügt werden; die Seitendateien bleiben erhalten.</translation>
    </message>
    <message>
        <source>The disk holding %1 is full.</source>
        <translation>Der Datenträger mit %1 ist voll.</translation>
    </message>
    <message>
        <source>The name %1 is too long for the file system.</source>
        <translation>Der Name %1 ist für das Dateisystem zu lang.</translation>
    </message>
    <message>
        <source>The renderer cannot be given this password: it holds a line break or two backslashes in a row, or ends in a backslash after a space or a quote.</source>
        <translation>Dieses Passwort kann dem Renderer nicht übergeben werden: Es enthält einen Zeilenumbruch oder zwei Backslashes hintereinander oder endet nach einem Leerzeichen oder Anführungszeichen mit einem Backslash.</translation>
    </message>
    <message>
        <source>The output folder %1 was moved or replaced during the conversion; the file was stopped.</source>
        <translation>Der Ausgabeordner %1 wurde während der Umwandlung verschoben oder ersetzt; die Datei wurde angehalten.</translation>
    </message>
</context>
<context>
    <name>GifWriter</name>
    <message>
        <source>Not enough memory to reduce the colours of the image.</source>
        <translation>Nicht genügend Speicher, um die Farben des Bildes zu reduzieren.</translation>
    </message>
    <message>
        <source>The image could not be prepared for the colour reduction.</source>
        <translation>Das Bild konnte nicht für die Farbreduktion vorbereitet werden.</translation>
    </message>
    <message>
        <source>The colours of the image could not be reduced to a palette (libimagequant error %1).</source>
        <translation>Die Farben des Bildes konnten nicht auf eine Palette reduziert werden (libimagequant-Fehler %1).</translation>
    </message>
    <message>
        <source>Writing the GIF data failed: %1</source>
        <translation>Schreiben der GIF-Daten fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>There is no image to write to %1.</source>
        <translation>Es gibt kein Bild, das nach %1 geschrieben werden kann.</translation>
    </message>
    <message>
        <source>The image is %1 x %2 pixels; a GIF file holds at most %3 x %3.</source>
        <translation>Das Bild hat %1 x %2 Pixel; eine GIF-Datei fasst höchstens %3 x %3.</translation>
    </message>
    <message>
        <source>The image is %1 x %2 pixels; more than %3 million pixels cannot be made a GIF.</source>
        <translation>Das Bild hat %1 x %2 Pixel; mehr als %3 Millionen Pixel können nicht zu einem GIF werden.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot read the image %1: %2</source>
        <translation>Das Bild %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The GIF encoding was cancelled.</source>
        <translation>Das Schreiben als GIF wurde abgebrochen.</translation>
    </message>
</context>
<context>
    <name>ListCls</name>
    <message>
        <source>ListCls</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>Warring</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Clear whether the conversion</source>
        <translation>Soll die Konvertierungsliste geleert</translation>
    </message>
    <message>
        <source> list and close the program.</source>
        <translation> und das Programm beendet werden?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>Hauptfenster</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation>Erste Schritte</translation>
    </message>
    <message>
        <source>1、Click &quot;</source>
        <translation>1. Mit „</translation>
    </message>
    <message>
        <source>&quot; to import file</source>
        <translation>“ Dateien importieren</translation>
    </message>
    <message>
        <source>2、Click &quot;</source>
        <translation>2. Mit „</translation>
    </message>
    <message>
        <source>&quot; to convert file</source>
        <translation>“ Dateien konvertieren</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Ausgabeformat:</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>Auf alle anwenden</translation>
    </message>
    <message>
        <source>Apply to all DPI</source>
        <translation>DPI auf alle anwenden</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>Ausgabeordner</translation>
    </message>
    <message>
        <source>Save file in source folder</source>
        <translation>Im Quellordner speichern</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>Eigener Ordner</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
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
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Add File(s) ...</source>
        <translation>Dateien hinzufügen...</translation>
    </message>
    <message>
        <source>Add Folder ...</source>
        <translation>Ordner hinzufügen...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Delect All</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinesisch</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japanisch</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>French</source>
        <translation>Französisch</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Klassisch</translation>
    </message>
    <message>
        <source>Elegant</source>
        <translation>Elegant</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Official Website</source>
        <translation>Offizielle Website</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Updates suchen</translation>
    </message>
    <message>
        <source>Display window</source>
        <translation>Fenster anzeigen</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>File Information</source>
        <translation>Dateiinformationen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Skin</source>
        <translation>Design</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>Alle Seiten</translation>
    </message>
    <message>
        <source>Select Pages</source>
        <translation>Seitenauswahl</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>Merge into One</source>
        <translation>Zusammenführen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>&lt;font color=red&gt;P2I程序异常结束.&lt;/font&gt;<byte value="xd"/>
</source>
        <translation>&lt;font color=red&gt;Der Renderer P2I wurde unerwartet beendet.&lt;/font&gt;<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Some files have already been changed. Do you want to convert again?</source>
        <translation>Einige Dateien wurden bereits konvertiert. Möchten Sie erneut konvertieren?</translation>
    </message>
    <message>
        <source>
Invalid output path!</source>
        <translation>
Ungültiger Ausgabepfad!</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>Ordner auswählen</translation>
    </message>
    <message>
        <source> &lt;File name error(without %)&gt;</source>
        <translation> &lt;Ungültiger Dateiname (kein % erlaubt)&gt;</translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation>Fehler beim Öffnen</translation>
    </message>
    <message>
        <source>Can not open program pdfinfo.exe</source>
        <translation>Das Programm pdfinfo.exe kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source> &lt;Format error&gt;</source>
        <translation> &lt;Formatfehler&gt;</translation>
    </message>
    <message>
        <source> &lt;Cancel&gt;</source>
        <translation> &lt;Abgebrochen&gt;</translation>
    </message>
    <message>
        <source> &lt;Password error&gt;</source>
        <translation> &lt;Falsches Passwort&gt;</translation>
    </message>
    <message>
        <source>%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>    Are you sure to clear all the items from the list</source>
        <translation>    Möchten Sie wirklich alle Einträge aus der Liste entfernen?</translation>
    </message>
    <message>
        <source>    Are you sure to remove the selected item(s) from the lies</source>
        <translation>    Möchten Sie die ausgewählten Einträge wirklich aus der Liste entfernen?</translation>
    </message>
    <message>
        <source>All</source>
        <translation>alle</translation>
    </message>
    <message>
        <source>Page:example(1,3,7-9)</source>
        <translation>Seite:z.B.(1,3,5-7)</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>  invalid format or out of range!</source>
        <translation>  Ungültiges Format oder außerhalb des Bereichs!</translation>
    </message>
    <message>
        <source>  Invalid output path or output file name!</source>
        <translation>  Ungültiger Ausgabepfad oder Ausgabedateiname!</translation>
    </message>
    <message>
        <source>  Are you sure to logout the windows!</source>
        <translation>  Möchten Sie sich wirklich abmelden?</translation>
    </message>
    <message>
        <source>  Are you sure to restart the windows!</source>
        <translation>  Möchten Sie den Computer wirklich neu starten?</translation>
    </message>
    <message>
        <source>  Are you sure to shutdown the windows!</source>
        <translation>  Möchten Sie den Computer wirklich herunterfahren?</translation>
    </message>
    <message>
        <source>(%1)</source>
        <translation>(%1)</translation>
    </message>
    <message>
        <source>  The system did not accept the request.</source>
        <translation>  Das System hat die Anforderung nicht angenommen.</translation>
    </message>
    <message>
        <source>Conversion stopped</source>
        <translation>Umwandlung angehalten</translation>
    </message>
    <message>
        <source>The files converted keep their images; the others wait for the next run.</source>
        <translation>Die umgewandelten Dateien behalten ihre Bilder; die übrigen warten auf den nächsten Durchlauf.</translation>
    </message>
    <message>
        <source>The images need %1 on %2, where %3 is free.</source>
        <translation>Die Bilder brauchen %1 auf %2, dort sind %3 frei.</translation>
    </message>
    <message>
        <source>Not enough room</source>
        <translation>Nicht genug Platz</translation>
    </message>
    <message>
        <source>Convert anyway</source>
        <translation>Trotzdem umwandeln</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Should the disk fill up, the run stops there; the files converted keep their images.</source>
        <translation>Läuft der Datenträger voll, hält die Umwandlung dort an; die umgewandelten Dateien behalten ihre Bilder.</translation>
    </message>
    <message>
        <source>
The output folder must be a full path, such as /home/me/images.</source>
        <translation>
Der Ausgabeordner muss ein vollständiger Pfad sein, etwa /home/me/images.</translation>
    </message>
    <message>
        <source> &lt;Not readable&gt;</source>
        <translation> &lt;Nicht lesbar&gt;</translation>
    </message>
    <message>
        <source> &lt;Not a file&gt;</source>
        <translation> &lt;Keine Datei&gt;</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3 of %4 pages</source>
        <translation>%1 von %2 Dateien, %3 von %4 Seiten</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>noch %1</translation>
    </message>
    <message>
        <source>%1 file(s) converted, %2 failed</source>
        <translation>%1 Datei(en) konvertiert, %2 fehlgeschlagen</translation>
    </message>
    <message>
        <source>Updates come from your distribution&apos;s package manager.</source>
        <translation>Updates kommen über die Paketverwaltung Ihrer Distribution.</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Main menu</source>
        <translation>Hauptmenü</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Ausgabeordner</translation>
    </message>
    <message>
        <source>Choose the output folder</source>
        <translation>Ausgabeordner wählen</translation>
    </message>
    <message>
        <source>No preview</source>
        <translation>Keine Vorschau</translation>
    </message>
</context>
<context>
    <name>PngWriter</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>there is no image to write.</source>
        <translation>es gibt kein Bild zum Schreiben.</translation>
    </message>
    <message>
        <source>not enough memory.</source>
        <translation>nicht genügend Speicher.</translation>
    </message>
</context>
<context>
    <name>ProDlg</name>
    <message>
        <source>ProDlg</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>RawImage</name>
    <message>
        <source>Cannot read the image %1: %2</source>
        <translation>Das Bild %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>it is not a regular file.</source>
        <translation>es ist keine reguläre Datei.</translation>
    </message>
    <message>
        <source>it is not a raw PNM image.</source>
        <translation>es ist kein rohes PNM-Bild.</translation>
    </message>
    <message>
        <source>its header is damaged.</source>
        <translation>sein Dateikopf ist beschädigt.</translation>
    </message>
    <message>
        <source>it has %1 levels a sample, not 256.</source>
        <translation>es hat %1 Stufen je Abtastwert, nicht 256.</translation>
    </message>
    <message>
        <source>it is %1 x %2 pixels; at most %3 million are read.</source>
        <translation>es hat %1 x %2 Pixel; höchstens %3 Millionen werden gelesen.</translation>
    </message>
    <message>
        <source>it holds %1 bytes of pixels instead of %2.</source>
        <translation>es enthält %1 Bytes Pixeldaten statt %2.</translation>
    </message>
    <message>
        <source>it changed while it was read.</source>
        <translation>es wurde während des Lesens verändert.</translation>
    </message>
</context>
<context>
    <name>StartDlg</name>
    <message>
        <source>StartDlg</source>
        <translation>Programmstart</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>Initializing:</source>
        <translation>Initialisierung:</translation>
    </message>
</context>
<context>
    <name>PlanFolder</name>
    <message>
        <source>it is no folder, or a link</source>
        <translation>er ist kein Ordner oder ein Verweis</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>er gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>other users can write in it</source>
        <translation>andere Benutzer können darin schreiben</translation>
    </message>
    <message>
        <source>its plan mark is not a file of this user&apos;s that only this user can write</source>
        <translation>seine Planmarke ist keine Datei dieses Benutzers, die nur er schreiben kann</translation>
    </message>
    <message>
        <source>this plan did not make it</source>
        <translation>dieser Plan hat ihn nicht angelegt</translation>
    </message>
</context>
<context>
    <name>TiffPages</name>
    <message>
        <source>Cannot finish the TIFF file %1: %2</source>
        <translation>Die TIFF-Datei %1 kann nicht fertiggestellt werden: %2</translation>
    </message>
    <message>
        <source>it is no valid TIFF file.</source>
        <translation>sie ist keine gültige TIFF-Datei.</translation>
    </message>
</context>
<context>
    <name>aboutDlg</name>
    <message>
        <source>aboutDlg</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>HomePage:</source>
        <translation>Homepage:</translation>
    </message>
    <message>
        <source>Copyright © 2026 ZEMRA. All rights reserved.</source>
        <translation>Copyright © 2026 ZEMRA. Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>deleteDlg</name>
    <message>
        <source>deleteDlg</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>fileInfo</name>
    <message>
        <source>fileInfo</source>
        <translation>Dateiinformationen</translation>
    </message>
    <message>
        <source>File Properties</source>
        <translation>Dateieigenschaften</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>File path:</source>
        <translation>Dateipfad:</translation>
    </message>
    <message>
        <source>CreationDate:</source>
        <translation>Erstellt am:</translation>
    </message>
    <message>
        <source>File size:</source>
        <translation>Dateigröße:</translation>
    </message>
    <message>
        <source>Page size:</source>
        <translation>Seitengröße:</translation>
    </message>
    <message>
        <source>Pages:</source>
        <translation>Seiten:</translation>
    </message>
    <message>
        <source>PDF Version:</source>
        <translation>PDF-Version:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>information</name>
    <message>
        <source>information</source>
        <translation>Informationen</translation>
    </message>
    <message>
        <source>Successfully</source>
        <translation>Abgeschlossen</translation>
    </message>
    <message>
        <source>Success: %1 file(s)</source>
        <translation>Erfolg: %1 Datei(en)</translation>
    </message>
    <message>
        <source>Fail:    %1 file(s)</source>
        <translation>Fehler: %1 Datei(en)</translation>
    </message>
    <message>
        <source>Some files failed</source>
        <translation>Teilweise fehlgeschlagen</translation>
    </message>
    <message>
        <source>All files failed</source>
        <translation>Alle fehlgeschlagen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>passWordPDF</name>
    <message>
        <source>passWordPDF</source>
        <translation>PDF-Passwort</translation>
    </message>
    <message>
        <source>请输入PDF文件的密码.</source>
        <translation>Bitte geben Sie das Passwort der PDF-Datei ein.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
</context>
<context>
    <name>shutdowndlg</name>
    <message>
        <source>shutdowndlg</source>
        <translation>Herunterfahren</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
</TS>
