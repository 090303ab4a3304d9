// click, press, tick, settext, keys, close, focus
#include "commands.h"
#include "failure.h"
#include "keys.h"
#include "windows_query.h"

namespace uidriver {
namespace {

// Shares the input state of another thread for as long as it lives, so that
// GetFocus/SetFocus see and change that thread's focus.
class InputAttachment {
public:
    explicit InputAttachment(HWND window)
        : own_(GetCurrentThreadId()), other_(GetWindowThreadProcessId(window, nullptr)) {
        attached_ = own_ != other_ && AttachThreadInput(own_, other_, TRUE);
    }
    ~InputAttachment() {
        if (attached_) AttachThreadInput(own_, other_, FALSE);
    }
    InputAttachment(const InputAttachment&) = delete;
    InputAttachment& operator=(const InputAttachment&) = delete;
    bool Attached() const { return attached_; }

private:
    DWORD own_;
    DWORD other_;
    bool attached_ = false;
};

// A user reaches only a visible, enabled control of an enabled window.
void RequireReachable(HWND control, const Args& args) {
    if (args.Flag(L"force")) return;
    HWND root = GetAncestor(control, GA_ROOT);
    if (!IsWindowVisible(control)) Fail(kRefused, L"the control is hidden");
    if (!IsWindowEnabled(control)) Fail(kRefused, L"the control is disabled");
    if (root && !IsWindowEnabled(root)) Fail(kRefused, L"its window is disabled (a modal window is open?)");
}

void Post(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!PostMessageW(window, message, wparam, lparam)) FailLastError(L"PostMessageW");
}

long long CheckState(HWND button) {
    LRESULT state = 0;
    if (!SendWithTimeout(button, BM_GETCHECK, 0, 0, &state)) Fail(kApiFailure, L"BM_GETCHECK got no answer");
    return static_cast<long long>(state);
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT CharInput(wchar_t c, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = c;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

std::vector<INPUT> StrokeInputs(const KeyStroke& stroke) {
    std::vector<INPUT> inputs;
    for (WORD modifier : stroke.modifiers) inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(stroke.key, false));
    inputs.push_back(KeyInput(stroke.key, true));
    for (auto it = stroke.modifiers.rbegin(); it != stroke.modifiers.rend(); ++it) inputs.push_back(KeyInput(*it, true));
    return inputs;
}

void SendInputs(std::vector<INPUT> inputs) {
    if (inputs.empty()) return;
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) FailLastError(L"SendInput");
}

// Makes `window` the foreground window and, when it is a control, its thread's focus.
void BringToKeyboard(HWND window) {
    HWND root = GetAncestor(window, GA_ROOT);
    SetForegroundWindow(root ? root : window);
    if (root && root != window) {
        InputAttachment attachment(window);
        SetFocus(window);
    }
}

LPARAM KeyMessageBits(WORD key, bool up) {
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    return 1 | scan | (up ? (LPARAM(3) << 30) : 0);
}

// Posted keys go through the target's own loop: TranslateMessage makes the WM_CHAR
// of a WM_KEYDOWN there, and IsDialogMessage sees Tab and Enter.
void PostKeys(HWND window, const std::vector<KeyStroke>& strokes, const std::wstring& chars) {
    for (const auto& stroke : strokes) {
        if (!stroke.modifiers.empty()) Fail(kUsage, L"--mode post cannot hold modifiers; use --mode input");
        Post(window, WM_KEYDOWN, stroke.key, KeyMessageBits(stroke.key, false));
        Post(window, WM_KEYUP, stroke.key, KeyMessageBits(stroke.key, true));
    }
    for (wchar_t c : chars) Post(window, WM_CHAR, c, 1);
}

void InjectKeys(const std::vector<KeyStroke>& strokes, const std::wstring& chars) {
    std::vector<INPUT> inputs;
    for (const auto& stroke : strokes) {
        auto more = StrokeInputs(stroke);
        inputs.insert(inputs.end(), more.begin(), more.end());
    }
    for (wchar_t c : chars) {
        inputs.push_back(CharInput(c, false));
        inputs.push_back(CharInput(c, true));
    }
    SendInputs(inputs);
}

// GetGUIThreadInfo reads the focus without sharing the other thread's input state, which
// under Wine leaves a long-lived caller (uidriver serve) with a confused key state.
HWND FocusOfThread(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return info.hwndFocus;
    InputAttachment attachment(window);
    return attachment.Attached() ? GetFocus() : nullptr;
}

}  // namespace

