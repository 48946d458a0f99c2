// Opens every dialog of the program in the language the desktop (or
// PROVANA_LANGUAGE) picks, saves a picture of each and reports every text
// that does not fit its control:
//   dialog_shots OUTDIR [CONFIGURATION TABLE]
// The problems panel and Make Variants show CONFIGURATION and TABLE, or else
// a configuration and a table of their own with values that fail.
// Exits with 1 when a text is cut. tools/screenshots runs it per language.
#include "bookmarks/BookmarkList.h"
#include "document/SettingsDocument.h"
#include "filetransfer/FileList.h"
#include "language/LanguageTexts.h"
#include "paint/ListingPainter.h"
#include "platform/LanguageLibrary.h"
#include "print/PrintListing.h"
#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/NodeTypes.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"
#include "ui/bookmarks/BookmarkEditDlg.h"
#include "ui/bookmarks/BookmarkListDlg.h"
#include "ui/bookmarks/BookmarkSourceDlg.h"
#include "ui/controls/ControlIds.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/dialogs/PasswordConfirmDlg.h"
#include "ui/dialogs/QuestionDlg.h"
#include "ui/editor/MultilineTextDlg.h"
#include "ui/filetransfer/FileEntryDlg.h"
#include "ui/filetransfer/FileListDlg.h"
#include "ui/print/CustomPrint.h"
#include "ui/print/ListingPrint.h"
#include "ui/print/ViewPrintPreview.h"
#include "ui/problems/ProblemsModel.h"
#include "ui/problems/ProblemsPanel.h"
#include "ui/send/CallbackImpl.h"
#include "ui/send/SendDlg.h"
#include "ui/send/SendProgressDlg.h"
#include "ui/variants/VariantsDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

// Every text of the widget that is wider than the room it has, as
// "object: text (needs N, has M)".
QStringList CutTexts(const QWidget *top)
{
    QStringList cuts;
    auto report = [&cuts](const QWidget *widget, const QString &text, int needed, int has) {
        if (needed > has)
            cuts << QStringLiteral("%1 \"%2\": needs %3 pixels, has %4")
                        .arg(widget->objectName().isEmpty() ? widget->metaObject()->className()
                                                            : widget->objectName(),
                             text)
                        .arg(needed)
                        .arg(has);
    };
    for (const QLabel *label : top->findChildren<QLabel *>()) {
        if (label->isVisible() && !label->wordWrap() && !label->text().isEmpty())
            report(label, label->text(), label->minimumSizeHint().width(), label->width());
    }
    for (const QAbstractButton *button : top->findChildren<QAbstractButton *>()) {
        if (button->isVisible() && !button->text().isEmpty())
            report(button, button->text(), button->minimumSizeHint().width(), button->width());
    }
    for (const QComboBox *combo : top->findChildren<QComboBox *>()) {
        if (combo->isVisible())
            report(combo, combo->currentText(), combo->minimumSizeHint().width(), combo->width());
    }
    for (const QGroupBox *group : top->findChildren<QGroupBox *>()) {
        if (group->isVisible() && !group->title().isEmpty())
            report(group, group->title(), group->minimumSizeHint().width(), group->width());
    }
    for (const QHeaderView *header : top->findChildren<QHeaderView *>()) {
        if (!header->isVisible())
            continue;
        for (int section = 0; section < header->count(); ++section) {
            const QString text =
                header->model()->headerData(section, header->orientation()).toString();
            const int margin =
                2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
            report(header, text, header->fontMetrics().horizontalAdvance(text) + margin,
                   header->sectionSize(section));
        }
    }
    return cuts;
}

