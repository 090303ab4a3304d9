"""The harness and uidriver.exe, checked against uidriver_fixture.exe (tests/e2e/fixtures)."""
import time

import pytest

from harness import IDNO, IDYES, NOT_FOUND, REFUSED, DriverError, wait_until

FIXTURE_CLASS = "MvUiDriverFixture"
TRACE_KEY = "Software\\MvUiDriverFixture"
EXIT_CLOSED, EXIT_CANCELLED = 10, 20
ID_ASK, ID_CHECK, ID_EDIT, ID_PROGRESS, ID_STEP, ID_WRITE, ID_DISABLED, ID_LABEL = range(101, 109)


def as_seen(text, prefix):
    """What a Windows-1251 literal of an ANSI program reads as in the prefix's code page."""
    return text.encode("cp1251").decode(f"cp{prefix.ansi_code_page}")


def trace(driver, name):
    value = driver.reg_read("HKCU", TRACE_KEY, name)
    return None if value is None else value["data"]


def wait_trace(driver, name, expected):
    wait_until(lambda: trace(driver, name) == expected, what=f"{name} == {expected!r}")


@pytest.fixture
def fixture_exe(windows_build):
    return windows_build.exe("uidriver_fixture.exe")


@pytest.fixture
def app(wine_prefix, driver, fixture_exe):
    """The fixture program, started and its window found: (process, window)."""
    process = wine_prefix.start(fixture_exe)
    window = driver.wait_window(cls=FIXTURE_CLASS, timeout_ms=30000)
    return process, window


@pytest.mark.parametrize("wine_locale", ["ru", "en"], indirect=True)
def test_window_and_controls_read_back_in_the_prefix_code_page(driver, wine_prefix, app, screenshot):
    _, window = app
    caption = as_seen("Проверка драйвера", wine_prefix)
    assert window["text"] == caption and window["visible"] and window["enabled"]
    assert driver.wait_window(title=caption)["hwnd"] == window["hwnd"]
    assert driver.wait_window(title_contains=as_seen("драйвера", wine_prefix))["hwnd"] == window["hwnd"]
    assert [w["hwnd"] for w in driver.windows(cls=FIXTURE_CLASS)] == [window["hwnd"]]
    assert [w["hwnd"] for w in driver.windows(pid=window["pid"]) if w["class"] == FIXTURE_CLASS] == [window["hwnd"]]

    controls = {c["id"]: c for c in driver.children(window)}
    assert controls[ID_LABEL]["text"] == as_seen("Метка: проверка", wine_prefix)
    assert controls[ID_EDIT]["class"] == "Edit" and controls[ID_EDIT]["text"] == as_seen("Начальный текст", wine_prefix)
    assert (controls[ID_CHECK]["button_kind"], controls[ID_CHECK]["checked"]) == ("checkbox", 0)
    assert controls[ID_ASK]["button_kind"] == "push"
    assert not controls[ID_DISABLED]["enabled"] and int(controls[ID_DISABLED]["style"], 16) & 0x08000000
    progress = controls[ID_PROGRESS]
    assert (progress["range_low"], progress["range_high"], progress["position"]) == (0, 200, 50)
    # Each rect is relative to the client area: screen minus relative is the same offset for all.
    offsets = {(c["screen_rect"][0] - c["rect"][0], c["screen_rect"][1] - c["rect"][1]) for c in controls.values()}
    assert len(offsets) == 1
    assert controls[ID_EDIT]["rect"] == [10, 35, 390, 59]

    shot = screenshot(f"fixture window {wine_prefix.locale}")
    assert shot.name == f"fixture_window_{wine_prefix.locale}.png"
    assert shot.read_bytes()[:8] == b"\x89PNG\r\n\x1a\n" and shot.stat().st_size > 1000

    started = time.monotonic()
    with pytest.raises(DriverError) as error:
        driver.wait_window(cls="NoSuchWindowClass", timeout_ms=500)
    assert error.value.code == NOT_FOUND and "timed out" in error.value.message
    assert time.monotonic() - started < 10


