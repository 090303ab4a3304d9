"""uninstall.exe under Wine: the confirmation, what "Yes" removes and what it leaves, the
final message while the folder is still whole, and the clean-up script that removes the
folder after the uninstaller has ended. Installations are laid out by the test itself
(files, uninstall entry, shortcuts, autostart values, the maker's keys), and also made
by setup.exe."""
import time
from dataclasses import dataclass, field

import pytest

from harness import IDNO, IDOK, IDYES, wait_until
from setup_run import SetupRun, as_shown

CURRENT_VERSION = "Software\\Microsoft\\Windows\\CurrentVersion"
SHELL_FOLDERS = CURRENT_VERSION + "\\Explorer\\Shell Folders"
UNINSTALL_KEY = CURRENT_VERSION + "\\Uninstall\\Morvalen"
RUN_KEY = CURRENT_VERSION + "\\Run"
MAKER_KEY = "Software\\Q's"
DEFAULT_MAKER_KEY = ".DEFAULT\\Software\\Q's"
DEFAULT_FOLDER = "C:\\Program Files\\Morvalen\\"
SCRIPT_NAME = "q's_unin.cmd"
DELAY_LINE = "ping 127.0.0.1 -n 3 > nul || ping ::1 -n 3 > nul"
NAMES = ("Morvalen", "Морвален")  # the English and the Russian display name, as Windows-1251 bytes
DISPLAY_NAME = {"en": "Morvalen", "ru": "Морвален"}
OEM_CODE_PAGE = {"en": "cp437", "ru": "cp866"}

# The registry areas the uninstaller may touch, and their neighbours.
AREAS = (
    ("HKLM", CURRENT_VERSION, 64, ()),
    ("HKCU", "Software", 64, ("Classes", "Wine")),
    ("HKU", ".DEFAULT\\Software", 64, ("Classes", "Wine")),
)

CONFIRMATION = {
    "ru": ("Подумайте лучше",
           "Всё готово к удалению программы \"Морвален\".\n\n"
           "Будет удалён соответствующий пункт из меню программ,\n"
           "ярлык на Рабочем столе и всё из папки {folder}.\n\n"
           "Перед установкой новой версии программы удаление не требуется,\n"
           "если только Вы не хотите сбросить все настройки и наработанный материал.\n\n"
           "Действительно ли Вы вынуждены удалить программу?"),
    "en": ("Think it over",
           "All is ready to uninstall the Morvalen program.\n\n"
           "Respective item of Programs menu, a shortcut on Desktop\n"
           "and everything in {folder} are going to be deleted.\n\n"
           "No need to uninstall the program before installation of its new version,\n"
           "unless you want to reset all options and logs.\n\nAre you really to uninstall it?"),
}
FINAL_MESSAGE = {
    "ru": ("Морвален", "Программа удалена из системы.\r\n\r\n"
                       "Если Вы сами создавали ярлыки для запуска программы,\r\nих придётся удалить вручную."),
    "en": ("Morvalen", "The program is now removed from your system.\r\n\r\n"
                       "If you created any shortcuts for launching the program,\r\nyou may need to remove them manually."),
}
NOT_FOUND = {
    "ru": "Не удалось найти папку {folder}\nудаляемой программы Morvalen",
    "en": "Can't find {folder} folder\nof the Morvalen program.",
}


@dataclass
class Machine:
    """The prefix's system folders, as the registry names them (Windows paths with a backslash)."""
    common_desktop: str
    common_programs: str
    user_programs: str
    user_desktop: str
    startup: str
    temp: str
    names: tuple  # the display names as an ANSI program names files in this code page

    @classmethod
    def read(cls, driver, prefix):
        def folder(root, name):
            return driver.reg_read(root, SHELL_FOLDERS, name)["data"] + "\\"
        user_desktop = folder("HKCU", "Desktop")
        profile = user_desktop[: user_desktop.rstrip("\\").rfind("\\") + 1]
        return cls(folder("HKLM", "Common Desktop"), folder("HKLM", "Common Programs"), folder("HKCU", "Programs"),
                   user_desktop, folder("HKCU", "Startup"), profile + "Temp\\",
                   tuple(as_shown(name, prefix) for name in NAMES))

    def shortcut_files(self):
        """The product's shortcut files outside its menu folders."""
        return ([desktop + name + ".lnk" for desktop in (self.common_desktop, self.user_desktop) for name in self.names]
                + [self.startup + "Morvalen.lnk"])

    def menu_folders(self):
        return [root + name + "\\" for root in (self.user_programs, self.common_programs) for name in self.names]


