"""Wine on this host: the loader, the locales, prefixes, and Windows processes."""
import os
import shutil
import signal
import subprocess
import time
from dataclasses import dataclass
from pathlib import Path

from .paths import REPO_ROOT, host_to_windows, windows_to_host

WINE32_LOADER = "/usr/lib/wine/wine"
WINE64_LOADER = "/usr/lib/wine/wine64"

# Locale name -> what Wine makes of LC_ALL (user LCID, ANSI code page).
LOCALES = {
    "ru": ("ru_RU.UTF-8", 0x0419, 1251),
    "en": ("en_US.UTF-8", 0x0409, 1252),
}


def host_runs_32bit() -> bool:
    """Whether the kernel executes i386 programs (Wine's 32-bit loader)."""
    try:
        return subprocess.run([WINE32_LOADER, "--version"], capture_output=True, timeout=30).returncode == 0
    except OSError:
        return False


@dataclass
class WindowsBuild:
    folder: Path
    arch: str  # "win32" or "win64"

    def exe(self, name: str) -> Path:
        path = self.folder / name
        if not path.is_file():
            raise FileNotFoundError(
                f"{path} is missing: build it (cmake --preset {self.arch} && cmake --build --preset {self.arch})")
        return path


def choose_build(runs_32bit: bool) -> WindowsBuild:
    """MV_WIN32_BUILD if set; else build/win32 where the host runs 32-bit code, build/win64 otherwise."""
    override = os.environ.get("MV_WIN32_BUILD")
    if override:
        folder = Path(override)
        return WindowsBuild(folder, "win64" if folder.name.endswith("64") else "win32")
    arch = "win32" if runs_32bit else "win64"
    return WindowsBuild(REPO_ROOT / "build" / arch, arch)


def locale_dir() -> Path:
    """Compiled ru_RU.UTF-8 and en_US.UTF-8 for LOCPATH, made once with localedef.

    Without a real locale Wine's Unix side falls back to ASCII and strips the high bit
    of every non-ASCII character in command lines and file names."""
    folder = Path(os.environ.get("MV_E2E_LOCALES", REPO_ROOT / "build" / "e2e-locales"))
    for name, _, _ in LOCALES.values():
        if not (folder / name / "LC_CTYPE").exists():
            folder.mkdir(parents=True, exist_ok=True)
            language = name.split(".")[0]
            subprocess.run(["localedef", "-i", language, "-f", "UTF-8", str(folder / name)],
                           check=True, capture_output=True, timeout=120)
    return folder


class WineHost:
    """What every Wine process of the session shares."""

    def __init__(self, display: str, home: Path, runs_32bit: bool):
        self.display = display
        self.home = home
        # The wine script runs 32- and 64-bit programs; where i386 code cannot run, it cannot
        # even start, and the 64-bit loader is called directly.
        self.loader = "wine" if runs_32bit else WINE64_LOADER
        self.locales = locale_dir()

    def environment(self, prefix: Path, locale: str) -> dict:
        env = {k: v for k, v in os.environ.items() if not k.startswith(("LC_", "LANG", "WINE", "XDG_"))}
        env.update(
            WINEPREFIX=str(prefix), WINEARCH="win64", WINEDEBUG="-all",
            WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d", DISPLAY=self.display,
            HOME=str(self.home), LOCPATH=str(self.locales), LC_ALL=LOCALES[locale][0])
        return env


def kill_wineserver(env: dict):
    subprocess.run(["wineserver", "-k"], env=env, capture_output=True, timeout=30)


def boot_template(host: WineHost, folder: Path) -> Path:
    """A booted prefix to copy for each test (wineboot -i, then wineserver -w)."""
    env = host.environment(folder, "en")
    subprocess.run([host.loader, "wineboot", "-i"], env=env, capture_output=True, timeout=300)
    subprocess.run(["wineserver", "-w"], env=env, capture_output=True, timeout=300)
    if not (folder / "system.reg").exists():
        raise RuntimeError(f"wineboot did not create {folder}")
    _own_user_folders(folder / "drive_c" / "users")
    return folder


def _own_user_folders(users: Path):
    """Wine links Desktop, Documents, ... to $HOME: make them plain folders inside the prefix,
    so nothing a test program writes there lands outside it."""
    for link in users.glob("*/*"):
        if link.is_symlink():
            link.unlink()
            link.mkdir()


SHARED_FOLDER = Path("drive_c/windows/system32")


