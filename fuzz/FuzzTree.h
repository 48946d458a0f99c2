#pragma once

#include "settings/Application.h"

#include <memory>

class CSettingNode;

// The application a fuzz run works in, made once: the real language library
// when it lies next to the program, no message port.
class CFuzzTree
{
public:
    CFuzzTree();
    CFuzzTree(const CFuzzTree &) = delete;
    CFuzzTree &operator=(const CFuzzTree &) = delete;

    // A fresh root with its default content, made the current root, as a
    // document reset leaves it. The previous root is destroyed first.
    CSettingNode *Reset();

private:
    CApplication m_application;
    std::unique_ptr<CSettingNode> m_root;
};
