#include "BenchLoads.h"

#include "BenchTree.h"

#include "config/ConfigReader.h"
#include "settings/SettingNode.h"
#include "validate/TreeCheck.h"

#include "PugixmlWalk.h"

#include <QFile>

std::unique_ptr<CSettingNode> LoadOurs(const QString &path)
{
    std::unique_ptr<CSettingNode> root = CBenchTree::NewRoot();
    int parseFailed = 0;
    if (!LoadConfigurationFile(root.get(), path, parseFailed))
        return nullptr;
    CheckTree(root.get(), nullptr, false, true);
    root->Normalise();
    return root;
}

long LoadPugixml(pugi::xml_document &document, const QString &path)
{
    if (!document.load_file(QFile::encodeName(path).constData()))
        return -1;
    size_t touched = 0;
    const long nodes = WalkPugixml(document, touched);
    return touched > 0 ? nodes : -1;
}
