#!/usr/bin/env python3
"""Draws the PNG plots of a kelvora-analyze output folder from its CSV files.

kelvora-analyze runs this after measuring; run it by hand to redraw without measuring again:
    /usr/bin/python3 tools/analyze/plot_measured.py FOLDER
Each plot states under it how it was measured, read from the folder's conditions.csv.
"""
import csv
import os
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

DPI = 110
# 5 dB steps from -140 to 0 dB: as readable as a smooth scale, and the spectrogram PNG
# compresses to a fraction of the size.
LEVEL_COLOURS = plt.get_cmap("magma", 28)


def read_conditions(folder):
    with open(os.path.join(folder, "conditions.csv"), newline="") as f:
        return {row["key"]: row["value"] for row in csv.DictReader(f)}


def read_table(path):
    """Columns of a CSV file by header name, as float arrays."""
    with open(path, newline="") as f:
        rows = list(csv.reader(f))
    header, body = rows[0], np.array(rows[1:], dtype=float).reshape(len(rows) - 1, len(rows[0]))
    return {name: body[:, i] for i, name in enumerate(header)}


def khz(value):
    return f"{float(value) / 1000:g} kHz"


def finish(fig, folder, name, title, caption):
    fig.suptitle(title, fontsize=12)
    fig.text(0.01, 0.01, caption, fontsize=8, color="#333333", ha="left", va="bottom", wrap=True)
    fig.savefig(os.path.join(folder, name), dpi=DPI)
    plt.close(fig)
    print(f"  {name}")


def through(c):
    return f"Measured through {c['effect']}."


def settings_title(c, what):
    settings = c.get("settings", "defaults")
    return f"Kelvora: {what} ({'default settings' if settings == 'defaults' else settings})"


def plot_transfer(folder, c):
    sweep = read_table(os.path.join(folder, "transfer_sweep.csv"))
    shape = read_table(os.path.join(folder, "transfer_static.csv"))
    fig, (a, b) = plt.subplots(1, 2, figsize=(11, 4.8))
    a.plot(sweep["input_dbfs"], sweep["output_dbfs"], label="Kelvora")
    lo, hi = float(c["sweep_start_dbfs"]), float(c["sweep_end_dbfs"])
    a.plot([lo, hi], [lo, hi], "--", color="grey", linewidth=0.8, label="output = input")
    a.set(xlabel="input level (dBFS)", ylabel="output level (dBFS)", xlim=(lo, hi))
    a.grid(alpha=0.3)
    a.legend()
    b.plot(shape["input"], shape["output"])
    b.plot([-1, 1], [-1, 1], "--", color="grey", linewidth=0.8)
    b.set(xlabel="input sample value", ylabel="output sample value", aspect="equal")
    b.grid(alpha=0.3)
    fig.subplots_adjust(bottom=0.24, wspace=0.3)
    caption = (
        f"Left: {khz(c['transfer_hz'])} sine rising from {lo:g} to {hi:g} dBFS over "
        f"{float(c['sweep_s']):g} s, after {float(c['settle_s']):g} s at the start level; "
        f"levels are the RMS of {c['level_window']}-sample windows stated as sine peak "
        f"(0 dBFS = full-scale sine). Right: one period of a {float(c['static_hz']):g} Hz sine of "
        f"amplitude {float(c['static_amplitude']):g}, after {float(c['settle_s']):g} s; loops show "
        f"the chain's memory. Sample rate {float(c['sample_rate_hz']):g} Hz. " + through(c))
    finish(fig, folder, "transfer.png", settings_title(c, "transfer curve"), caption)


def fft_caption(c, size_key, extra=""):
    rate = float(c["sample_rate_hz"])
    size = int(c[size_key])
    return (f"Kaiser window (beta {float(c['kaiser_beta']):g}), FFT {size} points at "
            f"{rate:g} Hz ({rate / size:.3g} Hz per bin){extra}")