@dataclass
class Installation:
    """What an installation into `folder` and a run of the product leave on the machine."""
    folder: str
    files: dict = field(default_factory=dict)  # name -> bytes


def lay_out_installation(prefix, driver, build, machine, folder=DEFAULT_FOLDER, entry_folder=None):
    """The product's files in `folder`, its uninstall entry naming `entry_folder` (default: the
    same), its shortcuts, autostart values and maker's keys; and neighbours of all of these
    that belong to something else and must survive."""
    installation = Installation(folder, {
        "Morvalen.exe": build.exe("standin_product.exe").read_bytes(),
        "uninstall.exe": build.exe("uninstall.exe").read_bytes(),
        "riched32.dll": build.exe("riched32_standin.dll").read_bytes(),
    })
    host_folder = prefix.host_path(folder)
    host_folder.mkdir(parents=True, exist_ok=True)
    for name, data in installation.files.items():
        (host_folder / name).write_bytes(data)
    entry = (entry_folder or folder) + "uninstall.exe"
    driver.reg_write("HKLM", UNINSTALL_KEY, "DisplayName", DISPLAY_NAME[prefix.locale])
    driver.reg_write("HKLM", UNINSTALL_KEY, "UninstallString", entry)
    driver.reg_write("HKLM", UNINSTALL_KEY, "NoModify", 1)
    driver.reg_write("HKLM", CURRENT_VERSION + "\\Uninstall\\Neighbour", "UninstallString", "C:\\Neighbour\\u.exe")
    driver.reg_write("HKCU", RUN_KEY, "Morvalen", folder + "Morvalen.exe")
    driver.reg_write("HKCU", RUN_KEY, "!Morvalen", folder + "Morvalen.exe /tray")
    driver.reg_write("HKCU", RUN_KEY, "Neighbour", "C:\\Neighbour\\n.exe")
    driver.reg_write("HKCU", MAKER_KEY + "\\Morvalen\\Options", "Theme", "dark")
    driver.reg_write("HKCU", MAKER_KEY + "\\Neighbour", "Theme", "light")
    driver.reg_write("HKU", DEFAULT_MAKER_KEY + "\\Morvalen", "Theme", "dark")
    driver.reg_write("HKU", DEFAULT_MAKER_KEY + "\\Neighbour", "Theme", "light")
    for path in machine.shortcut_files():
        write_file(prefix, path, b"shortcut")
    for menu in machine.menu_folders():
        write_file(prefix, menu + "Morvalen.lnk", b"shortcut")
        write_file(prefix, menu + "Uninstall the program.lnk", b"shortcut")
    for neighbour in (machine.common_desktop + "Neighbour.lnk", machine.user_desktop + "Neighbour.lnk",
                      machine.startup + "Neighbour.lnk", machine.common_programs + "Neighbour\\Neighbour.lnk"):
        write_file(prefix, neighbour, b"someone else's")
    return installation


def write_file(prefix, windows_path, data):
    host = prefix.host_path(windows_path)
    host.parent.mkdir(parents=True, exist_ok=True)
    host.write_bytes(data)


def registry_item(root, key, value=None):
    """An entry as the snapshot names it."""
    return f"{root}[64]\\{key}" + (f":{value}" if value is not None else "")


def product_registry_items():
    """The registry items "Yes" must remove: each key item stands for its whole subtree."""
    return [registry_item("HKLM", UNINSTALL_KEY), registry_item("HKCU", RUN_KEY, "Morvalen"),
            registry_item("HKCU", RUN_KEY, "!Morvalen"), registry_item("HKCU", MAKER_KEY + "\\Morvalen"),
            registry_item("HKU", DEFAULT_MAKER_KEY + "\\Morvalen")]


def relative(prefix, windows_path):
    return str(prefix.host_path(windows_path).relative_to(prefix.drive_c))


def within(entry, items):
    """Whether a snapshot entry is one of the items or lies below one of them."""
    return any(entry == item or entry.startswith(item + "\\") or entry.startswith(item + ":") or
               entry.startswith(item + "/") for item in items)


