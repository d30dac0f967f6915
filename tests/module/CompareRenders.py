#!/usr/bin/python3
"""Renders the same file with plughost through the native module and, under
Wine, through the Windows DLL, and checks that every sample agrees within
1e-6. Exits 77 (skipped) when one of the two builds is missing."""
import math
import os
import struct
import subprocess
import sys
import tempfile

native_tool, native_module, windows_tool, windows_module, wine_run, prefix = sys.argv[1:7]
for path in (native_tool, native_module, windows_tool, windows_module):
    if not os.path.exists(path):
        print(f"skipped: {path} is not built")
        sys.exit(77)


def wine_path(path):
    # Wine reaches the Linux file system through drive Z:.
    return "Z:" + os.path.abspath(path).replace("/", "\\")


# A rising sine with noise on the left, a related signal on the right.
frames = 22500
seed = 12345
samples = []
for n in range(frames):
    seed = (seed * 1664525 + 1013904223) % 2**32
    noise = ((seed >> 8) / 16777216.0 - 0.5) * 0.1
    left = 0.6 * math.sin(2.0 * math.pi * (100.0 + 2.0 * n) * n / 48000.0) + noise
    samples += [left, 0.5 * left - noise]

settings = ["--sr", "48000", "--channels", "2", "--block", "480", "--quiet",
            "--param", "Mix=80", "--param", "Tone=30", "--param", "Drive=30",
            "--param", "Output=-3", "--param", "Oversampling=1"]
with tempfile.TemporaryDirectory() as tmp:
    source = os.path.join(tmp, "in.f32")
    with open(source, "wb") as f:
        f.write(struct.pack(f"<{len(samples)}f", *samples))
    native_out = os.path.join(tmp, "native.f32")
    windows_out = os.path.join(tmp, "windows.f32")
    subprocess.run([native_tool, "render", native_module, source, native_out] + settings,
                   check=True)
    subprocess.run([wine_run, prefix, windows_tool, "render", wine_path(windows_module),
                    wine_path(source), wine_path(windows_out)] + settings, check=True)
    data = []
    for path in (native_out, windows_out):
        with open(path, "rb") as f:
            raw = f.read()
        data.append(struct.unpack(f"<{len(raw) // 4}f", raw))

a, b = data
if len(a) != len(b) or len(a) != len(samples):
    print(f"FAIL: {len(a)} native samples, {len(b)} Windows samples, {len(samples)} in")
    sys.exit(1)
worst = max(abs(x - y) for x, y in zip(a, b))
peak = max(abs(x) for x in a)
print(f"{len(a)} samples, peak {peak:.6f}, largest difference {worst:.3e}")
sys.exit(0 if worst <= 1e-6 and peak > 0.1 else 1)