def plot_harmonics(folder, c):
    table = read_table(os.path.join(folder, "harmonics.csv"))
    spectrum = read_table(os.path.join(folder, "harmonics_spectrum.csv"))
    levels = table["input_dbfs"]
    fig, axes = plt.subplots(len(levels), 1, figsize=(11, 3.4 * len(levels)), sharex=True)
    axes = np.atleast_1d(axes)
    hz = spectrum["hz"]
    for i, (ax, level) in enumerate(zip(axes, levels)):
        column = [k for k in spectrum if k != "hz"][i]
        ax.plot(hz[1:], spectrum[column][1:], linewidth=0.6)
        ax.set_xscale("log")
        ax.set(xlim=(20, hz[-1]), ylim=(-180, 5), ylabel="level (dBFS)")
        ax.grid(alpha=0.3, which="both")
        parts = [f"H{k} {table[f'h{k}_dbc'][i]:.1f}" for k in range(2, 10)]
        text = (f"input {level:g} dBFS: THD {table['thd_percent'][i]:.3g} %\n"
                + "  ".join(parts[:4]) + "\n" + "  ".join(parts[4:]) + "  (dBc)")
        ax.text(0.01, 0.04, text, transform=ax.transAxes, fontsize=8, family="monospace",
                bbox=dict(facecolor="white", alpha=0.85, edgecolor="#cccccc"))
    axes[-1].set_xlabel("frequency (Hz)")
    fig.subplots_adjust(bottom=0.13, hspace=0.15, top=0.93)
    caption = fft_caption(
        c, "tone_fft",
        f"; {khz(c['harmonics_hz'])} sine analysed after {float(c['settle_s']):g} s of settling;"
        " peaks read as sine amplitudes. THD counts every harmonic below Nyquist. "
        + through(c))
    finish(fig, folder, "harmonics.png", settings_title(c, "harmonics of a 1 kHz sine"), caption)


def plot_bias(folder, c):
    table = read_table(os.path.join(folder, "bias.csv"))
    bias = table["bias"]
    fig, (a, b) = plt.subplots(1, 2, figsize=(11, 4.6), gridspec_kw={"width_ratios": [1, 1.6]})
    a.plot(bias, table["even_dbc"], "o-", label="even (H2+H4+H6+H8)")
    a.plot(bias, table["odd_dbc"], "s-", label="odd (H3+H5+H7+H9)")
    a.set(xlabel='"Bias"', ylabel="energy relative to fundamental (dBc)")
    a.grid(alpha=0.3)
    a.legend(fontsize=8)
    width = 0.8 / len(bias)
    ks = np.arange(2, 10)
    for i, value in enumerate(bias):
        levels = [table[f"h{k}_dbc"][i] for k in ks]
        b.bar(ks + (i - (len(bias) - 1) / 2) * width, np.array(levels) + 160, width,
              bottom=-160, label=f"Bias {value:g}")
    b.set(xlabel="harmonic", ylabel="level (dBc)", xticks=ks, ylim=(-160, 0))
    b.grid(alpha=0.3, axis="y")
    b.legend(fontsize=8, ncol=2)
    fig.subplots_adjust(bottom=0.2, wspace=0.25)
    caption = fft_caption(
        c, "tone_fft",
        f"; {khz(c['harmonics_hz'])} sine at {float(c['bias_dbfs']):g} dBFS, each \"Bias\" value "
        f"rendered from a fresh start and analysed after {float(c['settle_s']):g} s. "
        + through(c))
    finish(fig, folder, "bias.png", settings_title(c, '"Bias" and even harmonics'), caption)


def plot_aliasing(folder, c):
    t = read_table(os.path.join(folder, "aliasing.csv"))
    factors = sorted(set(t["oversampling"]))
    series = sorted(set(zip(t["input_gain_percent"], t["tone_hz"])))
    fig, ax = plt.subplots(figsize=(11, 4.8))
    width = 0.8 / len(series)
    x = np.arange(len(factors))
    finite = t["nonharmonic_dbc"][np.isfinite(t["nonharmonic_dbc"])]
    floor = 20 * np.floor((np.min(finite, initial=-100) - 40) / 20)
    for i, (gain, tone) in enumerate(series):
        values = [t["nonharmonic_dbc"][(t["oversampling"] == f) & (t["input_gain_percent"] == gain)
                                       & (t["tone_hz"] == tone)][0] for f in factors]
        # Bars hang from the fundamental's level: the longer, the cleaner.
        bars = ax.bar(x + (i - (len(series) - 1) / 2) * width, values, width,
                      label=f"{tone:g} Hz, Input Gain {gain:g} %")
        ax.bar_label(bars, labels=[f"{v:.0f}" for v in values], fontsize=7, padding=2)
    ax.set(xticks=x, xticklabels=[f"{int(f)}x" for f in factors], xlabel='"Oversampling"',
           ylabel="energy off the harmonics (dBc)", ylim=(floor, 0))
    ax.grid(alpha=0.3, axis="y")
    ax.legend(fontsize=8, loc="lower center", ncol=len(series))
    fig.subplots_adjust(bottom=0.22)
    caption = fft_caption(
        c, "tone_fft",
        f"; sines at {float(c['alias_dbfs']):g} dBFS analysed after {float(c['settle_s']):g} s. "
        "Everything but DC, the fundamental and its harmonics below Nyquist (each "
        f"±{c['lobe_bins']} bins) counts: aliases, and the chain's own modulation. " + through(c))
    finish(fig, folder, "aliasing.png", settings_title(c, "aliasing per oversampling setting"),
           caption)