class Uninstaller:
    """One run of an uninstall.exe up to its confirmation."""

    def __init__(self, prefix, driver, exe, screenshot):
        self.prefix, self.driver, self.screenshot = prefix, driver, screenshot
        self.process = prefix.start(exe, name="uninstall")

    def first_box(self):
        box = self.driver.wait_message_box(timeout_ms=30000)
        self.screenshot("1-first-box")
        return box

    def next_box(self, previous):
        window = self.driver.wait_window(cls="#32770", not_hwnd=previous, timeout_ms=30000)
        self.screenshot("2-next-box")
        return self.driver.message_box(window)

    def exit_code(self, timeout=15):
        return self.process.wait(timeout)


@pytest.fixture
def machine(driver, wine_prefix):
    return Machine.read(driver, wine_prefix)


@pytest.fixture
def start_uninstaller(wine_prefix, driver, screenshot):
    return lambda exe: Uninstaller(wine_prefix, driver, exe, screenshot)


@pytest.fixture
def areas_snapshot(snapshot):
    return lambda: snapshot(areas=AREAS)


def script_path(prefix, machine):
    return prefix.host_path(machine.temp + SCRIPT_NAME)


def expected_script(folder, file_names):
    """The script's lines as text (read_script decodes them from the OEM code page)."""
    return (["@echo off", DELAY_LINE] + [f'del "{folder + name}"'.replace("%", "%%") for name in file_names]
            + [DELAY_LINE, f'rd "{folder[:-1]}"'.replace("%", "%%"), "del " + SCRIPT_NAME])


def read_script(prefix, machine):
    """The script's lines, decoded from the OEM code page, and whether every line ends with CR LF."""
    data = script_path(prefix, machine).read_bytes()
    return data.decode(OEM_CODE_PAGE[prefix.locale]).split("\r\n")[:-1], data.endswith(b"\r\n") and \
        data.count(b"\n") == data.count(b"\r\n")


def check_script(prefix, machine, folder, file_names):
    lines, crlf = read_script(prefix, machine)
    assert crlf, "every line ends with CR LF"
    expected = expected_script(folder, file_names)
    # The del lines come in the file system's order.
    assert lines[:2] == expected[:2] and lines[-3:] == expected[-3:]
    assert sorted(lines[2:-3]) == sorted(expected[2:-3])


def wait_gone(host_path, timeout=30.0):
    """Seconds until the path no longer exists."""
    start = time.monotonic()
    wait_until(lambda: not host_path.exists(), timeout=timeout, interval=0.2, what=f"{host_path} to go")
    return time.monotonic() - start


@pytest.mark.parametrize("answer", ["no-button", "enter-key"])
@pytest.mark.parametrize("wine_locale", ["ru", "en"], indirect=True)
def test_answer_other_than_yes_removes_nothing(wine_prefix, driver, windows_build, machine, start_uninstaller,
                                               areas_snapshot, wine_locale, answer):
    lay_out_installation(wine_prefix, driver, windows_build, machine)
    before = areas_snapshot()
    run = start_uninstaller(DEFAULT_FOLDER + "uninstall.exe")
    box = run.first_box()
    caption, text = CONFIRMATION[wine_locale]
    assert (box["caption"], box["text"]) == (caption, text.format(folder=DEFAULT_FOLDER))
    assert [b["id"] for b in box["buttons"]] == [IDYES, IDNO]
    no_button = next(b["hwnd"] for b in box["buttons"] if b["id"] == IDNO)
    assert driver.focus(box)["hwnd"] == no_button, "No is the default button"
    if answer == "no-button":
        driver.press(box, IDNO)
    else:
        driver.keys(box, "enter")
    assert run.exit_code() == 0
    registry, files = before.changes()
    assert not registry, str(registry)
    assert not files, str(files)
    assert not script_path(wine_prefix, machine).exists()


