#include "cli/planfile.h"

#include "cli/plancodec.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Debian gives each user a group of their own, named after them, with no other member: a file
// that group may write is still the user's alone.
bool isOwnGroup(gid_t gid)
{
    std::vector<char> userBuffer(16384);
    std::vector<char> groupBuffer(16384);
    passwd user = {};
    passwd *foundUser = nullptr;
    group owners = {};
    group *foundGroup = nullptr;
    if (::getpwuid_r(::geteuid(), &user, userBuffer.data(), userBuffer.size(), &foundUser) != 0 ||
        !foundUser ||
        ::getgrgid_r(gid, &owners, groupBuffer.data(), groupBuffer.size(), &foundGroup) != 0 ||
        !foundGroup)
        return false;
    return user.pw_gid == gid && std::strcmp(user.pw_name, owners.gr_name) == 0 &&
           (!owners.gr_mem || !owners.gr_mem[0]);
}

// Why the opened file cannot be trusted as the user's plan, or nothing.
QString untrusted(const struct stat &status)
{
    if (!S_ISREG(status.st_mode))
        return u"it is no regular file"_s;
    if (status.st_uid != ::geteuid())
        return u"it belongs to another user"_s;
    if ((status.st_mode & S_IWOTH) != 0 ||
        ((status.st_mode & S_IWGRP) != 0 && !isOwnGroup(status.st_gid)))
        return u"other users may change it (chmod go-w)"_s;
    return {};
}

QString tooLarge()
{
    return u"it is larger than %1, more than any plan holds"_s.arg(
        QLocale::c().formattedDataSize(PlanFile::largestPlan));
}

} // namespace

std::optional<Plan> PlanFile::read(const QString &path, QString *wrong)
{
    // Not blocking: a pipe in its place must not hold the run.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        *wrong = u"it cannot be read (%1)"_s.arg(QString::fromLocal8Bit(std::strerror(errno)));
        return std::nullopt;
    }
    struct stat status = {};
    *wrong = ::fstat(fd, &status) != 0 ? u"it cannot be read"_s : untrusted(status);
    if (wrong->isEmpty() && status.st_size > largestPlan)
        *wrong = tooLarge();
    QByteArray json;
    if (wrong->isEmpty()) {
        // It may grow while it is read.
        QFile file;
        if (file.open(fd, QIODevice::ReadOnly))
            json = file.read(largestPlan + 1);
        if (json.size() > largestPlan)
            *wrong = tooLarge();
    }
    ::close(fd);
    if (!wrong->isEmpty())
        return std::nullopt;
    PlanError error;
    std::optional<Plan> plan = PlanCodec::read(json, &error);
    if (!plan)
        *wrong = error.text();
    return plan;
}

bool PlanFile::write(const Plan &plan, const QString &path)
{
    const QByteArray json = PlanCodec::write(plan);
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.setPermissions(file.permissions() &
                               ~(QFileDevice::WriteGroup | QFileDevice::WriteOther)) &&
           file.write(json) == json.size() && file.commit();
}
