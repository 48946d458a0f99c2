#include "host/SettingsView.h"

#include "document/DocumentCommands.h"
#include "document/IncludeToggle.h"
#include "host/HostCommandIds.h"
#include "host/MessageBoxPort.h"
#include "host/ProvixApp.h"
#include "host/ServerActivation.h"
#include "platform/LanguageLibrary.h"
#include "platform/ProgramFolder.h"
#include "settings/Labels.h"
#include "settings/SettingNode.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/ShownLabel.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/editor/InPlaceEditing.h"
#include "ui/editor/SettingsTreeCtrl.h"
#include "ui/print/ViewPrinting.h"
#include "ui/problems/ProblemsModel.h"
#include "ui/problems/ProblemsPanel.h"
#include "ui/send/ViewSending.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QHideEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QStandardPaths>
#include <QStyle>
#include <QTextBrowser>

#include <algorithm>
#include <iterator>

namespace {

constexpr int kHeaderMargin = 8;
// The problems panel takes this share of the view's width, within limits.
constexpr int kProblemsPercent = 40;
constexpr int kProblemsMinWidth = 240;
} // namespace

CSettingsView::CSettingsView(CProvixApp &app, QWidget *parent)
    : QWidget(parent)
    , m_app(app)
    , m_fileDialogs(this)
    , m_normalFont(font())
    , m_boldFont(font())
    , m_headerLabel(ShownLabel(&app.Application(), HostTextId::HeaderLabel))
    , m_tree(new CSettingsTreeCtrl([&app](unsigned id) { return app.LoadImage(id); }, this))
    , m_problems(new CProblemsPanel(&app.Application(), this))
    , m_problemsAction(new QAction(ShownLabel(&app.Application(), StringId::ProblemsMenu), this))
{
    setObjectName(ControlObjectName(ControlId::SettingsView));
    m_boldFont.setWeight(QFont::Bold);
    m_tree->setObjectName(ControlObjectName(ControlId::SettingsTree));
    m_tree->setFont(m_normalFont);
    // The host gives the view the keyboard; the tree is what takes it.
    setFocusProxy(m_tree);

    const QFontMetrics metrics(m_normalFont);
    m_tree->SetFontHeight(metrics.height() + metrics.leading());

    CDocumentPorts ports;
    ports.fileDialogs = &m_fileDialogs;
    ports.waitCursor = &m_waitCursor;
    ports.store = &m_store;
    m_shell.SetOwner(this);
    ports.shell = &m_shell;
    ports.messages = app.Application().GetMessagePort();
    m_commands = std::make_unique<CDocumentCommands>(
        app.Document(), &app.Application(), ports, ProgramFolder(),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    m_tree->SetDocument(&app.Document());
    // After the tree's model, so the panel hears each report once the tree
    // shows it.
    app.Document().AddObserver(m_problems->Model());
    m_problems->Model()->TreeReplaced(app.Document().GetRoot());
    m_problems->hide();
    m_problemsAction->setCheckable(true);
    connect(m_problemsAction, &QAction::toggled, this, &CSettingsView::ShowProblems);
    connect(m_problems, &CProblemsPanel::hideRequested, this, [this] { ShowProblems(false); });
    connect(m_problems, &CProblemsPanel::settingActivated, this, &CSettingsView::EditSetting);
    m_tree->Editing()->SetFolderSource([this] { return m_commands->CurrentFolder(); });
    m_printing = std::make_unique<CViewPrinting>(&app.Application(), this, m_tree,
                                                 [this] { return m_commands->FileName(); });
    m_sending = std::make_unique<CViewSending>(&app.Application(), this, nullptr);
    m_sending->SetServerFactory(ActivateConnectivityServer);
    m_sending->SetRefusalListener([this] {
        ShowProblems(true);
        m_problems->OpenOn(nullptr);
    });

    connect(m_tree, &CSettingsTreeCtrl::helpRequested, this,
            [this](int context) { ShowHelp(context); });
    connect(m_tree, &CSettingsTreeCtrl::newRequested, this,
            [this] { ExecuteCommand(CommandId::New); });
    connect(m_tree, &CSettingsTreeCtrl::sendRequested, this,
            [this] { ExecuteCommand(CommandId::MenuSend); });
    connect(m_tree, &CSettingsTreeCtrl::printRequested, this,
            [this] { ExecuteCommand(CommandId::FramePrint); });

    if (auto *messages = dynamic_cast<CMessageBoxPort *>(app.Application().GetMessagePort()))
        messages->SetParent(this);
}

CSettingsView::~CSettingsView()
{
    m_printing.reset();
    delete m_help;
    // The rows point at nodes of the document, which outlives the view.
    m_app.Document().RemoveObserver(m_problems->Model());
    m_tree->Clear();
}

void CSettingsView::SetServerCallback(CCallbackImpl *callback)
{
    m_sending->SetCallback(callback);
}

QWidget *CSettingsView::ModalChild() const
{
    // Dialogs are windows of their own, which isAncestorOf does not cross.
    QWidget *modal = QApplication::activeModalWidget();
    for (QWidget *widget = modal; widget; widget = widget->parentWidget()) {
        if (widget == this)
            return modal;
    }
    return nullptr;
}

QLineEdit *CSettingsView::FocusedTextField() const
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus || !m_tree->isAncestorOf(focus))
        return nullptr;
    return qobject_cast<QLineEdit *>(focus);
}