def copy_prefix(template: Path, folder: Path):
    """A copy of the template in which system32 (nine tenths of its size, never written by the
    programs under test) is hard-linked, and everything else copied."""
    def place(source, target):
        if SHARED_FOLDER in Path(os.path.relpath(source, template)).parents:
            os.link(source, target)
        else:
            shutil.copy2(source, target)
    shutil.copytree(template, folder, symlinks=True, copy_function=place)


def shared_files_written(prefix: Path, since_ns: int) -> list:
    """The hard-linked system files changed after `since_ns` (a test must not write them)."""
    written = []
    for path in (prefix / SHARED_FOLDER).rglob("*"):
        stat = path.lstat()
        if path.is_file() and stat.st_nlink > 1 and stat.st_mtime_ns > since_ns:
            written.append(str(path.relative_to(prefix)))
    return written


class WinProcess:
    """A Windows program started in the background; `wait` fails rather than hang."""

    def __init__(self, command: list, env: dict, log_dir: Path, name: str, timeout: float, cwd: Path = None):
        log_dir.mkdir(parents=True, exist_ok=True)
        self.stdout_path = log_dir / f"{name}.stdout"
        self.stderr_path = log_dir / f"{name}.stderr"
        self.command = command
        self.deadline = time.monotonic() + timeout
        with open(self.stdout_path, "wb") as out, open(self.stderr_path, "wb") as err:
            self._popen = subprocess.Popen(command, env=env, stdout=out, stderr=err, cwd=cwd,
                                           stdin=subprocess.DEVNULL, start_new_session=True)

    @property
    def pid(self) -> int:
        return self._popen.pid

    @property
    def exit_code(self):
        """The exit code, or None while it runs."""
        return self._popen.poll()

    def running(self) -> bool:
        return self._popen.poll() is None

    def wait(self, timeout: float = None) -> int:
        """Waits for the exit code; kills the program and raises TimeoutError when it does not end
        within `timeout` seconds (or by its hard deadline)."""
        limit = self.deadline - time.monotonic() if timeout is None else min(timeout, self.deadline - time.monotonic())
        try:
            return self._popen.wait(max(limit, 0.1))
        except subprocess.TimeoutExpired:
            self.kill()
            raise TimeoutError(f"{self.command} did not end in time and was killed") from None

    def kill(self):
        if self._popen.poll() is None:
            try:
                os.killpg(self._popen.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self._popen.wait(10)

    def stdout(self) -> str:
        return self.stdout_path.read_bytes().decode("utf-8", "replace")

    def stderr(self) -> str:
        return self.stderr_path.read_bytes().decode("utf-8", "replace")


class Prefix:
    """One test's own copy of the template prefix, in one locale."""

    def __init__(self, host: WineHost, template: Path, folder: Path, locale: str, log_dir: Path,
                 process_timeout: float = 120.0):
        if locale not in LOCALES:
            raise ValueError(f"locale is one of {sorted(LOCALES)}, not {locale!r}")
        copy_prefix(template, folder)
        self.host = host
        self.path = folder
        self.locale = locale
        self.lcid, self.ansi_code_page = LOCALES[locale][1:]
        self.env = host.environment(folder, locale)
        self.log_dir = log_dir
        self.process_timeout = process_timeout
        self.processes = []
        self.created_ns = time.time_ns()

    @property
    def drive_c(self) -> Path:
        return self.path / "drive_c"

    def host_path(self, windows_path: str) -> Path:
        return windows_to_host(self.drive_c, windows_path)

    def windows_path(self, host_path) -> str:
        return host_to_windows(self.drive_c, Path(host_path))

    def start(self, program, *args, timeout: float = None, name: str = None) -> WinProcess:
        """Starts `program` (a host path or a Windows path) under Wine, in the background."""
        name = name or f"{len(self.processes):02d}-{Path(str(program).replace(chr(92), '/')).stem}"
        # The prefix's own folder as the current directory: whatever a program writes relative
        # to it stays out of the repository.
        process = WinProcess([self.host.loader, str(program), *map(str, args)], self.env, self.log_dir, name,
                             timeout or self.process_timeout, cwd=self.path)
        self.processes.append(process)
        return process

    def run(self, program, *args, timeout: float = 60.0) -> int:
        """Runs `program` to its end and returns its exit code."""
        return self.start(program, *args, timeout=timeout).wait()

    def shutdown(self):
        """Kills what still runs and the prefix's wineserver."""
        for process in self.processes:
            process.kill()
        kill_wineserver(self.env)

    def shared_files_written(self) -> list:
        return shared_files_written(self.path, self.created_ns)

    def remove(self):
        shutil.rmtree(self.path, ignore_errors=True)
