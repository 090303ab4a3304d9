"""Snapshots of the registry and of drive_c, to tell what a program wrote."""
import os
from dataclasses import dataclass, field
from pathlib import Path

# (root, key, view, skipped subtrees): the machine's and the user's software keys in both
# views. Classes (COM and file types) is large and left out.
DEFAULT_REGISTRY_AREAS = (
    ("HKLM", "Software", 64, ("Classes", "Wow6432Node\\Classes")),
    ("HKLM", "Software", 32, ("Classes",)),
    ("HKCU", "Software", 64, ("Classes", "Wine")),
)


@dataclass
class Difference:
    added: dict = field(default_factory=dict)
    removed: dict = field(default_factory=dict)
    changed: dict = field(default_factory=dict)  # name -> (before, after)

    def __bool__(self):
        return bool(self.added or self.removed or self.changed)

    def __str__(self):
        lines = [f"+ {k}: {v}" for k, v in sorted(self.added.items())]
        lines += [f"- {k}: {v}" for k, v in sorted(self.removed.items())]
        lines += [f"~ {k}: {a} -> {b}" for k, (a, b) in sorted(self.changed.items())]
        return "\n".join(lines) or "(no difference)"


def _compare(before: dict, after: dict) -> Difference:
    difference = Difference()
    for name, value in after.items():
        if name not in before:
            difference.added[name] = value
        elif before[name] != value:
            difference.changed[name] = (before[name], value)
    for name, value in before.items():
        if name not in after:
            difference.removed[name] = value
    return difference


def registry_entries(driver, areas=DEFAULT_REGISTRY_AREAS) -> dict:
    """Flat {"HKLM[64]\\Software\\Key": None (the key), "...\\Key:value": (type, data)}."""
    entries = {}
    for root, key, view, skip in areas:
        base = f"{root}[{view}]\\{key}"
        for path, values in driver.reg_dump(root, key, view, skip).items():
            full = f"{base}\\{path}" if path else base
            entries[full] = None
            for name, value in values.items():
                entries[f"{full}:{name}"] = value
    return entries


def file_entries(drive_c: Path) -> dict:
    """{relative path: ("dir",) | ("file", size, mtime_ns) | ("link", target)} of drive_c."""
    entries = {}
    for folder, dirs, files in os.walk(drive_c):
        for name in dirs + files:
            path = Path(folder) / name
            relative = str(path.relative_to(drive_c))
            if path.is_symlink():
                entries[relative] = ("link", os.readlink(path))
            elif path.is_dir():
                entries[relative] = ("dir",)
            else:
                stat = path.stat()
                entries[relative] = ("file", stat.st_size, stat.st_mtime_ns)
    return entries


class Snapshot:
    """What the registry areas and drive_c held at one moment."""

    def __init__(self, driver, drive_c: Path, areas=DEFAULT_REGISTRY_AREAS):
        self.registry = registry_entries(driver, areas)
        self.files = file_entries(drive_c)
        self._driver, self._drive_c, self._areas = driver, drive_c, areas

    def changes(self):
        """(registry difference, file difference) between this snapshot and now."""
        now = Snapshot(self._driver, self._drive_c, self._areas)
        return _compare(self.registry, now.registry), _compare(self.files, now.files)
