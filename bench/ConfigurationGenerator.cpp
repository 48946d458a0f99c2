#include "ConfigurationGenerator.h"

#include "settings/BulkLoad.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"

#include <QString>

#include <initializer_list>

namespace {

using namespace NodeType;

void Set(CSettingNode *item, std::initializer_list<int> path, const QString &value,
         bool include = false)
{
    CSettingNode *field = item->FindDescendant(path);
    field->SetValue(value);
    if (include)
        field->SetInclude(1, 1);
}

// Names the category's template, which turns it into the next item.
CSettingNode *NewItem(CSettingNode *root, int category, int templateType, int nameField,
                      const QString &name)
{
    CSettingNode *item = root->FindDescendant({category, templateType});
    item->FindChild(nameField)->SetValue(name);
    item->SetInclude(1, 1);
    item->FindChild(nameField)->SetInclude(1, 1);
    return item;
}

QString AccessPointName(int i)
{
    return QStringLiteral("Access point %1").arg(i, 5, 10, QLatin1Char('0'));
}

void AddAccessPoint(CSettingNode *root, int i)
{
    CSettingNode *item =
        NewItem(root, IAPSettings, IAPTemplate, IAPConnectionName, AccessPointName(i));
    Set(item, {IAPPhoneNumber}, QStringLiteral("+35840%1").arg(1000000 + i), true);
    Set(item, {IAPUsername}, QStringLiteral("user%1").arg(i), true);
    Set(item, {IAPPassword}, QStringLiteral("pw%1").arg(i));
    Set(item, {Proxies, HTTPProxyServer}, QStringLiteral("proxy%1.example.com").arg(i % 97));
}

void AddMailbox(CSettingNode *root, int i, int n)
{
    CSettingNode *item = NewItem(root, EMailSettings, MailboxTemplate, MailboxName,
                                 QStringLiteral("Mail %1").arg(i));
    Set(item, {MailboxOwnerName}, QStringLiteral("Owner %1").arg(i), true);
    Set(item, {MailboxUsername}, QStringLiteral("owner%1").arg(i), true);
    Set(item, {MailboxPassword}, QStringLiteral("mailpw%1").arg(i));
    Set(item, {EMailAddress}, QStringLiteral("owner%1@mail.example.com").arg(i), true);
    Set(item, {MailboxUseConnection}, AccessPointName((i * 7) % n), true);
    Set(item, {Servers, InServer}, QStringLiteral("in%1.example.com").arg(i % 13));
    Set(item, {Servers, OutServer}, QStringLiteral("out%1.example.com").arg(i % 13));
    Set(item, {Advanced, Signature}, QStringLiteral("Regards,\nOwner %1").arg(i));
}

void AddWapConnection(CSettingNode *root, int i, int n)
{
    CSettingNode *item =
        NewItem(root, WAPSettings, WAPTemplate, WAPConnectionName, QStringLiteral("WAP %1").arg(i));
    Set(item, {WAPUseConnection}, AccessPointName((i * 3) % n), true);
}

void AddBookmark(CSettingNode *list, int i)
{
    CSettingNode *bookmark = list->AddChild(QString(), EditorKind::None, WWWBookmark);
    bookmark->CreateDefaultContent();
    Set(bookmark, {WWWBookmarkName}, QStringLiteral("Bookmark %1").arg(i));
    Set(bookmark, {WWWBookmarkURL},
        QStringLiteral("http://www%1.example.com/news/%2.html").arg(i % 101).arg(i));
}

} // namespace

void GenerateConfiguration(CSettingNode *root, int n)
{
    // Naming outside a load refreshes every reference of the tree and scans
    // the category for duplicates each time; one bulk scope keeps generating
    // the largest configuration in seconds and answers the same.
    CBulkLoad bulk(root);
    for (int i = 0; i < n; ++i)
        AddAccessPoint(root, i);
    for (int i = 0; i < n; ++i)
        AddMailbox(root, i, n);
    for (int i = 0; i < n; ++i)
        AddWapConnection(root, i, n);
    CSettingNode *bookmarks = root->FindDescendant({PersonalData, WWWBookmarks});
    for (int i = 0; i < 10 * n; ++i)
        AddBookmark(bookmarks, i);
    bulk.Finish();

    Set(root, {IAPSettings, PreferredConnection}, AccessPointName(0), true);
    Set(root, {EMailSettings, PreferredMailbox}, QStringLiteral("Mail 0"), true);
    for (int category : {IAPSettings, EMailSettings, WAPSettings, PersonalData})
        root->FindChild(category)->SetInclude(1, 1);
    bookmarks->SetInclude(1, 1);
}

void GenerateAccessPoints(CSettingNode *root, int n)
{
    CBulkLoad bulk(root);
    for (int i = 0; i < n; ++i)
        AddAccessPoint(root, i);
    bulk.Finish();
    root->FindChild(IAPSettings)->SetInclude(1, 1);
}
