#!/usr/bin/python3
"""The screenshot converter next to Pillow on the same 500 PCX files of 640x480 in 256 colours.

usage: bench/convert-vs-pillow.py BUILD/vantorkorb-convert [FILES] [RUNS] [-D]

Half the files are game screens (flat areas, sprites), half are photos reduced to 256 colours with
dithering. Prints, per run and as the median of the runs: the CPU seconds per file of Pillow's open+save
(one process, one core) and of the converter (all its threads), the wall time of each, and the total
size of the PNG files each wrote. With -D the converter runs as the front-end runs it: it proves each PNG
and deletes the sources.
"""

import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from PIL import Image, ImageChops, ImageDraw


def game_screen(seed):
    picture = Image.new("P", (640, 480), seed % 16)
    picture.putpalette([(i * 37 + seed * 11) % 256 for i in range(768)])
    draw = ImageDraw.Draw(picture)
    state = seed * 2654435761 + 1
    for band in range(12):
        draw.rectangle((0, band * 40, 639, band * 40 + 39), fill=(band * 5 + seed) % 64)
    for _ in range(60):
        state = (state * 1103515245 + 12345) & 0xFFFFFFFF
        x, y = state % 600, (state >> 12) % 440
        draw.ellipse((x, y, x + 24 + state % 17, y + 24 + state % 13), fill=64 + (state >> 20) % 192)
    draw.text((20 + seed % 50, 20), "SCORE %06d" % (seed * 731), fill=255)
    return picture


def photo(seed):
    w, h = 640, 480
    r = Image.linear_gradient("L").rotate(seed * 7).resize((w, h))
    g = Image.radial_gradient("L").resize((w, h))
    b = Image.effect_mandelbrot((w, h), (-2.0 + seed * 0.01, -1.2, 0.8, 1.2), 40)
    grain = Image.effect_noise((w, h), 12 + seed % 8)
    rgb = Image.merge("RGB", (ImageChops.add(r, grain, 1, -32), g, ImageChops.add(b, grain, 1, -32)))
    return rgb.quantize(256, dither=Image.Dither.FLOYDSTEINBERG)


def make_sources(folder, count):
    # Sixteen distinct pictures of each kind, repeated: making them is slow, converting them is measured.
    kinds = [game_screen(s) for s in range(8)] + [photo(s) for s in range(8)]
    for i in range(count):
        kinds[i % len(kinds)].save(os.path.join(folder, "shot%04d.pcx" % i))


def child_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def self_cpu():
    usage = resource.getrusage(resource.RUSAGE_SELF)
    return usage.ru_utime + usage.ru_stime


def png_bytes(folder):
    return sum(os.path.getsize(os.path.join(folder, n)) for n in os.listdir(folder) if n.endswith(".png"))


def run_pillow(folder):
    names = sorted(n for n in os.listdir(folder) if n.endswith(".pcx"))
    cpu, wall = self_cpu(), time.monotonic()
    for name in names:
        Image.open(os.path.join(folder, name)).save(os.path.join(folder, name[:-4] + ".png"))
    return self_cpu() - cpu, time.monotonic() - wall


def run_converter(converter, folder, options):
    cpu, wall = child_cpu(), time.monotonic()
    subprocess.run([converter, "-out", "png"] + options + [os.path.join(folder, "*.*")], check=True)
    return child_cpu() - cpu, time.monotonic() - wall


def main():
    options = [a for a in sys.argv[2:] if a == "-D"]
    sys.argv = [a for a in sys.argv if a != "-D"]
    converter = os.path.abspath(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 500
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    root = tempfile.mkdtemp(prefix="vk-convert-bench-")
    try:
        sources = os.path.join(root, "sources")
        os.mkdir(sources)
        make_sources(sources, count)
        rows = []
        for run in range(runs):
            measured = {}
            for who, convert in (("pillow", run_pillow), ("converter", lambda f: run_converter(converter, f, options))):
                folder = os.path.join(root, who)
                shutil.rmtree(folder, ignore_errors=True)
                shutil.copytree(sources, folder)
                cpu, wall = convert(folder)
                measured[who] = (cpu, wall, png_bytes(folder))
            p, c = measured["pillow"], measured["converter"]
            rows.append((c[0] / p[0], c[1] / p[1], c[2] / p[2]))
            print("run %d: cpu/file ms pillow %.2f converter %.2f; wall s pillow %.2f converter %.2f; "
                  "MB pillow %.2f converter %.2f" % (run + 1, 1000 * p[0] / count, 1000 * c[0] / count,
                                                     p[1], c[1], p[2] / 1e6, c[2] / 1e6))
        print("median converter/pillow: cpu %.2fx wall %.2fx size %.3fx"
              % tuple(statistics.median(r[i] for r in rows) for i in range(3)))
    finally:
        shutil.rmtree(root)


if __name__ == "__main__":
    main()
