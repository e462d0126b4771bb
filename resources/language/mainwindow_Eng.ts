<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CommandLine</name>
    <message>
        <source>Converts PDF documents into images, in batches.</source>
        <translation>Converts PDF documents into images, in batches.</translation>
    </message>
    <message>
        <source>PDF files to put in the list; folders are searched for them.</source>
        <translation>PDF files to put in the list; folders are searched for them.</translation>
    </message>
    <message>
        <source>Convert the PDFs given without a window; vezudiri --convert --help lists its options.</source>
        <translation>Convert the PDFs given without a window; vezudiri --convert --help lists its options.</translation>
    </message>
</context>
<context>
    <name>Config</name>
    <message>
        <source>Config</source>
        <translation>Config</translation>
    </message>
    <message>
        <source>this is the gagagag</source>
        <translation>this is the gagagag</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>Others </source>
        <translation>Others </translation>
    </message>
    <message>
        <source>Close Settings</source>
        <translation>Close Settings</translation>
    </message>
    <message>
        <source>Close window, no promotion</source>
        <translation>Close window, no promotion</translation>
    </message>
    <message>
        <source>Prompt me when have list</source>
        <translation>Prompt me when have list</translation>
    </message>
    <message>
        <source>Minimize to tray</source>
        <translation>Minimize to tray</translation>
    </message>
    <message>
        <source>Update Settings</source>
        <translation>Update Settings</translation>
    </message>
    <message>
        <source>Check for Updates Automatically</source>
        <translation>Check for Updates Automatically</translation>
    </message>
    <message>
        <source>PDF Security</source>
        <translation>PDF Security</translation>
    </message>
    <message>
        <source>Owner Password:</source>
        <translation>Owner Password:</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>Output Folder:</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Modify output file name</source>
        <translation>Modify output file name</translation>
    </message>
    <message>
        <source>Use source file name</source>
        <translation>Use source file name</translation>
    </message>
    <message>
        <source>Name with number</source>
        <translation>Name with number</translation>
    </message>
    <message>
        <source>Name with following template</source>
        <translation>Name with following template</translation>
    </message>
    <message>
        <source>+Number</source>
        <translation>+Number</translation>
    </message>
    <message>
        <source>Tiff Setting</source>
        <translation>Tiff Setting</translation>
    </message>
    <message>
        <source>Output one tiff file</source>
        <translation>Output one tiff file</translation>
    </message>
    <message>
        <source>Post Task Action</source>
        <translation>Post Task Action</translation>
    </message>
    <message>
        <source>After the conversion operation</source>
        <translation>After the conversion operation</translation>
    </message>
    <message>
        <source>Language Setting</source>
        <translation>Language Setting</translation>
    </message>
    <message>
        <source>Change Language:</source>
        <translation>Change Language:</translation>
    </message>
    <message>
        <source>Shutdown Plan</source>
        <translation>Shutdown Plan</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Shutdown</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Restore Defaults</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>Every Day</translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation>Every Week</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>German</source>
        <translation>German</translation>
    </message>
    <message>
        <source>French</source>
        <translation>French</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Logout</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>Show Information</source>
        <translation>Show Information</translation>
    </message>
    <message>
        <source>Invalid template</source>
        <translation>Invalid template</translation>
    </message>
    <message>
        <source>The name template cannot hold a folder separator, &quot;..&quot;, a control character or any of \ : * ? &quot; &lt; &gt; |, and must be shorter than 200 bytes.</source>
        <translation>The name template cannot hold a folder separator, &quot;..&quot;, a control character or any of \ : * ? &quot; &lt; &gt; |, and must be shorter than 200 bytes.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Smooth text</source>
        <translation>Smooth text</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Close settings</source>
        <translation>Close settings</translation>
    </message>
    <message>
        <source>What do you want to do? Exit/Minimize</source>
        <translation>What do you want to do? Exit/Minimize</translation>
    </message>
    <message>
        <source> Exit</source>
        <translation> Exit</translation>
    </message>
    <message>
        <source> Minimize to tray</source>
        <translation> Minimize to tray</translation>
    </message>
    <message>
        <source> No longer to remind</source>
        <translation> No longer to remind</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>ErrorDialog</name>
    <message>
        <source>ErrorDialog</source>
        <translation>ErrorDialog</translation>
    </message>
    <message>
        <source>Insert information</source>
        <translation>Insert information</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Total %1 file(s) be added in filelist.</source>
        <translation>Total %1 file(s) be added in filelist.</translation>
    </message>
    <message>
        <source>Thefollowing %1 file(s) cann’t be added in filelist.</source>
        <translation>Thefollowing %1 file(s) cann’t be added in filelist.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Files not added</source>
        <translation>Files not added</translation>
    </message>
