"""setup.exe from its start to the wizard: the language prompt, a running product, nothing
written before the wizard is confirmed."""
import pytest

from harness import IDNO, IDYES, wait_until
from setup_run import FORM_CLASS, LANGUAGE_PROMPT_CAPTION, PRODUCT_CLASS, SetupRun

PROMPT_TEXT = (
    "The Morvalen is a Russian-language program.\r\nCan you read the following line?\r\n"
    "Это русскоязычная программа. Желаете продолжить установку?\r\n"
    "To ensure correct representation of Russian messages you may set Russian language for non-Unicode "
    "programs in Regional Options of the Control Panel.\r\n"
    "Would you like to continue installation of the program?")


@pytest.fixture
def setup_run(wine_prefix, driver, windows_build, screenshot):
    return SetupRun(wine_prefix, driver, windows_build, screenshot)


def test_english_locale_asks_and_no_ends_without_writing(setup_run, driver, wine_prefix, snapshot):
    before = snapshot()
    setup_run.start()
    box = driver.wait_message_box(title=LANGUAGE_PROMPT_CAPTION, timeout_ms=30000)
    shown = driver.message_box(box)
    # The Russian line reaches an English system as Windows-1251 bytes read in its own code page.
    assert shown["text"] == setup_run.text(PROMPT_TEXT)
    assert [b["id"] for b in shown["buttons"]] == [IDYES, IDNO]
    assert [b["text"] for b in shown["buttons"]] == ["&Да", "&Нет"]  # the Russian language of the box
    driver.press(box, IDNO)
    assert setup_run.wait_exit() == 0
    assert driver.windows(cls=FORM_CLASS) == []
    registry, files = before.changes()
    assert not registry, str(registry)
    assert not files, str(files)


def test_english_locale_yes_opens_the_wizard(setup_run, driver):
    setup_run.start()
    setup_run.answer_language_prompt()
    form = setup_run.open_licence_page()
    assert form["text"] == setup_run.text("Морвален")
    driver.close(form)
    assert setup_run.wait_exit() == 0


@pytest.mark.wine_locale("ru")
def test_russian_locale_opens_the_wizard_without_asking(setup_run, driver, snapshot):
    before = snapshot()
    setup_run.start()
    form = setup_run.open_licence_page()
    assert driver.windows(title=LANGUAGE_PROMPT_CAPTION) == []
    driver.close(form)
    assert setup_run.wait_exit() == 0
    registry, files = before.changes()
    assert not registry, str(registry)
    assert not files, str(files)


@pytest.mark.wine_locale("ru")
def test_a_running_product_is_asked_to_quit(setup_run, driver, wine_prefix, windows_build):
    product = wine_prefix.start(windows_build.exe("standin_product.exe"), name="product")
    driver.wait_window(cls=PRODUCT_CLASS, timeout_ms=30000)
    setup_run.start()
    assert product.wait(30) == 0  # WM_QUIT ends its message loop
    assert driver.windows(cls=PRODUCT_CLASS) == []
    form = setup_run.open_licence_page()  # the setup goes on after its pause
    driver.close(form)
    assert setup_run.wait_exit() == 0
