#pragma once

#include "document/SendTexts.h"
#include "platform/com/ComTypes.h"

#include <QString>

#include <cstdint>
#include <optional>

// A question of the server about one item of a transfer: a file already on
// the phone, or one that cannot be read.
struct SendQuestion
{
    QString text;
    // The answers it allows, one bit each (QuestionAnswer).
    uint32_t answers = 0;
    // The item is one of the configuration's file categories.
    bool knownItem = false;
};

struct SendReply
{
    int32_t answer = 0;
    // Answer every further question about the same kind of item alike, for
    // the rest of the transfer.
    bool keep = false;
};

// How a send ended, or why it never began.
struct SendOutcome
{
    HRESULT result = S_OK;
    // The server or the phone could not be reached, or another application
    // holds the phone: nothing was sent.
    bool unreachable = false;
    bool cancelled = false;
    // What reached the phone, said after a success or a cancel; empty
    // otherwise (the failure's message has been shown).
    QString summary;
};

// What a send session shows and asks. The send dialog and provana send
// implement it; tests fake it.
class ISendSessionPort
{
public:
    virtual ~ISendSessionPort() = default;

    // status: without trailing dots. waiting: no percentage known yet.
    virtual void ShowProgress(const QString &status, int percentage, bool waiting) = 0;
    // Nothing when the transfer ended while the question was open.
    virtual std::optional<SendReply> Ask(const SendQuestion &question) = 0;
    virtual void ShowMessage(const QString &text) = 0;
    // The connection to the server is made, or it failed (and the message
    // has been shown).
    virtual void Connected(bool connected) = 0;
    // phone: empty fields when no phone is connected.
    virtual void PhoneChanged(bool connected, const PhoneInfo &phone) = 0;
    // The send is over, or never began: an open question and the progress
    // close. The message about a failure, if any, follows.
    virtual void TransferEnded(const SendOutcome &outcome) = 0;
};