@pytest.mark.parametrize("wine_locale, answer, labels, by_caption", [
    ("ru", IDYES, ["&Да", "&Нет"], False),
    ("en", IDNO, ["&Yes", "&No"], True),
], indirect=["wine_locale"])
def test_message_box_is_read_and_answered(driver, wine_prefix, app, answer, labels, by_caption):
    _, window = app
    if by_caption:
        driver.click(parent=window, text=as_seen("Спросить", wine_prefix))
    else:
        driver.click(parent=window, id=ID_ASK)
    box = driver.wait_message_box()
    assert box["caption"] == as_seen("Вопрос проверки", wine_prefix)
    assert box["text"] == as_seen("Продолжить проверку?", wine_prefix)
    assert [(b["id"], b["text"]) for b in box["buttons"]] == [(IDYES, labels[0]), (IDNO, labels[1])]
    with pytest.raises(DriverError) as refused:  # the owner is disabled while the box is up
        driver.click(parent=window, id=ID_STEP)
    assert refused.value.code == REFUSED
    if by_caption:
        driver.click(parent=box, text=labels[1].replace("&", ""))  # the mnemonic is ignored
    else:
        driver.press(box, answer)
    assert driver.wait_gone(box)["destroyed"]
    wait_trace(driver, "Answer", answer)


def test_check_box_edit_progress_and_buttons(driver, wine_prefix, app):
    _, window = app
    ticked = driver.tick(parent=window, id=ID_CHECK, state=True)
    assert (ticked["checked"], ticked["changed"]) == (1, True)
    wait_trace(driver, "Checked", 1)
    assert driver.tick(parent=window, id=ID_CHECK, state=True)["changed"] is False
    assert driver.tick(parent=window, id=ID_CHECK, state=False)["checked"] == 0
    wait_trace(driver, "Checked", 0)

    assert driver.set_text(parent=window, id=ID_EDIT, value="Hello, world")["text"] == "Hello, world"
    wait_trace(driver, "EditText", "Hello, world")

    driver.click(parent=window, id=ID_STEP)
    wait_trace(driver, "Step", 75)
    assert driver.child(window, id=ID_PROGRESS)["position"] == 75

    driver.click(parent=window, id=ID_WRITE)
    wait_trace(driver, "FileWritten", 1)
    assert wine_prefix.host_path("c:\\mvuidriverfixture\\WRITTEN.TXT").read_bytes() == "Файл записан\r\n".encode("cp1251")

    with pytest.raises(DriverError) as refused:
        driver.click(parent=window, id=ID_DISABLED)
    assert refused.value.code == REFUSED and "disabled" in refused.value.message
    driver.keys(window, "enter")  # the default button
    wait_trace(driver, "Ok", 1)
    assert trace(driver, "DisabledClicked") is None


@pytest.mark.wine_locale("ru")
def test_keys_move_the_focus_and_type_text(driver, app):
    process, window = app
    assert driver.focus(window)["id"] == ID_EDIT
    driver.keys(window, "tab")
    wait_until(lambda: driver.focus(window)["id"] == ID_CHECK, what="focus on the check box")
    driver.keys(window, ["shift+tab"])
    wait_until(lambda: driver.focus(window)["id"] == ID_EDIT, what="focus back on the edit")
    edit = driver.child(window, id=ID_EDIT)
    driver.set_text(hwnd=edit, value="")
    driver.keys(edit, chars="Привет")
    wait_trace(driver, "EditText", "Привет")  # through the ANSI program in Windows-1251
    driver.keys(edit, "end", mode="post")
    driver.keys(edit, chars="!", mode="post")
    wait_trace(driver, "EditText", "Привет!")
    driver.keys(window, "esc")
    assert process.wait(20) == EXIT_CANCELLED


@pytest.mark.parametrize("syscommand", [False, True], ids=["WM_CLOSE", "SC_CLOSE"])
def test_close_ends_the_program(driver, app, syscommand):
    process, window = app
    driver.close(window, syscommand=syscommand)
    assert process.wait(20) == EXIT_CLOSED
    assert trace(driver, "Closed") == 1
    assert driver.windows(cls=FIXTURE_CLASS, hidden=True) == []


def test_hidden_window_is_found_only_when_asked(wine_prefix, driver, fixture_exe):
    wine_prefix.start(fixture_exe, "--hidden")
    window = driver.wait_window(cls=FIXTURE_CLASS, hidden=True, timeout_ms=30000)
    assert window["visible"] is False
    assert driver.windows(cls=FIXTURE_CLASS) == []
    with pytest.raises(DriverError) as refused:
        driver.click(parent=window, id=ID_STEP)
    assert refused.value.code == REFUSED