void Click(const Args& args) {
    HWND control = ControlFromArgs(args);
    RequireReachable(control, args);
    Post(control, BM_CLICK, 0, 0);
    DescribeControl(control, GetParent(control)).Print();
}

void PressBoxButton(const Args& args) {
    HWND box = WindowOption(args);
    int id = static_cast<int>(args.Number(L"id"));
    HWND button = GetDlgItem(box, id);
    if (!button && !args.Flag(L"force")) Fail(kNotFound, L"the box has no button with id " + std::to_wstring(id));
    if (button) RequireReachable(button, args);
    Post(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    JsonLine().AddHex("hwnd", reinterpret_cast<std::uintptr_t>(box)).Add("id", id).Print();
}

void Tick(const Args& args) {
    HWND box = ControlFromArgs(args);
    std::wstring state = args.Text(L"state");
    if (state != L"on" && state != L"off") Fail(kUsage, L"--state is on or off");
    long long wanted = state == L"on" ? BST_CHECKED : BST_UNCHECKED;
    bool changed = CheckState(box) != wanted;
    if (changed) {
        RequireReachable(box, args);
        Post(box, BM_CLICK, 0, 0);
        DWORD timeout = static_cast<DWORD>(args.NumberOr(L"timeout", 5000));
        DWORD start = GetTickCount();
        while (CheckState(box) != wanted) {
            if (GetTickCount() - start >= timeout) Fail(kNotFound, L"the check box did not reach the state " + state);
            Sleep(20);
        }
    }
    DescribeControl(box, GetParent(box)).Add("changed", changed).Print();
}

void SetText(const Args& args) {
    HWND control = ControlFromArgs(args);
    RequireReachable(control, args);
    std::wstring value = args.Text(L"value");
    LRESULT result = 0;
    if (!SendWithTimeout(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()), &result))
        Fail(kApiFailure, L"WM_SETTEXT got no answer");
    if (!result) Fail(kApiFailure, L"WM_SETTEXT was refused");
    DescribeControl(control, GetParent(control)).Print();
}

void SendKeys(const Args& args) {
    HWND window = WindowOption(args);
    std::vector<KeyStroke> strokes;
    if (args.Has(L"keys")) strokes = ParseKeyList(args.Text(L"keys"));
    std::wstring chars = args.TextOr(L"chars", L"");
    std::wstring mode = args.TextOr(L"mode", L"input");
    if (mode == L"post") {
        PostKeys(window, strokes, chars);
    } else if (mode == L"input") {
        BringToKeyboard(window);
        InjectKeys(strokes, chars);
    } else {
        Fail(kUsage, L"--mode is input or post");
    }
    JsonLine().AddHex("hwnd", reinterpret_cast<std::uintptr_t>(window)).Add("mode", mode)
              .Add("strokes", static_cast<long long>(strokes.size())).Add("chars", chars).Print();
}

void Close(const Args& args) {
    HWND window = WindowOption(args);
    bool system = args.Flag(L"syscommand");
    if (system) Post(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    else Post(window, WM_CLOSE, 0, 0);
    JsonLine().AddHex("hwnd", reinterpret_cast<std::uintptr_t>(window))
              .Add("message", system ? L"WM_SYSCOMMAND SC_CLOSE" : L"WM_CLOSE").Print();
}

void Focus(const Args& args) {
    HWND window = WindowOption(args);
    HWND focus = FocusOfThread(window);
    JsonLine line;
    line.AddHex("foreground", reinterpret_cast<std::uintptr_t>(GetForegroundWindow()));
    if (focus) line.AddRaw("focus", DescribeControl(focus, GetParent(focus)).Text());
    else line.AddRaw("focus", "null");
    line.Print();
}

}  // namespace uidriver
