#pragma once

// After the setup form: installs and registers the product if the settings were
// confirmed, reports it in Russian and, if asked, starts the product and brings its
// main window to the front.
void CompleteSetup();

// Starts the installed product from TargetFolder, which becomes the current directory.
void LaunchProduct();
