"""End-to-end harness: Windows programs under Wine, driven through uidriver.exe."""
import time

from .driver import IDCANCEL, IDNO, IDOK, IDYES, NOT_FOUND, REFUSED, Driver, DriverError
from .snapshot import Difference, Snapshot
from .wine import LOCALES, Prefix, WinProcess, WindowsBuild


def wait_until(condition, timeout: float = 10.0, interval: float = 0.1, what: str = "condition"):
    """Polls `condition()` until it returns something true, and returns that; fails on timeout."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


__all__ = ["Driver", "DriverError", "Prefix", "WinProcess", "WindowsBuild", "Snapshot", "Difference", "LOCALES",
           "IDOK", "IDCANCEL", "IDYES", "IDNO", "NOT_FOUND", "REFUSED", "wait_until"]
