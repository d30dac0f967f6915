#!/usr/bin/python3
"""Renders the same work through the native module and the Windows DLL and
checks that every sample agrees within 1e-6. Exits 77 (skipped) when one of
the two builds is missing."""
import os
import struct
import subprocess
import sys
import tempfile

native_tool, windows_tool, wine_run, prefix = sys.argv[1:5]
for tool in (native_tool, windows_tool):
    if not os.path.exists(tool):
        print(f"skipped: {tool} is not built")
        sys.exit(77)

with tempfile.TemporaryDirectory() as tmp:
    native_out = os.path.join(tmp, "native.f32")
    windows_out = os.path.join(tmp, "windows.f32")
    subprocess.run([native_tool, native_out], check=True)
    # Wine reaches the Linux file system through drive Z:.
    subprocess.run([wine_run, prefix, windows_tool, "Z:" + windows_out.replace("/", "\\")],
                   check=True)
    data = []
    for path in (native_out, windows_out):
        with open(path, "rb") as f:
            raw = f.read()
        data.append(struct.unpack(f"<{len(raw) // 4}f", raw))

a, b = data
if len(a) != len(b) or len(a) == 0:
    print(f"FAIL: {len(a)} native samples, {len(b)} Windows samples")
    sys.exit(1)
worst = max(abs(x - y) for x, y in zip(a, b))
peak = max(abs(x) for x in a)
print(f"{len(a)} samples, peak {peak:.6f}, largest difference {worst:.3e}")
sys.exit(0 if worst <= 1e-6 and peak > 0.1 else 1)
