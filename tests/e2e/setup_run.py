"""setup.exe as a user goes through it: the language prompt, the wizard's two pages, the
report box. Shared by the end-to-end tests and tools/run-setup.sh."""
from harness import IDOK, IDYES, DriverError, wait_until

FORM_CLASS = "TSetupForm"
PROGRESS_CLASS = "PlainWindow"
PRODUCT_CLASS = "TMVMainForm"
LANGUAGE_PROMPT_CAPTION = "Russian is not basic language on your computer!"
DISPLAY_NAME = {"ru": "Морвален", "en": "Morvalen"}
LICENCE_ACCEPT = "подтверждаю, что соглашение прочитано полностью, все его положения приняты."
NEXT = "Далее"
DESKTOP_OPTION = 'поместить ярлык для запуска программы на "Рабочий стол"'
RUN_OPTION = "запустить программу по окончании её установки"
UNINSTALL_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvalen"
WOW_UNINSTALL_KEY = "Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvalen"


def as_shown(text: str, prefix) -> str:
    """A text of the setup (Windows-1251 bytes) as its ANSI windows show it in this prefix's code page."""
    return text.encode("cp1251").decode(f"cp{prefix.ansi_code_page}")


class SetupRun:
    """One run of setup.exe in a prefix. `screenshot(name)`, if given, saves the screen."""

    def __init__(self, prefix, driver, build, screenshot=None):
        self.prefix = prefix
        self.driver = driver
        self.build = build
        self.screenshot = screenshot or (lambda name: None)
        self.process = None
        self.form = None

    def start(self):
        self.process = self.prefix.start(self.build.exe("setup.exe"), name="setup")
        return self

    def text(self, russian: str) -> str:
        return as_shown(russian, self.prefix)

    # -- before the wizard ---------------------------------------------------------------
    def answer_language_prompt(self):
        """Outside a Russian-reading locale the setup first asks whether Russian can be read: Yes."""
        if self.prefix.locale == "ru":
            return None
        box = self.driver.wait_message_box(title=LANGUAGE_PROMPT_CAPTION)
        self.screenshot("0-language-prompt")
        self.driver.press(box, IDYES)
        return box

    # -- the wizard ----------------------------------------------------------------------
    def open_licence_page(self) -> dict:
        self.form = self.driver.wait_window(cls=FORM_CLASS, timeout_ms=30000)
        self.screenshot("1-licence-page")
        return self.form

    def accept_licence(self):
        self.driver.tick(parent=self.form, text=self.text(LICENCE_ACCEPT), state=True)
        self.driver.click(parent=self.form, text=self.text(NEXT))
        wait_until(lambda: self.folder_edit()["visible"], what="the settings page")
        self.screenshot("2-settings-page")

    def folder_edit(self) -> dict:
        # The one single-line edit: the licence text is a multi-line one (ES_MULTILINE).
        edits = [c for c in self.driver.children(self.form)
                 if c["class"].lower() == "edit" and not int(c["style"], 16) & 0x0004]
        if len(edits) != 1:
            raise LookupError(f"{len(edits)} single-line edit controls on the form")
        return edits[0]

    def proposed_folder(self) -> str:
        return self.folder_edit()["text"]

    def choose(self, folder: str = None, desktop: bool = True, run_after: bool = True):
        if folder is not None:
            self.driver.set_text(hwnd=self.folder_edit(), value=folder)
        self.driver.tick(parent=self.form, text=self.text(DESKTOP_OPTION), state=desktop)
        self.driver.tick(parent=self.form, text=self.text(RUN_OPTION), state=run_after)
        self.screenshot("3-settings-chosen")

    def confirm(self):
        """Presses "Далее" on the settings page; the progress window is caught on the screen if it can be."""
        self.driver.click(parent=self.form, text=self.text(NEXT))
        try:
            self.driver.wait_window(cls=PROGRESS_CLASS, timeout_ms=3000)
            self.screenshot("4-progress")
        except DriverError:
            pass  # the three small files can be written before the window is seen

    # -- after the installation ------------------------------------------------------------
    def wait_report(self, timeout_ms: int = 60000) -> dict:
        box = self.driver.wait_message_box(title=self.text("Морвален"), timeout_ms=timeout_ms)
        self.screenshot("5-report")
        return box

    def close_report(self, box: dict):
        self.driver.press(box, IDOK)

    def wait_exit(self, timeout: float = 60.0) -> int:
        return self.process.wait(timeout)

    def install(self, folder: str = None, desktop: bool = True, run_after: bool = True) -> dict:
        """The whole walk with these choices; returns the report box, still open."""
        self.start()
        self.answer_language_prompt()
        self.open_licence_page()
        self.accept_licence()
        self.choose(folder, desktop, run_after)
        self.confirm()
        return self.wait_report()

