#!/usr/bin/env python3
"""The Windows irven-cli.exe against irven-panel-sim through a Wine COM port.

Runs the exchanges from a program folder and with files whose names are Cyrillic, one for every
file option, and checks both what the tool prints and the frames the simulator logged. Then the
faults a technician meets: a cable pulled during a write, a save killed half-way and a panel that
answers more than is read, each on a simulator of its own; and a machine without the registry's
list of serial ports. With --native the fault cases alone run against the Linux irven-cli, for
the same figures beside them.
"""
import argparse
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

from wine_harness import SITE_INI, check, frames, run

SITE_SETTINGS = ("ObjectCode=4321\nTestPeriod=17\n"
                 "SmsNumber1=\"+380501112233\"\nSmsNumber2=\"+380679998877\"\n"
                 "SmsMode=on\nGprsMode=off\n"
                 "Sim1.Apn=internet.kyiv\nSim1.ServerAddress=203.0.113.5\n"
                 "Sim1.ServerPort=6001\nSim1.LocalPort=5001\nSim1.Transport=UDP\n"
                 "Sim2.Apn=точка\nSim2.ServerAddress=203.0.113.6\n"
                 "Sim2.ServerPort=6002\nSim2.LocalPort=5002\nSim2.Transport=TCP\n")

CUSTOM_CODES = ("E01,E02,E03,E04,E05,E06,E07,E08,E09,E10,E11,E12,E13,"
                "E14,E15,E16,E17,E18,E19,E20,E21,E22,E23,   ,ЖЖЖ")


class Session:
    def __init__(self, wine, cli, port, log):
        self.wine, self.cli, self.port, self.log = wine, cli, port, log

    def command(self, *arguments):
        return ([self.wine] if self.wine else []) + [str(self.cli), *arguments]

    def run(self, *arguments, status=0):
        result = subprocess.run(self.command(*arguments), cwd=self.cli.parent,
                                capture_output=True, timeout=180)
        out = result.stdout.decode("utf-8")
        err = result.stderr.decode("utf-8")
        check(result.returncode == status,
              f"{' '.join(arguments)}: exit {result.returncode}, expected {status}: {err}")
        return out, err

    def exchange(self, *arguments):
        mark = len(frames(self.log))
        out, _ = self.run(arguments[0], "--port", self.port, *arguments[1:])
        return out, frames(self.log)[mark:]


def settings(session, folder):
    print("settings: write from a Cyrillic file with a backup and a trace, read back, save, show")
    (folder / "Об'єкт.ini").write_bytes(SITE_INI.encode("cp1251"))
    out, received = session.exchange("write-settings", "--ini", "Об'єкт.ini", "--sms", "on",
                                   "--gprs", "off", "--sim1", "udp", "--sim2", "tcp",
                                   "--backup", "Резервна копія.ini", "--trace", "Обмін.jsonl")
    check(out == "", f"write-settings printed {out!r}")
    check("точка".encode("cp1251") in b"".join(received), "the Cyrillic APN never reached the panel")
    check(b"!WR;" in received, "the settings were not committed")
    check(b"[CodObj]\r\nText=" in (folder / "Резервна копія.ini").read_bytes(),
          "--backup did not save the panel's settings under its Cyrillic name")
    check(frames(folder / "Обмін.jsonl", "tx") == received,
          "--trace under its Cyrillic name does not hold the frames the panel received")
    windows_folder = "Z:" + str(folder).replace("/", "\\")
    out, received = session.exchange("read-settings", "--ini", windows_folder + "\\Збережено.ini")
    check(out == SITE_SETTINGS, f"read-settings printed {out!r}")
    check(received[:1] == [b"?S1;"], f"read-settings began with {received[:1]}")
    saved = (folder / "Збережено.ini").read_bytes()
    check("[TochDost2]\r\nText=точка".encode("cp1251") in saved, "the saved file lost the APN")
    out, _ = session.run("show-settings", "--ini", "Збережено.ini")
    check("Sim2.Apn=точка\n" in out, f"show-settings printed {out!r}")