</context>
<context>
    <name>FileConversion</name>
    <message>
        <source>The output folder %1 is not taken: %2.</source>
        <translation>The output folder %1 is not taken: %2.</translation>
    </message>
    <message>
        <source>The record of the complete images in %1 cannot be written.</source>
        <translation>The record of the complete images in %1 cannot be written.</translation>
    </message>
    <message>
        <source>The pages could not be joined into one TIFF file: %1 is not the page this run wrote. The page files were kept.</source>
        <translation>The pages could not be joined into one TIFF file: %1 is not the page this run wrote. The page files were kept.</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be made, or was not made by this plan: %2.</source>
        <translation>The output folder %1 cannot be made, or was not made by this plan: %2.</translation>
    </message>
    <message>
        <source>Another run converts these pages in %1.</source>
        <translation>Another run converts these pages in %1.</translation>
    </message>
    <message>
        <source>The renderer could not be started: %1</source>
        <translation>The renderer could not be started: %1</translation>
    </message>
    <message>
        <source>The page selection names no page of this document.</source>
        <translation>The page selection names no page of this document.</translation>
    </message>
    <message>
        <source>No output folder could be created in %1: %2.</source>
        <translation>No output folder could be created in %1: %2.</translation>
    </message>
    <message>
        <source>The renderer (Ghostscript) was not found.</source>
        <translation>The renderer (Ghostscript) was not found.</translation>
    </message>
    <message>
        <source>The renderer could not draw page %1.</source>
        <translation>The renderer could not draw page %1.</translation>
    </message>
    <message>
        <source>The renderer wrote no image for page %1.</source>
        <translation>The renderer wrote no image for page %1.</translation>
    </message>
    <message>
        <source>The image %1 could not be written.</source>
        <translation>The image %1 could not be written.</translation>
    </message>
    <message>
        <source>Page %1 could not be written as GIF: %2</source>
        <translation>Page %1 could not be written as GIF: %2</translation>
    </message>
    <message>
        <source>The renderer reported no new page for %1 seconds and was stopped.</source>
        <translation>The renderer reported no new page for %1 seconds and was stopped.</translation>
    </message>
    <message>
        <source>The renderer ended abnormally.</source>
        <translation>The renderer ended abnormally.</translation>
    </message>
    <message>
        <source>The renderer stopped at page %1 (exit code %2).</source>
        <translation>The renderer stopped at page %1 (exit code %2).</translation>
    </message>
    <message>
        <source>The renderer stopped at page %1: %2</source>
        <translation>The renderer stopped at page %1: %2</translation>
    </message>
    <message>
        <source>The renderer wrote no image for page %1: %2</source>
        <translation>The renderer wrote no image for page %1: %2</translation>
    </message>
    <message>
        <source>The renderer wrote more images than pages were selected.</source>
        <translation>The renderer wrote more images than pages were selected.</translation>
    </message>
    <message>
        <source>The pages could not be joined into one TIFF file (tiffcp was not found); the page files were kept.</source>
        <translation>The pages could not be joined into one TIFF file (tiffcp was not found); the page files were kept.</translation>
    </message>
    <message>
        <source>The pages could not be joined into one TIFF file; the page files were kept.</source>
        <translation>The pages could not be joined into one TIFF file; the page files were kept.</translation>
    </message>
    <message>
        <source>The disk holding %1 is full.</source>
        <translation>The disk holding %1 is full.</translation>
    </message>
    <message>
        <source>The name %1 is too long for the file system.</source>
        <translation>The name %1 is too long for the file system.</translation>
    </message>
    <message>
        <source>The renderer cannot be given this password: it holds a line break or two backslashes in a row, or ends in a backslash after a space or a quote.</source>
        <translation>The renderer cannot be given this password: it holds a line break or two backslashes in a row, or ends in a backslash after a space or a quote.</translation>
    </message>
    <message>
        <source>The output folder %1 was moved or replaced during the conversion; the file was stopped.</source>
        <translation>The output folder %1 was moved or replaced during the conversion; the file was stopped.</translation>
    </message>
