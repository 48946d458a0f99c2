// How the host starts: its command line, the first start of an installation,
// and a second start that hands its file to the host that runs.
#include "ServerFixture.h"

#include "orvenet/host/HostCommandLine.h"
#include "orvenet/host/HostInstance.h"
#include "orvenet/host/ModuleRegistration.h"
#include "orvenet/sdk/OrvenetGuids.h"
#include "platform/com/Activation.h"
#include "platform/registry/Registry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QThread>

#include <vector>

namespace {

TEST(HostCommandLineTest, QtsOptionsAreLeftToQtAndOneFileIsTaken)
{
    using Kind = CHostCommandLine::Kind;
    const struct
    {
        std::vector<const char *> arguments;
        Kind kind;
        const char *argument;
    } cases[] = {
        {{}, Kind::Run, ""},
        {{"a.xml"}, Kind::Run, "a.xml"},
        {{"-style", "Fusion", "a.xml"}, Kind::Run, "a.xml"},
        {{"a.xml", "-platform", "offscreen", "-reverse"}, Kind::Run, "a.xml"},
        {{"-style=Fusion", "--reverse", "-"}, Kind::Run, "-"},
        {{"-style"}, Kind::Usage, ""},
        {{"a.xml", "b.xml"}, Kind::Usage, ""},
        {{"--bogus"}, Kind::Usage, ""},
        {{"-stylefusion"}, Kind::Usage, ""},
        {{"--register", "m.so"}, Kind::Register, "m.so"},
        {{"--unregister", "m.so"}, Kind::Unregister, "m.so"},
        {{"--register", "m.so", "x"}, Kind::Usage, ""},
    };
    for (const auto &c : cases) {
        std::vector<const char *> argv = {"orvenet"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        const CHostCommandLine line = ParseHostCommandLine(int(argv.size()), argv.data());
        EXPECT_EQ(line.kind, c.kind) << argv.size() << ' ' << argv.back();
        EXPECT_EQ(line.argument, QString::fromLatin1(c.argument)) << argv.back();
    }
}

using HostStartTest = ServerTest;

QString ClassKey(const CLSID &clsid)
{
    return QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\") + QString::fromStdString(FormatGuid(clsid));
}

TEST_F(HostStartTest, TheFirstStartOfAnInstallationRegistersOnlyWhatIsMissingOrGone)
{
    // Two installations; only the folder of programs beside a plug-in counts.
    const auto install = [&](const QString &name) {
        const QString root = m_folder.path() + u'/' + name;
        EXPECT_TRUE(QDir().mkpath(root + "/bin") && QDir().mkpath(root + "/lib/provana"));
        for (const char *file : {"Provix.so", "ProvixLang.so"})
            EXPECT_TRUE(QFile::copy(Program(file), root + "/lib/provana/" + file));
        QFile server(root + "/bin/orvenet-server");
        EXPECT_TRUE(server.open(QIODevice::WriteOnly));
        return root;
    };
    const QString first = install("first"), second = install("second");
    CRegistry registry;
    EXPECT_FALSE(RegisterInstallation(first + "/lib/provana"));
    EXPECT_TRUE(registry.SubKeys("HKEY_CLASSES_ROOT").isEmpty());

    const auto registered = [&] {
        CLSID clsid{};
        if (FAILED(ClsidFromProgId(u"Talvik.ProvixView", &clsid)) ||
            !registry.KeyExists(
                "HKEY_LOCAL_MACHINE\\Software\\Talvik\\Orvenet6\\Framework\\PlugIns\\"
                "Talvik.ProvixView"))
            return QStringList();
        return QStringList{
            registry.GetValue(ClassKey(clsid) + "\\InprocServer32").value_or(""),
            registry.GetValue(ClassKey(CLSID_ConnectivityServer) + "\\LocalServer32").value_or("")};
    };
    ASSERT_TRUE(RegisterInstallation(first + "/bin"));
    const QStringList firstFiles = {first + "/lib/provana/Provix.so",
                                    first + "/bin/orvenet-server"};
    EXPECT_EQ(registered(), firstFiles);
    EXPECT_TRUE(RegisterInstallation(second + "/bin"));
    EXPECT_EQ(registered(), firstFiles) << "a working registration is kept";

    ASSERT_TRUE(QFile::remove(first + "/lib/provana/Provix.so"));
    EXPECT_TRUE(RegisterInstallation(second + "/bin"));
    EXPECT_EQ(registered(),
              (QStringList{second + "/lib/provana/Provix.so", first + "/bin/orvenet-server"}));
    ASSERT_TRUE(QFile::remove(first + "/bin/orvenet-server"));
    EXPECT_TRUE(RegisterInstallation(second + "/bin"));
    EXPECT_EQ(registered().value(1), second + "/bin/orvenet-server");
}

// Polls until done() holds, for at most ten seconds.
template<class Done>
bool WaitUntil(Done done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.hasExpired(10000))
            return false;
        QThread::msleep(50);
    }
    return true;
}

TEST_F(HostStartTest, ASecondStartHandsItsFileToTheRunningHostWhoseViewOpensIt)
{
    const auto run = [&](const QStringList &arguments, QString *error = nullptr) {
        QProcess process;
        process.start(Program("orvenet"), arguments);
        process.waitForFinished(20000);
        if (error)
            *error = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    };
    QString error;
    EXPECT_EQ(run({"one.xml", "two.xml"}, &error), 2);
    EXPECT_TRUE(error.startsWith("Usage: orvenet")) << qPrintable(error);
    ASSERT_EQ(run({"--register", Program("Provix.so")}), 0);
    const QString file = m_folder.path() + "/asked.xml";
    QProcess provana;
    provana.start(Program("provana"), {"new", file});
    ASSERT_TRUE(provana.waitForFinished(10000) && provana.exitCode() == 0);

    QProcess host;
    host.start(Program("orvenet"), {"-platform", "offscreen"});
    ASSERT_TRUE(host.waitForStarted(5000));
    const auto stop = qScopeGuard([&] {
        host.kill();
        host.waitForFinished(5000);
    });
    ASSERT_TRUE(WaitUntil([] { return QFileInfo::exists(CHostInstance::SocketPath()); }));

    EXPECT_EQ(run({"-platform", "offscreen", "-reverse", file}), 0);
    EXPECT_FALSE(host.waitForFinished(100)) << "the first host runs on";
    // The view consumes the request when it opens the file.
    CRegistry registry;
    const QString key = "HKEY_CURRENT_USER\\Software\\Talvik\\Provana";
    EXPECT_TRUE(WaitUntil([&] { return !registry.GetValue(key, "RequestFile"); }))
        << qPrintable(registry.GetValue(key, "RequestFile").value_or(""));
}

} // namespace