@pytest.mark.parametrize("wine_locale", ["ru", "en"], indirect=True)
def test_yes_removes_the_product_and_the_script_removes_its_folder(wine_prefix, driver, windows_build, machine,
                                                                    start_uninstaller, areas_snapshot, wine_locale):
    installation = lay_out_installation(wine_prefix, driver, windows_build, machine)
    host_folder = wine_prefix.host_path(DEFAULT_FOLDER)
    before = areas_snapshot()
    run = start_uninstaller(DEFAULT_FOLDER + "uninstall.exe")
    confirmation = run.first_box()
    driver.press(confirmation, IDYES)
    final = run.next_box(confirmation)
    assert (final["caption"], final["text"]) == FINAL_MESSAGE[wine_locale]
    assert [b["id"] for b in final["buttons"]] == [IDOK]

    # While the final message is open the folder is whole and the script waits in Temp.
    for name, data in installation.files.items():
        assert (host_folder / name).read_bytes() == data, name
    check_script(wine_prefix, machine, DEFAULT_FOLDER, installation.files)
    registry, files = before.changes()
    removed_now = set(registry.removed) | set(files.removed)
    product_files = ([relative(wine_prefix, p) for p in machine.shortcut_files()] +
                     [relative(wine_prefix, m) for m in machine.menu_folders()])
    for item in product_registry_items() + product_files:
        assert item in removed_now, f"{item} is still there"
    assert all(within(entry, product_registry_items()) for entry in registry.removed), str(registry)
    assert all(within(entry, product_files) for entry in files.removed), str(files)
    assert not registry.added and not registry.changed, str(registry)

    driver.press(final, IDOK)
    closed = time.monotonic()
    assert run.exit_code() == 0
    folder_seconds = wait_gone(host_folder)
    script_seconds = wait_gone(script_path(wine_prefix, machine))
    print(f"after the final box: folder gone in {folder_seconds:.1f} s, script {script_seconds:.1f} s later "
          f"({time.monotonic() - closed:.1f} s in all)")

    # In the end exactly the product's items are gone; the maker's keys and every neighbour stay.
    registry, files = before.changes()
    assert all(within(entry, product_registry_items()) for entry in registry.removed), str(registry)
    assert all(within(entry, product_files + [relative(wine_prefix, DEFAULT_FOLDER)]) for entry in files.removed), \
        str(files)
    assert not registry.added and not files.added, f"{registry}\n{files}"
    assert driver.reg_keys("HKCU", MAKER_KEY) == ["Neighbour"]
    assert driver.reg_keys("HKU", DEFAULT_MAKER_KEY) == ["Neighbour"]
    assert driver.reg_read("HKCU", RUN_KEY, "Neighbour") is not None
    assert wine_prefix.host_path(machine.common_programs + "Neighbour\\Neighbour.lnk").is_file()


@pytest.mark.wine_locale("en")
def test_subfolder_and_file_in_use_keep_the_folder(wine_prefix, driver, windows_build, machine, start_uninstaller):
    installation = lay_out_installation(wine_prefix, driver, windows_build, machine)
    host_folder = wine_prefix.host_path(DEFAULT_FOLDER)
    (host_folder / "Data").mkdir()
    (host_folder / "Data" / "notes.txt").write_bytes(b"the user's notes")
    (host_folder / "readonly.dat").write_bytes(b"r")
    assert wine_prefix.run("attrib", "+r", DEFAULT_FOLDER + "readonly.dat") == 0
    # A program started from the folder holds its executable file while it runs.
    (host_folder / "helper.exe").write_bytes(windows_build.exe("uidriver.exe").read_bytes())
    helper = wine_prefix.start(DEFAULT_FOLDER + "helper.exe", "hold-mapping", "--name", "helper", "--ms", 60000)
    wait_until(lambda: "already_existed" in helper.stdout(), timeout=30, what="the helper to run")

    run = start_uninstaller(DEFAULT_FOLDER + "uninstall.exe")
    confirmation = run.first_box()
    driver.press(confirmation, IDYES)
    final = run.next_box(confirmation)
    check_script(wine_prefix, machine, DEFAULT_FOLDER, sorted(installation.files) + ["readonly.dat", "helper.exe"])
    driver.press(final, IDOK)
    assert run.exit_code() == 0
    wait_gone(script_path(wine_prefix, machine))

    for name in installation.files:
        assert not (host_folder / name).exists(), name
    assert (host_folder / "Data" / "notes.txt").read_bytes() == b"the user's notes"
    assert (host_folder / "helper.exe").is_file(), "a running program's file cannot be deleted"
    assert (host_folder / "readonly.dat").is_file(), "a plain del leaves a read-only file"
    helper.kill()


