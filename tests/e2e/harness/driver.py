"""Driver: uidriver.exe commands, its JSON lines parsed. One `uidriver serve` process
answers a test's calls one after the other, so Wine starts once per test, not per call."""
import json
import os
import select
import subprocess
import tempfile
import time
from pathlib import Path

# uidriver's exit codes
NOT_FOUND = 2
REFUSED = 4

IDOK, IDCANCEL, IDYES, IDNO = 1, 2, 6, 7


# One uidriver process per call instead of one serving process per test (slower; for debugging).
ONE_PROCESS_PER_CALL = bool(os.environ.get("MV_E2E_DRIVER_ONE_SHOT"))


def _command_line(args) -> bytes:
    """The words of one command for uidriver serve: tab-separated, backslash-escaped."""
    escaped = [a.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n").replace("\r", "\\r")
               for a in args]
    return ("\t".join(escaped) + "\n").encode("utf-8")


class DriverError(Exception):
    def __init__(self, args, code, message):
        super().__init__(f"uidriver {' '.join(args)} -> exit {code}: {message}")
        self.code = code
        self.message = message


def hwnd_text(window) -> str:
    """A window as uidriver takes it: the dict it printed, "0x..." or an int."""
    if isinstance(window, dict):
        return window["hwnd"]
    if isinstance(window, int):
        return hex(window)
    return str(window)


def _control_args(hwnd=None, parent=None, id=None, text=None) -> list:
    if hwnd is not None:
        return ["--hwnd", hwnd_text(hwnd)]
    if parent is None or (id is None and text is None):
        raise ValueError("name a control by hwnd, or by parent with id or text")
    args = ["--parent", hwnd_text(parent)]
    return args + (["--id", str(id)] if id is not None else ["--text", text])


def _window_criteria(cls, title, title_contains, pid, hidden) -> list:
    args = []
    for flag, value in (("--class", cls), ("--title", title), ("--title-contains", title_contains), ("--pid", pid)):
        if value is not None:
            args += [flag, str(value)]
    return args + (["--hidden"] if hidden else [])