bool CSettingsView::IsCommandEnabled(uint32_t command)
{
    // While the print preview is open, the view is busy: only the preview
    // command answers, and it brings the preview to the front.
    if (m_printing->IsPreviewOpen())
        return command == CommandId::PrintPreview;
    switch (command) {
    case CommandId::New:
    case CommandId::MenuNew:
    case CommandId::Save:
    case CommandId::MenuSave:
    case CommandId::Open:
    case CommandId::MenuOpen:
    case CommandId::SaveAs:
    case CommandId::ShowActivityLog:
    case CommandId::SelectAll:
    case CommandId::Print:
    case CommandId::MenuPrint:
    case CommandId::FramePrint:
    case CommandId::PrintPreview:
    case CommandId::PrintSetup:
        return true;
    case CommandId::MenuDelete:
    case CommandId::Delete:
    case CommandId::Cut:
        return m_tree->IsTextEditing() || m_tree->CanDelete();
    case CommandId::Copy:
    case CommandId::Paste:
    case CommandId::Undo:
        return m_tree->IsTextEditing();
    case CommandId::Send:
    case CommandId::MenuSend:
        return AnyIncluded(m_app.Document().GetRoot());
    case CommandId::SendOption1:
    case CommandId::SendOption2:
    case CommandId::SendOption3:
        return true;
    default:
        return false;
    }
}

void CSettingsView::ExecuteCommand(uint32_t command)
{
    if (!IsCommandEnabled(command))
        return;
    QLineEdit *field = FocusedTextField();
    switch (command) {
    case CommandId::New:
    case CommandId::MenuNew:
        RunDocumentCommand([this] { m_commands->NewDocument(); });
        break;
    case CommandId::Save:
    case CommandId::MenuSave:
        RunDocumentCommand([this] { m_commands->SaveDocument(); });
        break;
    case CommandId::Open:
    case CommandId::MenuOpen:
        RunDocumentCommand([this] { m_commands->OpenDocument(); });
        break;
    case CommandId::SaveAs:
        RunDocumentCommand([this] { m_commands->SaveDocumentAs(); });
        break;
    case CommandId::ShowActivityLog:
        RunDocumentCommand(
            [this] { m_commands->ShowActivityLog(ConnectivityServerActivityLog()); });
        break;
    case CommandId::Print:
    case CommandId::MenuPrint:
        m_printing->Print();
        break;
    case CommandId::FramePrint:
        m_printing->Print(true);
        break;
    case CommandId::PrintPreview:
        m_printing->Preview();
        break;
    case CommandId::PrintSetup:
        m_printing->PrintSetup();
        break;
    case CommandId::Send:
    case CommandId::MenuSend:
        m_tree->CommitEdit();
        m_sending->Send(m_app.Document().GetRoot(), m_commands->FilePath(),
                        m_app.Document().ScrambleKeys());
        break;
    case CommandId::SendOption1:
        m_sending->SetOption(CViewSending::ThroughServer);
        break;
    case CommandId::SendOption2:
        m_sending->SetOption(CViewSending::OverTheAir);
        break;
    case CommandId::SendOption3:
        m_sending->SetOption(CViewSending::ProvisioningService);
        break;
    case CommandId::MenuDelete:
    case CommandId::Delete:
        if (m_tree->IsTextEditing()) {
            if (field)
                field->del();
        } else {
            m_tree->DeleteSelected();
        }
        break;
    case CommandId::Cut:
        if (field)
            field->cut();
        else
            m_tree->DeleteSelected();
        break;
    case CommandId::Copy:
        if (field)
            field->copy();
        break;
    case CommandId::Paste:
        if (field)
            field->paste();
        break;
    case CommandId::Undo:
        if (field)
            field->undo();
        break;
    case CommandId::SelectAll:
        if (m_tree->IsTextEditing()) {
            if (field)
                field->selectAll();
        } else {
            m_tree->SelectAll();
        }
        break;
    default:
        break;
    }
}

void CSettingsView::CloseView()
{
    if (!m_initialised)
        return;
    for (QDialog *dialog : findChildren<QDialog *>()) {
        if (dialog->isVisible())
            dialog->reject();
    }
    m_printing->ClosePreview();
    m_tree->CommitEdit();
    m_commands->CloseView();
}

void CSettingsView::ShowHelp()
{
    const QWidget *focus = QApplication::focusWidget();
    ShowHelp(focus && m_problems->isAncestorOf(focus) ? int(HelpContextId::Problems)
                                                      : m_tree->HelpContext());
}

