// How a failure that ends a handler reaches the user.
#pragma once

#include <windows.h>

class CException;

// The failure's own text, else the fallback text (61472 when fallbackId is 0),
// as an application message box with the given icon.
int ReportError(const CException& e, UINT type, UINT fallbackId);

// Reports the exception being handled; call it only inside a catch block. A validation
// failure stays silent, memory exhaustion gets its own system-modal box, every other
// failure a stop icon with its text or fallbackId.
void ReportHandlerFailure(UINT fallbackId) noexcept;

// The fallback for a failed message: a command without a control came from a menu or
// an accelerator.
UINT FallbackTextFor(UINT msg, LPARAM lParam);
