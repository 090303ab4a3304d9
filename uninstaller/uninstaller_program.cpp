#include "uninstaller/uninstaller_program.h"

#include "common/common_settings.h"
#include "common/product_marker.h"
#include "setup/product_constants.h"
#include "uninstaller/uninstall_context.h"
#include "uninstaller/uninstall_run.h"

int RunUninstallerProgram() {
    const ProductIdentity& product = MorvalenIdentity();
    CommonSettings.MarkerName = product.MarkerName;
    CommonSettings.MainWindowClass = product.MainWindowClass;
    // The handle is never closed: the uninstaller holds the marker until it ends, so a
    // copy of the product started meanwhile finds it taken.
    platform::KernelHandle marker = 0;
    if (CreateProductMarker(product.MarkerName, marker)) AskProductToQuit();
    CommonSettings.ShortName = product.ShortName;
    CommonSettings.RussianDisplayName = product.RussianDisplayName;
    CommonSettings.EnglishDisplayName = product.EnglishDisplayName;
    if (BuildUninstallContext()) RunUninstall();
    return 0;
}
