"""Writes an emulator folder with a large generated catalogue: a third of the games installed as (empty) zip
archives, display names sharing long prefixes, as real ones do.
Usage: large-folder.py FOLDER GAMES"""
import os, random, sys
root, n = sys.argv[1], int(sys.argv[2])
os.makedirs(root + "/ziproms", exist_ok=True)
os.makedirs(root + "/roms", exist_ok=True)
words = ["SUPER", "PAC", "MAN", "STREET", "FIGHTER", "TURBO", "DRAGON", "NINJA", "RAIDEN", "GALS", "PANIC",
         "BOMBER", "METAL", "SLUG", "FINAL", "FIGHT"]
listing = ["Korb arcade emulator\r\nSupported games:\r\n"]
lines = []
for i in range(n):
    zip_name = "g%06d" % i
    listing.append(zip_name + ("\r\n" if i % 10 == 9 else " "))
    name = " ".join(words[(i * 7 + k * 3) % 16] for k in range(3)) + " %d" % (i % 97)
    lines.append(name.ljust(40) + zip_name)
random.seed(3)
random.shuffle(lines)
with open(root + "/listing.txt", "w", newline="") as f:
    f.write("".join(listing))
with open(root + "/Readme.txt", "w", newline="") as f:
    f.write("Korb readme\r\n\r\nGame                                    Internal name\r\n" + "\r\n".join(lines) + "\r\n")
for i in range(0, n, 3):
    open(root + "/ziproms/g%06d.zip" % i, "wb").close()
with open(root + "/korb.exe", "w") as f:
    f.write('#!/bin/sh\nif [ "$1" = "-list" ]; then cat "$(dirname "$0")/listing.txt"; fi\n')
os.chmod(root + "/korb.exe", 0o755)
