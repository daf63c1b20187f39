#!/usr/bin/env python3
"""The Windows window under Wine, driven by real input on an X display.

Starts irven-configurator.exe from a program folder with a Cyrillic name that the user may not
write, with a Settings.ini beside it, types the COM port into the port box, connects, writes the
settings (the values of that Settings.ini must reach the panel) and reads them back, checking the
frames in the simulator's log; reads the object code off a screenshot, so that the values are
seen, not only sent; saves the settings, which go to the user's folder. The caller provides the
display, the Wine prefix, whose user's settings folder is SETTINGS, and the COM port mapping.
"""
import argparse
import contextlib
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

from wine_harness import SITE_INI, Failure, check, frames, run

CAPTION = "Ирвен А4 Конфигуратор"
OBJECT_CODE = b"4321"
# Places inside the window's client area, from the layout at its designed size: the port box at
# the top of the connection panel, the connect button under the speed box, and the buttons of the
# settings page, one under another.
PORT_BOX = (68, 20)
CONNECT = (78, 73)
READ_SETTINGS = (275, 48)
WRITE_SETTINGS = (275, 71)
SAVE_SETTINGS = (275, 117)


def xdotool(*arguments):
    return subprocess.run(["xdotool", *arguments], capture_output=True, text=True,
                          timeout=60).stdout.strip()


def wait_for_frame(log, frame, after, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        received = frames(log)[after:]
        if frame in received:
            return received
        time.sleep(0.25)
    raise Failure(f"the panel never received {frame!r}; it received {frames(log)[after:]}")


def click(window, place):
    xdotool("mousemove", "--window", window, str(place[0]), str(place[1]), "click", "1")


def find_window(seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = xdotool("search", "--name", f"^{CAPTION}$")
        if found:
            return found.split()[0]
        time.sleep(0.5)
    raise Failure(f"no window with the caption {CAPTION!r}")


def start(port):
    """The started window's handle once it is connected to PORT, typed into its port box."""
    window = find_window(60)
    # The caption comes before the window has finished its start-up.
    time.sleep(5)
    click(window, PORT_BOX)
    xdotool("key", "ctrl+a")
    xdotool("type", "--delay", "30", port)
    click(window, CONNECT)
    time.sleep(1)
    return window


@contextlib.contextmanager
def read_only(folder):
    """FOLDER as one the Windows user may not write. Wine runs as the Unix user, root here, whom
    permissions do not stop; the immutable attribute stops root too. Windows' own read-only
    attribute would not do: on a folder it does not stop files being made in it."""
    root = os.geteuid() == 0
    subprocess.run(["chattr", "+i", folder] if root else ["chmod", "a-w", folder], check=True)
    try:
        yield
    finally:
        subprocess.run(["chattr", "-i", folder] if root else ["chmod", "u+w", folder], check=True)


def save_as(window, name, folder, code=OBJECT_CODE):
    """Saves the settings through the window's save dialog as NAME; the file must appear in
    FOLDER, where the window keeps its settings files, and hold the object code CODE."""
    click(window, SAVE_SETTINGS)
    time.sleep(3)
    xdotool("type", "--delay", "30", name)
    xdotool("key", "Return")
    saved = Path(folder) / name
    deadline = time.monotonic() + 30
    while not saved.exists() and time.monotonic() < deadline:
        time.sleep(0.5)
    check(saved.exists() and code in saved.read_bytes(), f"nothing saved as {saved}")
    # The confirmation.
    time.sleep(1)
    xdotool("key", "Return")
    return saved


def visible_text(window, screenshot):
    """The text tesseract reads off the window in the screenshot, enlarged three times first: at
    the screen's size it misreads the small digits of the line edits."""
    geometry = dict(line.split("=") for line in
                    xdotool("getwindowgeometry", "--shell", window).splitlines())
    enlarged = Path(screenshot).with_suffix(".ocr.png")
    subprocess.run(["convert", screenshot, "-crop",
                    f"{geometry['WIDTH']}x{geometry['HEIGHT']}+{geometry['X']}+{geometry['Y']}",
                    "-resize", "300%", "-colorspace", "Gray", str(enlarged)],
                   timeout=60, check=True)
    return subprocess.run(["tesseract", str(enlarged), "-"], capture_output=True, text=True,
                          timeout=120, check=True).stdout


def smoke(arguments):
    program = Path(arguments.work) / "Конфігуратор"
    shutil.rmtree(program, ignore_errors=True)
    program.mkdir(parents=True)
    shutil.copy(arguments.exe, program)
    (program / "Settings.ini").write_bytes(SITE_INI.encode("cp1251"))
    with read_only(program):
        drive(arguments, program)


def drive(arguments, program):
    log = Path(arguments.log)
    window_process = subprocess.Popen([arguments.wine, Path(arguments.exe).name], cwd=program,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = start(arguments.port)

        mark = len(frames(log))
        click(window, WRITE_SETTINGS)
        received = wait_for_frame(log, b"!WR;", mark, 60)
        check(any(OBJECT_CODE in frame for frame in received),
              f"the object code of Settings.ini was not written: {received}")
        print(f"write: {len(received)} frames, the object code of Settings.ini among them, then !WR;")

        mark = len(frames(log))
        click(window, READ_SETTINGS)
        received = wait_for_frame(log, b"?BD;", mark, 60)
        check(received[0] == b"?S1;", f"the read began with {received[0]!r}")
        print(f"read: {len(received)} queries from ?S1; to ?BD;")

        subprocess.run(["import", "-window", "root", arguments.screenshot], timeout=60, check=True)
        text = visible_text(window, arguments.screenshot)
        check(OBJECT_CODE.decode() in text,
              f"the object code {OBJECT_CODE.decode()} is not readable on the screenshot: {text!r}")
        print(f"screenshot: {arguments.screenshot}, the object code readable on it")

        saved = save_as(window, "site.ini", arguments.settings)
        check(not (program / "site.ini").exists(), "saved into the read-only program folder")
        print(f"saved: {saved}")
    finally:
        window_process.kill()
        window_process.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--wine", required=True)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--port", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--screenshot", required=True)
    parser.add_argument("--settings", required=True,
                        help="the Unix path of the Windows user's settings folder")
    arguments = parser.parse_args()
    return run("window smoke test", lambda: smoke(arguments))


if __name__ == "__main__":
    sys.exit(main())