class Driver:
    def __init__(self, prefix, exe: Path, call_timeout: float = 30.0):
        self.prefix = prefix
        self.exe = Path(exe)
        self.call_timeout = call_timeout
        self._serving = None
        self._buffer = b""

    # -- plumbing -------------------------------------------------------------------------
    def call(self, *args, timeout: float = None) -> list:
        """Runs one uidriver command; returns its output lines as dicts; raises DriverError."""
        args = [str(a) for a in args]
        timeout = timeout or self.call_timeout
        code, lines, error = (self._call_once if ONE_PROCESS_PER_CALL else self._call_served)(args, timeout)
        if code != 0:
            raise DriverError(args, code, error)
        return [json.loads(line) for line in lines if line.strip()]

    def _call_served(self, args, timeout):
        server = self._server()
        try:
            server.stdin.write(_command_line(args))
            server.stdin.flush()
        except (BrokenPipeError, OSError):
            self.stop()
            raise DriverError(args, None, "uidriver serve has ended") from None
        deadline = time.monotonic() + timeout
        lines = []
        while True:
            line = self._read_line(server, deadline)
            if line is None:
                ended = server.poll()
                self.stop()
                if ended is not None:
                    raise DriverError(args, ended, f"uidriver serve exited with {ended} (is {self.exe} up to date?)")
                raise DriverError(args, None, "uidriver did not answer in time")
            if line.startswith('{"uidriver_exit":'):
                end = json.loads(line)
                return end["uidriver_exit"], lines, end["error"]
            lines.append(line)

    def _server(self):
        if self._serving is None or self._serving.poll() is not None:
            self._buffer = b""
            self._serving = subprocess.Popen([self.prefix.host.loader, str(self.exe), "serve"], env=self.prefix.env,
                                             stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                             stderr=subprocess.DEVNULL, start_new_session=True)
        return self._serving

    def _read_line(self, server, deadline):
        """One output line, or None at the deadline or when the server ended."""
        while b"\n" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([server.stdout], [], [], left)[0]:
                return None
            chunk = os.read(server.stdout.fileno(), 65536)
            if not chunk:
                return None
            self._buffer += chunk
        line, self._buffer = self._buffer.split(b"\n", 1)
        return line.decode("utf-8")

    def stop(self):
        """Ends the serving uidriver process (the next call starts another)."""
        if self._serving is not None and self._serving.poll() is None:
            self._serving.kill()
            self._serving.wait(10)
        self._serving = None

    def _call_once(self, args, timeout):
        # Output through files, not pipes: Wine's helper processes started by the call
        # (wineserver, explorer) inherit its handles and would hold a pipe open to the end.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            process = subprocess.Popen([self.prefix.host.loader, str(self.exe), *args], env=self.prefix.env,
                                       stdout=out, stderr=err, stdin=subprocess.DEVNULL)
            try:
                code = process.wait(timeout)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
                raise DriverError(args, None, "uidriver itself timed out") from None
            out.seek(0)
            err.seek(0)
            return code, out.read().decode("utf-8").splitlines(), err.read().decode("utf-8", "replace").strip()

    def _one(self, *args, timeout: float = None) -> dict:
        return self.call(*args, timeout=timeout)[0]

    def _or_none(self, *args):
        try:
            return self.call(*args)
        except DriverError as error:
            if error.code == NOT_FOUND:
                return None
            raise

    # -- windows --------------------------------------------------------------------------
    def windows(self, cls=None, title=None, title_contains=None, pid=None, hidden=False) -> list:
        return self.call("windows", *_window_criteria(cls, title, title_contains, pid, hidden))

    def wait_window(self, cls=None, title=None, title_contains=None, pid=None, hidden=False, not_hwnd=None,
                    timeout_ms: int = 15000) -> dict:
        args = _window_criteria(cls, title, title_contains, pid, hidden)
        if not_hwnd is not None:
            args += ["--not-hwnd", hwnd_text(not_hwnd)]
        return self._one("wait", *args, "--timeout", timeout_ms, timeout=timeout_ms / 1000 + 30)

    def wait_gone(self, window, or_hidden=False, timeout_ms: int = 15000) -> dict:
        args = ["--or-hidden"] if or_hidden else []
        return self._one("wait-gone", "--hwnd", hwnd_text(window), *args, "--timeout", timeout_ms,
                         timeout=timeout_ms / 1000 + 30)

    def info(self, window) -> dict:
        return self._one("info", "--hwnd", hwnd_text(window))

    def children(self, window) -> list:
        return self.call("children", "--hwnd", hwnd_text(window))

    def child(self, window, id=None, text=None) -> dict:
        """The one descendant with this control id or text (mnemonic '&' ignored)."""
        found = [c for c in self.children(window)
                 if (id is not None and c["id"] == id) or (text is not None and text in (c["text"], c["text"].replace("&", "")))]
        if len(found) != 1:
            raise LookupError(f"{len(found)} controls match id={id} text={text!r}")
        return found[0]

    def message_box(self, window) -> dict:
        return self._one("msgbox", "--hwnd", hwnd_text(window))

    def wait_message_box(self, timeout_ms: int = 15000, **criteria) -> dict:
        """Waits for a #32770 box and reads it."""
        return self.message_box(self.wait_window(cls="#32770", timeout_ms=timeout_ms, **criteria))

    # -- actions --------------------------------------------------------------------------
    def click(self, hwnd=None, parent=None, id=None, text=None, force=False) -> dict:
        return self._one("click", *_control_args(hwnd, parent, id, text), *(["--force"] if force else []))

    def press(self, box, id: int) -> dict:
        return self._one("press", "--hwnd", hwnd_text(box), "--id", id)

    def tick(self, hwnd=None, parent=None, id=None, text=None, state: bool = True) -> dict:
        return self._one("tick", *_control_args(hwnd, parent, id, text), "--state", "on" if state else "off")

    def set_text(self, hwnd=None, parent=None, id=None, text=None, value: str = "") -> dict:
        return self._one("settext", *_control_args(hwnd, parent, id, text), "--value", value)

    def keys(self, window, keys=None, chars: str = None, mode: str = "input") -> dict:
        """keys: "enter", "shift+tab", or a list of such names; chars: text typed as characters."""
        args = ["--hwnd", hwnd_text(window), "--mode", mode]
        if keys:
            args += ["--keys", keys if isinstance(keys, str) else ",".join(keys)]
        if chars:
            args += ["--chars", chars]
        return self._one("keys", *args)

    def close(self, window, syscommand=False) -> dict:
        return self._one("close", "--hwnd", hwnd_text(window), *(["--syscommand"] if syscommand else []))

    def focus(self, window):
        """The control that has the keyboard focus in the window's thread, or None."""
        return self._one("focus", "--hwnd", hwnd_text(window))["focus"]

    # -- registry -------------------------------------------------------------------------
    def reg_read(self, root, key, value="", view=64):
        """{"name", "type", "data"} of one value, or None when the key or value is missing."""
        lines = self._or_none("reg-read", "--root", root, "--key", key, "--value", value, "--view", view)
        return lines[0] if lines else None

    def reg_values(self, root, key, view=64):
        """The values in enumeration order, or None when the key is missing."""
        return self._or_none("reg-values", "--root", root, "--key", key, "--view", view)

    def reg_keys(self, root, key, view=64):
        lines = self._or_none("reg-keys", "--root", root, "--key", key, "--view", view)
        return None if lines is None else [line["name"] for line in lines]

    def reg_dump(self, root, key="", view=64, skip=()) -> dict:
        """{relative key path: {value name: (type, data)}} of the whole subtree."""
        args = ["reg-dump", "--root", root, "--key", key, "--view", view]
        if skip:
            args += ["--skip", ";".join(skip)]
        tree = {}
        for line in self.call(*args, timeout=120):
            values = tree.setdefault(line["key"], {})
            if "name" in line:
                values[line["name"]] = (line["type"], line["data"])
        return tree

    def reg_write(self, root, key, value, data, view=64, type=None) -> dict:
        """Writes REG_DWORD for an int, REG_SZ for a str (or the `type` given)."""
        type = type or ("REG_DWORD" if isinstance(data, int) else "REG_SZ")
        return self._one("reg-write", "--root", root, "--key", key, "--value", value, "--type", type,
                         "--data", data, "--view", view)

    def reg_create_key(self, root, key, view=64) -> dict:
        return self._one("reg-create-key", "--root", root, "--key", key, "--view", view)

    def reg_delete_key(self, root, key, view=64) -> dict:
        return self._one("reg-delete-key", "--root", root, "--key", key, "--view", view)

    def reg_delete_value(self, root, key, value, view=64) -> dict:
        return self._one("reg-delete-value", "--root", root, "--key", key, "--value", value, "--view", view)

    # -- shell and kernel objects -----------------------------------------------------------
    def resolve_lnk(self, path) -> dict:
        """A shortcut read through the shell link object; `path` is a Windows or host path."""
        windows = path if isinstance(path, str) and ":" in path[:2] else self.prefix.windows_path(path)
        return self._one("lnk", "--path", windows)

    def hold_mapping(self, name: str, ms: int):
        """Starts a process that holds a named file mapping for `ms` ms; returns once it holds it.
        The result is the WinProcess (wait() for it, or let the test's end kill it)."""
        process = self.prefix.start(self.exe, "hold-mapping", "--name", name, "--ms", ms,
                                   name=f"{len(self.prefix.processes):02d}-hold-{name}")
        deadline = time.monotonic() + 30
        while '"already_existed"' not in process.stdout():
            if not process.running() or time.monotonic() > deadline:
                raise DriverError(["hold-mapping", name], process.exit_code, process.stderr())
            time.sleep(0.05)
        process.mapping = json.loads(process.stdout().splitlines()[0])
        return process