def codes(session, folder):
    print("codes: both tables up and down, through a CSV file with a Cyrillic name")
    _, received = session.exchange("write-codes", "--table", "restore", "--codes", CUSTOM_CODES)
    check("ЖЖЖ".encode("cp1251") in b"".join(received), "the restore table never reached the panel")
    out, _ = session.exchange("read-codes", "--table", "restore", "--out", "Коди.csv")
    rows = out.splitlines()
    check(len(rows) == 25 and rows[24].endswith("\tЖЖЖ") and rows[0].endswith("\tE01"),
          f"restore table read back as {rows[:1]}…{rows[-1:]}")
    csv = (folder / "Коди.csv").read_text("utf-8-sig").splitlines()
    check(csv[0] == "row,event,code" and csv[25].endswith(",ЖЖЖ"), f"Коди.csv holds {csv[:2]}")
    (folder / "Коди.csv").write_text("\n".join(csv).replace("E01", "Ф01") + "\n", "utf-8-sig")
    _, received = session.exchange("write-codes", "--table", "restore", "--from", "Коди.csv")
    check("Ф01".encode("cp1251") in b"".join(received), "--from Коди.csv never reached the panel")
    out, _ = session.exchange("read-codes", "--table", "events")
    check(out.splitlines()[0] == "1\tПожар\t110", f"events table starts {out.splitlines()[:1]}")
    _, err = session.run("write-codes", "--port", session.port, "--table", "events", "--codes",
                         CUSTOM_CODES.replace("E07", "E7"), status=1)
    check(err == "Код в ячейке \"Неисправность ИП\"  должен быть равным 3 символам\n",
          f"a short code was refused with {err!r}")


def journal(session):
    print("journal: 999 entries as CSV")
    out, received = session.exchange("read-journal", "--count", "999", "--csv")
    check(received, "the journal was never asked for")
    rows = out.split("\n")
    check(rows[0] == "number,code,text,colour\r", f"CSV header {rows[0]!r}")
    check(rows[20] == "20,52,\"Обрыв или КЗ выхода \"\"СЗО\"\"\",#ffff00\r", f"row 20 {rows[20]!r}")
    check(rows[999] == "999,,,\r", f"row 999 {rows[999]!r}")


FILES_MADE = ["irven-cli.exe", "Об'єкт.ini", "Резервна копія.ini", "Обмін.jsonl", "Збережено.ini",
              "Коди.csv"]


def no_port_list(session):
    """A PC that has never had a serial port has no HARDWARE\\DEVICEMAP\\SERIALCOMM key. Wine
    keeps that key volatile and refuses to make it again by hand; it is back at Wine's next start,
    so this runs last."""
    print("ports: without the registry's list of serial ports")
    key = r"HKLM\HARDWARE\DEVICEMAP\SERIALCOMM"
    reg = [session.wine, "reg"]
    subprocess.run(reg + ["delete", key, "/f"], check=True, capture_output=True)
    gone = subprocess.run(reg + ["query", key], capture_output=True).returncode != 0
    check(gone, "the SERIALCOMM key is still there")
    out, err = session.run("ports")
    check(out == "" and err == "", f"ports without the key printed {out!r}, {err!r}")