</context>
<context>
    <name>GifWriter</name>
    <message>
        <source>Not enough memory to reduce the colours of the image.</source>
        <translation>Not enough memory to reduce the colours of the image.</translation>
    </message>
    <message>
        <source>The image could not be prepared for the colour reduction.</source>
        <translation>The image could not be prepared for the colour reduction.</translation>
    </message>
    <message>
        <source>The colours of the image could not be reduced to a palette (libimagequant error %1).</source>
        <translation>The colours of the image could not be reduced to a palette (libimagequant error %1).</translation>
    </message>
    <message>
        <source>Writing the GIF data failed: %1</source>
        <translation>Writing the GIF data failed: %1</translation>
    </message>
    <message>
        <source>There is no image to write to %1.</source>
        <translation>There is no image to write to %1.</translation>
    </message>
    <message>
        <source>The image is %1 x %2 pixels; a GIF file holds at most %3 x %3.</source>
        <translation>The image is %1 x %2 pixels; a GIF file holds at most %3 x %3.</translation>
    </message>
    <message>
        <source>The image is %1 x %2 pixels; more than %3 million pixels cannot be made a GIF.</source>
        <translation>The image is %1 x %2 pixels; more than %3 million pixels cannot be made a GIF.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>Cannot read the image %1: %2</source>
        <translation>Cannot read the image %1: %2</translation>
    </message>
    <message>
        <source>The GIF encoding was cancelled.</source>
        <translation>The GIF encoding was cancelled.</translation>
    </message>
</context>
<context>
    <name>ListCls</name>
    <message>
        <source>ListCls</source>
        <translation>ListCls</translation>
    </message>
    <message>
        <source>Warring</source>
        <translation>Warring</translation>
    </message>
    <message>
        <source>Clear whether the conversion</source>
        <translation>Clear whether the conversion</translation>
    </message>
    <message>
        <source> list and close the program.</source>
        <translation> list and close the program.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Add Files</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Size</translation>
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
        <translation>Getting started</translation>
    </message>
    <message>
        <source>1、Click &quot;</source>
        <translation>1、Click &quot;</translation>
    </message>
    <message>
        <source>&quot; to import file</source>
        <translation>&quot; to import file</translation>
    </message>
    <message>
        <source>2、Click &quot;</source>
        <translation>2、Click &quot;</translation>
    </message>
    <message>
        <source>&quot; to convert file</source>
        <translation>&quot; to convert file</translation>
    </message>
    <message>
        <source>Output Format:</source>
        <translation>Output Format:</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Apply to all</source>
        <translation>Apply to all</translation>
    </message>
    <message>
        <source>Apply to all DPI</source>
        <translation>Apply to all DPI</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>Output Folder</translation>
    </message>
    <message>
        <source>Save file in source folder</source>
        <translation>Save file in source folder</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>Customize</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
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
        <translation>Quit</translation>
    </message>
    <message>
        <source>Add File(s) ...</source>
        <translation>Add File(s) ...</translation>
    </message>
    <message>
        <source>Add Folder ...</source>
        <translation>Add Folder ...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Delect All</source>
        <translation>Delect All</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>German</source>
        <translation>German</translation>
    </message>
    <message>
        <source>French</source>
        <translation>French</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Classic</translation>
    </message>
    <message>
        <source>Elegant</source>
        <translation>Elegant</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Official Website</source>
        <translation>Official Website</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Check for Updates</translation>
    </message>
    <message>
        <source>Display window</source>
        <translation>Display window</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>File Information</source>
        <translation>File Information</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Skin</source>
        <translation>Skin</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation>All Pages</translation>
    </message>
    <message>
        <source>Select Pages</source>
        <translation>Select Pages</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Colors</translation>
    </message>
    <message>
        <source>Merge into One</source>
        <translation>Merge into One</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>&lt;font color=red&gt;P2I程序异常结束.&lt;/font&gt;<byte value="xd"/>
</source>
        <translation>&lt;font color=red&gt;The renderer P2I ended abnormally.&lt;/font&gt;<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Some files have already been changed. Do you want to convert again?</source>
        <translation>Some files have already been changed. Do you want to convert again?</translation>
    </message>
    <message>
        <source>
Invalid output path!</source>
        <translation>
