#include "gui/widgets/desktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

class SystemDesktop final : public Desktop
{
public:
    bool openUrl(const QUrl &url) override { return QDesktopServices::openUrl(url); }
};

Desktop *installed = nullptr;

} // namespace

Desktop &desktop()
{
    static SystemDesktop system;
    return installed ? *installed : system;
}

void setDesktop(Desktop *replacement)
{
    installed = replacement;
}