class Faults:
    """Each fault on a simulator of its own, linked where the tool opens its port; prints the
    figures: exit status, time, the message, and what stayed on disk."""

    def __init__(self, session, options, folder):
        self.session, self.options, self.folder = session, options, folder
        self.platform = "Linux" if options.native else "Wine"

    def panel(self, name, *faults):
        log = self.folder.parent / f"{name}.jsonl"
        environment = {k: v for k, v in os.environ.items() if k != "LD_PRELOAD"}
        sim = subprocess.Popen([str(self.options.sim), "--link", str(self.options.fault_link),
                                "--log", str(log), *faults], env=environment,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        sim.stdout.readline()
        return sim

    def timed(self, *arguments):
        start = time.monotonic()
        result = subprocess.run(self.session.command(*arguments, "--port", self.options.fault_port),
                                cwd=self.folder, capture_output=True, timeout=180)
        return result, time.monotonic() - start

    def figure(self, case, status, seconds, message, disk):
        print(f"  {self.platform} {case}: exit {status}, {seconds:.1f} s, "
              f"{message.strip()!r}; on disk: {disk}")

    def run(self):
        self.pulled_cable()
        self.killed_save()
        self.long_replies()

    def pulled_cable(self):
        (self.folder / "Обрив.ini").write_bytes(SITE_INI.encode("cp1251"))
        sim = self.panel("hangup", "--hangup-after", "3")
        result, seconds = self.timed("write-settings", "--ini", "Обрив.ini",
                                     "--trace", "Обрив.jsonl")
        sim_status = sim.wait(timeout=10)
        err = result.stderr.decode("utf-8")
        written = len(frames(self.folder / "Обрив.jsonl", "tx"))
        self.figure("pulled cable (write-settings, hang-up at the 3rd frame)", result.returncode,
                    seconds, err, f"a trace of {written} frames written")
        check(sim_status == 2, f"the simulator ended {sim_status}, not by its hang-up")
        check(result.returncode == 1 and err in ("Помилка запису в порт\n",
                                                 "Помилка читання з порта\n"),
              f"a pulled cable gave exit {result.returncode}: {err!r}")
        check(seconds < 30, f"a pulled cable took {seconds:.1f} s to report")

    def killed_save(self):
        """read-settings --ini saves last; the tool is killed the moment its temporary file
        appears, or after it ended, and the next save must find a whole file either way."""
        name = "Вбитий.ini"
        target, temporary = self.folder / name, self.folder / (name + ".tmp")
        target.write_bytes(SITE_INI.encode("cp1251"))
        sim = self.panel("killed")
        start = time.monotonic()
        tool = subprocess.Popen(self.session.command("read-settings", "--ini", name,
                                                     "--port", self.options.fault_port),
                                cwd=self.folder, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        while tool.poll() is None and not temporary.exists():
            time.sleep(0.001)
        caught = tool.poll() is None
        tool.kill()
        status = tool.wait()
        seconds = time.monotonic() - start
        left = sorted(p.name for p in self.folder.iterdir() if p.name.startswith(name))
        content = target.read_bytes()
        whole = content == SITE_INI.encode("cp1251") or b"[ServerPort2]\r\nText=7790" in content
        self.figure("killed save (read-settings --ini)", status, seconds,
                    "killed while saving" if caught else "the save ended before the kill",
                    f"{left}, the file {'whole' if whole else 'BROKEN'}")
        check(whole, f"a killed save left {content!r}")
        check(len(left) <= 2, f"a killed save left {left}")
        result, seconds = self.timed("read-settings", "--ini", name)
        sim.terminate()
        sim.wait(timeout=10)
        left = sorted(p.name for p in self.folder.iterdir() if p.name.startswith(name))
        self.figure("the next save of that file", result.returncode, seconds, "", f"{left}")
        check(result.returncode == 0 and left == [name], f"the next save left {left}")

    def long_replies(self):
        """Replies padded to 150 bytes, past the 100 a query reads: the rest is stray input that
        the next query reads first; the printed values show it as it came."""
        sim = self.panel("long", "--long")
        result, seconds = self.timed("read-settings")
        sim.terminate()
        sim.wait(timeout=10)
        out = result.stdout.decode("utf-8")
        lines = out.splitlines()
        self.figure("replies past the read (read-settings, --long)", result.returncode, seconds,
                    result.stderr.decode("utf-8"),
                    f"{len(lines)} lines printed, the longest {max(map(len, lines), default=0)}")
        # The first reply fills the 100 bytes read; the period's poll then takes a stray "#".
        check(result.returncode == 0 and len(lines) == 16 and
              lines[0] == "ObjectCode=" + "#" * 100 and lines[1] == "TestPeriod=35",
              f"--long gave exit {result.returncode}: {lines[:2]}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine", default="")
    parser.add_argument("--cli", required=True, type=Path)
    parser.add_argument("--port", default="")
    parser.add_argument("--log", type=Path, default=Path("/nonexistent"))
    parser.add_argument("--work", required=True, type=Path)
    parser.add_argument("--sim", type=Path, help="irven-panel-sim, for the fault cases")
    parser.add_argument("--fault-link", type=Path,
                        help="where a fault case's simulator links its device (Wine: dosdevices/comN)")
    parser.add_argument("--fault-port", help="the port the tool opens for that link (COMN)")
    parser.add_argument("--native", action="store_true", help="the fault cases alone, no Wine")
    options = parser.parse_args()

    folder = options.work / "Конфігуратор"
    shutil.rmtree(options.work, ignore_errors=True)
    folder.mkdir(parents=True)
    cli = folder / options.cli.name
    shutil.copy(options.cli, cli)
    session = Session(options.wine, cli, options.port, options.log)

    def test():
        if not options.native:
            settings(session, folder)
            codes(session, folder)
            journal(session)
            check(sorted(p.name for p in folder.iterdir()) == sorted(FILES_MADE),
                  f"the folder holds {sorted(p.name for p in folder.iterdir())}")
        if options.sim:
            Faults(session, options, folder).run()
        if not options.native:
            no_port_list(session)

    return run(f"{cli.name} end to end", test)

if __name__ == "__main__":
    sys.exit(main())
