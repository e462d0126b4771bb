#include "core/update/updateaddresses.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace {

QUrl &configuredEndpoint()
{
    static QUrl endpoint(u"http://www.zemra.example/vezudiri/latest-version.txt"_s);
    return endpoint;
}

} // namespace

QUrl UpdateAddresses::endpoint()
{
    return configuredEndpoint();
}

void UpdateAddresses::setEndpoint(const QUrl &url)
{
    configuredEndpoint() = url;
}

QUrl UpdateAddresses::installerDownload()
{
    return QUrl(u"http://www.zemra.example/vezudiri/download/vezudiri-setup.tar.gz"_s);
}

UpdateAddresses::Invocation UpdateAddresses::updater(const QString &version,
                                                     const QString &documentsPath)
{
    const QString folder = QDir::toNativeSeparators(documentsPath + u"/ZEMRA VEZ ud Iri"_s);
    const QString address = endpoint().toString();
    const QString download = installerDownload().toString();
    return {{u"Updates.exe"_s,
             {u"-uv"_s, address, u"-v"_s, version, u"-ud"_s, download, u"-p"_s, folder}},
            u"Updates.exe -uv "_s + address + u" -v "_s + version + u" -ud "_s + download +
                u" -p \""_s + folder + u'"'};
}
