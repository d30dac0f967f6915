#!/usr/bin/python3
"""Draws the plots of `plughost analyze` from its JSON.

usage: scripts/plot_analysis.py ANALYSIS.json OUTDIR

Writes response.png, thd.png, spectrum.png, aliasing.png and cpu.png into
OUTDIR, each under a temporary name first, so no half-written picture is left.
Runs on the system Python with Debian's python3-matplotlib and python3-numpy;
exits 3 when they are missing, 2 for a bad argument or file.
"""
import json
import os
import sys

try:
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    import numpy as np
    from matplotlib.ticker import FuncFormatter
except ImportError as missing:
    print(f"plot_analysis: {missing}; install python3-matplotlib and python3-numpy",
          file=sys.stderr)
    sys.exit(3)


def hz_label(value, _pos=None):
    return f"{value / 1000:g}k" if value >= 1000 else f"{value:g}"


def log_frequency_axis(axis, low=20, high=20000):
    axis.set_xscale("log")
    axis.set_xlim(low, high)
    axis.xaxis.set_major_formatter(FuncFormatter(hz_label))
    axis.grid(True, which="both", alpha=0.3)


def setting_text(data):
    settings = ", ".join(data["settings"]) or "defaults"
    return f"{data['effect'] or 'effect'}: {settings}"


def save(figure, folder, name):
    final = os.path.join(folder, name)
    temporary = os.path.join(folder, f".{name}.{os.getpid()}.tmp.png")
    try:
        figure.savefig(temporary, dpi=90)
        os.replace(temporary, final)
    finally:
        if os.path.exists(temporary):
            os.remove(temporary)
        plt.close(figure)


def plot_response(data, folder):
    r = data["response"]
    figure, (magnitude, phase) = plt.subplots(2, 1, figsize=(8, 6), sharex=True)
    label = f"{setting_text(data)} ({r['sample_rate_hz'] / 1000:g} kHz, {r['level_dbfs_rms']:g} dBFS rms)"
    magnitude.plot(r["frequency_hz"], r["magnitude_db"], marker=".", label=label)
    magnitude.set_ylabel("magnitude (dB)")
    magnitude.set_title("Frequency response")
    magnitude.legend(loc="lower right", fontsize=8)
    phase.plot(r["frequency_hz"], r["phase_deg"], marker=".", color="tab:orange")
    phase.set_ylabel("phase (degrees,\nlatency compensated)")
    phase.set_ylim(-180, 180)
    phase.set_yticks(range(-180, 181, 90))
    phase.set_xlabel("frequency (Hz)")
    for axis in (magnitude, phase):
        log_frequency_axis(axis)
    figure.tight_layout()
    save(figure, folder, "response.png")


def plot_thd(data, folder):
    t = data["thd"]
    figure, axis = plt.subplots(figsize=(8, 5))
    for curve, colour in zip(t["curves"], ["tab:blue", "tab:red", "tab:green"]):
        f = f"{curve['frequency_hz']:.0f}"
        axis.plot(curve["levels_dbfs"], curve["thd_db"], marker="o", color=colour,
                  label=f"THD, {f} Hz")
        axis.plot(curve["levels_dbfs"], curve["thdn_db"], linestyle="--", color=colour,
                  label=f"THD+N (20 Hz-20 kHz), {f} Hz")
    axis.set_xlabel("input level (dBFS, sine peak)")
    axis.set_ylabel("distortion (dB re fundamental)")
    axis.set_title(f"Harmonic distortion against level - {setting_text(data)}, "
                   f"{t['sample_rate_hz'] / 1000:g} kHz", fontsize=10)
    percent = axis.secondary_yaxis("right", functions=(lambda db: db, lambda db: db))
    percent.set_yticks(axis.get_yticks())
    percent.set_yticklabels([f"{100 * 10 ** (db / 20):.3g}%" for db in axis.get_yticks()])
    axis.grid(True, alpha=0.3)
    axis.legend(fontsize=8)
    figure.tight_layout()
    save(figure, folder, "thd.png")


def plot_spectrum(data, folder):
    s = data["thd"]["spectrum"]
    figure, axis = plt.subplots(figsize=(8, 5))
    bins = np.array(s["bins_hz"])
    axis.plot(bins[1:], s["magnitude_dbfs"][1:], color="0.4", linewidth=0.8, label="spectrum")
    f0 = s["frequency_hz"]
    for order, level in enumerate(s["harmonics_dbfs"], start=1):
        colour = "tab:red" if order % 2 else "tab:blue"
        axis.plot([order * f0], [level], "o", color=colour)
        axis.annotate(f"H{order}", (order * f0, level), textcoords="offset points",
                      xytext=(0, 5), ha="center", fontsize=7)
    axis.plot([], [], "o", color="tab:red", label=f"odd harmonics ({s['odd_db']:.1f} dB re H1)")
    axis.plot([], [], "o", color="tab:blue", label=f"even harmonics ({s['even_db']:.1f} dB re H1)")
    log_frequency_axis(axis, 20, max(20000, bins[-1]))
    axis.set_ylim(-160, 10)
    axis.set_xlabel("frequency (Hz)")
    axis.set_ylabel("level (dBFS, peak)")
    axis.set_title(f"Spectrum of a {f0:.0f} Hz sine at {s['level_dbfs']:g} dBFS - "
                   f"{setting_text(data)}", fontsize=10)
    axis.legend(fontsize=8, loc="upper right")
    figure.tight_layout()
    save(figure, folder, "spectrum.png")


