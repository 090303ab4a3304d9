#include "windows_query.h"

#include <commctrl.h>

#include "failure.h"

namespace uidriver {
namespace {

constexpr UINT kSendTimeoutMs = 3000;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

bool SameClass(HWND window, const wchar_t* name) { return lstrcmpiW(ClassOf(window).c_str(), name) == 0; }

JsonLine& AddRect(JsonLine& line, const char* key, const RECT& rect) {
    std::string json = "[" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
                       std::to_string(rect.right) + "," + std::to_string(rect.bottom) + "]";
    return line.AddRaw(key, json);
}

JsonLine& AddCommon(JsonLine& line, HWND window) {
    DWORD processId = 0;
    DWORD threadId = GetWindowThreadProcessId(window, &processId);
    line.AddHex("hwnd", reinterpret_cast<std::uintptr_t>(window))
        .Add("class", ClassOf(window))
        .Add("visible", IsWindowVisible(window) != FALSE)
        .Add("enabled", IsWindowEnabled(window) != FALSE)
        .AddHex("style", static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)))
        .AddHex("exstyle", static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)))
        .Add("pid", processId)
        .Add("tid", threadId);
    return line;
}

const wchar_t* ButtonKind(DWORD style) {
    switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON: return L"push";
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE: return L"checkbox";
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return L"radio";
        case BS_GROUPBOX: return L"groupbox";
        default: return L"other";
    }
}

long long Answer(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT result = 0;
    if (!SendWithTimeout(window, message, wparam, lparam, &result)) return -1;
    return static_cast<long long>(result);
}

void AddClassDetails(JsonLine& line, HWND control) {
    if (SameClass(control, L"Button")) {
        DWORD style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
        line.Add("button_kind", ButtonKind(style)).Add("checked", Answer(control, BM_GETCHECK, 0, 0));
    } else if (SameClass(control, PROGRESS_CLASSW)) {
        line.Add("range_low", Answer(control, PBM_GETRANGE, TRUE, 0))
            .Add("range_high", Answer(control, PBM_GETRANGE, FALSE, 0))
            .Add("position", Answer(control, PBM_GETPOS, 0, 0));
    }
}

}  // namespace

HWND ParseWindow(const std::wstring& text, const std::wstring& what) {
    auto value = ParseNumber(text, what);
    HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
    if (!IsWindow(window)) Fail(kNotFound, what + L": no such window: " + text);
    return window;
}

HWND WindowOption(const Args& args, const wchar_t* name) {
    return ParseWindow(args.Text(name), std::wstring(L"--") + name);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

bool SendWithTimeout(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
    DWORD_PTR answer = 0;
    bool answered = SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                        kSendTimeoutMs, &answer) != 0;
    if (result) *result = static_cast<LRESULT>(answer);
    return answered;
}

std::wstring TextOf(HWND window) {
    LRESULT length = 0;
    if (!SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0, &length) || length < 0) {
        wchar_t caption[1024] = {};
        GetWindowTextW(window, caption, 1024);  // the stored caption, no message needed
        return caption;
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = 0;
    SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), &copied);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::wstring WithoutMnemonic(const std::wstring& text) {
    std::wstring plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        else if (text[i] == L'&') continue;
        plain += text[i];
    }
    return plain;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> windows;
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

WindowCriteria CriteriaFromArgs(const Args& args) {
    WindowCriteria criteria;
    criteria.className = args.TextOr(L"class", L"");
    criteria.caption = args.TextOr(L"title", L"");
    criteria.captionContains = args.TextOr(L"title-contains", L"");
    criteria.includeHidden = args.Flag(L"hidden");
    criteria.processId = static_cast<DWORD>(args.NumberOr(L"pid", 0));
    if (args.Has(L"not-hwnd")) criteria.excluded = ParseWindow(args.Text(L"not-hwnd"), L"--not-hwnd");
    return criteria;
}

bool Matches(HWND window, const WindowCriteria& criteria) {
    if (window == criteria.excluded) return false;
    if (!criteria.includeHidden && !IsWindowVisible(window)) return false;
    if (!criteria.className.empty() && ClassOf(window) != criteria.className) return false;
    if (criteria.processId) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (processId != criteria.processId) return false;
    }
    if (criteria.caption.empty() && criteria.captionContains.empty()) return true;
    std::wstring caption = TextOf(window);
    if (!criteria.caption.empty() && caption != criteria.caption) return false;
    return caption.find(criteria.captionContains) != std::wstring::npos;
}

JsonLine DescribeTopLevel(HWND window) {
    JsonLine line;
    AddCommon(line, window).Add("text", TextOf(window));
    RECT rect{}, client{};
    GetWindowRect(window, &rect);
    GetClientRect(window, &client);
    AddRect(line, "rect", rect);
    AddRect(line, "client_rect", client);
    line.AddHex("owner", reinterpret_cast<std::uintptr_t>(GetWindow(window, GW_OWNER)));
    return line;
}

JsonLine DescribeControl(HWND control, HWND parent) {
    JsonLine line;
    AddCommon(line, control)
        .Add("id", static_cast<long long>(GetDlgCtrlID(control)))
        .AddHex("parent", reinterpret_cast<std::uintptr_t>(GetParent(control)))
        .Add("text", TextOf(control));
    RECT screen{};
    GetWindowRect(control, &screen);
    RECT relative = screen;
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&relative), 2);
    AddRect(line, "rect", relative);
    AddRect(line, "screen_rect", screen);
    AddClassDetails(line, control);
    return line;
}

HWND ControlFromArgs(const Args& args) {
    if (args.Has(L"hwnd")) return WindowOption(args);
    HWND parent = WindowOption(args, L"parent");
    bool byId = args.Has(L"id");
    if (!byId && !args.Has(L"text")) Fail(kUsage, L"name the control with --hwnd, or --parent with --id or --text");
    int id = byId ? static_cast<int>(args.Number(L"id")) : 0;
    std::wstring text = args.TextOr(L"text", L"");
    for (HWND child : Descendants(parent)) {
        if (byId ? GetDlgCtrlID(child) == id
                 : (TextOf(child) == text || WithoutMnemonic(TextOf(child)) == text))
            return child;
    }
    Fail(kNotFound, byId ? L"no control with id " + std::to_wstring(id) : L"no control with text " + text);
}

}  // namespace uidriver
