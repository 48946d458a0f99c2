// Code outside the document that reaches a node of the document's tree and
// tries to change it. Built as it stands, it only reads; each WRITE variant
// adds one way of writing, and each must fail to compile.
#include "document/SettingsDocument.h"
#include "settings/SettingNode.h"

#include <QString>

int ReadTheTree(CSettingsDocument &document)
{
    const CSettingNode *root = document.GetRoot();
    int count = 0;
    for (const CSettingNode *category : root->Children()) {
        count += category->ChildCount();
        if (const CSettingNode *first = category->FindChild(category->GetType()))
            count += first->IsIncluded();
    }
#if WRITE == 1
    root->Children().front()->SetValue(QStringLiteral("x"));
#elif WRITE == 2
    for (CSettingNode *category : root->Children())
        category->SetIncludeFlag(1);
#elif WRITE == 3
    root->Children().front()->GetParent()->DeleteChildren();
#elif WRITE == 4
    CSettingNode *found = root->FindDescendant({1, 2});
    found->SetInclude(1, 1);
#endif
    return count;
}
