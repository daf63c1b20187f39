"""What the Wine drivers share: the failure a driver reports, the check that raises it, the runner
that turns it into the exit status, the logs of frames, a Windows program run under Wine, and the
site's settings file they load.
"""
import json
import subprocess
import sys

SITE_INI = ("[CodObj]\r\nText=4321\r\n[TimePeriod]\r\nText=17\r\n"
            "[Edit7]\r\nText=+380501112233\r\n[Edit1]\r\nText=\"+380679998877\"\r\n"
            "[TochDost1]\r\nText=internet.kyiv\r\n[Server1]\r\nText=203.0.113.5\r\n"
            "[LocalPort1]\r\nText=5001\r\n[ServerPort1]\r\nText=6001\r\n"
            "[TochDost2]\r\nText=точка\r\n[Server2]\r\nText=203.0.113.6\r\n"
            "[LocalPort2]\r\nText=5002\r\n[ServerPort2]\r\nText=6002\r\n")


class Failure(Exception):
    """A check that did not hold."""


def check(condition, what):
    if not condition:
        raise Failure(what)


def frames(log, direction="rx"):
    """The frames of a log of JSON lines, the simulated panel's or a --trace, that went in
    DIRECTION: "rx" what the panel received, "tx" what the tool sent."""
    if not log.exists():
        return []
    lines = log.read_text("utf-8").splitlines()
    return [bytes.fromhex(f["hex"]) for f in map(json.loads, lines) if f["dir"] == direction]


def wine_run(wine, program, *arguments, **options):
    """PROGRAM run under WINE to its end, its output captured."""
    return subprocess.run([wine, str(program), *arguments], capture_output=True,
                          **{"timeout": 300, **options})


def run(what, test):
    """The exit status of TEST, a function: 0, or 1 with the failure told as WHAT's."""
    try:
        test()
    except Failure as failure:
        print(f"{what} failed: {failure}", file=sys.stderr)
        return 1
    print(f"{what}: passed")
    return 0
