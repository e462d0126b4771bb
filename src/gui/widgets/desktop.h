#pragma once

class QUrl;

// Hands a URL (a web page, a PDF, a folder) to the user's desktop. Tests install a recorder.
class Desktop
{
public:
    virtual ~Desktop() = default;
    virtual bool openUrl(const QUrl &url) = 0;
};

Desktop &desktop();
void setDesktop(Desktop *replacement);
