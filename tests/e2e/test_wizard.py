"""The setup wizard as a person meets it: the licence page, the settings page, the folder
rules, the folder picker, and every way of leaving without installing."""
import pytest

from harness import IDCANCEL, IDOK, wait_until
from harness.paths import artifacts_dir
from setup_run import LICENCE_ACCEPT, NEXT, RUN_OPTION, DESKTOP_OPTION, UNINSTALL_KEY, SetupRun

pytestmark = pytest.mark.wine_locale("ru")

CAPTION = "Морвален"
TITLE = "Подготовка к установке программы Морвален версии 1500"
PRE_LICENCE = ("Лицензионное соглашение с конечным пользователем на использование программного обеспечения "
               "\"Морвален\":")
SETTINGS_GROUP = "Настройки установки"
FOLDER_LABEL = "Папка, в которую будет установлена программа:"
CANCEL = "Отмена"
BROWSE = "..."
FOLDER_WORD_WARNING = ("Строка пути к папке с установленной программой обязательно должна содержать в себе "
                       "слово \"Morvalen\"!")
CANNOT_CREATE = "Папку с таким именем создать невозможно!"
PROPOSED_FOLDER = "C:\\Program Files\\Morvalen\\"  # the 64-bit view's Program Files of the prefix
SCREEN = (1280, 1024)  # the harness's Xvfb

WS_MAXIMIZEBOX, WS_MINIMIZEBOX, WS_SYSMENU, WS_VSCROLL = 0x10000, 0x20000, 0x80000, 0x200000
WS_EX_TOPMOST, ES_MULTILINE, ES_READONLY, SS_TYPEMASK, SS_BITMAP = 0x8, 0x4, 0x800, 0x1F, 0xE


@pytest.fixture
def run(wine_prefix, driver, windows_build, screenshot):
    return SetupRun(wine_prefix, driver, windows_build, screenshot)


@pytest.fixture
def form(run):
    """setup.exe started and its licence page up."""
    run.start()
    return run.open_licence_page()


class Controls:
    """The form's child windows as the driver reads them now, found by text or by class."""

    def __init__(self, driver, form):
        self.all = driver.children(form)
        self.form = form

    def text(self, text):
        found = [c for c in self.all if c["text"] == text]
        assert len(found) == 1, f"{len(found)} controls read {text!r}"
        return found[0]

    def of_class(self, name):
        return [c for c in self.all if c["class"] == name]

    def memo(self):
        (memo,) = [c for c in self.of_class("Edit") if int(c["style"], 16) & ES_MULTILINE]
        return memo

    def folder_edit(self):
        (edit,) = [c for c in self.of_class("Edit") if not int(c["style"], 16) & ES_MULTILINE]
        return edit

    def brand_image(self):
        (image,) = [c for c in self.of_class("Static") if int(c["style"], 16) & SS_TYPEMASK == SS_BITMAP]
        return image

    def parent_of(self, control):
        if control["parent"] == self.form["hwnd"]:
            return None
        (parent,) = [c for c in self.all if c["hwnd"] == control["parent"]]
        return parent


def box_reads(driver, text):
    """Waits for the setup's message box, checks caption and text, and closes it."""
    box = driver.wait_message_box(title=CAPTION)
    assert (box["caption"], box["text"]) == (CAPTION, text)
    driver.press(box, IDOK)
    wait_until(lambda: not driver.windows(cls="#32770"), what="the box to close")


def open_settings_page(run, driver, form):
    driver.tick(parent=form, text=LICENCE_ACCEPT, state=True)
    driver.click(parent=form, text=NEXT)
    wait_until(lambda: Controls(driver, form).text(SETTINGS_GROUP)["visible"], what="the settings page")


def try_folder(driver, form, folder):
    driver.set_text(hwnd=Controls(driver, form).folder_edit(), value=folder)
    driver.click(parent=form, text=NEXT)


def nothing_installed(driver, before):
    registry, files = before.changes()
    assert not registry, str(registry)
    assert not files, str(files)
    assert driver.reg_read("HKLM", UNINSTALL_KEY) is None


def focused(driver, form):
    focus = driver.focus(form)
    return focus and focus["hwnd"]


# ---- the licence page

