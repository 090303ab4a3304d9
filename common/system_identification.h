#pragma once

// Set once at start-up; decides the registry view.
extern bool Is64BitWindows;

void Detect64BitWindows();

// Whether the version query reports the Windows NT family.
bool IsNtPlatform();
