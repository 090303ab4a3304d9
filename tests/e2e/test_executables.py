"""What the built executables are, read from their files: GUI programs that import only
system DLLs and carry the manifest that asks for administrator rights."""
import re
import subprocess

import pytest

from harness.paths import REPO_ROOT

SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll",
               "oleaut32.dll", "shell32.dll", "user32.dll"}
BUILDS = {"win32": ("i686-w64-mingw32-objdump", "x86"), "win64": ("x86_64-w64-mingw32-objdump", "amd64")}


def built(arch, name):
    path = REPO_ROOT / "build" / arch / name
    if not path.is_file():
        pytest.skip(f"{path} is not built")
    return path


def headers(arch, path):
    return subprocess.run([BUILDS[arch][0], "-p", str(path)], capture_output=True, text=True, check=True).stdout


def manifest(path) -> str:
    data = path.read_bytes()
    start = data.find(b"<?xml")
    assert start >= 0, "no manifest in the file"
    return data[start:data.find(b"</assembly>", start) + len(b"</assembly>")].decode("utf-8")


@pytest.mark.parametrize("arch", ["win32", "win64"])
@pytest.mark.parametrize("name", ["setup.exe", "uninstall.exe"])
def test_gui_program_importing_only_system_dlls(arch, name):
    dump = headers(arch, built(arch, name))
    assert re.search(r"Subsystem\s+00000002\s+\(Windows GUI\)", dump)
    imported = {m.lower() for m in re.findall(r"DLL Name: (\S+)", dump)}
    assert imported and imported <= SYSTEM_DLLS, imported - SYSTEM_DLLS


@pytest.mark.parametrize("arch", ["win32", "win64"])
@pytest.mark.parametrize("name", ["setup.exe", "uninstall.exe"])
def test_manifest_asks_for_administrator_and_common_controls_6(arch, name):
    text = manifest(built(arch, name))
    assert 'level="requireAdministrator"' in text
    assert 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' in re.sub(r"\s+", " ", text)
    assert f'processorArchitecture="{BUILDS[arch][1]}"' in text
    assert "supportedOS" not in text and "compatibility" not in text
