#pragma once

#include <QDialog>
#include <QString>

class CApplication;
class QPlainTextEdit;

// Edits an e-mail signature or a login script. The value keeps one line feed
// per line break. The document's multi-line limit of the mode's node type
// holds the text while typing and cuts a file's text when it is loaded.
class CMultilineTextDlg : public QDialog
{
    Q_OBJECT

public:
    enum Mode : int { SignatureMode = 0, ScriptMode = 1 };

    explicit CMultilineTextDlg(const CApplication *application, QWidget *parent = nullptr);
    ~CMultilineTextDlg() override;

    void SetMode(int mode);
    int GetMode() const { return m_mode; }
    // The help topic of the mode.
    int HelpContext() const;
    // Shows text in the field; what OK stores is read back with GetText.
    void SetText(const QString &text);
    QString GetText() const { return m_text; }
    // The caller's current folder, where the first file chooser starts.
    void SetFolder(const QString &folder) { m_folder = folder; }
    // Replaces the field by the text of the file, cut to the mode's limit.
    // False when the file cannot be opened; the field is then untouched.
    bool LoadFile(const QString &path);

    // Every CR LF and every lone CR becomes a line feed.
    static QString ToStoredForm(const QString &text);
    // The folder of the last file loaded, where the file chooser starts
    // when there is one; the owner keeps it from one dialog to the next.
    QString GetRememberedFolder() const { return m_rememberedFolder; }
    void SetRememberedFolder(const QString &folder) { m_rememberedFolder = folder; }

    void accept() override;

signals:
    // The help button or F1 asks for the topic of HelpContext(); the owner
    // opens it.
    void helpRequested(int context);

private:
    int NodeTypeOfMode() const;
    QString FieldText() const;
    void ShowInField(const QString &storedText);
    void LimitTypedText();
    void ChooseFile();

    const CApplication *m_application;
    QString m_folder;
    QString m_rememberedFolder;
    QPlainTextEdit *m_edit;
    QString m_text;
    int m_mode = SignatureMode;
    bool m_limiting = false;
    int m_lastMeasure = 0;
};
