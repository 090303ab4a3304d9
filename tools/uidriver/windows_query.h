// Finding windows of any process and describing them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "args.h"
#include "json_line.h"

namespace uidriver {

HWND ParseWindow(const std::wstring& text, const std::wstring& what);
// --hwnd must name a live window.
HWND WindowOption(const Args& args, const wchar_t* name = L"hwnd");

std::wstring ClassOf(HWND window);
// The text a WM_GETTEXT answers (edits answer their contents).
std::wstring TextOf(HWND window);
std::wstring WithoutMnemonic(const std::wstring& text);  // "&Yes" -> "Yes", "&&" -> "&"

// Sends to a window of another thread without hanging on it; false on timeout.
bool SendWithTimeout(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

std::vector<HWND> TopLevelWindows();
std::vector<HWND> Descendants(HWND parent);  // depth first, all levels

struct WindowCriteria {
    std::wstring className;        // empty: any
    std::wstring caption;          // exact; empty: any
    std::wstring captionContains;  // substring; empty: any
    bool includeHidden = false;
    DWORD processId = 0;           // 0: any
    HWND excluded = nullptr;       // never matches (to wait for the next box)
};

WindowCriteria CriteriaFromArgs(const Args& args);
bool Matches(HWND window, const WindowCriteria& criteria);

JsonLine DescribeTopLevel(HWND window);
// A control: ids, texts, rectangles (relative to `parent`'s client area and on screen),
// states, and what its class can tell (check state, progress range and position).
JsonLine DescribeControl(HWND control, HWND parent);

// The control named by --hwnd, or by --parent with --id or --text (any depth below it).
HWND ControlFromArgs(const Args& args);

}  // namespace uidriver
