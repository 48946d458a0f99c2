#pragma once

#include "settings/Application.h"

#include <memory>

class CSettingNode;

// The application of a benchmark run, with the real language library when it
// lies next to the program, and the trees it works on.
class CBenchTree
{
public:
    CBenchTree();
    ~CBenchTree();
    CBenchTree(const CBenchTree &) = delete;
    CBenchTree &operator=(const CBenchTree &) = delete;

    bool HasLanguageLibrary() const { return m_hasLanguageLibrary; }

    // A fresh root with its default content in the run's application, as a
    // document reset leaves it.
    static std::unique_ptr<CSettingNode> NewRoot();
    static CApplication *Application();

private:
    CApplication m_application;
    bool m_hasLanguageLibrary = false;
};
