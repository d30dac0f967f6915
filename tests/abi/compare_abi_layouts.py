#!/usr/bin/python3
"""Checks that the module boundary has one layout for a Microsoft-built host and
for our gcc-built (Itanium ABI) module and host.

Compiles a probe translation unit twice with clang, for x86_64-pc-windows-msvc
and for x86_64-w64-windows-gnu, with the vtable and record layout dumps on, and
compares per probe class the virtual slots (index and signature) and per record
the size, alignment and every field's offset, type and name. Where an
expectations file names the slots of a probe, the Microsoft layout must also
list exactly those.

Exit 0 when everything agrees. With --expect-mismatch NAME ... the run passes
only when exactly those probes or records differ (the check of the check).
"""

import argparse
import re
import subprocess
import sys

MSVC = "x86_64-pc-windows-msvc"
GNU = "x86_64-w64-windows-gnu"

ENTRY = re.compile(r"^\s*(\d+(?::\d+-\d+)?) \| (.*)$")
QUALIFIER = re.compile(r"\b[A-Za-z_]\w*(<[^<>]*>)?::(?=~?[A-Za-z_]\w*\(|operator\W)")


def dump(clang, source, includes, target):
    command = [clang, "-std=c++20", "--target=" + target, "-fno-rtti", "-nostdinc",
               "-S", "-o", "/dev/null", "-Xclang", "-fdump-vtable-layouts",
               "-Xclang", "-fdump-record-layouts"]
    for directory in includes:
        command += ["-isystem" if directory.endswith("shim") else "-I", directory]
    command.append(source)
    result = subprocess.run(command, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit("clang for %s failed:\n%s" % (target, result.stderr))
    return result.stdout.splitlines()


def normalise(entry):
    """A slot as the caller sees it: signature without the declaring class."""
    entry = entry.replace("[pure]", "").strip()
    return QUALIFIER.sub("", entry)


def msvc_vtables(lines):
    """Probe name -> list of slot texts from 'VFTable for ... in 'AbiProbe_X''."""
    tables = {}
    i = 0
    while i < len(lines):
        m = re.match(r"^VFTable for .* in '(AbiProbe_\w+)' \(\d+ entries\)\.$", lines[i])
        if not m:
            i += 1
            continue
        slots = []
        i += 1
        while i < len(lines) and lines[i].strip():
            e = ENTRY.match(lines[i])
            if e and "RTTI" not in e.group(2):
                slots.append(normalise(e.group(2)))
            i += 1
        tables[m.group(1)[len("AbiProbe_"):]] = slots
    return tables


def gnu_vtables(lines):
    """Probe name -> slot texts after the address point of 'Vtable for 'AbiProbe_X''."""
    tables = {}
    i = 0
    while i < len(lines):
        m = re.match(r"^Vtable for '(AbiProbe_\w+)' \(\d+ entries\)\.$", lines[i])
        if not m:
            i += 1
            continue
        slots = None
        i += 1
        while i < len(lines) and lines[i].strip():
            if "vtable address" in lines[i]:
                slots = []
            else:
                e = ENTRY.match(lines[i])
                if e and slots is not None:
                    slots.append(normalise(e.group(2)))
            i += 1
        tables[m.group(1)[len("AbiProbe_"):]] = slots or []
    return tables


def records(lines):
    """Record name -> (fields, size, align) from the AST record layout dumps."""
    found = {}
    i = 0
    while i < len(lines):
        if lines[i] != "*** Dumping AST Record Layout":
            i += 1
            continue
        head = ENTRY.match(lines[i + 1])
        name = head.group(2).split(" ", 1)[1]
        fields, size, align = [], None, None
        i += 2
        while i < len(lines) and lines[i].strip():
            e = ENTRY.match(lines[i])
            if e and e.group(2).startswith("  ") and not e.group(2).startswith("    "):
                fields.append((e.group(1), e.group(2).strip().replace("vtable", "vftable")))
            s = re.search(r"sizeof=(\d+)", lines[i])
            a = re.search(r"\balign=(\d+)", lines[i])
            size = int(s.group(1)) if s else size
            align = int(a.group(1)) if a else align
            i += 1
        found[name] = (fields, size, align)
    return found


def read_expectations(path):
    expected = {}
    if not path:
        return expected
    current = None
    with open(path) as text:
        for line in text:
            line = line.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            if not line.startswith(" "):
                current = line.strip().rstrip(":")
                expected[current] = []
            else:
                expected[current].append(line.strip())
    return expected


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--clang", default="clang++")
    parser.add_argument("--source", required=True)
    parser.add_argument("--include", action="append", default=[])
    parser.add_argument("--records", nargs="*", default=[])
    parser.add_argument("--expectations")
    parser.add_argument("--expect-mismatch", nargs="*", default=None)
    args = parser.parse_args()

    msvc_lines = dump(args.clang, args.source, args.include, MSVC)
    gnu_lines = dump(args.clang, args.source, args.include, GNU)
    msvc, gnu = msvc_vtables(msvc_lines), gnu_vtables(gnu_lines)
    expected = read_expectations(args.expectations)

    differ = {}
    if not msvc:
        sys.exit("no probe tables found in the Microsoft-target dump")
    for name in sorted(set(msvc) | set(gnu)):
        a, b = msvc.get(name), gnu.get(name)
        problems = []
        if a is None or b is None:
            problems.append("dumped for one target only")
        else:
            for index in range(max(len(a), len(b))):
                sa = a[index] if index < len(a) else "(none)"
                sb = b[index] if index < len(b) else "(none)"
                if sa != sb:
                    problems.append("slot %d: msvc %s | gnu %s" % (index, sa, sb))
        if name in expected and a is not None and a != expected[name]:
            problems.append("msvc slots %s, expected %s" % (a, expected[name]))
        if problems:
            differ[name] = problems
        else:
            print("vtable %-28s %2d slots agree" % (name, len(a)))

    rm, rg = records(msvc_lines), records(gnu_lines)
    for name in args.records:
        key = next((k for k in rm if k.split(" ")[-1] == name), None)
        a, b = rm.get(key), rg.get(key)
        if a is None or b is None:
            differ[name] = ["record layout not dumped"]
        elif a != b:
            differ[name] = ["msvc %s | gnu %s" % (a, b)]
        else:
            print("record %-28s %2d fields, %d bytes, align %d agree"
                  % (name, len(a[0]), a[1], a[2]))

    for name, problems in sorted(differ.items()):
        print("DIFFERENT %s" % name)
        for p in problems:
            print("    " + p)

    if args.expect_mismatch is not None:
        if sorted(differ) != sorted(args.expect_mismatch):
            print("expected exactly %s to differ, found %s"
                  % (sorted(args.expect_mismatch), sorted(differ)))
            return 1
        print("the deliberately different probes were caught")
        return 0
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())
