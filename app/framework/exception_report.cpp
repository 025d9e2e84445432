#include "app/framework/exception_report.h"

#include <new>
#include <string>

#include "app/framework/user_exception.h"
#include "app/framework/win_app.h"
#include "platform/framework_texts.h"

namespace {

void ReportOutOfMemory() {
    AfxMessageBox(framework_text::kOutOfMemory, MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
}

}  // namespace

int ReportError(const CException& e, UINT type, UINT fallbackId) {
    std::string text;
    if (e.GetErrorMessage(text)) return AfxMessageBox(text, type);
    if (fallbackId == 0) fallbackId = framework_text::kNoErrorMessage;
    return AfxMessageBox(fallbackId, type);
}

void ReportHandlerFailure(UINT fallbackId) noexcept {
    try {
        try {
            throw;
        } catch (const CUserException&) {
        } catch (const CMemoryException&) {
            ReportOutOfMemory();
        } catch (const std::bad_alloc&) {
            ReportOutOfMemory();
        } catch (const CException& e) {
            ReportError(e, MB_ICONSTOP, fallbackId);
        } catch (...) {
            AfxMessageBox(fallbackId, MB_ICONSTOP);
        }
    } catch (...) {
        // Reporting itself failed (no memory left for the text): nothing more can be shown.
    }
}

UINT FallbackTextFor(UINT msg, LPARAM lParam) {
    if (msg == WM_COMMAND && lParam == 0) return framework_text::kCommandFailure;
    return framework_text::kInternalFailure;
}
