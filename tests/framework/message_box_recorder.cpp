#include "framework/message_box_recorder.h"

namespace {

MessageBoxRecorder* g_pRecorder = nullptr;

}  // namespace

MessageBoxRecorder::MessageBoxRecorder() : m_previous(AfxGetApp()->m_pfnMessageBox) {
    g_pRecorder = this;
    AfxGetApp()->m_pfnMessageBox = &Record;
}

MessageBoxRecorder::~MessageBoxRecorder() {
    AfxGetApp()->m_pfnMessageBox = m_previous;
    g_pRecorder = nullptr;
}

int MessageBoxRecorder::Record(HWND owner, const char* text, const char* caption, UINT type) {
    g_pRecorder->boxes.push_back({owner, text, caption, type});
    if (g_pRecorder->onShow) g_pRecorder->onShow();
    return g_pRecorder->answer;
}
