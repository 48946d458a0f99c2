#include "ui/controls/IPAddressEdit.h"

#include "ui/controls/ControlIds.h"
#include "validate/Validators.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

#include <algorithm>
#include <utility>

namespace {

constexpr int kFieldDigits = 3;
constexpr int kByteMask = 0xFF;

// A field holds up to three digits. Typed dots never reach a field, so a text
// with dots is an address being pasted, which the editor spreads over the
// fields.
class CFieldValidator final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        if (!input.contains(u'.'))
            return input.size() <= kFieldDigits && IsAllDigits(input) ? Acceptable : Invalid;
        const bool dotted = std::all_of(input.cbegin(), input.cend(), [](QChar c) {
            return c == u'.' || c.isSpace() || (c >= u'0' && c <= u'9');
        });
        return dotted ? Acceptable : Invalid;
    }
};

bool IsModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return true;
    default:
        return false;
    }
}

} // namespace

CIPAddressEdit::CIPAddressEdit(QWidget *parent)
    : QFrame(parent)
    , CInPlaceEditor(this)
{
    setObjectName(ControlObjectName(ControlId::IPAddress));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 0, 1, 0);
    layout->setSpacing(0);
    auto *validator = new CFieldValidator(this);
    for (int i = 0; i < kFieldCount; ++i) {
        if (i > 0) {
            auto *dot = new QLabel(QStringLiteral("."), this);
            dot->setBackgroundRole(QPalette::Base);
            layout->addWidget(dot);
        }
        auto *field = new QLineEdit(this);
        field->setObjectName(ControlObjectName(i));
        field->setFrame(false);
        field->setAlignment(Qt::AlignCenter);
        field->setValidator(validator);
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, i] { HandleFieldEdited(i); });
        layout->addWidget(field, 1);
        m_fields[static_cast<std::size_t>(i)] = field;
        SetFieldRange(i, 0, kByteMask);
    }
    setFocusProxy(m_fields[0]);
    m_lastValues.fill(-1);
}

CIPAddressEdit::~CIPAddressEdit() = default;

void CIPAddressEdit::SetFieldRange(int field, int minimum, int maximum)
{
    if (field < 0 || field >= kFieldCount)
        return;
    m_minimums[static_cast<std::size_t>(field)] = minimum & kByteMask;
    m_maximums[static_cast<std::size_t>(field)] = maximum & kByteMask;
}

int CIPAddressEdit::GetFieldMinimum(int field) const
{
    return m_minimums.at(static_cast<std::size_t>(field));
}

int CIPAddressEdit::GetFieldMaximum(int field) const
{
    return m_maximums.at(static_cast<std::size_t>(field));
}

void CIPAddressEdit::SetAddress(const QString &text)
{
    QStringView rest(text);
    for (int i = 0; i < kFieldCount; ++i) {
        int value = 0;
        if (i == 0) {
            value = ReadInteger(rest);
        } else {
            const qsizetype dot = rest.indexOf(u'.');
            if (dot >= 0) {
                rest = rest.mid(dot + 1);
                value = ReadInteger(rest);
            } else {
                rest = QStringView();
            }
        }
        m_fields[static_cast<std::size_t>(i)]->setText(QString::number(value));
    }
    m_lastValues.fill(-1);
}

int CIPAddressEdit::GetFieldValue(int field) const
{
    return ReadInteger(m_fields.at(static_cast<std::size_t>(field))->text());
}

QString CIPAddressEdit::GetAddress() const
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(GetFieldValue(0))
        .arg(GetFieldValue(1))
        .arg(GetFieldValue(2))
        .arg(GetFieldValue(3));
}

void CIPAddressEdit::FocusField(int field)
{
    MoveToField(field, false);
}

int CIPAddressEdit::FieldIndex(const QObject *object) const
{
    const auto it = std::find(m_fields.begin(), m_fields.end(), object);
    return it == m_fields.end() ? -1 : static_cast<int>(it - m_fields.begin());
}

bool CIPAddressEdit::eventFilter(QObject *watched, QEvent *event)
{
    const int field = FieldIndex(watched);
    if (field < 0)
        return QFrame::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress)
        return HandleFieldKey(field, static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::FocusOut)
        HandleFocusLoss(static_cast<QFocusEvent *>(event)->reason());
    return QFrame::eventFilter(watched, event);
}

bool CIPAddressEdit::HandleFieldKey(int field, const QKeyEvent *event)
{
    if (IsModifierKey(event->key()))
        return false;
    const bool movedOn = std::exchange(m_movedOnTo, -1) == field;
    if (HandleEndKey(event))
        return true;
    const QLineEdit *edit = m_fields[static_cast<std::size_t>(field)];
    switch (event->key()) {
    case Qt::Key_Period:
        // People type the dot after a full field too; it must not skip the
        // field the full one moved on to.
        if (movedOn)
            return true;
        if (field + 1 < kFieldCount && !edit->text().isEmpty()) {
            m_lastValues[static_cast<std::size_t>(field)] = GetFieldValue(field);
            MoveToField(field + 1, false);
        }
        return true;
    case Qt::Key_Left:
    case Qt::Key_Backspace:
        if (field > 0 && edit->cursorPosition() == 0 && !edit->hasSelectedText()) {
            MoveToField(field - 1, true);
            return true;
        }
        return false;
    case Qt::Key_Right:
        if (field + 1 < kFieldCount && edit->cursorPosition() == edit->text().size() &&
            !edit->hasSelectedText()) {
            MoveToField(field + 1, false);
            return true;
        }
        return false;
    default:
        return false;
    }
}

void CIPAddressEdit::HandleFieldEdited(int field)
{
    const auto index = static_cast<std::size_t>(field);
    QLineEdit *edit = m_fields[index];
    if (edit->text().contains(u'.')) {
        FillFrom(field, edit->text());
        return;
    }
    if (edit->text().isEmpty())
        return;
    const int value = GetFieldValue(field);
    const int clamped = Clamped(field, value);
    if (clamped != value)
        edit->setText(QString::number(clamped));
    if (field + 1 < kFieldCount && edit->text().size() == kFieldDigits &&
        clamped != m_lastValues[index]) {
        m_lastValues[index] = clamped;
        MoveToField(field + 1, false);
        m_movedOnTo = field + 1;
    }
}

void CIPAddressEdit::FillFrom(int field, const QString &dottedText)
{
    const QStringList parts = dottedText.split(u'.');
    int last = field;
    for (qsizetype part = 0; part < parts.size() && field + part < kFieldCount; ++part) {
        last = field + static_cast<int>(part);
        const int value = Clamped(last, ReadInteger(parts[part]));
        m_fields[static_cast<std::size_t>(last)]->setText(QString::number(value));
        m_lastValues[static_cast<std::size_t>(last)] = value;
    }
    MoveToField(last, true);
}

int CIPAddressEdit::Clamped(int field, int value) const
{
    const auto index = static_cast<std::size_t>(field);
    return std::clamp(value, m_minimums[index], m_maximums[index]);
}

void CIPAddressEdit::MoveToField(int field, bool atEnd)
{
    if (field < 0 || field >= kFieldCount)
        return;
    QLineEdit *edit = m_fields[static_cast<std::size_t>(field)];
    edit->setFocus(Qt::OtherFocusReason);
    if (atEnd)
        edit->end(false);
    else
        edit->selectAll();
}