def test_registry_views_values_keys_and_deletion(driver):
    key = "Software\\MvHarnessSelfTest"
    driver.reg_write("HKLM", key, "Text", "Значение", view=32)
    driver.reg_write("HKLM", key, "Number", 0x12345678, view=32)
    driver.reg_write("HKLM", key, "Path", "%SystemRoot%\\x", view=32, type="REG_EXPAND_SZ")
    driver.reg_create_key("HKLM", key + "\\Sub", view=32)
    assert driver.reg_read("HKLM", "Software\\Wow6432Node\\MvHarnessSelfTest", "Text", view=64)["data"] == "Значение"
    assert driver.reg_read("HKLM", key, "Text", view=64) is None
    values = driver.reg_values("HKLM", key, view=32)
    assert {v["name"]: (v["type"], v["data"]) for v in values} == {
        "Text": ("REG_SZ", "Значение"), "Number": ("REG_DWORD", 0x12345678), "Path": ("REG_EXPAND_SZ", "%SystemRoot%\\x")}
    assert driver.reg_keys("HKLM", key, view=32) == ["Sub"]
    assert driver.reg_dump("HKLM", key, view=32) == {
        "": {"Text": ("REG_SZ", "Значение"), "Number": ("REG_DWORD", 0x12345678),
             "Path": ("REG_EXPAND_SZ", "%SystemRoot%\\x")},
        "Sub": {}}
    driver.reg_delete_value("HKLM", key, "Number", view=32)
    assert driver.reg_read("HKLM", key, "Number", view=32) is None
    driver.reg_delete_key("HKLM", key, view=32)
    assert driver.reg_values("HKLM", key, view=32) is None

    driver.reg_write("HKCU", "Software\\MvHarnessSelfTest", "Mine", 7)
    users = driver.reg_keys("HKU", "")
    holders = [u for u in users if driver.reg_read("HKU", f"{u}\\Software\\MvHarnessSelfTest", "Mine")]
    assert len(holders) == 1 and holders[0].startswith("S-1-5-21-")


def test_snapshot_tells_what_a_program_wrote(driver, wine_prefix, app, snapshot):
    _, window = app
    before = snapshot()
    unchanged_registry, unchanged_files = before.changes()
    assert not unchanged_registry, str(unchanged_registry)
    assert not unchanged_files, str(unchanged_files)
    driver.tick(parent=window, id=ID_CHECK, state=True)
    driver.click(parent=window, id=ID_WRITE)
    wait_trace(driver, "FileWritten", 1)
    registry, files = before.changes()
    assert f"HKCU[64]\\{TRACE_KEY}:Checked" in registry.added
    assert registry.added[f"HKCU[64]\\{TRACE_KEY}:FileWritten"] == ("REG_DWORD", 1)
    assert set(files.added) == {"MvUiDriverFixture", "MvUiDriverFixture/written.txt"}
    assert not files.removed and not registry.removed


@pytest.mark.wine_locale("ru")
def test_shortcut_is_resolved_and_paths_convert(driver, wine_prefix, fixture_exe):
    target = "C:\\users\\Public\\Desktop\\Self test.lnk"
    assert wine_prefix.run(fixture_exe, "make-lnk", target) == 0
    host_file = wine_prefix.host_path(target.upper())
    assert host_file == wine_prefix.drive_c / "users" / "Public" / "Desktop" / "Self test.lnk" and host_file.is_file()
    assert wine_prefix.windows_path(host_file) == target
    link = driver.resolve_lnk(host_file)
    assert link == dict(link, target="C:\\windows\\notepad.exe", working_directory="C:\\windows\\temp",
                        arguments='/p "C:\\Мои файлы\\отчёт.txt"', description="Ярлык проверки",
                        icon_location="C:\\windows\\system32\\shell32.dll", icon_index=3,
                        show_command_in_file=3)  # SW_SHOWMAXIMIZED


def test_named_file_mapping_is_held_for_a_while(driver, wine_prefix, fixture_exe):
    name = "MvHarnessSelfTestMapping"
    assert wine_prefix.run(fixture_exe, "probe-mapping", name) == 1
    holder = driver.hold_mapping(name, 3000)
    assert holder.mapping["already_existed"] is False
    assert wine_prefix.run(fixture_exe, "probe-mapping", name) == 0
    assert driver.hold_mapping(name, 100).mapping["already_existed"] is True
    assert holder.wait(30) == 0
    assert wine_prefix.run(fixture_exe, "probe-mapping", name) == 1


def test_a_program_that_does_not_end_is_killed_on_timeout(wine_prefix, driver, app):
    process, _ = app
    started = time.monotonic()
    with pytest.raises(TimeoutError):
        process.wait(2)
    assert time.monotonic() - started < 10
    assert not process.running()
    wait_until(lambda: driver.windows(cls=FIXTURE_CLASS) == [], what="the killed program's window to go")

