"""Writing the carried files under the progress window, through install_probe.exe: the
installation code of setup.exe with the same carried resources, run on a folder named on its
command line (tests/e2e/probes)."""
import re
import subprocess
from pathlib import Path

import pytest

from harness import IDOK

FILES = ["Morvalen.exe", "uninstall.exe", "riched32.dll"]
TARGET = "C:\\Morvalen Test\\"
PROBE_CAPTION = "install probe"
SCREEN = (1280, 1024)  # the harness's Xvfb
CAPTIONS = {"ru": "Установка файлов Морвален 1500", "en": "Morvalen 1500 files copying..."}
DISPLAY_NAMES = {"ru": "Морвален", "en": "Morvalen"}
CANT_INSTALL = {"ru": "Не удается установить файл ", "en": "Can't install file "}


def as_seen(text, prefix):
    """What a Windows-1251 literal of an ANSI program reads as in the prefix's code page."""
    return text.encode("cp1251").decode(f"cp{prefix.ansi_code_page}")


@pytest.fixture
def probe(windows_build):
    return windows_build.exe("install_probe.exe")


@pytest.fixture
def build_inputs(windows_build):
    """The three carried files as the build's resource script names them, by installed name."""
    script = (windows_build.folder / "carried_files.rc").read_text()
    paths = dict(re.findall(r'^(\w+) \w+ "(.*)"$', script, re.MULTILINE))
    return {"Morvalen.exe": Path(paths["MORVALEN"]), "uninstall.exe": Path(paths["UNINSTALL"]),
            "riched32.dll": Path(paths["RICHED32"])}


@pytest.fixture
def target(wine_prefix):
    folder = wine_prefix.drive_c / "Morvalen Test"
    folder.mkdir()
    return folder


@pytest.fixture
def read_only(target):
    """make(name, content): an existing target file that nobody may write, not even root (as the
    tests run): the Windows read-only attribute (Wine reads it from the mode) plus the immutable
    flag. The flag is taken off again at the end, so the prefix can be removed."""
    made = []

    def make(name, content):
        path = target / name
        path.write_bytes(content)
        path.chmod(0o444)
        done = subprocess.run(["chattr", "+i", str(path)], capture_output=True)
        if done.returncode != 0:
            pytest.skip(f"cannot make a file read-only for root here: {done.stderr.decode().strip()}")
        made.append(path)
        return path

    yield make
    for path in made:
        subprocess.run(["chattr", "-i", str(path)], capture_output=True)


def progress_parts(driver, window):
    """The text line and the bar of the progress window."""
    children = {c["class"].lower(): c for c in driver.children(window)}
    return children["static"], children["msctls_progress32"]


def expected_rect():
    left, top = (SCREEN[0] - 408) // 2, (SCREEN[1] - 76) // 2
    return [left, top, left + 408, top + 76]


def finished_box(driver):
    box = driver.wait_message_box(title=PROBE_CAPTION, timeout_ms=60000)
    match = re.match(r"finished: (true|false); seconds: ([0-9.]+)$", box["text"])
    assert match, box["text"]
    return box, match.group(1) == "true", float(match.group(2))


@pytest.mark.parametrize("wine_locale", ["ru", "en"], indirect=True)
def test_installs_the_three_files_under_the_progress_window(driver, wine_prefix, probe, build_inputs, target):
    process = wine_prefix.start(probe, "run", TARGET)
    box, installed, _ = finished_box(driver)
    assert installed

    # The run is over: the one progress window is hidden, its bar ended at 0..3, position 3.
    windows = driver.windows(cls="PlainWindow", hidden=True)
    assert len(windows) == 1
    window = windows[0]
    assert window["pid"] == driver.info(box)["pid"]
    assert window["visible"] is False
    assert window["text"] == as_seen(CAPTIONS[wine_prefix.locale], wine_prefix)
    assert window["rect"] == expected_rect()
    text_line, bar = progress_parts(driver, window)
    assert text_line["text"] == TARGET + "riched32.dll"
    assert (bar["range_low"], bar["range_high"], bar["position"]) == (0, 3, 3)

    for name in FILES:
        assert (target / name).read_bytes() == build_inputs[name].read_bytes(), name
    driver.press(box, IDOK)
    assert process.wait(30) == 0


