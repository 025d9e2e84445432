#include "driver/message_box.h"

#include <algorithm>

#include "driver/wait.h"
#include "driver/window.h"

namespace e2e {
namespace {

constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 0x440;
const int kButtonIds[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO};

struct ColourTally {
    long red = 0, green = 0, blue = 0, count = 0;
};

// Sums the strongly coloured pixels; the white and grey of the box are left out.
ColourTally TallyColours(const RECT& rect) {
    ColourTally tally;
    HDC screen = GetDC(nullptr);
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF c = GetPixel(screen, x, y);
            if (c == CLR_INVALID) continue;
            const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            const int high = std::max({r, g, b}), low = std::min({r, g, b});
            if (high - low < 80) continue;
            tally.red += r, tally.green += g, tally.blue += b, ++tally.count;
        }
    }
    ReleaseDC(nullptr, screen);
    return tally;
}

// Exclamation averages orange (about 235, 139, 39), stop red (about 224, 62, 60).
IconKind KindOfColours(const ColourTally& t) {
    if (t.count == 0) return IconKind::kOther;
    const long r = t.red / t.count, g = t.green / t.count, b = t.blue / t.count;
    if (r > 180 && b < 110 && g >= 100 && g < 190) return IconKind::kExclamation;
    if (r > 170 && g < 100 && b < 110) return IconKind::kStop;
    return IconKind::kOther;
}

IconKind ReadIcon(HWND box) {
    HWND icon = GetDlgItem(box, kIconId);
    if (!icon || !SendMessageW(icon, STM_GETICON, 0, 0)) return IconKind::kNone;
    RECT rect;
    GetWindowRect(icon, &rect);
    // The box may not have painted yet right after it appeared.
    ColourTally tally;
    WaitUntil([&] { return (tally = TallyColours(rect)).count > 0; }, 2000, 50);
    return KindOfColours(tally);
}

}  // namespace

const char* IconKindName(IconKind kind) {
    switch (kind) {
        case IconKind::kNone:
            return "none";
        case IconKind::kExclamation:
            return "exclamation";
        case IconKind::kStop:
            return "stop";
        case IconKind::kOther:
            return "other";
    }
    return "?";
}

MessageBoxInfo ReadMessageBox(HWND box) {
    MessageBoxInfo info;
    info.window = box;
    if (!box) return info;
    info.owner = OwnerOf(box);
    info.caption = TextOf(box);
    info.text = ControlText(box, kTextId);
    info.icon = ReadIcon(box);
    for (int id : kButtonIds) {
        if (IsControlShown(box, id)) info.buttons.push_back(id);
    }
    return info;
}

MessageBoxInfo WaitForMessageBox(DWORD pid, HWND owner, DWORD timeout_ms) {
    return ReadMessageBox(WaitForDialogOwnedBy(pid, owner, timeout_ms));
}

bool AnswerMessageBox(HWND box, int button_id) {
    return ClickControl(box, button_id) && WaitUntilGone(box, kPatienceMs);
}

}  // namespace e2e
