#!/usr/bin/env python3
"""CHIRP's own generic CSV reader (Debian's chirp package, chirp.drivers.generic_csv) loads the
CSV files TALVEX writes, and reads each channel as the IC-7300 holds it.

    chirp_reader_test.py WRITE_CHIRP_SAMPLES MEMORY.txt DATAFILE.TXT

Exits 77 (skipped) when CHIRP is not installed."""
import builtins
import os
import subprocess
import sys
import tempfile

try:
    from chirp.drivers import generic_csv
except ImportError:
    print("SKIPPED: CHIRP is not installed (apt-get install chirp): its reader cannot be run")
    sys.exit(77)

# CHIRP's reader of this release opens its file with mode "rU", which Python 3.11 refuses.
generic_csv.open = lambda name, mode="r", *a, **k: builtins.open(name, mode.replace("U", ""), *a, **k)

failures = []


def expect(what, got, wanted):
    if got != wanted:
        failures.append("%s: %r, expected %r" % (what, got, wanted))


writer, memory, data_file = sys.argv[1:4]
with tempfile.TemporaryDirectory() as folder:
    records_csv = os.path.join(folder, "records.csv")
    lines_csv = os.path.join(folder, "lines.csv")
    subprocess.run([writer, memory, data_file, records_csv, lines_csv], check=True)

    radio = generic_csv.CSVRadio(records_csv)
    expect("reader errors (records)", radio.errors, [])
    expect("channels read (records)", len([m for m in radio.get_memories() if not m.empty]), 90)
    split = radio.get_memory(11)
    expect("channel 11", (split.freq, split.duplex, split.offset, split.mode, split.name),
           (50317123, "split", 50322123, "CW", "JS8 6M 11"))
    squelch = radio.get_memory(13)
    expect("channel 13", (squelch.freq, squelch.tmode, squelch.rtone, squelch.ctone, squelch.mode),
           (1846250, "TSQL", 203.5, 97.4, "FM"))
    tone = radio.get_memory(5)
    expect("channel 5", (tone.freq, tone.tmode, tone.rtone, tone.ctone), (14079060, "TSQL", 97.4, 100.0))

    radio = generic_csv.CSVRadio(lines_csv)
    expect("reader errors (lines)", radio.errors, [])
    expect("channels read (lines)", len([m for m in radio.get_memories() if not m.empty]), 17)
    first = radio.get_memory(1)
    expect("channel 1", (first.freq, first.mode, first.name, first.duplex), (1840000, "LSB", "160M FT8", ""))
    expect("channel 16", radio.get_memory(16).mode, "CWR")
    expect("channel 17", radio.get_memory(17).mode, "RTTYR")

for failure in failures:
    print("FAIL", failure)
sys.exit(1 if failures else 0)