def test_licence_page_stands_as_laid_out(run, driver, form):
    assert form["text"] == CAPTION
    assert form["client_rect"] == [0, 0, 553, 305]
    style, exstyle = int(form["style"], 16), int(form["exstyle"], 16)
    assert style & WS_SYSMENU and not style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
    assert exstyle & WS_EX_TOPMOST
    left, top, right, bottom = form["rect"]
    assert abs((left + right) - SCREEN[0]) <= 1 and abs((top + bottom) - SCREEN[1]) <= 1

    controls = Controls(driver, form)
    panel = controls.parent_of(controls.text(CANCEL))
    group = controls.text(SETTINGS_GROUP)
    layout = [  # control, parent (None: the form), rect relative to the parent's client area
        (controls.text(TITLE), None, [64, 0, 553, 17]),
        (controls.text(PRE_LICENCE), None, [64, 24, 553, 65]),
        (controls.brand_image(), None, [0, 0, 64, 60]),
        (controls.memo(), None, [0, 64, 553, 212]),
        (panel, None, [0, 264, 553, 305]),
        (controls.text(CANCEL), panel, [8, 8, 121, 33]),
        (controls.text(NEXT), panel, [432, 8, 545, 33]),
        (group, None, [0, 61, 553, 264]),
        (controls.folder_edit(), group, [8, 136, 489, 159]),
        (controls.text(BROWSE), group, [496, 136, 545, 159]),
    ]
    for control, parent, rect in layout:
        assert controls.parent_of(control) == parent, control["text"]
        assert control["rect"] == rect, control["text"]

    # The check boxes are as wide as their caption + 24, not their design widths (512, 540).
    widths = {}
    for text, parent, left, top, design_width in [(LICENCE_ACCEPT, None, 8, 232, 512),
                                                   (DESKTOP_OPTION, group, 8, 32, 540),
                                                   (RUN_OPTION, group, 8, 64, 540)]:
        box = controls.text(text)
        assert controls.parent_of(box) == parent
        assert box["rect"][:2] == [left, top] and box["rect"][3] - top == 17
        widths[text] = box["rect"][2] - left
        assert widths[text] != design_width and 100 < widths[text] <= 553 - left
    assert widths[LICENCE_ACCEPT] > widths[DESKTOP_OPTION] > widths[RUN_OPTION]  # longest caption first
    label = controls.text(FOLDER_LABEL)
    assert label["rect"][0] == 8 and label["rect"][3] == 133  # three pixels above the edit

    memo = controls.memo()
    assert int(memo["style"], 16) & ES_READONLY and int(memo["style"], 16) & WS_VSCROLL
    assert memo["text"].startswith("Если Вы устанавливаете") and "слово \"Morvalen\".\r\n4. " in memo["text"]
    assert not controls.text(NEXT)["enabled"]
    assert not group["visible"]
    assert focused(driver, form) == memo["hwnd"]
    run.screenshot("licence-page")


def test_next_follows_the_licence_tick_and_opens_the_settings_page(run, driver, form, xvfb):
    xvfb.screenshot(artifacts_dir() / "wizard-page1.png")
    next_enabled = lambda: Controls(driver, form).text(NEXT)["enabled"]  # noqa: E731
    assert not next_enabled()
    driver.tick(parent=form, text=LICENCE_ACCEPT, state=True)
    assert next_enabled()
    driver.tick(parent=form, text=LICENCE_ACCEPT, state=False)
    assert not next_enabled()
    driver.tick(parent=form, text=LICENCE_ACCEPT, state=True)
    driver.click(parent=form, text=NEXT)
    wait_until(lambda: Controls(driver, form).text(SETTINGS_GROUP)["visible"], what="the settings page")

    controls = Controls(driver, form)
    assert not controls.memo()["visible"] and not controls.text(PRE_LICENCE)["visible"]
    assert controls.text(TITLE)["rect"] == [64, 0, 553, 58]
    edit = controls.folder_edit()
    assert edit["text"] == PROPOSED_FOLDER and edit["visible"] and edit["enabled"]
    for option in (DESKTOP_OPTION, RUN_OPTION):
        assert controls.text(option)["checked"] == 1 and controls.text(option)["enabled"]
    assert controls.text(BROWSE)["enabled"] and controls.text(NEXT)["enabled"]
    xvfb.screenshot(artifacts_dir() / "wizard-page2.png")
    run.screenshot("settings-page")


# ---- the folder on the settings page

def test_folder_without_the_product_word_is_refused_and_the_page_stays(run, driver, form, wine_prefix, snapshot):
    before = snapshot()
    open_settings_page(run, driver, form)
    try_folder(driver, form, "C:\\Program Files\\Trainer")
    box_reads(driver, FOLDER_WORD_WARNING)
    assert Controls(driver, form).text(SETTINGS_GROUP)["visible"]
    driver.click(parent=form, text=CANCEL)
    assert run.wait_exit() == 0
    nothing_installed(driver, before)


@pytest.mark.parametrize("folder", [
    "Q:\\Morvalen",  # no such drive
    "C:\\Morvalen",  # an existing file of that name
    "C:\\Morvalen?",  # a character Windows forbids in names
    "C:\\Morvalen\\" + "x" * 300,  # longer than MAX_PATH
    "Morvalen",  # relative: would land in whatever folder is current
], ids=["missing-drive", "existing-file", "forbidden-character", "too-long", "relative"])
def test_folder_that_cannot_be_made_is_refused_and_cancel_installs_nothing(run, driver, form, wine_prefix,
                                                                          snapshot, folder):
    (wine_prefix.drive_c / "Morvalen").write_text("a file, not a folder")
    before = snapshot()
    open_settings_page(run, driver, form)
    try_folder(driver, form, folder)
    box_reads(driver, CANNOT_CREATE)
    assert Controls(driver, form).text(SETTINGS_GROUP)["visible"]
    driver.click(parent=form, text=CANCEL)
    assert run.wait_exit() == 0
    nothing_installed(driver, before)


