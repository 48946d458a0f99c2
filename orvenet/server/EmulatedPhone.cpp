#include "orvenet/server/EmulatedPhone.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

#include <sys/stat.h>

namespace {

const QString kIdentityGroup = QStringLiteral("Phone");

bool IsPlainFolder(const QString &path)
{
    struct stat info = {};
    return lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const QString &path)
{
    struct stat info = {};
    return lstat(QFile::encodeName(path).constData(), &info) == 0;
}

} // namespace

CEmulatedPhone::CEmulatedPhone(QString folder)
    : m_folder(std::move(folder))
{}

bool CEmulatedPhone::Load(QString &error)
{
    QDir folder(m_folder);
    for (const char *name : {"C", "D", "received"}) {
        if (!folder.mkpath(QLatin1String(name))) {
            error = QStringLiteral("cannot make %1/%2").arg(m_folder, QLatin1String(name));
            return false;
        }
    }
    // Configurations that clients of an earlier server never started.
    QDir received(folder.filePath(QStringLiteral("received")));
    for (const QString &name :
         received.entryList({QStringLiteral(".client-*")}, QDir::Files | QDir::Hidden))
        received.remove(name);
    const QString ini = folder.filePath(QStringLiteral("phone.ini"));
    const bool fresh = !QFileInfo::exists(ini);
    QSettings settings(ini, QSettings::IniFormat);
    settings.beginGroup(kIdentityGroup);
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_identity.epocName = settings.value("EPOCName", QStringLiteral("Talvik Phone")).toString();
    m_identity.imei = settings.value("IMEI", QStringLiteral("490154203237518")).toString();
    m_identity.phoneNumber =
        settings.value("PhoneNumber", QStringLiteral("+358401234567")).toString();
    m_connected = settings.value("Connected", QStringLiteral("yes")).toString() == u"yes";
    m_holder = settings.value("Holder").toString();
    settings.endGroup();
    if (fresh)
        Save();
    return true;
}

void CEmulatedPhone::Save() const
{
    QSettings settings(QDir(m_folder).filePath(QStringLiteral("phone.ini")), QSettings::IniFormat);
    settings.beginGroup(kIdentityGroup);
    settings.setValue("EPOCName", m_identity.epocName);
    settings.setValue("IMEI", m_identity.imei);
    settings.setValue("PhoneNumber", m_identity.phoneNumber);
    settings.setValue("Connected", m_connected ? "yes" : "no");
    settings.setValue("Holder", m_holder);
    settings.endGroup();
    settings.sync();
}

CEmulatedPhone::Identity CEmulatedPhone::GetIdentity() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_identity;
}

void CEmulatedPhone::SetIdentity(const Identity &identity)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_identity = identity;
    Save();
}

QString CEmulatedPhone::InfoText() const
{
    const Identity identity = GetIdentity();
    return QStringLiteral("<EPOCName>%1</EPOCName><IMEI>%2</IMEI><PhoneNumber>%3</PhoneNumber>")
        .arg(identity.epocName, identity.imei, identity.phoneNumber);
}

bool CEmulatedPhone::IsConnected() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_connected;
}

void CEmulatedPhone::SetConnected(bool connected)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_connected = connected;
    Save();
}

QString CEmulatedPhone::Holder() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_holder;
}

void CEmulatedPhone::SetHolder(const QString &holder)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_holder = holder;
    Save();
}

namespace {

QRegularExpressionMatch MatchDrivePath(const QString &remoteFolder)
{
    static const QRegularExpression drivePath(QStringLiteral("^([CcDd]):\\\\(.*)$"));
    return drivePath.match(remoteFolder);
}

} // namespace

bool CEmulatedPhone::IsOnPhoneDrive(const QString &remoteFolder)
{
    return MatchDrivePath(remoteFolder).hasMatch();
}

QString CEmulatedPhone::PlaceForFile(const QString &remoteFolder, const QString &fileName) const
{
    const QRegularExpressionMatch match = MatchDrivePath(remoteFolder);
    if (!match.hasMatch() || remoteFolder.contains(u'/') || fileName.isEmpty() ||
        fileName.contains(u'/') || fileName.contains(u'\\') || fileName == u"." ||
        fileName == u"..")
        return QString();
    QString place = m_folder + u'/' + match.captured(1).toUpper();
    const QStringList names = match.captured(2).split(u'\\', Qt::SkipEmptyParts);
    // Each folder is made or checked in turn, so that no link is followed.
    for (const QString &name : names) {
        if (name == u"." || name == u"..")
            return QString();
        place += u'/' + name;
        if (!Exists(place) && !QDir().mkdir(place))
            return QString();
        if (!IsPlainFolder(place))
            return QString();
    }
    place += u'/' + fileName;
    if (Exists(place) && !QFileInfo(place).isFile())
        return QString();
    if (QFileInfo(place).isSymLink())
        return QString();
    return place;
}

QString CEmulatedPhone::NextReceivedPath() const
{
    const QDir received(m_folder + QStringLiteral("/received"));
    int number = 0;
    for (const QString &name : received.entryList({QStringLiteral("*.xml")}, QDir::Files))
        number = std::max(number, name.section(u'.', 0, 0).toInt());
    return received.filePath(QStringLiteral("%1.xml").arg(number + 1, 4, 10, QChar(u'0')));
}