Invalid output path!</translation>
    </message>
    <message>
        <source>Open Directory</source>
        <translation>Open Directory</translation>
    </message>
    <message>
        <source> &lt;File name error(without %)&gt;</source>
        <translation> &lt;File name error(without %)&gt;</translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation>Open Error</translation>
    </message>
    <message>
        <source>Can not open program pdfinfo.exe</source>
        <translation>Can not open program pdfinfo.exe</translation>
    </message>
    <message>
        <source> &lt;Format error&gt;</source>
        <translation> &lt;Format error&gt;</translation>
    </message>
    <message>
        <source> &lt;Cancel&gt;</source>
        <translation> &lt;Cancel&gt;</translation>
    </message>
    <message>
        <source> &lt;Password error&gt;</source>
        <translation> &lt;Password error&gt;</translation>
    </message>
    <message>
        <source>%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>    Are you sure to clear all the items from the list</source>
        <translation>    Are you sure to clear all the items from the list</translation>
    </message>
    <message>
        <source>    Are you sure to remove the selected item(s) from the lies</source>
        <translation>    Are you sure to remove the selected item(s) from the lies</translation>
    </message>
    <message>
        <source>All</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Page:example(1,3,7-9)</source>
        <translation>Page:example(1,3,7-9)</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>  invalid format or out of range!</source>
        <translation>  invalid format or out of range!</translation>
    </message>
    <message>
        <source>  Invalid output path or output file name!</source>
        <translation>  Invalid output path or output file name!</translation>
    </message>
    <message>
        <source>  Are you sure to logout the windows!</source>
        <translation>  Are you sure to logout the windows!</translation>
    </message>
    <message>
        <source>  Are you sure to restart the windows!</source>
        <translation>  Are you sure to restart the windows!</translation>
    </message>
    <message>
        <source>  Are you sure to shutdown the windows!</source>
        <translation>  Are you sure to shutdown the windows!</translation>
    </message>
    <message>
        <source>(%1)</source>
        <translation>(%1)</translation>
    </message>
    <message>
        <source>  The system did not accept the request.</source>
        <translation>  The system did not accept the request.</translation>
    </message>
    <message>
        <source>Conversion stopped</source>
        <translation>Conversion stopped</translation>
    </message>
    <message>
        <source>The files converted keep their images; the others wait for the next run.</source>
        <translation>The files converted keep their images; the others wait for the next run.</translation>
    </message>
    <message>
        <source>The images need %1 on %2, where %3 is free.</source>
        <translation>The images need %1 on %2, where %3 is free.</translation>
    </message>
    <message>
        <source>Not enough room</source>
        <translation>Not enough room</translation>
    </message>
    <message>
        <source>Convert anyway</source>
        <translation>Convert anyway</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Should the disk fill up, the run stops there; the files converted keep their images.</source>
        <translation>Should the disk fill up, the run stops there; the files converted keep their images.</translation>
    </message>
    <message>
        <source>
The output folder must be a full path, such as /home/me/images.</source>
        <translation>
The output folder must be a full path, such as /home/me/images.</translation>
    </message>
    <message>
        <source> &lt;Not readable&gt;</source>
        <translation> &lt;Not readable&gt;</translation>
    </message>
    <message>
        <source> &lt;Not a file&gt;</source>
        <translation> &lt;Not a file&gt;</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3 of %4 pages</source>
        <translation>%1 of %2 files, %3 of %4 pages</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>%1 left</translation>
    </message>
    <message>
        <source>%1 file(s) converted, %2 failed</source>
        <translation>%1 file(s) converted, %2 failed</translation>
    </message>
    <message>
        <source>Updates come from your distribution&apos;s package manager.</source>
        <translation>Updates come from your distribution&apos;s package manager.</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>Main menu</source>
        <translation>Main menu</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>Output folder</source>
        <translation>Output folder</translation>
    </message>
    <message>
        <source>Choose the output folder</source>
        <translation>Choose the output folder</translation>
    </message>
    <message>
        <source>No preview</source>
        <translation>No preview</translation>
    </message>
</context>
<context>
    <name>PngWriter</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>there is no image to write.</source>
        <translation>there is no image to write.</translation>
    </message>
    <message>
        <source>not enough memory.</source>
        <translation>not enough memory.</translation>
    </message>