def test_new_folder_is_made_with_its_parents_and_confirms_the_settings(run, driver, form, wine_prefix):
    open_settings_page(run, driver, form)
    driver.tick(parent=form, text=RUN_OPTION, state=False)
    try_folder(driver, form, "C:\\Games\\Old\\Morvalen")
    driver.wait_gone(form, or_hidden=True)
    assert (wine_prefix.drive_c / "Games" / "Old" / "Morvalen").is_dir()
    # The completion step installs into the folder, which was stored with its backslash.
    report = run.wait_report()
    entry = driver.reg_read("HKLM", UNINSTALL_KEY, "UninstallString")
    assert entry["data"] == "C:\\Games\\Old\\Morvalen\\uninstall.exe"
    run.close_report(report)
    assert run.wait_exit() == 0


# ---- the folder picker

def browse(driver, form):
    """Presses "..." and returns the picker, once the form has made way for it."""
    driver.click(parent=form, text=BROWSE)
    picker = driver.wait_window(cls="#32770")
    assert not driver.info(form)["visible"]
    assert FOLDER_LABEL in [c["text"] for c in driver.children(picker)]
    return picker


def picker_field(driver, picker):
    (field,) = [c["text"] for c in driver.children(picker) if c["class"] == "Edit"]
    return field


def test_picker_opens_on_the_folder_in_the_field_and_its_pick_fills_the_field(run, driver, form, wine_prefix):
    (wine_prefix.drive_c / "Games" / "Pick" / "Morvalen").mkdir(parents=True)
    open_settings_page(run, driver, form)
    driver.set_text(hwnd=Controls(driver, form).folder_edit(), value="C:\\Games\\Pick\\Morvalen\\")

    # Cancelling leaves the field as it was and brings the form back.
    driver.press(browse(driver, form), IDCANCEL)
    wait_until(lambda: driver.info(form)["visible"], what="the form to come back")
    assert Controls(driver, form).folder_edit()["text"] == "C:\\Games\\Pick\\Morvalen\\"

    # The picker selects the folder of the field (its own field shows the selected name);
    # OK gives it back as the shell writes it, without the trailing backslash.
    picker = browse(driver, form)
    wait_until(lambda: picker_field(driver, picker) == "Morvalen", what="the folder to be selected in the picker")
    run.screenshot("folder-picker")
    driver.press(picker, IDOK)
    wait_until(lambda: driver.info(form)["visible"], what="the form to come back")
    assert Controls(driver, form).folder_edit()["text"] == "C:\\Games\\Pick\\Morvalen"
    driver.click(parent=form, text=CANCEL)
    assert run.wait_exit() == 0


# ---- leaving without installing

def press_escape(driver, form):
    driver.keys(focused(driver, form), "escape", mode="post")


def press_cancel(driver, form):
    driver.click(parent=form, text=CANCEL)


def press_close_box(driver, form):
    driver.close(form, syscommand=True)


@pytest.mark.parametrize("leave", [press_cancel, press_escape, press_close_box], ids=["cancel", "escape", "close-box"])
@pytest.mark.parametrize("settings_page", [False, True], ids=["licence-page", "settings-page"])
def test_leaving_the_form_ends_the_setup_without_installing(run, driver, form, snapshot, leave, settings_page):
    before = snapshot()
    if settings_page:
        open_settings_page(run, driver, form)
    leave(driver, form)
    assert run.wait_exit() == 0
    nothing_installed(driver, before)


def test_tab_walks_the_licence_page_and_enter_on_the_check_box_ends_the_setup(run, driver, form, snapshot):
    before = snapshot()
    controls = Controls(driver, form)
    memo, box, cancel = controls.memo(), controls.text(LICENCE_ACCEPT), controls.text(CANCEL)
    walk = []
    for _ in range(4):
        driver.keys(focused(driver, form), "tab", mode="post")
        wait_until(lambda: focused(driver, form) != (walk[-1] if walk else memo["hwnd"]), what="the focus to move")
        walk.append(focused(driver, form))
    # "Далее" is disabled, so Tab goes round memo, check box and "Отмена".
    assert walk == [box["hwnd"], cancel["hwnd"], memo["hwnd"], box["hwnd"]]
    driver.keys(box, "enter", mode="post")
    assert run.wait_exit() == 0
    nothing_installed(driver, before)
