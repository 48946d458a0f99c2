#pragma once

#include <QString>

#include <optional>

// What the document commands need from the view around them. The view
// implements these over its widgets, the registry and the shell; tests fake
// them and record the calls.

struct CFileDialogRequest
{
    QString folder;        // initial folder
    QString fileName;      // initial file name, may be empty
    QString filter;        // Qt form: "Text (*.x);;All (*.*)"
    QString defaultSuffix; // without the dot
    QString title;         // empty: the platform's own title
};

// Modal file choosers; read-only choices are hidden in both. Each answers the
// chosen full path, or nothing when the user cancelled.
class IFileDialogPort
{
public:
    virtual ~IFileDialogPort() = default;

    // The chosen file must exist.
    virtual std::optional<QString> ChooseFileToOpen(const CFileDialogRequest &request) = 0;
    // Asks before overwriting an existing file.
    virtual std::optional<QString> ChooseFileToSave(const CFileDialogRequest &request) = 0;
};

// The busy cursor; begin and end come in pairs and may nest.
class IWaitCursorPort
{
public:
    virtual ~IWaitCursorPort() = default;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};

class CWaitCursor
{
public:
    explicit CWaitCursor(IWaitCursorPort &port)
        : m_port(port)
    {
        m_port.BeginWaitCursor();
    }
    ~CWaitCursor() { m_port.EndWaitCursor(); }
    CWaitCursor(const CWaitCursor &) = delete;
    CWaitCursor &operator=(const CWaitCursor &) = delete;

private:
    IWaitCursorPort &m_port;
};

// String values of the current user's registry hive; key paths keep their
// Windows spelling ("Software\\Talvik\\Provana\\").
class IKeyValueStorePort
{
public:
    virtual ~IKeyValueStorePort() = default;

    // Nothing when the key or the value is missing; never creates the key.
    virtual std::optional<QString> ReadString(const QString &key, const QString &name) = 0;
    virtual bool DeleteValue(const QString &key, const QString &name) = 0;
    // Creates the key when it is missing.
    virtual bool WriteString(const QString &key, const QString &name, const QString &value) = 0;
};

class IShellPort
{
public:
    virtual ~IShellPort() = default;

    // Opens a file with its default program, shown normally; false when
    // neither that nor any fallback viewer could be started.
    virtual bool OpenWithDefaultProgram(const QString &path) = 0;
    // Shows a text file in a simple viewer of the program's own; false when
    // it cannot be read.
    virtual bool ShowTextFile(const QString &path) = 0;
};