@pytest.mark.parametrize("wine_locale", ["ru", "en"], indirect=True)
def test_folder_name_with_characters_the_command_interpreter_knows(wine_prefix, driver, windows_build, machine,
                                                                   start_uninstaller, wine_locale):
    folder = "C:\\Program Files\\Morvalen & (x) ^ 100% !a! b\\"
    installation = lay_out_installation(wine_prefix, driver, windows_build, machine, folder)
    odd_file = "a&b^c(d)%e!f!.txt"
    write_file(wine_prefix, folder + odd_file, b"odd")
    # What the lines would name if % were expanded: these must survive.
    decoy_folder = wine_prefix.host_path("C:\\Program Files\\Morvalen & (x) ^ 100 !a! b")
    decoy_folder.mkdir()
    decoy_file = wine_prefix.host_path("C:\\Program Files") / "Morvalen & (x) ^ 100e!f!.txt"
    decoy_file.write_bytes(b"decoy")

    run = start_uninstaller(folder + "uninstall.exe")
    confirmation = run.first_box()
    assert confirmation["text"] == CONFIRMATION[wine_locale][1].format(folder=folder)
    driver.press(confirmation, IDYES)
    final = run.next_box(confirmation)
    check_script(wine_prefix, machine, folder, list(installation.files) + [odd_file])
    driver.press(final, IDOK)
    assert run.exit_code() == 0
    wait_gone(wine_prefix.host_path(folder))
    wait_gone(script_path(wine_prefix, machine))
    assert decoy_folder.is_dir() and decoy_file.read_bytes() == b"decoy"


@pytest.mark.wine_locale("ru")
def test_cyrillic_folder_is_written_in_the_oem_code_page(wine_prefix, driver, windows_build, machine,
                                                         start_uninstaller):
    folder = "C:\\Программы\\Морвален Morvalen\\"
    installation = lay_out_installation(wine_prefix, driver, windows_build, machine, folder)
    write_file(wine_prefix, folder + "Данные.txt", b"data")
    run = start_uninstaller(folder + "uninstall.exe")
    confirmation = run.first_box()
    assert confirmation["text"] == CONFIRMATION["ru"][1].format(folder=folder)
    driver.press(confirmation, IDYES)
    final = run.next_box(confirmation)
    raw = script_path(wine_prefix, machine).read_bytes()
    assert 'rd "C:\\Программы\\Морвален Morvalen"'.encode("cp866") in raw
    assert "Данные".encode("cp1251") not in raw
    check_script(wine_prefix, machine, folder, list(installation.files) + ["Данные.txt"])
    driver.press(final, IDOK)
    assert run.exit_code() == 0
    wait_gone(wine_prefix.host_path(folder))
    wait_gone(script_path(wine_prefix, machine))
    assert wine_prefix.host_path("C:\\Программы").is_dir()


@pytest.mark.parametrize("entry_folder", ["C:\\Data\\Precious\\", "C:\\Program Files\\Morvalen\\..\\..\\Data\\Precious\\"])
@pytest.mark.wine_locale("en")
def test_tampered_entry_naming_another_folder_removes_nothing(wine_prefix, driver, windows_build, machine,
                                                              start_uninstaller, areas_snapshot, entry_folder):
    lay_out_installation(wine_prefix, driver, windows_build, machine, entry_folder=entry_folder)
    precious = wine_prefix.host_path("C:\\Data\\Precious")
    precious.mkdir(parents=True)
    (precious / "ledger.xls").write_bytes(b"precious")
    (precious / "uninstall.exe").write_bytes(windows_build.exe("uninstall.exe").read_bytes())
    before = areas_snapshot()
    run = start_uninstaller("C:\\Data\\Precious\\uninstall.exe")
    box = run.first_box()
    assert box["text"] == NOT_FOUND["en"].format(folder=entry_folder)
    assert [b["id"] for b in box["buttons"]] == [IDOK]
    driver.press(box, IDOK)
    assert run.exit_code() == 0
    registry, files = before.changes()
    assert not registry and not files, f"{registry}\n{files}"
    assert not script_path(wine_prefix, machine).exists()


