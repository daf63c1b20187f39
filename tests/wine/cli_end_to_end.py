#!/usr/bin/env python3
"""The Windows irven-cli.exe against irven-panel-sim through a Wine COM port.

Runs the exchanges from a program folder and with a settings file whose names are Cyrillic, and
checks both what the tool prints and the frames the simulator logged.
"""
import argparse
import json
import shutil
import subprocess
import sys
from pathlib import Path

SITE_INI = ("[CodObj]\r\nText=4321\r\n[TimePeriod]\r\nText=17\r\n"
            "[Edit7]\r\nText=+380501112233\r\n[Edit1]\r\nText=\"+380679998877\"\r\n"
            "[TochDost1]\r\nText=internet.kyiv\r\n[Server1]\r\nText=203.0.113.5\r\n"
            "[LocalPort1]\r\nText=5001\r\n[ServerPort1]\r\nText=6001\r\n"
            "[TochDost2]\r\nText=точка\r\n[Server2]\r\nText=203.0.113.6\r\n"
            "[LocalPort2]\r\nText=5002\r\n[ServerPort2]\r\nText=6002\r\n")

SITE_SETTINGS = ("ObjectCode=4321\nTestPeriod=17\n"
                 "SmsNumber1=\"+380501112233\"\nSmsNumber2=\"+380679998877\"\n"
                 "SmsMode=on\nGprsMode=off\n"
                 "Sim1.Apn=internet.kyiv\nSim1.ServerAddress=203.0.113.5\n"
                 "Sim1.ServerPort=6001\nSim1.LocalPort=5001\nSim1.Transport=UDP\n"
                 "Sim2.Apn=точка\nSim2.ServerAddress=203.0.113.6\n"
                 "Sim2.ServerPort=6002\nSim2.LocalPort=5002\nSim2.Transport=TCP\n")

CUSTOM_CODES = ("E01,E02,E03,E04,E05,E06,E07,E08,E09,E10,E11,E12,E13,"
                "E14,E15,E16,E17,E18,E19,E20,E21,E22,E23,   ,ЖЖЖ")


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


class Session:
    def __init__(self, wine, cli, port, log):
        self.wine, self.cli, self.port, self.log = wine, cli, port, log

    def frames_so_far(self):
        return len(self.log.read_text().splitlines()) if self.log.exists() else 0

    def received_since(self, mark):
        lines = self.log.read_text().splitlines()[mark:]
        return [bytes.fromhex(f["hex"]) for f in map(json.loads, lines) if f["dir"] == "rx"]

    def run(self, *arguments, status=0):
        result = subprocess.run([self.wine, str(self.cli), *arguments], cwd=self.cli.parent,
                                capture_output=True, timeout=180)
        out = result.stdout.decode("utf-8")
        err = result.stderr.decode("utf-8")
        check(result.returncode == status,
              f"{' '.join(arguments)}: exit {result.returncode}, expected {status}: {err}")
        return out, err

    def exchange(self, *arguments):
        mark = self.frames_so_far()
        out, _ = self.run(arguments[0], "--port", self.port, *arguments[1:])
        return out, self.received_since(mark)


def settings(session, folder):
    print("settings: write from a Cyrillic file, read back, save and show")
    (folder / "Об'єкт.ini").write_bytes(SITE_INI.encode("cp1251"))
    out, frames = session.exchange("write-settings", "--ini", "Об'єкт.ini", "--sms", "on",
                                   "--gprs", "off", "--sim1", "udp", "--sim2", "tcp")
    check(out == "", f"write-settings printed {out!r}")
    check("точка".encode("cp1251") in b"".join(frames), "the Cyrillic APN never reached the panel")
    check(b"!WR;" in frames, "the settings were not committed")
    windows_folder = "Z:" + str(folder).replace("/", "\\")
    out, frames = session.exchange("read-settings", "--ini", windows_folder + "\\Збережено.ini")
    check(out == SITE_SETTINGS, f"read-settings printed {out!r}")
    check(frames[:1] == [b"?S1;"], f"read-settings began with {frames[:1]}")
    saved = (folder / "Збережено.ini").read_bytes()
    check("[TochDost2]\r\nText=точка".encode("cp1251") in saved, "the saved file lost the APN")
    out, _ = session.run("show-settings", "--ini", "Збережено.ini")
    check("Sim2.Apn=точка\n" in out, f"show-settings printed {out!r}")


def codes(session):
    print("codes: both tables up and down")
    _, frames = session.exchange("write-codes", "--table", "restore", "--codes", CUSTOM_CODES)
    check("ЖЖЖ".encode("cp1251") in b"".join(frames), "the restore table never reached the panel")
    out, _ = session.exchange("read-codes", "--table", "restore")
    rows = out.splitlines()
    check(len(rows) == 25 and rows[24].endswith("\tЖЖЖ") and rows[0].endswith("\tE01"),
          f"restore table read back as {rows[:1]}…{rows[-1:]}")
    out, _ = session.exchange("read-codes", "--table", "events")
    check(out.splitlines()[0] == "1\tПожар\t110", f"events table starts {out.splitlines()[:1]}")
    _, err = session.run("write-codes", "--port", session.port, "--table", "events", "--codes",
                         CUSTOM_CODES.replace("E07", "E7"), status=1)
    check(err == "Код в ячейке \"Неисправность ИП\"  должен быть равным 3 символам\n",
          f"a short code was refused with {err!r}")


def journal(session):
    print("journal: 999 entries as CSV")
    out, frames = session.exchange("read-journal", "--count", "999", "--csv")
    check(frames, "the journal was never asked for")
    rows = out.split("\n")
    check(rows[0] == "number,code,text,colour\r", f"CSV header {rows[0]!r}")
    check(rows[20] == "20,52,\"Обрыв или КЗ выхода \"\"СЗО\"\"\",#ffff00\r", f"row 20 {rows[20]!r}")
    check(rows[999] == "999,,,\r", f"row 999 {rows[999]!r}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine", required=True)
    parser.add_argument("--cli", required=True, type=Path)
    parser.add_argument("--port", required=True)
    parser.add_argument("--log", required=True, type=Path)
    parser.add_argument("--work", required=True, type=Path)
    options = parser.parse_args()

    folder = options.work / "Конфігуратор"
    shutil.rmtree(options.work, ignore_errors=True)
    folder.mkdir(parents=True)
    shutil.copy(options.cli, folder / "irven-cli.exe")
    session = Session(options.wine, folder / "irven-cli.exe", options.port, options.log)
    try:
        settings(session, folder)
        codes(session)
        journal(session)
    except Failure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("irven-cli.exe end to end: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
