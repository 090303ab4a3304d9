"""A whole installation through the wizard: the files, the uninstall entry, the shortcuts, the
report, the start of the product; a second run and a previous entry in the 32-bit view."""
import datetime
import re
from pathlib import Path

import pytest

from harness import wait_until
from setup_run import DISPLAY_NAME, PRODUCT_CLASS, UNINSTALL_KEY, WOW_UNINSTALL_KEY, SetupRun

WEB_ADDRESS = "https://www.morvalen.ru"
DEFAULT_TARGET = "C:\\Program Files\\Morvalen\\"
MENU_ROOT = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\"
DESKTOP = "C:\\users\\Public\\Desktop\\"
TITLE = {"ru": "Морвален для Windows", "en": "Morvalen for Windows"}
PUBLISHER = {"ru": "Студия Морвален", "en": "Morvalen Studio"}
UNINSTALL_LINK = {"ru": "Удаление программы.lnk", "en": "Uninstall the program.lnk"}
WEB_LINK = {"ru": "Интернет-сайт программы.url", "en": "Program's website.url"}
REPORT = 'На Ваш компьютер установлена программа "Морвален" 1500 БЕЗ ЗВУКОВ.'
REPORT_DESKTOP = ('\r\n\r\nНа "Рабочий стол" помещён ярлык программы,\r\n'
                  'который Вы можете без вреда удалить или переместить.')
SW_SHOW = 5


@pytest.fixture
def setup_run(wine_prefix, driver, windows_build, screenshot):
    return SetupRun(wine_prefix, driver, windows_build, screenshot)


@pytest.fixture
def carried_files(windows_build):
    """The bytes the setup carries, by installed name, as the build's resource script names them."""
    script = (windows_build.folder / "carried_files.rc").read_text()
    paths = dict(re.findall(r'^(\w+) \w+ "(.*)"$', script, re.MULTILINE))
    return {"Morvalen.exe": Path(paths["MORVALEN"]).read_bytes(),
            "uninstall.exe": Path(paths["UNINSTALL"]).read_bytes(),
            "riched32.dll": Path(paths["RICHED32"]).read_bytes()}


def expected_entry(locale, target, carried_files):
    """The fifteen values but "InstallDate", which depends on the day of the run."""
    size_kb = sum(len(data) for data in carried_files.values()) >> 10
    help_link = WEB_ADDRESS + "/Morvalen.htm"
    return {
        "DisplayName": ("REG_SZ", DISPLAY_NAME[locale]),
        "UninstallString": ("REG_SZ", target + "uninstall.exe"),
        "DisplayIcon": ("REG_SZ", target + "Morvalen.exe"),
        "DisplayVersion": ("REG_SZ", "1500"),
        "VersionMajor": ("REG_DWORD", 1500),
        "VersionMinor": ("REG_DWORD", 0),
        "InstallLocation": ("REG_SZ", target.rstrip("\\")),
        "Publisher": ("REG_SZ", PUBLISHER[locale]),
        "URLInfoAbout": ("REG_SZ", WEB_ADDRESS),
        "HelpLink": ("REG_SZ", help_link),
        "URLUpdateInfo": ("REG_SZ", help_link),
        "NoModify": ("REG_DWORD", 1),
        "NoRepair": ("REG_DWORD", 1),
        "EstimatedSize": ("REG_DWORD", size_kb),
    }


def entry_values(driver, view=64):
    values = driver.reg_values("HKLM", UNINSTALL_KEY, view=view)
    return None if values is None else {v["name"]: (v["type"], v["data"]) for v in values}


def check_entry(driver, locale, target, carried_files, days):
    """The entry in the 64-bit view, with "InstallDate" one of `days` (the run may pass midnight)."""
    values = entry_values(driver)
    assert values is not None, "no uninstall entry in the 64-bit view"
    install_date = values.pop("InstallDate", None)
    assert install_date in {("REG_SZ", day) for day in days}
    assert values == expected_entry(locale, target, carried_files)


def check_link(driver, prefix, link_path, target, locale):
    host = prefix.host_path(link_path)
    assert host.is_file(), f"missing shortcut {link_path}"
    link = driver.resolve_lnk(host)
    assert link["target"] == target
    assert link["working_directory"] == target[: target.rfind("\\") + 1]
    assert link["description"] == TITLE[locale]
    assert link["arguments"] == ""
    assert link["show_command_in_file"] == SW_SHOW
    assert (link["icon_location"], link["icon_index"]) == (target, 0)


def today():
    return datetime.date.today().strftime("%Y%m%d")


