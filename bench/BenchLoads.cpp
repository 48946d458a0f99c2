#include "BenchLoads.h"

#include "BenchTree.h"

#include "config/ConfigReader.h"
#include "settings/SettingNode.h"
#include "validate/TreeCheck.h"

#include <pugixml.hpp>

#include <QFile>

#include <cstring>

namespace {

long Walk(const pugi::xml_node &node, size_t &touched)
{
    long count = 0;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        touched += std::strlen(child.name()) + std::strlen(child.value());
        count += 1 + Walk(child, touched);
    }
    return count;
}

} // namespace

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
    const long nodes = Walk(document, touched);
    return touched > 0 ? nodes : -1;
}
