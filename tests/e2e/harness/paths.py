"""Where things are: the repository, the Windows build, the artifacts folder."""
import os
import re
from pathlib import Path

REPO_ROOT = Path(__file__).resolve().parents[3]


def artifacts_dir() -> Path:
    """Screenshots and logs of the end-to-end tests (MV_E2E_ARTIFACTS overrides)."""
    folder = Path(os.environ.get("MV_E2E_ARTIFACTS", REPO_ROOT / "build" / "e2e-artifacts"))
    folder.mkdir(parents=True, exist_ok=True)
    return folder


def safe_name(text: str) -> str:
    """A test id as a file name."""
    return re.sub(r"[^A-Za-z0-9_.-]+", "_", text).strip("_")[:150]


def windows_to_host(drive_c: Path, windows_path: str) -> Path:
    """C:\\a\\b (any letter case, as Windows sees it) to the file under drive_c.

    Existing components are matched without regard to case, as Wine does; the rest
    is kept as written."""
    match = re.match(r"^[A-Za-z]:[\\/]?(.*)$", windows_path)
    if not match or windows_path[0].lower() != "c":
        raise ValueError(f"not a path on drive C: {windows_path!r}")
    host = drive_c
    for part in [p for p in re.split(r"[\\/]+", match.group(1)) if p]:
        host = _child_ignoring_case(host, part)
    return host


def _child_ignoring_case(folder: Path, name: str) -> Path:
    exact = folder / name
    if exact.exists() or not folder.is_dir():
        return exact
    lower = name.lower()
    for entry in folder.iterdir():
        if entry.name.lower() == lower:
            return entry
    return exact


def host_to_windows(drive_c: Path, host_path: Path) -> str:
    """A host path to the name Windows programs use: C:\\... inside drive_c, Z:\\... elsewhere."""
    host_path = Path(os.path.abspath(host_path))
    try:
        relative = host_path.relative_to(Path(os.path.abspath(drive_c)))
        return "C:\\" + "\\".join(relative.parts)
    except ValueError:
        return "Z:" + str(host_path).replace("/", "\\")