def plot_aliasing(data, folder):
    runs = data["aliasing"]["runs"]
    rates = sorted({run["sample_rate_hz"] for run in runs})
    choices = list(dict.fromkeys(run["oversampling"] for run in runs))
    figure, axes = plt.subplots(len(rates), len(choices) + 1, squeeze=False,
                                figsize=(4 * (len(choices) + 1), 3.4 * len(rates)))
    image = None
    for row, rate in enumerate(rates):
        steps = axes[row][len(choices)]
        for column, choice in enumerate(choices):
            run = next(r for r in runs if r["sample_rate_hz"] == rate and r["oversampling"] == choice)
            axis = axes[row][column]
            f = np.array(run["step_hz"])
            edges = np.sqrt(f[1:] * f[:-1])
            edges = np.concatenate(([f[0] ** 2 / edges[0]], edges, [f[-1] ** 2 / edges[-1]]))
            rows = np.array(run["spectrogram"]["frequency_hz"])
            db = np.array(run["spectrogram"]["db"]).T
            # Peak-hold over groups of rows: each partial at least a few pixels tall.
            group = max(1, len(rows) // 128)
            count = len(rows) // group
            db = db[:count * group].reshape(count, group, -1).max(axis=1)
            row_edges = np.append(rows[:count * group:group], rate / 2)
            image = axis.pcolormesh(edges, row_edges, db, vmin=-120, vmax=0, cmap="magma",
                                    shading="flat")
            axis.set_xscale("log")
            axis.xaxis.set_major_formatter(FuncFormatter(hz_label))
            axis.yaxis.set_major_formatter(FuncFormatter(hz_label))
            axis.set_title(f"{rate / 1000:g} kHz, oversampling {choice}: "
                           f"aliases {run['alias_db']:.1f} dB", fontsize=9)
            axis.set_xlabel("sweep frequency (Hz)")
            axis.set_ylabel("output frequency (Hz)")
            steps.plot(f, run["step_alias_db"], marker=".", label=f"oversampling {choice}")
        log_frequency_axis(steps, 200, 20000)
        steps.set_title(f"{rate / 1000:g} kHz: alias energy per step", fontsize=9)
        steps.set_xlabel("sweep frequency (Hz)")
        steps.set_ylabel("dB re fundamental")
        steps.legend(fontsize=8)
    figure.suptitle(f"Aliasing of a {data['aliasing']['level_dbfs']:g} dBFS stepped sine sweep - "
                    f"{setting_text(data)}", fontsize=10)
    figure.tight_layout()
    if image is not None:
        figure.colorbar(image, ax=axes[:, :len(choices)].ravel().tolist(), label="dBFS", shrink=0.8)
    save(figure, folder, "aliasing.png")


def plot_cpu(data, folder):
    runs = data["cpu"]["runs"]
    rates = sorted({run["sample_rate_hz"] for run in runs})
    choices = list(dict.fromkeys(run["oversampling"] for run in runs))
    figure, axis = plt.subplots(figsize=(8, 5))
    width = 0.8 / len(choices)
    for index, choice in enumerate(choices):
        values = [next(r for r in runs if r["sample_rate_hz"] == rate and
                       r["oversampling"] == choice) for rate in rates]
        x = np.arange(len(rates)) + (index - (len(choices) - 1) / 2) * width
        bars = axis.bar(x, [v["ns_per_frame"] for v in values], width,
                        label=f"oversampling {choice}")
        for bar, value in zip(bars, values):
            axis.annotate(f"{value['percent_core']:.2f}%", (bar.get_x() + bar.get_width() / 2,
                          bar.get_height()), textcoords="offset points", xytext=(0, 3),
                          ha="center", fontsize=8)
    axis.set_xticks(np.arange(len(rates)))
    axis.set_xticklabels([f"{rate / 1000:g} kHz" for rate in rates])
    # Room above the tallest bar for its label and the legend.
    axis.set_ylim(0, 1.3 * max(run["ns_per_frame"] for run in runs))
    axis.set_ylabel("ns per stereo frame (render callback)")
    axis.set_title(f"CPU - {setting_text(data)}; labels: % of one core, "
                   f"blocks of {data['cpu']['block_frames']}", fontsize=10)
    axis.grid(True, axis="y", alpha=0.3)
    axis.legend(fontsize=8, loc="upper left")
    figure.tight_layout()
    save(figure, folder, "cpu.png")


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    try:
        with open(argv[1], encoding="utf-8") as file:
            data = json.load(file)
    except (OSError, ValueError) as error:
        print(f"plot_analysis: cannot read {argv[1]}: {error}", file=sys.stderr)
        return 2
    if not os.path.isdir(argv[2]):
        print(f"plot_analysis: {argv[2]} is not a folder", file=sys.stderr)
        return 2
    for plot in (plot_response, plot_thd, plot_spectrum, plot_aliasing, plot_cpu):
        plot(data, argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
