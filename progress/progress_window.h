#pragma once
// The progress window: made once on a thread of its own by the first ShowProgress,
// afterwards only hidden and shown. All five operations run on the main thread.
#include <cstdint>
#include <string>

#include "platform/progress.h"

extern platform::ProgressWindowState ProgressWindow;

// How long SetProgressMax waits for a window whose thread is alive but has not made it.
constexpr std::uint32_t ProgressWindowWaitLimitMs = 10000;

void ShowProgress(const std::string& caption, const std::string& text);
void SetProgressText(const std::string& text);
// Sets the bar's range to 0 .. max and waits until the bar reports that upper bound.
void SetProgressMax(std::int32_t max);
void SetProgressPosition(std::int32_t position);
void HideProgress();