def plot_sweeps(folder, c):
    names = [f"spectrogram_{n}x.csv" for n in (1, 2, 4, 8)]
    names = [n for n in names if os.path.exists(os.path.join(folder, n))]
    fig, axes = plt.subplots(2, 2, figsize=(11, 8), sharex=True, sharey=True)
    image = None
    for ax, name in zip(axes.flat, names):
        with open(os.path.join(folder, name)) as f:
            header = f.readline().strip().split(",")
        data = np.loadtxt(os.path.join(folder, name), delimiter=",", skiprows=1, ndmin=2)
        times, frames = data[:, 0], data[:, 1:]
        top = float(header[-1])
        step = float(c["spectrogram_hop"]) / float(c["sample_rate_hz"])
        image = ax.imshow(frames.T, origin="lower", aspect="auto", cmap=LEVEL_COLOURS, vmin=-140,
                          vmax=0, extent=(times[0], times[-1] + step, 0, top / 1000))
        ax.set_title(f'"Oversampling" {name.split("_")[1].split(".")[0]}', fontsize=10)
    for ax in axes[-1]:
        ax.set_xlabel("time (s)")
    for ax in axes[:, 0]:
        ax.set_ylabel("frequency (kHz)")
    fig.subplots_adjust(bottom=0.12, right=0.88, hspace=0.18, wspace=0.08)
    if image is not None:
        bar = fig.colorbar(image, cax=fig.add_axes([0.9, 0.12, 0.02, 0.76]))
        bar.set_label("level (dBFS)")
    caption = fft_caption(
        c, "spectrogram_fft",
        f", hop {c['spectrogram_hop']}; linear sine sweep from {float(c['chirp_start_hz']):g} Hz "
        f"to {khz(c['chirp_end_hz'])} at {float(c['chirp_dbfs']):g} dBFS over "
        f"{float(c['chirp_s']):g} s. The rising lines are the sweep and its harmonics; lines that "
        "fall, or rise from 0 Hz, are aliases. " + through(c))
    finish(fig, folder, "spectrogram.png",
           settings_title(c, "sine sweep per oversampling setting"), caption)


def plot_cpu(folder, c):
    t = read_table(os.path.join(folder, "cpu.csv"))
    fig, ax = plt.subplots(figsize=(8, 4.4))
    bars = ax.bar([f"{int(f)}x" for f in t["oversampling"]], t["realtime_factor"], color="#4c72b0")
    ax.bar_label(bars, labels=[f"{v:.1f}x" for v in t["realtime_factor"]], padding=2)
    ax.set(xlabel='"Oversampling"', ylabel="real-time factor (audio s per CPU s)",
           ylim=(0, 1.15 * max(t["realtime_factor"].max(), 1.0)))
    ax.grid(alpha=0.3, axis="y")
    fig.subplots_adjust(bottom=0.27)
    caption = (
        f"One stereo instance, {float(c['cpu_audio_s']):g} s of noise plus sine at "
        f"{float(c['sample_rate_hz']):g} Hz in blocks of {c['block_size']}, thread CPU time, the "
        f"fastest of {c['cpu_runs']} runs; {c['cpu_model']}, {c['date']}. " + through(c))
    finish(fig, folder, "cpu.png", settings_title(c, "CPU cost per oversampling setting"), caption)


PLOTS = [
    ("transfer_sweep.csv", plot_transfer),
    ("harmonics.csv", plot_harmonics),
    ("bias.csv", plot_bias),
    ("aliasing.csv", plot_aliasing),
    ("spectrogram_1x.csv", plot_sweeps),
    ("cpu.csv", plot_cpu),
]


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: plot_measured.py FOLDER")
    folder = sys.argv[1]
    conditions = read_conditions(folder)
    print("Plotting:")
    for source, plot in PLOTS:
        if os.path.exists(os.path.join(folder, source)):
            plot(folder, conditions)


if __name__ == "__main__":
    main()