@pytest.mark.wine_locale("ru")
def test_missing_folder_gets_the_not_found_message(wine_prefix, driver, windows_build, machine, start_uninstaller,
                                                   areas_snapshot):
    lay_out_installation(wine_prefix, driver, windows_build, machine, entry_folder="C:\\Gone\\Morvalen\\")
    before = areas_snapshot()
    run = start_uninstaller(DEFAULT_FOLDER + "uninstall.exe")
    box = run.first_box()
    assert (box["caption"], box["text"]) == ("Морвален", NOT_FOUND["ru"].format(folder="C:\\Gone\\Morvalen\\"))
    driver.press(box, IDOK)
    assert run.exit_code() == 0
    registry, files = before.changes()
    assert not registry and not files, f"{registry}\n{files}"


@pytest.mark.wine_locale("en")
def test_temp_naming_a_missing_folder_starts_no_script(wine_prefix, driver, windows_build, machine,
                                                       start_uninstaller, areas_snapshot):
    installation = lay_out_installation(wine_prefix, driver, windows_build, machine)
    before = areas_snapshot()
    # Wine builds a new process's environment from this key.
    driver.reg_write("HKCU", "Environment", "TEMP", "C:\\No such temp")
    driver.reg_write("HKCU", "Environment", "TMP", "C:\\No such temp")
    run = start_uninstaller(DEFAULT_FOLDER + "uninstall.exe")
    confirmation = run.first_box()
    driver.press(confirmation, IDYES)
    final = run.next_box(confirmation)
    assert final["text"] == FINAL_MESSAGE["en"][1]
    driver.press(final, IDOK)
    assert run.exit_code() == 0
    time.sleep(6)  # longer than the script's two delays
    assert driver.reg_values("HKLM", UNINSTALL_KEY) is None
    for name, data in installation.files.items():
        assert wine_prefix.host_path(DEFAULT_FOLDER + name).read_bytes() == data, name
    assert not wine_prefix.host_path("C:\\No such temp").exists()
    _, files = before.changes()
    assert not [path for path in files.added if path.endswith(SCRIPT_NAME)], str(files)


@pytest.mark.parametrize("wine_locale", ["ru", "en"], indirect=True)
def test_installed_by_the_setup_then_uninstalled(wine_prefix, driver, windows_build, machine, start_uninstaller,
                                                 screenshot, wine_locale):
    setup = SetupRun(wine_prefix, driver, windows_build, lambda name: screenshot("setup-" + name))
    setup.close_report(setup.install())
    # The product was started after the installation: the uninstaller asks it to quit.
    product = driver.wait_window(cls="TMVMainForm", timeout_ms=30000)
    assert setup.wait_exit(30) == 0
    name = DISPLAY_NAME[wine_locale]
    menu = machine.common_programs + name + "\\"
    desktop_link = wine_prefix.host_path(machine.common_desktop + name + ".lnk")
    assert wine_prefix.host_path(menu).is_dir() and desktop_link.is_file()
    driver.reg_write("HKCU", MAKER_KEY + "\\Morvalen", "Theme", "dark")
    driver.reg_write("HKU", DEFAULT_MAKER_KEY + "\\Morvalen", "Theme", "dark")
    driver.reg_write("HKCU", RUN_KEY, "Morvalen", DEFAULT_FOLDER + "Morvalen.exe")
    installed = sorted(p.name for p in wine_prefix.host_path(DEFAULT_FOLDER).iterdir())

    run = start_uninstaller(DEFAULT_FOLDER + "uninstall.exe")
    confirmation = run.first_box()
    driver.wait_gone(product, timeout_ms=15000)
    driver.press(confirmation, IDYES)
    final = run.next_box(confirmation)
    assert final["text"] == FINAL_MESSAGE[wine_locale][1]
    assert sorted(p.name for p in wine_prefix.host_path(DEFAULT_FOLDER).iterdir()) == installed
    assert driver.reg_values("HKLM", UNINSTALL_KEY) is None
    assert not wine_prefix.host_path(menu).exists() and not desktop_link.exists()
    assert driver.reg_keys("HKCU", MAKER_KEY) == [] and driver.reg_keys("HKU", DEFAULT_MAKER_KEY) == []
    assert driver.reg_read("HKCU", RUN_KEY, "Morvalen") is None
    driver.press(final, IDOK)
    assert run.exit_code() == 0
    wait_gone(wine_prefix.host_path(DEFAULT_FOLDER))
    wait_gone(script_path(wine_prefix, machine))
