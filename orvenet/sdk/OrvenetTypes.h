#pragma once

// Window and menu handles cross the interfaces as opaque pointers. Host and
// plug-in share one process and one Qt, so they carry the host's QWidget * and
// QMenu *; only the side that made a handle's object looks inside it.
using WindowHandle = void *;
using MenuHandle = void *;

// Text in: null-terminated UTF-16 (const char16_t *), valid for the call only.
// Text out: a buffer the caller provides, filled as CopyTextToBuffer
// (platform/com/TextBuffer.h) does.
