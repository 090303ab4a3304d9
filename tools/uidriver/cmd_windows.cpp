// windows, wait, wait-gone, info, children, msgbox
#include "commands.h"
#include "failure.h"
#include "windows_query.h"

namespace uidriver {
namespace {

constexpr DWORD kPollMs = 50;

DWORD TimeoutOption(const Args& args) { return static_cast<DWORD>(args.NumberOr(L"timeout", 10000)); }

HWND FindTopLevel(const WindowCriteria& criteria) {
    for (HWND window : TopLevelWindows())
        if (Matches(window, criteria)) return window;
    return nullptr;
}

std::wstring Describe(const WindowCriteria& criteria) {
    return L"class \"" + criteria.className + L"\", title \"" + criteria.caption + L"\", title containing \"" +
           criteria.captionContains + L"\"";
}

}  // namespace

void ListWindows(const Args& args) {
    WindowCriteria criteria = CriteriaFromArgs(args);
    for (HWND window : TopLevelWindows())
        if (Matches(window, criteria)) DescribeTopLevel(window).Print();
}

void WaitWindow(const Args& args) {
    WindowCriteria criteria = CriteriaFromArgs(args);
    DWORD timeout = TimeoutOption(args);
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = FindTopLevel(criteria)) {
            DescribeTopLevel(window).Print();
            return;
        }
        if (GetTickCount() - start >= timeout) break;
        Sleep(kPollMs);
    }
    Fail(kNotFound, L"timed out after " + std::to_wstring(timeout) + L" ms waiting for a window: " + Describe(criteria));
}

void WaitGone(const Args& args) {
    std::wstring text = args.Text(L"hwnd");
    HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(ParseNumber(text, L"--hwnd")));
    bool hiddenCounts = args.Flag(L"or-hidden");
    DWORD timeout = TimeoutOption(args);
    DWORD start = GetTickCount();
    for (;;) {
        bool destroyed = !IsWindow(window);
        if (destroyed || (hiddenCounts && !IsWindowVisible(window))) {
            JsonLine().AddHex("hwnd", reinterpret_cast<std::uintptr_t>(window)).Add("destroyed", destroyed).Print();
            return;
        }
        if (GetTickCount() - start >= timeout) break;
        Sleep(kPollMs);
    }
    Fail(kNotFound, L"window " + text + L" still there after " + std::to_wstring(timeout) + L" ms");
}

void DescribeWindow(const Args& args) {
    HWND window = WindowOption(args);
    bool isChild = (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0;
    (isChild ? DescribeControl(window, GetParent(window)) : DescribeTopLevel(window)).Print();
}

void ListChildren(const Args& args) {
    HWND parent = WindowOption(args);
    for (HWND child : Descendants(parent)) DescribeControl(child, GetParent(child)).Print();
}

void ReadMessageBox(const Args& args) {
    HWND box = WindowOption(args);
    if (ClassOf(box) != L"#32770") Fail(kNotFound, L"not a dialog box (#32770): " + ClassOf(box));
    HWND textControl = GetDlgItem(box, 0xFFFF);
    std::string buttons = "[";
    for (HWND child : Descendants(box)) {
        if (ClassOf(child) != L"Button" || !IsWindowVisible(child)) continue;
        JsonLine button;
        button.Add("id", static_cast<long long>(GetDlgCtrlID(child))).Add("text", TextOf(child))
              .AddHex("hwnd", reinterpret_cast<std::uintptr_t>(child));
        buttons += (buttons.size() > 1 ? "," : "") + button.Text();
    }
    JsonLine()
        .AddHex("hwnd", reinterpret_cast<std::uintptr_t>(box))
        .Add("caption", TextOf(box))
        .Add("text", textControl ? TextOf(textControl) : std::wstring())
        .AddRaw("buttons", buttons + "]")
        .Print();
}

}  // namespace uidriver
