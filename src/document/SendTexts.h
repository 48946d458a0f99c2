#pragma once

#include "platform/com/ComTypes.h"

#include <QString>

#include <cstdint>
#include <vector>

class CApplication;
class CSettingNode;

// The texts of sending a configuration to a phone: the check before
// sending, the phone fields, the progress and the server's results. The
// send session and the send dialog show them.

// The message for the first included setting that fails the value check, or
// empty when every included setting passes; *failing (when given) receives
// that setting. The message names the setting, the item it belongs to and
// why its value is refused; label and value are cut to their first 100
// characters.
QString CheckBeforeSending(const CApplication *application, const CSettingNode *root,
                           const CSettingNode **failing = nullptr);
// A setting that fails the value check, with the message the check before
// sending gives for it.
struct CFailingSetting
{
    const CSettingNode *node;
    QString message;
};
// Every setting that fails the value check, in tree order: with
// onlyIncluded the settings the check before sending walks, else all.
std::vector<CFailingSetting> FailingSettings(const CApplication *application,
                                             const CSettingNode *root, bool onlyIncluded);
// The settings among nodes that fail the value check by themselves, as
// FailingAmong finds them.
std::vector<CFailingSetting> FailingSettingsAmong(const CApplication *application,
                                                  const std::vector<const CSettingNode *> &nodes);
// text, cut to 100 characters followed by "..." when longer.
QString CutTo100(const QString &text);
// The label of the setting a server's report names by its element name; the
// name itself when it has no label.
QString LabelOfSetting(const CApplication *application, const QString &settingName);

// The phone's identity from the server's tagged text.
struct PhoneInfo
{
    QString epocName;
    QString imei;
    QString phoneNumber;
};
PhoneInfo ParsePhoneInfo(const QString &text);
// A phone field as shown: a space and the value, or "Not available".
QString PhoneFieldText(const CApplication *application, const QString &value);

// The message when another application holds the phone, naming it when the
// server names it.
QString PhoneHeldText(const CApplication *application, const QString &holderName);
// The text for a server failure. settingLabel and text matter for a rejected
// setting only; lastPhase and lastText are the transfer's last progress, for
// the failures that name the file being copied.
QString ServerErrorText(const CApplication *application, HRESULT result,
                        const QString &settingLabel = QString(), const QString &text = QString(),
                        int32_t lastPhase = 0, const QString &lastText = QString());
// The message for a file the phone refused (a FileRefusal reason), ending
// with its phone path.
QString RefusedFileText(const CApplication *application, HRESULT result, uint32_t reason,
                        const QString &phonePath);
// The question about a file already on the phone (its phone path) of the
// item with this element name.
QString FileExistsQuestion(const CApplication *application, const QString &settingName,
                           const QString &phonePath);
// The progress status for a phase, without trailing dots: the progress shows
// its own.
QString ProgressStatus(const CApplication *application, int32_t phase, const QString &text);
// The progress status while a cancel is under way, without trailing dots.
QString CancellingStatus(const CApplication *application);