@pytest.mark.parametrize("wine_locale", ["ru", "en"], indirect=True)
def test_full_install_with_both_options(setup_run, driver, wine_prefix, wine_locale, carried_files):
    dates = {today()}
    box = setup_run.install()
    assert box["text"] == setup_run.text(REPORT + REPORT_DESKTOP)
    assert box["caption"] == setup_run.text("Морвален")
    assert [b["id"] for b in box["buttons"]] == [1]
    setup_run.close_report(box)

    # "Run afterwards": the stand-in product starts in the target folder and comes to the front.
    started = wine_prefix.host_path(DEFAULT_TARGET + "standin_started.txt")
    wait_until(started.exists, timeout=30, what="the product's note of its start")
    assert setup_run.wait_exit(30) == 0
    assert started.read_bytes().decode("ascii").splitlines() == [
        "current_directory=C:\\Program Files\\Morvalen", "executable=C:\\Program Files\\Morvalen\\Morvalen.exe"]
    product = driver.wait_window(cls=PRODUCT_CLASS)
    assert product["visible"]
    assert driver.call("focus", "--hwnd", product["hwnd"])[0]["foreground"] == product["hwnd"]
    setup_run.screenshot("6-product-in-front")
    dates.add(today())

    for name, data in carried_files.items():
        assert wine_prefix.host_path(DEFAULT_TARGET + name).read_bytes() == data, name
    check_entry(driver, wine_locale, DEFAULT_TARGET, carried_files, dates)
    assert driver.reg_values("HKLM", UNINSTALL_KEY, view=32) is None

    name = DISPLAY_NAME[wine_locale]
    menu = MENU_ROOT + name + "\\"
    assert sorted(p.name for p in wine_prefix.host_path(menu).iterdir()) == sorted(
        [name + ".lnk", UNINSTALL_LINK[wine_locale], WEB_LINK[wine_locale]])
    check_link(driver, wine_prefix, menu + name + ".lnk", DEFAULT_TARGET + "Morvalen.exe", wine_locale)
    check_link(driver, wine_prefix, menu + UNINSTALL_LINK[wine_locale], DEFAULT_TARGET + "Uninstall.exe", wine_locale)
    check_link(driver, wine_prefix, DESKTOP + name + ".lnk", DEFAULT_TARGET + "Morvalen.exe", wine_locale)
    web = wine_prefix.host_path(menu + WEB_LINK[wine_locale]).read_bytes()
    assert web == f"[InternetShortcut]\r\nURL={WEB_ADDRESS}\r\n".encode("ascii")


@pytest.mark.wine_locale("ru")
def test_without_desktop_shortcut_or_start(setup_run, driver, wine_prefix, carried_files):
    # A shortcut of that name that the user made stays as it is.
    own_link = wine_prefix.host_path(DESKTOP) / "Морвален.lnk"
    own_link.write_bytes(b"the user's own")
    box = setup_run.install(desktop=False, run_after=False)
    assert box["text"] == REPORT
    setup_run.close_report(box)
    assert setup_run.wait_exit(10) == 0  # no waits for a product after the report
    assert own_link.read_bytes() == b"the user's own"
    assert not wine_prefix.host_path(DEFAULT_TARGET + "standin_started.txt").exists()
    assert driver.windows(cls=PRODUCT_CLASS) == []
    assert entry_values(driver)["DisplayName"] == ("REG_SZ", "Морвален")
    assert wine_prefix.host_path(MENU_ROOT + "Морвален\\Морвален.lnk").is_file()


@pytest.mark.wine_locale("ru")
def test_second_run_proposes_the_previous_folder(setup_run, driver, wine_prefix, windows_build, screenshot,
                                                 carried_files):
    folder = "C:\\Apps\\Morvalen Test\\"
    setup_run.close_report(setup_run.install(folder="C:\\Apps\\Morvalen Test", desktop=False, run_after=False))
    assert setup_run.wait_exit(10) == 0
    for name, data in carried_files.items():
        assert wine_prefix.host_path(folder + name).read_bytes() == data, name
    assert entry_values(driver)["InstallLocation"] == ("REG_SZ", "C:\\Apps\\Morvalen Test")

    second = SetupRun(wine_prefix, driver, windows_build, lambda name: screenshot("second-" + name))
    second.start()
    second.open_licence_page()
    second.accept_licence()
    assert second.proposed_folder() == folder
    driver.close(second.form)
    assert second.wait_exit(10) == 0


@pytest.mark.wine_locale("ru")
def test_entry_only_in_the_32bit_view_is_moved_to_the_64bit_view(setup_run, driver, wine_prefix, carried_files):
    old = "C:\\Old Place\\Morvalen\\"
    driver.reg_write("HKLM", UNINSTALL_KEY, "UninstallString", old + "uninstall.exe", view=32)
    driver.reg_write("HKLM", UNINSTALL_KEY, "Comments", "from an earlier 32-bit installation", view=32)
    assert driver.reg_read("HKLM", WOW_UNINSTALL_KEY, "UninstallString", view=64)["data"] == old + "uninstall.exe"

    setup_run.start()
    setup_run.open_licence_page()
    setup_run.accept_licence()
    assert setup_run.proposed_folder() == old
    setup_run.choose(desktop=False, run_after=False)
    setup_run.confirm()
    setup_run.close_report(setup_run.wait_report())
    assert setup_run.wait_exit(10) == 0

    assert entry_values(driver)["UninstallString"] == ("REG_SZ", old + "uninstall.exe")
    assert driver.reg_values("HKLM", UNINSTALL_KEY, view=32) is None
    for name, data in carried_files.items():
        assert wine_prefix.host_path(old + name).read_bytes() == data, name
