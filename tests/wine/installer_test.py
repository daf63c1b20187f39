#!/usr/bin/env python3
"""The Windows installer under Wine, as a technician meets it.

An older version is installed silently, the user saves settings, and the new installer upgrades
it under another interface language: the older version's files and Start-menu entry go, the new
ones come, the installed-programs entry shows the new version, the settings stay. With the window
in the installer, the installed window starts, loads the settings from the user's folder, writes
them to the panel and saves a file there. The silent uninstall then removes the program, its entry
and its shortcut, and leaves the settings. The caller provides the Wine prefix, whose user profile
is PROFILE, and for the window the display and the COM port.
"""
import argparse
import os
import subprocess
import sys
import time
from pathlib import Path

import window_smoke
from wine_harness import SITE_INI, check, frames, run, wine_run

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\irven-configurator"
SHORTCUT = {"ru": "Ирвен А8 Конфигуратор.lnk", "uk": "Ірвен А8 Конфігуратор.lnk"}
UNINSTALLER = "uninstall.exe"
OLD_ONLY = "old-only.txt"


class Machine:
    def __init__(self, arguments):
        self.wine = arguments.wine
        profile = Path(arguments.profile)
        self.programs = profile / "AppData/Local/Programs/irven-configurator"
        self.start_menu = profile / "AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
        self.settings = profile / "AppData/Roaming/irven-configurator"

    def run(self, program, *arguments, locale=None):
        environment = dict(os.environ, LC_ALL=locale) if locale else None
        return wine_run(self.wine, program, *arguments, env=environment)

    def registry(self, name):
        result = self.run("reg", "query", UNINSTALL_KEY, "/v", name)
        if result.returncode != 0:
            return None
        words = result.stdout.decode("utf-8", errors="replace").split()
        return words[-1] if "REG_SZ" in words or "REG_DWORD" in words else None

    def install(self, installer, locale):
        result = self.run(Path(installer).resolve(), "/S", locale=locale)
        check(result.returncode == 0, f"{installer} /S exited {result.returncode}")

    def shortcuts(self):
        return sorted(p.name for p in self.start_menu.glob("*.lnk")) if self.start_menu.exists() else []


def installed_files(root):
    return sorted(str(p.relative_to(root)) for p in root.rglob("*") if p.is_file())


def upgrade(machine, arguments):
    machine.install(arguments.old_installer, "ru_RU.UTF-8")
    check((machine.programs / OLD_ONLY).is_file(), f"the older version is not in {machine.programs}")
    check(machine.shortcuts() == [SHORTCUT["ru"]], f"Start menu: {machine.shortcuts()}")
    check(machine.registry("DisplayVersion") == arguments.old_version,
          f"installed-programs version {machine.registry('DisplayVersion')}")
    machine.settings.mkdir(parents=True, exist_ok=True)
    (machine.settings / "Settings.ini").write_bytes(SITE_INI.encode("cp1251"))
    print(f"older version {arguments.old_version} installed in {machine.programs}")

    machine.install(arguments.installer, "uk_UA.UTF-8")
    expected = sorted(installed_files(Path(arguments.stage)) + [UNINSTALLER])
    check(installed_files(machine.programs) == expected,
          f"installed files {installed_files(machine.programs)}, expected {expected}")
    check(machine.shortcuts() == [SHORTCUT["uk"]], f"Start menu: {machine.shortcuts()}")
    link = (machine.start_menu / SHORTCUT["uk"]).read_bytes()
    check("irven-configurator.exe".encode("utf-16-le") in link or b"irven-configurator.exe" in link,
          "the shortcut does not start irven-configurator.exe")
    for name, value in [("DisplayVersion", arguments.version),
                        ("QuietUninstallString", "/S"), ("NoModify", "0x1")]:
        check(machine.registry(name) == value, f"{name} is {machine.registry(name)}, not {value}")
    check((machine.settings / "Settings.ini").read_bytes() == SITE_INI.encode("cp1251"),
          "the upgrade changed the user's settings")
    print(f"upgraded to {arguments.version}: {len(expected)} files, the Start-menu entry "
          f"«{SHORTCUT['uk'][:-4]}», the installed-programs entry, the settings kept")


def window(machine, arguments):
    exe = machine.programs / "irven-configurator.exe"
    process = subprocess.Popen([arguments.wine, str(exe)], cwd=machine.programs,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        handle = window_smoke.start(arguments.port)
        log = Path(arguments.log)
        mark = len(frames(log))
        window_smoke.click(handle, window_smoke.WRITE_SETTINGS)
        frames = window_smoke.wait_for_frame(log, b"!WR;", mark, 60)
        check(any(window_smoke.OBJECT_CODE in frame for frame in frames),
              "the installed window did not load Settings.ini from the user's folder")
        window_smoke.save_as(handle, "site.ini", machine.settings)
        check(not (machine.programs / "site.ini").exists(), "saved into the program folder")
        print(f"installed window: Settings.ini of the user's folder written to the panel, "
              f"site.ini saved in {machine.settings}")
    finally:
        process.kill()
        process.wait()


def uninstall(machine):
    # The uninstaller copies itself away and returns at once; its copy finishes the work.
    result = machine.run(machine.programs / UNINSTALLER, "/S")
    check(result.returncode == 0, f"the uninstaller exited {result.returncode}")
    deadline = time.monotonic() + 120
    while machine.programs.exists() and time.monotonic() < deadline:
        time.sleep(0.5)
    check(not machine.programs.exists(),
          f"left after uninstalling: {installed_files(machine.programs)}")
    check(machine.shortcuts() == [], f"Start menu after uninstalling: {machine.shortcuts()}")
    check(machine.registry("DisplayName") is None, "the installed-programs entry stayed")
    check((machine.settings / "Settings.ini").is_file(), "the uninstaller removed the settings")
    print("uninstalled: the program, its shortcut and its entry gone, the settings kept")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--wine", required=True)
    parser.add_argument("--profile", required=True, help="the Unix path of the user's profile")
    parser.add_argument("--installer", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--stage", required=True, help="the folder the installer was made from")
    parser.add_argument("--old-installer", required=True)
    parser.add_argument("--old-version", required=True)
    parser.add_argument("--port", help="the window's COM port; without it the window is not run")
    parser.add_argument("--log", help="the simulated panel's log")
    arguments = parser.parse_args()
    machine = Machine(arguments)

    def test():
        upgrade(machine, arguments)
        if arguments.port:
            window(machine, arguments)
        uninstall(machine)

    return run("installer test", test)


if __name__ == "__main__":
    sys.exit(main())
