#pragma once
#include <string>

#include "platform/types.h"

// Creates the product's single-instance mapping. Returns whether it existed already;
// `handle` receives the new handle, which the caller keeps or closes.
bool CreateProductMarker(const std::string& markerName, platform::KernelHandle& handle);

// True when no running copy of the product holds the marker. A held marker stays
// open for the rest of the process.
bool ProbeProductMarker();

// Asks a running product to quit: WM_QUIT to its main window, if there is one.
void AskProductToQuit();
