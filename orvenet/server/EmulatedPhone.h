#pragma once

#include <QString>

#include <mutex>

// The phone the server emulates, kept in a folder: phone.ini with its
// identity, whether it is connected and which application holds it; the
// drives C/ and D/ that receive files; received/ with every configuration
// as it arrived. Safe to use from the server's threads.
class CEmulatedPhone
{
public:
    explicit CEmulatedPhone(QString folder);

    const QString &Folder() const { return m_folder; }
    // Reads phone.ini, writing one with default values when there is none.
    bool Load(QString &error);

    struct Identity
    {
        QString epocName;
        QString imei;
        QString phoneNumber;
    };
    Identity GetIdentity() const;
    void SetIdentity(const Identity &identity);
    // The identity as tagged text.
    QString InfoText() const;

    bool IsConnected() const;
    void SetConnected(bool connected);
    QString Holder() const;
    void SetHolder(const QString &holder);

    // Where a file named fileName goes for the phone folder remoteFolder
    // ("C:\Documents\"): inside C/ or D/, with missing folders made. Empty
    // when the folder is not a C: or D: path, names "." or "..", holds a "/",
    // or would lead through a symbolic link.
    QString PlaceForFile(const QString &remoteFolder, const QString &fileName) const;
    // Whether a phone folder is on one of the phone's drives (C: or D:).
    static bool IsOnPhoneDrive(const QString &remoteFolder);

    // A new file name in received/ for the next configuration.
    QString NextReceivedPath() const;

private:
    void Save() const;

    QString m_folder;
    mutable std::mutex m_mutex;
    Identity m_identity;
    bool m_connected = true;
    QString m_holder;
};
