#!/usr/bin/env python3
"""The resources of the built Windows executables, as Explorer reads them.

Each executable must carry the application icon, a version resource naming the product, its own
description and the project's version, and a manifest that asks for no elevation, declares long
paths and declares Windows 10 and 11, and no older Windows.
"""
import argparse
import re
import struct
import subprocess
import sys

RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 14, 16, 24
SUPPORTED_OS = {
    "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a": "Windows 10 and 11",
    "1f676c76-80e1-4239-95bb-83d0f6d0da78": "Windows 8.1",
    "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38": "Windows 8",
    "35138b9a-5d96-4fbd-8e2d-a2440225f93a": "Windows 7",
    "e2011457-1546-43c5-a5fe-008deee3d3f0": "Windows Vista",
}
DECLARED_OS = {"Windows 10 and 11"}


def resource(wrestool, exe, kind):
    return subprocess.run([wrestool, "--extract", "--raw", f"--type={kind}", exe],
                          capture_output=True, check=True, timeout=60).stdout


def aligned(offset):
    return (offset + 3) & ~3


def version_strings(data, offset=0, end=None, found=None):
    """The text values of a version resource: nested entries of a length, a value length, a type
    (1 for text, counted in UTF-16 units), a NUL-ended UTF-16 key, the value and the children."""
    end = len(data) if end is None else end
    found = {} if found is None else found
    while offset + 6 <= end:
        length, value_length, kind = struct.unpack_from("<HHH", data, offset)
        if length == 0:
            break
        key_end = offset + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[offset + 6:key_end].decode("utf-16-le")
        value = aligned(key_end + 2)
        size = value_length * 2 if kind == 1 else value_length
        if kind == 1 and value_length:
            found[key] = data[value:value + size].decode("utf-16-le").rstrip("\0")
        version_strings(data, aligned(value + size), offset + length, found)
        offset = aligned(offset + length)
    return found


def problems(wrestool, exe, version, product):
    found = []
    if not resource(wrestool, exe, RT_GROUP_ICON):
        found.append("no icon")
    strings = version_strings(resource(wrestool, exe, RT_VERSION))
    expected = {"ProductName": product, "FileVersion": version, "ProductVersion": version,
                "OriginalFilename": exe.rsplit("/", 1)[-1]}
    for key, value in expected.items():
        if strings.get(key) != value:
            found.append(f"version {key} is {strings.get(key)!r}, not {value!r}")
    if not strings.get("FileDescription"):
        found.append("no FileDescription")
    manifest = resource(wrestool, exe, RT_MANIFEST).decode("utf-8", errors="replace")
    if not re.search(r'requestedExecutionLevel level="asInvoker"', manifest):
        found.append("the manifest does not run as invoker")
    if not re.search(r"<longPathAware[^>]*>true</longPathAware>", manifest):
        found.append("the manifest is not long-path aware")
    ids = re.findall(r'<supportedOS\s+Id="\{([0-9a-fA-F-]+)\}"', manifest)
    declared = {SUPPORTED_OS.get(guid.lower(), guid) for guid in ids}
    if declared != DECLARED_OS:
        found.append(f"the manifest declares {sorted(declared)}, not {sorted(DECLARED_OS)}")
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--wrestool", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--product", required=True)
    parser.add_argument("exes", nargs="+")
    arguments = parser.parse_args()
    failed = False
    for exe in arguments.exes:
        found = problems(arguments.wrestool, exe, arguments.version, arguments.product)
        for problem in found:
            print(f"{exe}: {problem}", file=sys.stderr)
        if not found:
            print(f"{exe}: icon, version {arguments.version}, manifest")
        failed = failed or bool(found)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
