// Shows the settings tree control on a small configuration, to look at it
// by eye or take a screenshot:
//   tree_preview [--dark] [--screenshot FILE [--unfocused]]
#include "document/IncludeToggle.h"
#include "language/LanguageTexts.h"
#include "platform/LanguageLibrary.h"
#include "settings/Application.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "ui/editor/SettingsTreeCtrl.h"
#include "ui/editor/SettingsTreeModel.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPalette>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

CSettingNode *AddItem(CSettingNode *root, int category, int templateType, int nameType,
                      const QString &name)
{
    CSettingNode *item = root->FindChild(category)->FindChild(templateType);
    item->FindChild(nameType)->SetValue(name);
    return item;
}

QPalette DarkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(45, 45, 48));
    palette.setColor(QPalette::WindowText, QColor(220, 220, 220));
    palette.setColor(QPalette::Base, QColor(30, 30, 32));
    palette.setColor(QPalette::AlternateBase, QColor(40, 40, 44));
    palette.setColor(QPalette::Text, QColor(220, 220, 220));
    palette.setColor(QPalette::Button, QColor(55, 55, 60));
    palette.setColor(QPalette::ButtonText, QColor(220, 220, 220));
    palette.setColor(QPalette::Light, QColor(80, 80, 86));
    palette.setColor(QPalette::Midlight, QColor(66, 66, 72));
    palette.setColor(QPalette::Mid, QColor(90, 90, 98));
    palette.setColor(QPalette::Dark, QColor(20, 20, 22));
    palette.setColor(QPalette::Highlight, QColor(38, 100, 170));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 126));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 126));
    return palette;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setStyle(QStyleFactory::create("Fusion"));
    QCommandLineParser parser;
    parser.addOption({"dark", "Use a dark palette."});
    parser.addOption({"screenshot", "Write a screenshot to FILE and quit.", "FILE"});
    parser.addOption({"unfocused", "Take the screenshot without the focus on the tree."});
    parser.process(app);
    if (parser.isSet("dark"))
        app.setPalette(DarkPalette());

    CApplication application;
    if (!LoadLanguageLibrary(application)) {
        std::fprintf(stderr, "cannot load %s\n", kLanguageLibraryName);
        return 1;
    }
    const auto *library = LanguageLibraryOf(application);

    auto root = std::make_unique<CSettingNode>(&application);
    root->SetType(NodeType::Root);
    root->CreateDefaultContent();
    CSettingNode *office = AddItem(root.get(), NodeType::IAPSettings, NodeType::IAPTemplate,
                                   NodeType::IAPConnectionName, "Office");
    AddItem(root.get(), NodeType::IAPSettings, NodeType::IAPTemplate, NodeType::IAPConnectionName,
            "Home dial-up with a rather long name that does not fit");
    CSettingNode *work = AddItem(root.get(), NodeType::EMailSettings, NodeType::MailboxTemplate,
                                 NodeType::MailboxName, "Work");
    AddItem(root.get(), NodeType::EMailSettings, NodeType::MailboxTemplate, NodeType::MailboxName,
            "Private");
    office->FindChild(NodeType::IAPPhoneNumber)->SetValue("+358 9 123 4567");
    office->FindChild(NodeType::IAPUsername)->SetValue("alice");
    office->FindChild(NodeType::IAPPassword)->SetValue("secret");
    ToggleInclude(office->FindChild(NodeType::IAPUsername));
    work->FindChild(NodeType::RetrieveMail)->FindChild(NodeType::MessageMaxSize)->SetValue("300");
    work->FindChild(NodeType::EMailAddress)->SetValue("alice@example.com");
    ToggleInclude(work->FindChild(NodeType::EMailAddress));

    CSettingsTreeCtrl tree([library](unsigned id) { return library->LoadImage(id); });
    tree.setWindowTitle("Provana settings tree");
    tree.resize(720, 860);
    tree.SetFontHeight(tree.fontMetrics().height());
    tree.Fill(root.get());
    CSettingsTreeModel *model = tree.Model();
    tree.expand(model->IndexOf(root->FindChild(NodeType::IAPSettings)));
    tree.expand(model->IndexOf(office));
    tree.expand(model->IndexOf(office->FindChild(NodeType::Proxies)));
    tree.expand(model->IndexOf(office->FindChild(NodeType::AddressOptions)));
    tree.expand(model->IndexOf(root->FindChild(NodeType::EMailSettings)));
    tree.expand(model->IndexOf(work));
    tree.expand(model->IndexOf(work->FindChild(NodeType::RetrieveMail)));
    tree.selectionModel()->setCurrentIndex(model->IndexOf(office->FindChild(NodeType::IAPPassword)),
                                           QItemSelectionModel::ClearAndSelect |
                                               QItemSelectionModel::Rows);
    tree.selectionModel()->select(model->IndexOf(office->FindChild(NodeType::IAPUsername)),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    tree.show();
    tree.setFocus();

    int result = 0;
    if (parser.isSet("screenshot")) {
        QTimer::singleShot(300, &tree, [&] {
            tree.activateWindow();
            tree.setFocus();
            QTimer::singleShot(200, &tree, [&] {
                if (parser.isSet("unfocused"))
                    tree.clearFocus();
                if (!tree.grab().save(parser.value("screenshot")))
                    result = 1;
                app.quit();
            });
        });
    }
    const int loop = app.exec();
    tree.Clear();
    return result ? result : loop;
}