def test_longer_existing_files_are_cut_to_the_new_size(driver, wine_prefix, probe, build_inputs, target):
    (target / "Morvalen.exe").write_bytes(b"x" * (build_inputs["Morvalen.exe"].stat().st_size + 300000))
    (target / "uninstall.exe").write_bytes(build_inputs["uninstall.exe"].read_bytes() + b"\0old tail" * 5000)
    process = wine_prefix.start(probe, "run", TARGET)
    box, installed, _ = finished_box(driver)
    assert installed
    for name in FILES:
        assert (target / name).read_bytes() == build_inputs[name].read_bytes(), name
    driver.press(box, IDOK)
    assert process.wait(30) == 0


@pytest.mark.wine_locale("ru")
def test_read_only_targets_are_reported_by_path_while_the_window_shows_them(driver, wine_prefix, probe, target,
                                                                             read_only):
    old = {name: f"old {name} that must stay".encode() for name in FILES}
    for name in FILES:
        read_only(name, old[name])
    process = wine_prefix.start(probe, "run", TARGET)

    previous = None
    for written, name in enumerate(FILES):
        box = driver.wait_window(cls="#32770", title=as_seen(DISPLAY_NAMES["ru"], wine_prefix), not_hwnd=previous,
                                 timeout_ms=60000)
        assert driver.message_box(box)["text"] == as_seen(CANT_INSTALL["ru"] + TARGET + name, wine_prefix)
        # While the box is open the main thread pumps only the box: the window's own thread answers.
        window = driver.wait_window(cls="PlainWindow")
        assert window["text"] == as_seen(CAPTIONS["ru"], wine_prefix)
        text_line, bar = progress_parts(driver, window)
        assert text_line["text"] == TARGET + name
        assert (bar["range_low"], bar["range_high"], bar["position"]) == (0, 3, written)
        driver.press(box, IDOK)
        previous = box

    box, installed, _ = finished_box(driver)
    assert installed  # a file that failed does not make the run fail
    for name in FILES:
        assert (target / name).read_bytes() == old[name], name
    driver.press(box, IDOK)
    assert process.wait(30) == 0


@pytest.mark.parametrize("name, kind", [("Uninstall", "EXE"), ("uninstall", "exe"), ("UNINSTALL", "Exe"),
                                        ("riched32", "DLL"), ("morvalen", "eXe")])
def test_resource_lookup_ignores_letter_case(wine_prefix, probe, build_inputs, target, name, kind):
    assert wine_prefix.run(probe, "file", name, kind, TARGET + "written.bin") == 0
    source = {"uninstall": "uninstall.exe", "riched32": "riched32.dll", "morvalen": "Morvalen.exe"}[name.lower()]
    assert (target / "written.bin").read_bytes() == build_inputs[source].read_bytes()


def test_missing_resource_is_reported_and_leaves_no_empty_file(driver, wine_prefix, probe, target):
    process = wine_prefix.start(probe, "file", "readme", "txt", TARGET + "readme.txt")
    box = driver.wait_message_box(title="Morvalen", timeout_ms=60000)
    assert box["text"] == "Can't install file " + TARGET + "readme.txt"
    assert not (target / "readme.txt").exists()
    driver.press(box, IDOK)
    assert process.wait(30) == 0
    assert list(target.iterdir()) == []


def test_run_goes_on_at_once_when_the_window_can_never_be_made(driver, wine_prefix, probe, build_inputs, target):
    # "PlainWindow" already registered by the program: the progress thread cannot register it and ends.
    process = wine_prefix.start(probe, "class-taken", TARGET)
    box, installed, seconds = finished_box(driver)
    assert installed
    # Three files take three waits of 128 ms; the bounded wait for the window would add 10 s.
    assert seconds < 5, seconds
    assert driver.windows(cls="PlainWindow", hidden=True) == []
    for name in FILES:
        assert (target / name).read_bytes() == build_inputs[name].read_bytes(), name
    driver.press(box, IDOK)
    assert process.wait(30) == 0
