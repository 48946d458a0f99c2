#pragma once

#include "platform/com/ComTypes.h"

#include <cstdint>

// Text leaves an interface through a buffer the caller provides: size is the
// buffer's capacity in UTF-16 units. The callee writes at most size - 1 units
// and a terminator, stores the text's full length (without terminator) in
// *length, and answers E_NOT_SUFFICIENT_BUFFER when the text was cut. A null
// buffer with size 0 asks for the length only.
inline HRESULT CopyTextToBuffer(const char16_t *text, uint32_t textLength, char16_t *buffer,
                                uint32_t size, uint32_t *length)
{
    if (!length || (!buffer && size != 0) || (!text && textLength != 0))
        return E_POINTER;
    *length = textLength;
    if (size == 0)
        return textLength == 0 ? S_OK : E_NOT_SUFFICIENT_BUFFER;
    const uint32_t copied = textLength < size ? textLength : size - 1;
    for (uint32_t i = 0; i < copied; ++i)
        buffer[i] = text[i];
    buffer[copied] = u'\0';
    return copied == textLength ? S_OK : E_NOT_SUFFICIENT_BUFFER;
}
