#!/usr/bin/env python3
"""The Windows installer under Wine, as a technician meets it.

On Windows 7 the installer refuses in either language and installs nothing. An older version is
installed silently, the user puts a Settings.ini beside the installed program (and an older one
lies in the user's own folder), and the new installer upgrades it under another interface
language: the older version's files and Start-menu entry go, the new ones come, the
installed-programs entry shows the new version, the user's files stay. With the window in the
installer, the installed window loads the Settings.ini beside it, writes it to the panel and saves
a site file there; that file survives a second upgrade; installed in a folder the user may not
write, the window loads and saves in the user's folder instead. The silent uninstall then removes
the program, its entry and its shortcut, and leaves the user's files. The caller provides the Wine
prefix, whose user profile is PROFILE, and for the window the display and the COM port.
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

import window_smoke
from wine_harness import SITE_INI, check, frames, run, wine_run

UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\irven-configurator"
UNINSTALLER = "uninstall.exe"
OLD_ONLY = "old-only.txt"
SITE_FILE = "site.ini"
# The older Settings.ini of the user's own folder, told apart by its object code.
USER_OBJECT_CODE = b"8765"
USER_INI = SITE_INI.replace(window_smoke.OBJECT_CODE.decode(), USER_OBJECT_CODE.decode())
# What the user's files beside the program hold: the Settings.ini put there, the site file the
# window saved from it.
KEPT = {"Settings.ini": SITE_INI.encode("cp1251"), SITE_FILE: b"[CodObj]\r\nText=4321\r\n"}


# The guide's Start-menu entry: the product's name and the word for it in each language.
GUIDE_WORDS = {"ru": "руководство", "uk": "посібник"}


class Machine:
    def __init__(self, arguments):
        self.wine = arguments.wine
        profile = Path(arguments.profile)
        self.programs = profile / "AppData/Local/Programs/irven-configurator"
        self.start_menu = profile / "AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
        self.settings = profile / "AppData/Roaming/irven-configurator"
        names = json.loads(Path(arguments.names).read_text("utf-8"))
        self.shortcut = {language: f"{name}.lnk" for language, name in names.items()}
        self.guide = {language: f"{names[language]} — {word}.lnk"
                      for language, word in GUIDE_WORDS.items()}

    def expected_shortcuts(self, language, stage):
        """The window's shortcut, and the guide's when the installer carries the guide."""
        guide = [self.guide[language]] if (Path(stage) / f"guide-{language}.html").is_file() else []
        return sorted([self.shortcut[language]] + guide)

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

    def windows_version(self, version):
        result = self.run("winecfg", "-v", version)
        check(result.returncode == 0, f"winecfg -v {version} exited {result.returncode}")

    def shortcuts(self):
        return sorted(p.name for p in self.start_menu.glob("*.lnk")) if self.start_menu.exists() else []


def installed_files(root):
    return sorted(str(p.relative_to(root)) for p in root.rglob("*") if p.is_file())


def older_windows(machine, arguments):
    machine.windows_version("win7")
    try:
        for locale in ("ru_RU.UTF-8", "uk_UA.UTF-8"):
            result = machine.run(Path(arguments.installer).resolve(), "/S", locale=locale)
            check(result.returncode != 0, f"the installer ran to its end on Windows 7 ({locale})")
            check(not machine.programs.exists(), f"installed on Windows 7: {machine.programs}")
            check(machine.shortcuts() == [], f"Start menu on Windows 7: {machine.shortcuts()}")
            check(machine.registry("DisplayName") is None, "an installed-programs entry on Windows 7")
    finally:
        machine.windows_version("win10")
    print(f"Windows 7: the installer exits {result.returncode} and installs nothing")


def upgrade(machine, arguments):
    machine.install(arguments.old_installer, "ru_RU.UTF-8")
    check((machine.programs / OLD_ONLY).is_file(), f"the older version is not in {machine.programs}")
    check(machine.shortcuts() == [machine.shortcut["ru"]], f"Start menu: {machine.shortcuts()}")
    check(machine.registry("DisplayVersion") == arguments.old_version,
          f"installed-programs version {machine.registry('DisplayVersion')}")
    (machine.programs / "Settings.ini").write_bytes(SITE_INI.encode("cp1251"))
    # The user's folder holds the older Settings.ini alone, whatever earlier tests saved there.
    shutil.rmtree(machine.settings, ignore_errors=True)
    machine.settings.mkdir(parents=True)
    (machine.settings / "Settings.ini").write_bytes(USER_INI.encode("cp1251"))
    print(f"older version {arguments.old_version} installed in {machine.programs}")

    machine.install(arguments.installer, "uk_UA.UTF-8")
    expected = sorted(installed_files(Path(arguments.stage)) + [UNINSTALLER, "Settings.ini"])
    check(installed_files(machine.programs) == expected,
          f"installed files {installed_files(machine.programs)}, expected {expected}")
    check(machine.shortcuts() == machine.expected_shortcuts("uk", arguments.stage),
          f"Start menu: {machine.shortcuts()}")
    link = (machine.start_menu / machine.shortcut["uk"]).read_bytes()
    check("irven-configurator.exe".encode("utf-16-le") in link or b"irven-configurator.exe" in link,
          "the shortcut does not start irven-configurator.exe")
    if machine.guide["uk"] in machine.shortcuts():
        guide = (machine.start_menu / machine.guide["uk"]).read_bytes()
        check("guide-uk.html".encode("utf-16-le") in guide or b"guide-uk.html" in guide,
              "the guide's shortcut does not open guide-uk.html")
    for name, value in [("DisplayVersion", arguments.version),
                        ("QuietUninstallString", "/S"), ("NoModify", "0x1")]:
        check(machine.registry(name) == value, f"{name} is {machine.registry(name)}, not {value}")
    check(user_files_kept(machine, ["Settings.ini"]), "the upgrade changed the user's files")
    print(f"upgraded to {arguments.version}: {len(expected)} files, the Start-menu entry "
          f"«{machine.shortcut['uk'][:-4]}», the installed-programs entry, the user's files kept")


def user_files_kept(machine, beside_program):
    """Whether the files BESIDE_PROGRAM and the Settings.ini of the user's folder are as the user
    left them."""
    beside = all((machine.programs / name).is_file() and
                 KEPT[name] in (machine.programs / name).read_bytes() for name in beside_program)
    return beside and (machine.settings / "Settings.ini").read_bytes() == USER_INI.encode("cp1251")


def installed_window(machine, arguments, code, folder):
    """The installed window writes the Settings.ini it loaded, whose object code must be CODE, to
    the panel, and saves the site file, which must appear in FOLDER."""
    exe = machine.programs / "irven-configurator.exe"
    process = subprocess.Popen([arguments.wine, str(exe)], cwd=machine.programs,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        handle = window_smoke.start(arguments.port)
        log = Path(arguments.log)
        mark = len(frames(log))
        window_smoke.click(handle, window_smoke.WRITE_SETTINGS)
        received = window_smoke.wait_for_frame(log, b"!WR;", mark, 60)
        check(any(code in frame for frame in received),
              f"the installed window did not write the Settings.ini with the object code {code}")
        window_smoke.save_as(handle, SITE_FILE, folder, code)
    finally:
        process.kill()
        process.wait()


def window(machine, arguments):
    installed_window(machine, arguments, window_smoke.OBJECT_CODE, machine.programs)
    check(not (machine.settings / SITE_FILE).exists(), "saved into the user's folder")
    print(f"installed window: the Settings.ini beside it written to the panel, {SITE_FILE} saved "
          f"beside it")

    machine.install(arguments.installer, "ru_RU.UTF-8")
    check(user_files_kept(machine, ["Settings.ini", SITE_FILE]),
          f"an upgrade lost the user's files beside the program: {installed_files(machine.programs)}")
    print(f"upgraded again: {SITE_FILE} and Settings.ini beside the program kept")

    with window_smoke.read_only(machine.programs):
        installed_window(machine, arguments, USER_OBJECT_CODE, machine.settings)
    print(f"installed read-only: the Settings.ini of the user's folder written to the panel, "
          f"{SITE_FILE} saved in {machine.settings}")


def uninstall(machine, beside_program):
    # The uninstaller copies itself away and returns at once; its copy finishes the work.
    result = machine.run(machine.programs / UNINSTALLER, "/S")
    check(result.returncode == 0, f"the uninstaller exited {result.returncode}")
    deadline = time.monotonic() + 120
    while installed_files(machine.programs) != beside_program and time.monotonic() < deadline:
        time.sleep(0.5)
    check(installed_files(machine.programs) == beside_program,
          f"left after uninstalling: {installed_files(machine.programs)}, not {beside_program}")
    check(machine.shortcuts() == [], f"Start menu after uninstalling: {machine.shortcuts()}")
    check(machine.registry("DisplayName") is None, "the installed-programs entry stayed")
    check(user_files_kept(machine, beside_program), "the uninstaller changed the user's files")
    print(f"uninstalled: the program, its shortcut and its entry gone, the user's files "
          f"{beside_program} kept beside it and in the user's folder")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--wine", required=True)
    parser.add_argument("--profile", required=True, help="the Unix path of the user's profile")
    parser.add_argument("--names", required=True,
                        help="the product's names by language (JSON), as the build wrote them")
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
        older_windows(machine, arguments)
        upgrade(machine, arguments)
        beside_program = ["Settings.ini"]
        if arguments.port:
            window(machine, arguments)
            beside_program.append(SITE_FILE)
        uninstall(machine, sorted(beside_program))

    return run("installer test", test)


if __name__ == "__main__":
    sys.exit(main())
