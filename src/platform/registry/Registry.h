#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The registry: keys named by Windows paths with backslashes, beginning with
// their hive, "HKEY_CLASSES_ROOT" (HKCR), "HKEY_CURRENT_USER" (HKCU) or
// "HKEY_LOCAL_MACHINE" (HKLM): "HKEY_CURRENT_USER\Software\Talvik\Provana\".
// A trailing backslash is allowed. Names are compared without regard to letter
// case, as Windows does; a key keeps the spelling it was created with. The
// default value of a key has the empty name. Values are strings.
//
// Each hive is one INI file, read and written through QSettings, in the
// registry folder ($TALVIK_REGISTRY, or else ~/.config/Talvik/registry):
// HKEY_CLASSES_ROOT.ini, HKEY_CURRENT_USER.ini, HKEY_LOCAL_MACHINE.ini. A key
// is the QSettings group of its path: the file's section of its first name,
// with the names below it joined by backslashes in front of each entry. Within
// a key the entry "." marks that the key exists (a key need not have values),
// ".default" holds the default value and every other entry is a named value.
// Names go into QSettings with '%', '/', '\' and a leading '.' written as %25,
// %2F, %5C and %2E, so that no name reads as a separator or as one of the two
// reserved entries; QSettings escapes once more in the file ('{' as %7B, '%' as
// %25). HKEY_CLASSES_ROOT\CLSID\{4A53D29E-...}\InprocServer32 with its default
// value and ThreadingModel:
//
//   [CLSID]
//   .=
//   %7B4A53D29E-...%7D\.=
//   %7B4A53D29E-...%7D\InprocServer32\.=
//   %7B4A53D29E-...%7D\InprocServer32\.default=/opt/provana/Provix.so
//   %7B4A53D29E-...%7D\InprocServer32\ThreadingModel=Apartment
//
// Every change is synced to the file at once, and every read first takes in
// what other processes wrote, so that processes share one registry.
class CRegistry
{
public:
    CRegistry();
    explicit CRegistry(QString rootFolder);

    // $TALVIK_REGISTRY, or else ~/.config/Talvik/registry.
    static QString DefaultRoot();
    const QString &RootFolder() const { return m_root; }
    // The file of the hive that key begins with; empty for an unknown hive.
    QString HiveFile(const QString &key) const;

    // A hive on its own always exists.
    bool KeyExists(const QString &key) const;
    // Creates the key with any missing parents; true when it exists afterwards.
    bool CreateKey(const QString &key);
    // Nothing when the key or the value does not exist.
    std::optional<QString> GetValue(const QString &key, const QString &name = QString()) const;
    // Creates the key when it is missing.
    bool SetValue(const QString &key, const QString &name, const QString &value);
    bool DeleteValue(const QString &key, const QString &name);
    // Deletes the key with everything below it; a hive cannot be deleted.
    bool DeleteKey(const QString &key);
    // Names of the direct subkeys, in alphabetical order regardless of case.
    QStringList SubKeys(const QString &key) const;
    // Names of the values, the default value (if set) first as "".
    QStringList ValueNames(const QString &key) const;

private:
    QString m_root;
};
