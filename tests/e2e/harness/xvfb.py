"""One X server for the whole test session."""
import os
import subprocess
import time
from pathlib import Path


def free_display(first: int = 90, last: int = 400) -> int:
    for number in range(first, last):
        if not Path(f"/tmp/.X11-unix/X{number}").exists() and not Path(f"/tmp/.X{number}-lock").exists():
            return number
    raise RuntimeError("no free X display number")


class Xvfb:
    def __init__(self, width: int = 1280, height: int = 1024, log: Path = None):
        self.number = free_display()
        self.display = f":{self.number}"
        log_file = open(log, "wb") if log else subprocess.DEVNULL
        self._process = subprocess.Popen(
            ["Xvfb", self.display, "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            stdout=log_file, stderr=subprocess.STDOUT, start_new_session=True)
        self._wait_ready()

    def _wait_ready(self, timeout: float = 15.0):
        socket = Path(f"/tmp/.X11-unix/X{self.number}")
        deadline = time.monotonic() + timeout
        while not socket.exists():
            if self._process.poll() is not None:
                raise RuntimeError(f"Xvfb {self.display} exited with {self._process.returncode}")
            if time.monotonic() > deadline:
                self.stop()
                raise RuntimeError(f"Xvfb {self.display} did not start")
            time.sleep(0.05)

    def stop(self):
        if self._process.poll() is None:
            self._process.terminate()
            try:
                self._process.wait(5)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()

    def screenshot(self, path: Path) -> Path:
        """The whole screen as PNG (imagemagick's import)."""
        path.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run(["import", "-display", self.display, "-window", "root", str(path)],
                       check=True, timeout=30, env=dict(os.environ, DISPLAY=self.display))
        return path
