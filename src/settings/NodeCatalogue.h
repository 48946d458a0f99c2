#pragma once

#include "settings/NodeTypes.h"

#include <span>

// Facts about each node type, one table per fact kind. Every rule of the
// settings tree reads them from here.

enum class ChoiceSource {
    None,
    Fixed,              // the identifiers listed in the catalogue row
    ConnectionSpeeds,   // fixed, filtered by the data call's other settings
    AccessPointNames,   // ConnectionName of every IAPConnection
    MailboxNames,       // MailboxName of every Mailbox
    CentreNames,        // CentreName of every SMSCentre
    WAPConnectionNames, // ConnectionName of every WAPConnection
};

// The longest value of a field that names no limit of its own.
inline constexpr int kDefaultMaxLength = 1024;
// The characters of a phone number that names no set of its own.
inline constexpr const char16_t *kDefaultPhoneCharacters = u"0123456789pPwW+*#-()/ .";

struct NodeTypeInfo
{
    unsigned labelId = 0;              // 0: no label and no element name
    int editorKind = EditorKind::None; // how a node of the type is made to be edited
    bool mandatory = false;
    bool characterData = false;        // written as CDATA
    int scrambledUnits = -1;           // fixed password length in the file; -1: the value's length
    int maxLength = kDefaultMaxLength; // longest value, in UTF-16 units
    const char16_t *phoneCharacters = kDefaultPhoneCharacters;
    const char16_t *refusedCharacters = u""; // that a text may not hold
    ChoiceSource choices = ChoiceSource::None;
    std::span<const unsigned> fixedChoices; // string identifiers, in offer order
};

const NodeTypeInfo &NodeTypeInfoOf(int type);
bool IsValidNodeType(int type);

// Categories whose children are named items made from a template.
struct ItemRole
{
    int category;
    int item;
    int itemTemplate;
    int nameField;
};

std::span<const ItemRole> ItemRoles();
const ItemRole *RoleOfCategory(int type);
const ItemRole *RoleOfItem(int type);
const ItemRole *RoleOfTemplate(int type);
const ItemRole *RoleOfNameField(int type);

inline bool IsItemType(int type)
{
    return RoleOfItem(type) != nullptr;
}
inline bool IsTemplateType(int type)
{
    return RoleOfTemplate(type) != nullptr;
}
inline bool IsNameFieldType(int type)
{
    return RoleOfNameField(type) != nullptr;
}

bool IsCategoryType(int type);
// Nodes whose value names another item.
bool IsReferenceType(int type);
// Bookmark lists and file lists: their include flag follows their entries.
bool IsEntryListType(int type);
bool IsBookmarkListType(int type);
bool IsFileListType(int type);
// The file list types, in the order they are shown.
std::span<const int> FileListTypes();

// How the entries of a file list are made: their node type and, for the
// Files category, the types of an entry's PC path and phone folder (0 for
// the lists whose entry holds the path itself).
struct FileListRole
{
    int listType;
    int entryType;
    int localType;
    int remoteType;
};
// The role of a file list type, also of the unnamed list no file names;
// null for any other type.
const FileListRole *FileListRoleOf(int type);
// The type of the items or entries that a category or list holds, each an
// element of its own in a file (a file entry that holds only its path is
// not one); -1 for a type that holds none.
int ItemTypeUnder(int type);
