"""Fixtures of the end-to-end tests; see README.md beside this file."""
import itertools
import os
import shutil
import threading

import pytest

from harness import Driver, Prefix, Snapshot
from harness.paths import artifacts_dir, safe_name
from harness.wine import LOCALES, WineHost, boot_template, choose_build
from harness.wine import host_runs_32bit as probe_host_runs_32bit
from harness.xvfb import Xvfb

TEST_TIMEOUT = float(os.environ.get("MV_E2E_TEST_TIMEOUT", "300"))
_prefix_numbers = itertools.count()


def pytest_configure(config):
    config.addinivalue_line("markers", "wine_locale(name): run the test's prefix in this locale (ru or en)")


@pytest.hookimpl(hookwrapper=True)
def pytest_runtest_makereport(item, call):
    outcome = yield
    report = outcome.get_result()
    setattr(item, f"report_{report.when}", report)


@pytest.fixture(scope="session")
def host_runs_32bit():
    return probe_host_runs_32bit()


@pytest.fixture(scope="session")
def windows_build(host_runs_32bit):
    """The executables to test: build/win32, or build/win64 where i386 code cannot run."""
    return choose_build(host_runs_32bit)


@pytest.fixture(scope="session")
def xvfb(tmp_path_factory):
    server = Xvfb(log=tmp_path_factory.getbasetemp() / "xvfb.log")
    yield server
    server.stop()


@pytest.fixture(scope="session")
def wine_session_dir(tmp_path_factory):
    return tmp_path_factory.mktemp("wine")


@pytest.fixture(scope="session")
def wine_host(xvfb, wine_session_dir, host_runs_32bit):
    home = wine_session_dir / "home"
    home.mkdir()
    return WineHost(xvfb.display, home, host_runs_32bit)


@pytest.fixture(scope="session")
def wine_template(wine_host, wine_session_dir):
    template = boot_template(wine_host, wine_session_dir / "template")
    yield template
    if not os.environ.get("MV_E2E_KEEP_PREFIX"):
        shutil.rmtree(template, ignore_errors=True)


@pytest.fixture
def wine_locale(request):
    """"en" unless the test is parametrized (indirect) or marked with wine_locale("ru")."""
    if hasattr(request, "param"):
        return request.param
    marker = request.node.get_closest_marker("wine_locale")
    return marker.args[0] if marker else "en"


@pytest.fixture
def test_artifacts(request):
    folder = artifacts_dir() / safe_name(request.node.nodeid)
    folder.mkdir(parents=True, exist_ok=True)
    return folder


@pytest.fixture
def wine_prefix(request, wine_host, wine_template, wine_session_dir, wine_locale, xvfb, test_artifacts):
    """A fresh copy of the template prefix. A watchdog kills everything in it after
    MV_E2E_TEST_TIMEOUT seconds and fails the test; a failed test leaves a screenshot."""
    assert wine_locale in LOCALES, wine_locale
    prefix = Prefix(wine_host, wine_template, wine_session_dir / f"prefix-{next(_prefix_numbers)}", wine_locale,
                    test_artifacts / "logs")
    fired = threading.Event()

    def on_timeout():
        fired.set()
        prefix.shutdown()

    watchdog = threading.Timer(TEST_TIMEOUT, on_timeout)
    watchdog.daemon = True
    watchdog.start()
    yield prefix
    watchdog.cancel()
    report = getattr(request.node, "report_call", None)
    if report is not None and report.failed:
        try:
            xvfb.screenshot(test_artifacts / "failure.png")
        except Exception:  # noqa: BLE001 - a missing screenshot must not hide the failure
            pass
    prefix.shutdown()
    shared_written = prefix.shared_files_written()
    if not os.environ.get("MV_E2E_KEEP_PREFIX"):
        prefix.remove()
    if fired.is_set():
        pytest.fail(f"the test ran longer than {TEST_TIMEOUT} s; its programs were killed")
    if shared_written:
        pytest.fail(f"system files shared with the template were written: {shared_written}", pytrace=False)


@pytest.fixture
def driver(wine_prefix, windows_build):
    driver = Driver(wine_prefix, windows_build.exe("uidriver.exe"))
    yield driver
    driver.stop()


@pytest.fixture
def screenshot(xvfb, test_artifacts):
    """screenshot("name") saves the screen as <artifacts>/<test>/name.png and returns the path."""
    return lambda name: xvfb.screenshot(test_artifacts / f"{safe_name(name)}.png")


@pytest.fixture
def snapshot(driver, wine_prefix):
    """snapshot() records the registry areas and drive_c; .changes() tells what differs since."""
    return lambda **kwargs: Snapshot(driver, wine_prefix.drive_c, **kwargs)
