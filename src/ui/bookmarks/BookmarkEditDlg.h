#pragma once

#include "bookmarks/BookmarkList.h"

#include <QDialog>

class CApplication;
class CSettingNode;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// Edits one bookmark of a bookmark list. OK is enabled exactly when the
// fields pass the list's checks, and the first failing check is said below
// the fields; reached anyway (Enter), OK shows it and keeps the dialog open.
class CBookmarkEditDlg : public QDialog
{
    Q_OBJECT

public:
    // ownIndex: the record edited, -1 for a new one.
    CBookmarkEditDlg(const CApplication *application, const CBookmarkList &list, int ownIndex,
                     QWidget *parent);

    virtual void SetRecord(const CBookmark &record);
    virtual CBookmark GetRecord() const;

    void accept() override;

signals:
    void helpRequested(int context);

protected:
    QLineEdit *AddLineEdit(unsigned label, int id, int maxLength);
    QFormLayout *Fields() const { return m_fields; }
    void UpdateOk();
    bool IsNewRecord() const { return m_ownIndex < 0; }

    const CApplication *m_application;

private:
    const CBookmarkList &m_list;
    int m_ownIndex;
    QFormLayout *m_fields;
    QLabel *m_reason;
    QLineEdit *m_name;
    QLineEdit *m_url;
    QPushButton *m_ok = nullptr;
};

// A WWW bookmark: its name and URL.
class CWwwBookmarkDlg : public CBookmarkEditDlg
{
    Q_OBJECT

public:
    CWwwBookmarkDlg(const CApplication *application, const CBookmarkList &list, int ownIndex,
                    QWidget *parent = nullptr);
};

// A WAP bookmark: also the WAP connection it uses, chosen among the list
// node's choices, and a user name and password.
class CWapBookmarkDlg : public CBookmarkEditDlg
{
    Q_OBJECT

public:
    CWapBookmarkDlg(const CApplication *application, const CSettingNode &listNode,
                    const CBookmarkList &list, int ownIndex, QWidget *parent = nullptr);

    void SetRecord(const CBookmark &record) override;
    CBookmark GetRecord() const override;

private:
    QComboBox *m_connection;
    QLineEdit *m_userName = nullptr;
    QLineEdit *m_password = nullptr;
};
