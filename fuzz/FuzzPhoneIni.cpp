// The emulated phone's phone.ini, which people edit by hand: any bytes must
// load, and the identity the server reports must reach the client unchanged.
#include "FuzzTempFile.h"

#include "document/SendTexts.h"
#include "orvenet/server/EmulatedPhone.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    WriteFuzzFile(QStringLiteral("phone.ini"), reinterpret_cast<const char *>(data), size);
    CEmulatedPhone phone(FuzzFolder().path());
    QString error;
    if (!phone.Load(error))
        __builtin_trap();
    const CEmulatedPhone::Identity identity = phone.GetIdentity();
    const PhoneInfo info = ParsePhoneInfo(phone.InfoText());
    if (info.epocName != identity.epocName.trimmed() || info.imei != identity.imei.trimmed() ||
        info.phoneNumber != identity.phoneNumber.trimmed())
        __builtin_trap();
    return 0;
}