CSettingNode *AddItem(CSettingNode *root, int category, int templateType, int nameType,
                      const QString &name)
{
    CSettingNode *item = root->FindChild(category)->FindChild(templateType);
    item->FindChild(nameType)->SetValue(name);
    return item;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication qtApplication(argc, argv);
    const QStringList arguments = qtApplication.arguments();
    if (arguments.size() != 2 && arguments.size() != 4) {
        std::fputs("usage: dialog_shots OUTDIR [CONFIGURATION TABLE]\n", stderr);
        return 2;
    }
    const QDir folder(arguments[1]);
    QDir().mkpath(folder.path());

    CApplication application;
    if (!LoadLanguageLibrary(application)) {
        std::fprintf(stderr, "cannot load %s\n", qPrintable(ChooseLanguageLibrary().path));
        return 2;
    }
    const CApplication *texts = &application;
    auto root = std::make_unique<CSettingNode>(&application);
    root->SetType(NodeType::Root);
    root->CreateDefaultContent();
    AddItem(root.get(), NodeType::IAPSettings, NodeType::IAPTemplate, NodeType::IAPConnectionName,
            QStringLiteral("Office"));
    AddItem(root.get(), NodeType::WAPSettings, NodeType::WAPTemplate, NodeType::WAPConnectionName,
            QStringLiteral("Gateway"));
    CSettingNode *personal = root->FindChild(NodeType::PersonalData);
    const CSettingNode &www = *personal->FindChild(NodeType::WWWBookmarks);
    const CSettingNode &wap = *personal->FindChild(NodeType::WAPBookmarks);
    const CSettingNode *transfer = root->FindChild(NodeType::FileTransfer);
    const CSettingNode &tones = *transfer->FindChild(NodeType::RingingTones);
    const CSettingNode &files = *transfer->FindChild(NodeType::Files);
    const CBookmarkList wwwList(www);
    const CBookmarkList wapList(wap);
    const CFileList fileList(files);
    QPrinter printer(QPrinter::HighResolution);
    CCallbackImpl *callback = new CCallbackImpl;
    callback->AddRef();

    CSettingsDocument document(&application);
    QString table = folder.filePath(QStringLiteral("variants.csv"));
    if (arguments.size() == 4) {
        table = arguments[3];
        const auto opened = document.Open(arguments[2]);
        if (opened != CSettingsDocument::OpenResult::Opened &&
            opened != CSettingsDocument::OpenResult::Repaired) {
            std::fprintf(stderr, "cannot open %s\n", qPrintable(arguments[2]));
            return 2;
        }
    } else {
        // An access point without its phone number, and a table with a good
        // row, a refused one and a long message.
        document.Reset();
        document.EditValue(
            document.GetRoot()->FindDescendant(
                {NodeType::IAPSettings, NodeType::IAPTemplate, NodeType::IAPConnectionName}),
            QStringLiteral("Office"));
        QFile file(table);
        if (!file.open(QIODevice::WriteOnly))
            return 2;
        file.write("file,IAPSettings/IAPConnection[Office]/PhoneNumber,"
                   "IAPSettings/IAPConnection[Office]/Proxies/HTTPUseProxy\n"
                   "alice,0401,Yes\nbob,0402,Maybe\n,0403,\n");
    }

    using Make = std::function<std::unique_ptr<QWidget>()>;
    const std::pair<const char *, Make> dialogs[] = {
        {"about",
         [&] {
             return std::make_unique<CAboutDlg>(texts);
         }},
        {"password",
         [&] {
             return std::make_unique<CPasswordConfirmDlg>(texts);
         }},
        {"question",
         [&] {
             auto dialog = std::make_unique<CQuestionDlg>(texts);
             dialog->SetButtonMask(CQuestionDlg::Skip | CQuestionDlg::Replace |
                                   CQuestionDlg::Retry | CQuestionDlg::Cancel);
             dialog->SetText(QStringLiteral("C:\\Documents\\Tones\\ring.mid"), true);
             return dialog;
         }},
        {"script",
         [&] {
             auto dialog = std::make_unique<CMultilineTextDlg>(texts);
             dialog->SetMode(CMultilineTextDlg::ScriptMode);
             return dialog;
         }},
        {"signature",
         [&] {
             return std::make_unique<CMultilineTextDlg>(texts);
         }},
        {"ringing-tones",
         [&] {
             return std::make_unique<CFileListDlg>(texts, tones);
         }},
        {"other-files",
         [&] {
             return std::make_unique<CFileListDlg>(texts, files);
         }},
        {"file-entry",
         [&] {
             return std::make_unique<CFileEntryDlg>(texts, fileList, -1);
         }},
        {"www-bookmarks",
         [&] {
             return std::make_unique<CBookmarkListDlg>(texts, www);
         }},
        {"wap-bookmarks",
         [&] {
             return std::make_unique<CBookmarkListDlg>(texts, wap);
         }},
        {"www-bookmark",
         [&] {
             return std::make_unique<CWwwBookmarkDlg>(texts, wwwList, -1);
         }},
        {"wap-bookmark",
         [&] {
             return std::make_unique<CWapBookmarkDlg>(texts, wap, wapList, -1);
         }},
        {"bookmark-import",
         [&] {
             return std::make_unique<CBookmarkSourceDlg>(texts);
         }},
        {"variants",
         [&] {
             auto dialog = std::make_unique<CVariantsDlg>(&application, document);
             dialog->findChild<QLineEdit *>(ControlObjectName(ControlId::VariantsTable))
                 ->setText(table);
             dialog->LoadTable();
             return dialog;
         }},
        {"problems",
         [&] {
             // About as wide as beside the tree of the host's first window.
             auto panel = std::make_unique<CProblemsPanel>(texts);
             panel->Model()->TreeReplaced(document.GetRoot());
             panel->Model()->Settle();
             panel->resize(360, 300);
             return panel;
         }},
        {"send",
         [&] {
             return std::make_unique<CSendDlg>(texts, root.get(), QString(), *callback);
         }},
        {"send-progress",
         [&] {
             auto dialog = std::make_unique<CSendProgressDlg>(texts);
             dialog->ShowProgress(
                 FormatLabel(texts, StringId::CopyingFile, {QStringLiteral("ring.mid")}), 40,
                 false);
             return dialog;
         }},
        {"print",
         [&] {
             return std::make_unique<CCustomPrint>(texts, &printer, PrintRange::Included);
         }},
        {"print-preview",
         [&] {
             auto preview = std::make_unique<CViewPrintPreview>(
                 &printer, LoadLabel(texts, StringId::PreviewTitle, true));
             QObject::connect(preview.get(), &QPrintPreviewDialog::paintRequested,
                              [&](QPrinter *target) {
                                  CListingJob job;
                                  job.application = texts;
                                  job.root = root.get();
                                  job.rangeMode = PrintRange::All;
                                  job.documentTitle = QStringLiteral("office.xml");
                                  PrintListing(*target, job);
                              });
             return preview;
         }},
    };

    const QString language = ChooseLanguageLibrary().language;
    QTextStream out(stdout);
    int cut = 0;
    for (const auto &[name, make] : dialogs) {
        std::unique_ptr<QWidget> dialog = make();
        dialog->show();
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        dialog->grab().save(folder.filePath(language + u'-' + QLatin1String(name) + ".png"));
        for (const QString &problem : CutTexts(dialog.get())) {
            out << language << ' ' << name << ": " << problem << '\n';
            ++cut;
        }
        dialog->hide();
    }
    callback->Release();
    out << language << ": " << std::size(dialogs) << " dialogs, " << cut << " cut texts\n";
    return cut ? 1 : 0;
}
