"""The part of tools/run-setup.sh that runs setup.exe under Wine and tells what it installed.
It uses the end-to-end harness (tests/e2e/harness) for Wine, the display and the UI driver."""
import argparse
import os
import shutil
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

from harness import Prefix, WindowsBuild, wait_until  # noqa: E402
from harness.driver import Driver  # noqa: E402
from harness.paths import artifacts_dir  # noqa: E402
from harness.wine import WineHost, boot_template  # noqa: E402
from harness.xvfb import Xvfb  # noqa: E402
from setup_run import PRODUCT_CLASS, UNINSTALL_KEY, SetupRun  # noqa: E402

SHELL_FOLDERS = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"
# The order in which the setup writes them; a value it does not write would come last.
ENTRY_ORDER = ["DisplayName", "UninstallString", "DisplayIcon", "DisplayVersion", "VersionMajor", "VersionMinor",
               "InstallLocation", "InstallDate", "Publisher", "URLInfoAbout", "HelpLink", "URLUpdateInfo",
               "NoModify", "NoRepair", "EstimatedSize"]


def parse_arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", type=Path, required=True, help="folder with setup.exe and uidriver.exe")
    parser.add_argument("--work", type=Path, required=True, help="folder for the Wine prefix and its template")
    parser.add_argument("--locale", choices=["ru", "en"], default="en")
    return parser.parse_args()


def prepare_prefix(host, work: Path, locale: str) -> Prefix:
    template = work / "template"
    if not (template / "system.reg").exists():
        print(f"Booting a Wine prefix once, in {template} (about 15 s) ...", flush=True)
        shutil.rmtree(template, ignore_errors=True)
        boot_template(host, template)
    folder = work / "prefix"
    shutil.rmtree(folder, ignore_errors=True)
    return Prefix(host, template, folder, locale, work / "logs", process_timeout=3600)


def drive(run: SetupRun, driver):
    """Accept, keep the proposed folder, both options on; tell what the windows showed."""
    run.start()
    run.answer_language_prompt()
    run.open_licence_page()
    run.accept_licence()
    print(f"Licence accepted; proposed folder: {run.proposed_folder()}")
    run.choose(desktop=True, run_after=True)
    run.confirm()
    box = run.wait_report()
    print("Report box:\n  " + box["text"].replace("\r\n", "\n  "))
    if run.prefix.ansi_code_page != 1251:
        # The report is Windows-1251 in every locale; here is what it says.
        russian = box["text"].encode(f"cp{run.prefix.ansi_code_page}").decode("cp1251")
        print("  (read as Windows-1251:)\n  " + russian.replace("\r\n", "\n  "))
    run.close_report(box)
    product = driver.wait_window(cls=PRODUCT_CLASS, timeout_ms=30000)
    place = "in front" if is_foreground(driver, product) else "NOT in front"
    print(f"The product started; its main window is {place}.")
    run.screenshot("6-product")
    print(f"setup.exe ended with exit code {run.wait_exit(60)}.")


def is_foreground(driver, window) -> bool:
    return driver.call("focus", "--hwnd", window["hwnd"])[0]["foreground"] == window["hwnd"]


def print_installation(driver, prefix):
    values = driver.reg_values("HKLM", UNINSTALL_KEY, view=64)
    if values is None:
        print("\nNothing installed: there is no uninstall entry.")
        return
    values.sort(key=lambda v: ENTRY_ORDER.index(v["name"]) if v["name"] in ENTRY_ORDER else len(ENTRY_ORDER))
    print(f"\nUninstall entry HKLM\\{UNINSTALL_KEY} (64-bit view):")
    for value in values:
        print(f"  {value['name']:<16} {value['type']:<9} {value['data']}")
    entry = {v["name"]: v["data"] for v in values}

    folder = entry.get("InstallLocation", "") + "\\"
    print(f"\nFiles in {folder}:")
    for path in sorted(prefix.host_path(folder).iterdir()):
        print(f"  {path.name:<24} {path.stat().st_size:>9} bytes")

    print("\nShortcuts:")
    name = entry.get("DisplayName", "")
    # The product's menu folder with all it holds, and the program's shortcut on the desktop.
    places = [("Common Programs", f"{name}/*"), ("Common Desktop", f"{name}.lnk")]
    for folder_value, pattern in places:
        folder = driver.reg_read("HKLM", SHELL_FOLDERS, folder_value)
        if folder is None:
            continue
        for path in sorted(prefix.host_path(folder["data"]).glob(pattern)):
            print(f"  {prefix.windows_path(path)}\n      -> {describe_shortcut(driver, path)}")


def describe_shortcut(driver, path: Path) -> str:
    if path.suffix.lower() == ".url":
        return " | ".join(path.read_bytes().decode("ascii", "replace").split("\r\n")).strip(" |")
    link = driver.resolve_lnk(path)
    return (f"{link['target']}  (working folder {link['working_directory']}, description "
            f"\"{link['description']}\", show command {link['show_command_in_file']}, "
            f"icon {link['icon_location']},{link['icon_index']})")


def main():
    arguments = parse_arguments()
    build = WindowsBuild(arguments.build, "win64" if arguments.build.name.endswith("64") else "win32")
    on_user_screen = bool(os.environ.get("DISPLAY"))
    (arguments.work / "home").mkdir(parents=True, exist_ok=True)
    xvfb = None if on_user_screen else Xvfb(log=arguments.work / "xvfb.log")
    display = os.environ["DISPLAY"] if on_user_screen else xvfb.display
    host = WineHost(display, arguments.work / "home", runs_32bit=build.arch == "win32")
    prefix = prepare_prefix(host, arguments.work, arguments.locale)
    driver = Driver(prefix, build.exe("uidriver.exe"))
    shots = artifacts_dir() / "run-setup"
    shutil.rmtree(shots, ignore_errors=True)
    shots.mkdir(parents=True)
    taken = []

    def screenshot(name):
        if xvfb:
            taken.append(xvfb.screenshot(shots / f"{name}.png"))

    run = SetupRun(prefix, driver, build, screenshot)
    try:
        if on_user_screen:
            print(f"setup.exe is open on your display {display}: go through it; this waits until it ends.")
            run.start()
            print(f"setup.exe ended with exit code {run.wait_exit(3600)}.")
        else:
            print(f"No DISPLAY: setup.exe runs on a private display {display}, driven by the UI driver.")
            drive(run, driver)
        print_installation(driver, prefix)
        if taken:
            print("\nScreenshots:")
            for path in taken:
                print(f"  {path}")
        print(f"\nThe Wine prefix stays in {prefix.path} (WINEPREFIX) for a look around.")
    finally:
        if xvfb:
            prefix.shutdown()
            xvfb.stop()


if __name__ == "__main__":
    main()
