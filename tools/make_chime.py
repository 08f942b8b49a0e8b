#!/usr/bin/env python3
"""Synthesises the operator's warning chime: two short bell-like partials
with an exponential decay, 16-bit mono at 44.1 kHz. Deterministic.
Usage: make_chime.py OUTPUT.wav"""
import math
import struct
import sys
import wave

RATE = 44100
DURATION = 0.9

def sample(t):
    value = 0.0
    for freq, amp, decay in ((1318.5, 0.55, 5.0), (1975.5, 0.25, 7.0), (2637.0, 0.12, 9.0)):
        value += amp * math.sin(2 * math.pi * freq * t) * math.exp(-decay * t)
    attack = min(1.0, t / 0.004)
    return value * attack

def main(path):
    frames = bytearray()
    for i in range(int(RATE * DURATION)):
        v = max(-1.0, min(1.0, sample(i / RATE)))
        frames += struct.pack("<h", int(v * 30000))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))

if __name__ == "__main__":
    main(sys.argv[1])
