#include "ui/editor/MultilineTextDlg.h"

#include "config/ConfigText.h"
#include "document/IncludeToggle.h"
#include "document/ValueEditing.h"

#include "settings/Application.h"
#include "settings/Labels.h"
#include "settings/NodeTypes.h"
#include "settings/StringIds.h"
#include "ui/controls/ControlIds.h"
#include "ui/controls/ShownLabel.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStringDecoder>
#include <QTextBlock>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Help topics of the two modes: a signature is part of the e-mail settings.
constexpr int kSignatureHelpContext = HelpContextId::EMail;
constexpr int kScriptHelpContext = HelpContextId::LoginScript;

constexpr int kFieldFontPixels = 14;

} // namespace

CMultilineTextDlg::CMultilineTextDlg(const CApplication *application, QWidget *parent)
    : QDialog(parent)
    , m_application(application)
{
    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName(ControlObjectName(ControlId::TextEdit));
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(kFieldFontPixels);
    font.setWeight(QFont::Normal);
    m_edit->setFont(font);
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(m_edit, &QPlainTextEdit::textChanged, this, &CMultilineTextDlg::LimitTypedText);

    auto *load = new QPushButton(ShownLabel(m_application, StringId::LoadFromFile), this);
    load->setObjectName(ControlObjectName(ControlId::LoadFromFile));
    load->setAutoDefault(false);
    connect(load, &QPushButton::clicked, this, &CMultilineTextDlg::ChooseFile);

    // Enter belongs to the text, so no button is the default.
    auto *ok = new QPushButton(ShownLabel(m_application, StringId::ButtonOk), this);
    ok->setObjectName(ControlObjectName(ControlId::Ok));
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CMultilineTextDlg::accept);
    auto *cancel = new QPushButton(ShownLabel(m_application, StringId::ButtonCancel), this);
    cancel->setObjectName(ControlObjectName(ControlId::Cancel));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &CMultilineTextDlg::reject);
    auto *help = new QPushButton(ShownLabel(m_application, StringId::ButtonHelp), this);
    help->setObjectName(ControlObjectName(ControlId::Help));
    help->setAutoDefault(false);
    connect(help, &QPushButton::clicked, this, [this] { emit helpRequested(HelpContext()); });
    auto *helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this, [this] { emit helpRequested(HelpContext()); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(load);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_edit, 1);
    layout->addLayout(buttons);

    const int averageChar = m_edit->fontMetrics().averageCharWidth();
    resize(averageChar * 72, m_edit->fontMetrics().lineSpacing() * 20);
    SetMode(SignatureMode);
}

CMultilineTextDlg::~CMultilineTextDlg() = default;

void CMultilineTextDlg::SetMode(int mode)
{
    m_mode = mode == ScriptMode ? ScriptMode : SignatureMode;
    setWindowTitle(ShownLabel(m_application, m_mode == SignatureMode ? StringId::SignatureTitle
                                                                     : StringId::ScriptTitle));
}

int CMultilineTextDlg::HelpContext() const
{
    return m_mode == SignatureMode ? kSignatureHelpContext : kScriptHelpContext;
}

void CMultilineTextDlg::SetText(const QString &text)
{
    m_text = text;
    ShowInField(ToStoredForm(text));
}

bool CMultilineTextDlg::LoadFile(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash >= 0)
        m_rememberedFolder = path.left(slash + 1);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    QString text;
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder decode(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        text = decode(QByteArrayView(bytes).sliced(2));
    } else {
        QStringDecoder decode(QStringDecoder::System);
        text = decode(bytes);
    }
    ShowInField(MultilineStoredText(NodeTypeOfMode(), text));
    return true;
}

QString CMultilineTextDlg::ToStoredForm(const QString &text)
{
    QString stored = text;
    NormalizeLineFeeds(stored);
    return stored;
}

void CMultilineTextDlg::accept()
{
    m_text = FieldText();
    QDialog::accept();
}

QString CMultilineTextDlg::FieldText() const
{
    QString text = m_edit->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return ToStoredForm(text);
}

void CMultilineTextDlg::ShowInField(const QString &storedText)
{
    m_limiting = true;
    m_edit->setPlainText(storedText);
    m_limiting = false;
    m_lastMeasure = MultilineMeasure(NodeTypeOfMode(), storedText);
}

int CMultilineTextDlg::NodeTypeOfMode() const
{
    return m_mode == SignatureMode ? NodeType::Signature : NodeType::Script;
}

void CMultilineTextDlg::LimitTypedText()
{
    if (m_limiting)
        return;
    const QTextCursor cursor = m_edit->textCursor();
    CTypedMultiline typed{FieldText(), std::min(cursor.anchor(), cursor.position()),
                          std::max(cursor.anchor(), cursor.position())};
    m_lastMeasure = LimitTypedMultiline(NodeTypeOfMode(), typed, m_lastMeasure);
    if (!typed.changed)
        return;

    m_limiting = true;
    m_edit->setPlainText(typed.text);
    QTextCursor restored(m_edit->document());
    restored.setPosition(static_cast<int>(typed.start));
    restored.setPosition(static_cast<int>(typed.end), QTextCursor::KeepAnchor);
    m_edit->setTextCursor(restored);
    m_limiting = false;
}

void CMultilineTextDlg::ChooseFile()
{
    if (m_rememberedFolder.isEmpty())
        m_rememberedFolder = m_folder;
    // Every file, also one without a dot in its name.
    const QString filter = ShownLabel(m_application, StringId::AllFiles) + QStringLiteral(" (*)");
    const QString path = QFileDialog::getOpenFileName(this, QString(), m_rememberedFolder, filter,
                                                      nullptr, QFileDialog::ReadOnly);
    if (!path.isEmpty())
        LoadFile(path);
}