</context>
<context>
    <name>ProDlg</name>
    <message>
        <source>ProDlg</source>
        <translation>ProDlg</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>RawImage</name>
    <message>
        <source>Cannot read the image %1: %2</source>
        <translation>Cannot read the image %1: %2</translation>
    </message>
    <message>
        <source>it is not a regular file.</source>
        <translation>it is not a regular file.</translation>
    </message>
    <message>
        <source>it is not a raw PNM image.</source>
        <translation>it is not a raw PNM image.</translation>
    </message>
    <message>
        <source>its header is damaged.</source>
        <translation>its header is damaged.</translation>
    </message>
    <message>
        <source>it has %1 levels a sample, not 256.</source>
        <translation>it has %1 levels a sample, not 256.</translation>
    </message>
    <message>
        <source>it is %1 x %2 pixels; at most %3 million are read.</source>
        <translation>it is %1 x %2 pixels; at most %3 million are read.</translation>
    </message>
    <message>
        <source>it holds %1 bytes of pixels instead of %2.</source>
        <translation>it holds %1 bytes of pixels instead of %2.</translation>
    </message>
    <message>
        <source>it changed while it was read.</source>
        <translation>it changed while it was read.</translation>
    </message>
</context>
<context>
    <name>StartDlg</name>
    <message>
        <source>StartDlg</source>
        <translation>StartDlg</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>Initializing:</source>
        <translation>Initializing:</translation>
    </message>
</context>
<context>
    <name>PlanFolder</name>
    <message>
        <source>it is no folder, or a link</source>
        <translation>it is no folder, or a link</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>it belongs to another user</translation>
    </message>
    <message>
        <source>other users can write in it</source>
        <translation>other users can write in it</translation>
    </message>
    <message>
        <source>its plan mark is not a file of this user&apos;s that only this user can write</source>
        <translation>its plan mark is not a file of this user&apos;s that only this user can write</translation>
    </message>
    <message>
        <source>this plan did not make it</source>
        <translation>this plan did not make it</translation>
    </message>
</context>
<context>
    <name>TiffPages</name>
    <message>
        <source>Cannot finish the TIFF file %1: %2</source>
        <translation>Cannot finish the TIFF file %1: %2</translation>
    </message>
    <message>
        <source>it is no valid TIFF file.</source>
        <translation>it is no valid TIFF file.</translation>
    </message>
</context>
<context>
    <name>aboutDlg</name>
    <message>
        <source>aboutDlg</source>
        <translation>aboutDlg</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>HomePage:</source>
        <translation>HomePage:</translation>
    </message>
    <message>
        <source>Copyright © 2026 ZEMRA. All rights reserved.</source>
        <translation>Copyright © 2026 ZEMRA. All rights reserved.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>deleteDlg</name>
    <message>
        <source>deleteDlg</source>
        <translation>deleteDlg</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>fileInfo</name>
    <message>
        <source>fileInfo</source>
        <translation>fileInfo</translation>
    </message>
    <message>
        <source>File Properties</source>
        <translation>File Properties</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>File path:</source>
        <translation>File path:</translation>
    </message>
    <message>
        <source>CreationDate:</source>
        <translation>CreationDate:</translation>
    </message>
    <message>
        <source>File size:</source>
        <translation>File size:</translation>
    </message>
    <message>
        <source>Page size:</source>
        <translation>Page size:</translation>
    </message>
    <message>
        <source>Pages:</source>
        <translation>Pages:</translation>
    </message>
    <message>
        <source>PDF Version:</source>
        <translation>PDF Version:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>information</name>
    <message>
        <source>information</source>
        <translation>information</translation>
    </message>
    <message>
        <source>Successfully</source>
        <translation>Successfully</translation>
    </message>
    <message>
        <source>Success: %1 file(s)</source>
        <translation>Success: %1 file(s)</translation>
    </message>
    <message>
        <source>Fail:    %1 file(s)</source>
        <translation>Fail:    %1 file(s)</translation>
    </message>
    <message>
        <source>Some files failed</source>
        <translation>Some files failed</translation>
    </message>
    <message>
        <source>All files failed</source>
        <translation>All files failed</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>passWordPDF</name>
    <message>
        <source>passWordPDF</source>
        <translation>passWordPDF</translation>
    </message>
    <message>
        <source>请输入PDF文件的密码.</source>
        <translation>Please enter the password of the PDF file.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
</context>
<context>
    <name>shutdowndlg</name>
    <message>
        <source>shutdowndlg</source>
        <translation>shutdowndlg</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
