#pragma once

#include <QString>

#include <memory>

class CSettingNode;
namespace pugi {
class xml_document;
}

// Opens the file as the program opens a configuration: a reset tree, the
// load, the check after loading. Null when the file did not load.
std::unique_ptr<CSettingNode> LoadOurs(const QString &path);

// Loads the file with pugixml and touches every node's name and text;
// returns the number of nodes, -1 when the file did not load.
long LoadPugixml(pugi::xml_document &document, const QString &path);
