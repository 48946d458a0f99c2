#pragma once

#include "orvenet/sdk/ViewPlugin.h"
#include "platform/com/Activation.h"
#include "platform/com/ComExports.h"
#include "platform/com/ComPtr.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <dlfcn.h>

// Each test gets a registry of its own, in which the module registers itself
// before the test activates the plug-in the way the host does: by ProgID,
// through the class's registered module.
class PlugInFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_registry.isValid());
        qputenv("TALVIK_REGISTRY", QFile::encodeName(m_registry.path()));
        m_module = dlopen(QFile::encodeName(ModulePath()).constData(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_module, nullptr) << dlerror();
        ASSERT_EQ(Entry<DllRegisterServerFunction>(kDllRegisterServer)(), S_OK);
    }

    void TearDown() override
    {
        if (m_module)
            dlclose(m_module);
        qunsetenv("TALVIK_REGISTRY");
    }

    static QString ModulePath()
    {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/Provix.so");
    }

    template<class Function>
    Function Entry(const char *name)
    {
        return reinterpret_cast<Function>(dlsym(m_module, name));
    }

    CComPtr<IViewPlugin> CreatePlugIn()
    {
        CLSID clsid{};
        EXPECT_EQ(ClsidFromProgId(u"Talvik.ProvixView", &clsid), S_OK);
        CComPtr<IViewPlugin> plugIn;
        EXPECT_EQ(CreateInstance(clsid, nullptr, plugIn), S_OK);
        return plugIn;
    }

    QTemporaryDir m_registry;
    void *m_module = nullptr;
};