void CSettingsView::ShowHelp(int context)
{
    OpenHelp(HasHelpTopic(context) ? context : 0);
}

// Topics are HTML files named by context beside the language library
// (help/279.html, help/index.html for the contents). Without them the window
// lists the categories by their labels, so that help always answers.
void CSettingsView::OpenHelp(int context)
{
    if (!m_help) {
        m_help = new QTextBrowser;
        m_help->setObjectName(QStringLiteral("provixHelp"));
        m_help->setAttribute(Qt::WA_DeleteOnClose);
        // Fully on the screen of the view, however small that is.
        const QRect screen = this->screen()->availableGeometry();
        const QSize size = QSize(640, 520).boundedTo(screen.size() * 9 / 10);
        m_help->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, screen));
    }
    m_help->setWindowTitle(m_app.Name());
    m_help->setProperty("helpContext", context);
    const QString library = m_app.LanguageLibraryPath();
    const QString folder =
        library.isEmpty() ? ProgramFolder() + QStringLiteral("help/") : HelpFolderOf(library);
    const QString topic = folder + (context ? QString::number(context) : QStringLiteral("index")) +
                          QStringLiteral(".html");
    if (QFileInfo::exists(topic)) {
        m_help->setSource(QUrl::fromLocalFile(topic));
    } else {
        const CApplication *application = &m_app.Application();
        QString html = QStringLiteral("<h2>%1</h2>").arg(m_app.Name().toHtmlEscaped());
        if (context) {
            html +=
                QStringLiteral("<h3>%1</h3>")
                    .arg(ShownLabel(application, static_cast<unsigned>(context)).toHtmlEscaped());
        } else {
            html += QStringLiteral("<ul>");
            for (const CategoryHelp &category : CategoryHelpTopics())
                html +=
                    QStringLiteral("<li>%1</li>")
                        .arg(ShownLabel(application, unsigned(category.context)).toHtmlEscaped());
            html += QStringLiteral("</ul>");
        }
        m_help->setHtml(html);
    }
    m_help->show();
    m_help->raise();
}

void CSettingsView::ShowAbout()
{
    m_tree->CommitEdit();
    CAboutDlg dialog(&m_app.Application(), this);
    dialog.exec();
}

QString CSettingsView::HeaderFileName() const
{
    const QString &name = m_commands->FileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

void CSettingsView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect band(0, 0, width(), kHeaderHeight);
    painter.fillRect(band, palette().button());
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(band.topLeft(), band.topRight());
    painter.drawLine(band.topLeft(), band.bottomLeft());
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(band.bottomLeft(), band.bottomRight());
    painter.drawLine(band.topRight(), band.bottomRight());

    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(m_normalFont);
    QRect text = band.adjusted(kHeaderMargin, 0, 0, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_headerLabel);
    text.setLeft(text.left() + QFontMetrics(m_normalFont).horizontalAdvance(m_headerLabel) +
                 kHeaderMargin);
    painter.setFont(m_boldFont);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, HeaderFileName());
}

void CSettingsView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void CSettingsView::LayOut()
{
    QRect area(0, kHeaderHeight, width(), std::max(0, height() - kHeaderHeight));
    if (m_problems->isVisibleTo(this)) {
        const int panelWidth =
            std::min(area.width(), std::max(kProblemsMinWidth, width() * kProblemsPercent / 100));
        m_problems->setGeometry(area.right() + 1 - panelWidth, area.top(), panelWidth,
                                area.height());
        area.setWidth(area.width() - panelWidth);
    }
    m_tree->setGeometry(area);
}

void CSettingsView::ShowProblems(bool shown)
{
    m_problemsAction->setChecked(shown);
    if (m_problems->isVisibleTo(this) == shown)
        return;
    m_problems->setVisible(shown);
    LayOut();
    if (!shown && !m_tree->hasFocus())
        m_tree->setFocus();
}

void CSettingsView::EditSetting(const CSettingNode *node)
{
    m_tree->CommitEdit();
    m_tree->setFocus();
    m_tree->BeginEdit(m_tree->IndexOf(node));
}

// Hidden while another plug-in's view is shown, as the rest of the view.
void CSettingsView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_problemsAction->setVisible(true);
}

void CSettingsView::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        m_problemsAction->setVisible(false);
}

void CSettingsView::InitialLoad()
{
    RunDocumentCommand([this] { m_commands->InitialLoad(); });
}

void CSettingsView::OpenRequestedFile()
{
    // A dialog of the view is open: the request waits for a later activation.
    if (!ModalChild())
        RunDocumentCommand([this] { m_commands->OpenRequestedFile(); });
}

// The header names the bound file, which any of these commands may change.
void CSettingsView::RunDocumentCommand(const std::function<void()> &command)
{
    m_tree->CommitEdit();
    command();
    update(0, 0, width(), kHeaderHeight);
}
