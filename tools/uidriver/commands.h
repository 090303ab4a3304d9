// Every subcommand: reads its options, does one thing, prints JSON lines.
#pragma once

#include "args.h"

namespace uidriver {

// Windows
void ListWindows(const Args& args);
void WaitWindow(const Args& args);
void WaitGone(const Args& args);
void DescribeWindow(const Args& args);
void ListChildren(const Args& args);
void ReadMessageBox(const Args& args);

// Actions
void Click(const Args& args);
void PressBoxButton(const Args& args);
void Tick(const Args& args);
void SetText(const Args& args);
void SendKeys(const Args& args);
void Close(const Args& args);
void Focus(const Args& args);

// Registry
void RegRead(const Args& args);
void RegValues(const Args& args);
void RegKeys(const Args& args);
void RegDump(const Args& args);
void RegWrite(const Args& args);
void RegCreateKey(const Args& args);
void RegDeleteKey(const Args& args);
void RegDeleteValue(const Args& args);

// Shell and kernel objects
void ResolveShortcut(const Args& args);
void HoldMapping(const Args& args);

}  // namespace uidriver
