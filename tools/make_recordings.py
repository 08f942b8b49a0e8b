#!/usr/bin/env python3
"""Generates the three recordings of the simulated master box and their ground
truth. Deterministic (fixed seeds); Python 3 standard library only.

Usage: make_recordings.py [OUTPUT.bin.z [TRUTH.json]]
Defaults: src/usb/recordings/simulated_recordings.bin.z and
tools/simulated_recordings_truth.json, relative to the repository root.

The sample table: 16 bytes per sample (eight signed 16-bit little-endian raw
channel values, channel 0 first), three leading all-zero samples (one frame's
worth, 48 bytes), then recordings 1, 2 and 3 of exactly 22794, 23229 and 22023
samples. The file holds the table zlib-compressed behind a 4-byte big-endian
length, the format that qUncompress() reads.

The physical model, per bed:
- every sensor carries a raw baseline of its own (the weight of the bed frame
  on it, in newtons) with a slow drift and Gaussian measurement noise; the four
  baselines of a bed add up to about 4 x 2560, the flat pattern the box sends
  while idle, so a tara taken on the idle box is close for these beds too;
- the athlete steps on, stands, lifts off gently (below every contact
  threshold), then bounces: a few preparation jumps of growing height, ten
  routine contacts with flights of 1.2 to 1.8 s, and a final stick landing
  after which the athlete steps off;
- a contact is a smooth force curve F * sin(pi/2 * u)^1.6 on the rising side
  (u from 0 at touchdown to 1 at the peak) and the mirror image on the falling
  side. The membrane stiffens as it is pushed down, which gives the gentle
  start. Rise and fall times are chosen so that 50 % of the peak is reached
  about 75 samples after touchdown and left about 82 samples before take-off,
  which the landing and take-off corrections of the detection undo;
- the force is split over the four corner sensors bilinearly by the centre
  of pressure, which drifts a few centimetres during a contact;
- after a take-off the bed swings out: a damped oscillation on all sensors.

The ground truth lists every contact (bed, kind, touchdown, take-off, flight
before it, peak force, landing position as the centre-of-pressure detection
computes it, zone) and, for recording 3, the landing time differences of the
routine pairs. The generator checks that the detection as the program does it
(threshold 1000 N, hysteresis 20 N, 50 % thresholds, corrections 75 and 82,
re-zero over the flight before the landing) recovers every touchdown and
take-off within 10 ms; it fails otherwise.
"""
import json
import math
import os
import random
import struct
import sys
import zlib

LENGTHS = (22794, 23229, 22023)
LEADING_ZERO_SAMPLES = 3
IDLE_RAW = 2560
SHAPE = 1.6
# Fraction of the rise (fall) time at which the curve crosses 50 % of its peak.
HALF = math.asin(0.5 ** (1.0 / SHAPE)) / (math.pi / 2.0)
BED_LENGTH_MM = 3650.0
BED_WIDTH_MM = 2425.0
NOISE_SD = 2.0
PRE_LANDING = 75
POST_TAKEOFF = 82
CONTACT_THRESHOLD = 1000.0
HYSTERESIS = 20.0

BASELINES = {1: (2493, 2611, 2587, 2549), 2: (2622, 2518, 2471, 2629)}
DRIFTS = {1: (2.5, -1.5, 3.0, -2.0), 2: (-3.0, 2.0, -1.0, 2.5)}


def sensor_split(force, x_cm, y_cm):
    """Force of S1..S4 for a centre of pressure (x, y) in centimetres."""
    a = x_cm * 20.0 / BED_LENGTH_MM
    b = y_cm * 20.0 / BED_WIDTH_MM
    return (force * (1 - a) * (1 - b) / 4.0, force * (1 - a) * (1 + b) / 4.0,
            force * (1 + a) * (1 + b) / 4.0, force * (1 + a) * (1 - b) / 4.0)


def zone_for(x, y):
    if x < -107.5:
        col = 0
    elif x < -54:
        col = 1
    elif x <= 54:
        col = 2
    elif x <= 107.5:
        col = 3
    else:
        col = 4
    if y > 54:
        return (1, 2, 2, 2, 3)[col]
    if y >= -54:
        return (4, 5, 6, 7, 8)[col]
    return (9, 10, 10, 10, 11)[col]


class Bed:
    """The athlete-made force on one bed: a list of (start, end, function)
    pieces, each function giving (force, x, y) at a sample time."""

    def __init__(self, number):
        self.number = number
        self.pieces = []
        self.contacts = []

    def add(self, start, end, fn):
        self.pieces.append((start, end, fn))

    def at(self, t):
        s = [0.0, 0.0, 0.0, 0.0]
        for start, end, fn in self.pieces:
            if start <= t < end:
                f, x, y = fn(t)
                for i, v in enumerate(sensor_split(f, x, y)):
                    s[i] += v
        return s


def raised(u):
    """0 to 1 smoothly for u from 0 to 1."""
    u = min(1.0, max(0.0, u))
    return 0.5 - 0.5 * math.cos(math.pi * u)


def add_swing(bed, t_takeoff, amplitude, tau=90.0, freq_hz=4.5, length=700):
    def fn(t):
        s = t - t_takeoff
        return (-amplitude * math.exp(-s / tau) * math.sin(2 * math.pi * freq_hz * s / 1000.0),
                0.0, 0.0)
    bed.add(t_takeoff, t_takeoff + length, fn)


def add_contact(bed, kind, t0, rise, fall, peak, pos, drift, flight_before):
    t1 = t0 + rise + fall
    x0, y0 = pos
    dx, dy = drift

    def fn(t):
        s = t - t0
        if s <= rise:
            f = peak * math.sin(math.pi / 2 * s / rise) ** SHAPE
        else:
            f = peak * math.sin(math.pi / 2 * (t1 - t) / fall) ** SHAPE
        w = s / (rise + fall)
        return f, x0 + dx * w, y0 + dy * w

    bed.add(t0, t1 + 1, fn)
    add_swing(bed, t1, 0.05 * peak)
    bed.contacts.append(dict(bed=bed.number, kind=kind, touchdown=t0, takeoff=t1,
                             flightBefore=flight_before, peakForce=round(peak, 1),
                             riseMs=rise, fallMs=fall))
    return t1


def add_start(bed, t, weight, pos):
    """Empty bed until t, the athlete steps on, stands, lifts off gently.
    Returns the time of the lift-off."""
    x, y = pos
    step, stand, press, release, lift = 300, 250, 150, 180, 760.0
    bed.add(t, t + step, lambda s: (weight * raised((s - t) / step), x + 40 * (1 - raised((s - t) / step)), y))
    t += step
    bed.add(t, t + stand, lambda s: (weight, x, y))
    t += stand
    t_p = t
    bed.add(t_p, t_p + press, lambda s: (weight + (lift - weight) * raised((s - t_p) / press), x, y))
    t += press
    t_r = t
    bed.add(t_r, t_r + release + 1, lambda s: (lift * (1 - raised((s - t_r) / release)), x, y))
    t += release
    add_swing(bed, t, 0.04 * lift)
    return t


def add_stick(bed, t0, rise, peak, weight, pos, stand, flight_before):
    """A landing the athlete absorbs and stands, then steps off towards the
    side. Returns the time the bed is empty again."""
    x, y = pos
    settle, wobble, off = 220, 350, 300
    tp = t0 + rise

    def landing(t):
        s = t - t0
        if s <= rise:
            return peak * math.sin(math.pi / 2 * s / rise) ** SHAPE, x, y
        s -= rise
        if s <= settle:
            return weight + (peak - weight) * (1 - raised(s / settle)), x, y
        s -= settle
        return weight + 0.05 * peak * math.exp(-s / 120.0) * math.sin(2 * math.pi * 3 * s / 1000.0), x, y

    t_stand_end = tp + settle + max(wobble, stand)
    bed.add(t0, t_stand_end, landing)
    bed.add(t_stand_end, t_stand_end + off + 1,
            lambda t: (weight * (1 - raised((t - t_stand_end) / off)), x, y + 100 * raised((t - t_stand_end) / off)))
    bed.contacts.append(dict(bed=bed.number, kind="final", touchdown=t0, takeoff=None,
                             flightBefore=flight_before, peakForce=round(peak, 1),
                             riseMs=rise, fallMs=None))
    return t_stand_end + off


def routine(bed, rng, t_lift, weight, prep, flights, peaks, positions, stick_pos, final_flight,
            touchdowns=None):
    """Preparation jumps after the lift-off, the routine contacts, the stick.
    `prep` lists (flight, peak) of the preparation jumps; `touchdowns`, when
    given, fixes the routine touchdowns (synchronised partner)."""
    t = t_lift
    for flight, peak in prep:
        t0 = t + flight
        rise = rng.randint(160, 175)
        fall = rng.randint(176, 190)
        t = add_contact(bed, "preparation", t0, rise, fall, peak, (rng.uniform(-15, 15), rng.uniform(-15, 15)),
                        (rng.uniform(-3, 3), rng.uniform(-3, 3)), flight)
    for i, (flight, peak, pos) in enumerate(zip(flights, peaks, positions)):
        t0 = t + flight if touchdowns is None else touchdowns[i]
        rise = rng.randint(160, 175)
        fall = rng.randint(176, 190)
        t = add_contact(bed, "routine", t0, rise, fall, peak, pos,
                        (rng.uniform(-4, 4), rng.uniform(-4, 4)), t0 - t)
    t0 = t + final_flight
    return add_stick(bed, t0, rng.randint(160, 175), 3000.0, weight, stick_pos, 350, final_flight)


def render(beds, length, seed):
    """Raw samples of one recording: 8 ints per sample."""
    rng = random.Random(seed)
    rows = []
    for t in range(length):
        row = [0] * 8
        for bed_number in (1, 2):
            forces = beds[bed_number].at(t) if bed_number in beds else (0.0, 0.0, 0.0, 0.0)
            for i in range(4):
                base = BASELINES[bed_number][i] + DRIFTS[bed_number][i] * t / length
                v = base + forces[i] + rng.gauss(0.0, NOISE_SD)
                row[(bed_number - 1) * 4 + i] = max(-32768, min(32767, int(round(v))))
        rows.append(row)
    return rows


def total(rows, bed, t, offsets):
    c = (bed - 1) * 4
    return sum(rows[t][c + i] - offsets[i] for i in range(4))


def check_detection(rows, bed, contact):
    """Runs the contact evaluation the program does on one contact, with the
    offsets refreshed from the flight before it, and returns what it finds."""
    c = (bed - 1) * 4
    td = contact["touchdown"]
    # Offsets as the tara of the idle box leaves them, then the re-zero.
    idle = [IDLE_RAW] * 4
    t = td
    while total(rows, bed, t, idle) < CONTACT_THRESHOLD + HYSTERESIS:
        t += 1
    start = t
    while total(rows, bed, t, idle) >= CONTACT_THRESHOLD - HYSTERESIS:
        t += 1
    end = t
    assert end - start > 50, contact
    fmax, fmax_index = 0.0, start
    for i in range(start, end + 1):
        f = total(rows, bed, i, idle)
        if f > fmax:
            fmax, fmax_index = f, i
    m = (start + end) // 2
    land = m
    while land > 0 and total(rows, bed, land, idle) > 0.5 * fmax:
        land -= 1
    take = m
    while total(rows, bed, take, idle) > 0.5 * fmax:
        take += 1
    offsets = [sum(rows[s][c + i] for s in range(land - 600, land - 100)) / 500.0 for i in range(4)]
    means = [sum(rows[s][c + i] - offsets[i] for s in range(land, take + 1)) / (take - land + 1) for i in range(4)]
    f = sum(means)
    x = BED_LENGTH_MM * ((means[2] + means[3]) - (means[0] + means[1])) / f * 0.05
    y = BED_WIDTH_MM * ((means[1] + means[2]) - (means[0] + means[3])) / f * 0.05
    return dict(landingTime=land - PRE_LANDING, takeoffTime=take + POST_TAKEOFF, x=x, y=y,
                fmax=fmax, fmaxIndex=fmax_index)


def noiseless_position(beds, bed, first, last):
    sums = [0.0] * 4
    for t in range(first, last + 1):
        for i, v in enumerate(beds[bed].at(t)):
            sums[i] += v
    f = sum(sums)
    x = BED_LENGTH_MM * ((sums[2] + sums[3]) - (sums[0] + sums[1])) / f * 0.05
    y = BED_WIDTH_MM * ((sums[1] + sums[2]) - (sums[0] + sums[3])) / f * 0.05
    return x, y


def finish(beds, rows, recording):
    contacts = []
    for bed_number in sorted(beds):
        for index, c in enumerate(beds[bed_number].contacts):
            c = dict(c)
            c["index"] = index
            found = check_detection(rows, bed_number, c)
            # The position over the samples between the two 50 % crossings,
            # free of noise: what the detection should report.
            first = c["touchdown"] + int(math.floor(HALF * c["riseMs"]))
            if c["takeoff"] is not None:
                last = c["takeoff"] - int(math.floor(HALF * c["fallMs"]))
            else:
                last = found["takeoffTime"] - POST_TAKEOFF
            x, y = noiseless_position(beds, bed_number, first, last)
            c["x"] = round(x, 2)
            c["y"] = round(y, 2)
            c["zone"] = zone_for(x, y)
            if c["kind"] != "final":
                assert abs(found["landingTime"] - c["touchdown"]) <= 10, (recording, c, found)
                assert abs(found["takeoffTime"] - c["takeoff"]) <= 10, (recording, c, found)
                # The re-zero averages 500 samples ending 100 before the 50 %
                # crossing; after a short flight they include the previous
                # contact and the position is off. Only the others count.
                c["positionReliable"] = c["flightBefore"] >= 560
                if c["positionReliable"]:
                    assert abs(found["x"] - x) < 1.5 and abs(found["y"] - y) < 1.5, (recording, c, found)
            else:
                c["positionReliable"] = True
                assert abs(found["landingTime"] - c["touchdown"]) <= 10, (recording, c, found)
            if c["kind"] == "routine":
                assert 1190 <= c["flightBefore"] <= 1810, (recording, c)
            del c["riseMs"], c["fallMs"]
            contacts.append(c)
    return contacts


def quiet_tail(beds, length, end_times):
    for bed_number, end in end_times.items():
        assert end + 300 <= length, ("recording too long", bed_number, end, length)


def recording_individual(number, bed_number, length, seed, weight, prep, flights, peaks, positions, stick_pos,
                         final_flight, empty_ms):
    rng = random.Random(seed)
    bed = Bed(bed_number)
    t_lift = add_start(bed, empty_ms, weight, (5.0, -8.0))
    end = routine(bed, rng, t_lift, weight, prep, flights, peaks, positions, stick_pos, final_flight)
    quiet_tail({bed_number: bed}, length, {bed_number: end})
    beds = {bed_number: bed}
    rows = render(beds, length, seed + 1000)
    contacts = finish(beds, rows, number)
    prep_end = [c for c in contacts if c["kind"] == "preparation"][-1]["takeoff"]
    first_routine = [c for c in contacts if c["kind"] == "routine"][0]["touchdown"]
    info = dict(number=number, mode=number, samples=length, beds=[bed_number],
                routineWindowOpen=(prep_end + first_routine) // 2, contacts=contacts)
    return rows, info


def recording_synchronized(length, seed):
    rng = random.Random(seed)
    b1, b2 = Bed(1), Bed(2)
    flights1 = [1320, 1260, 1300, 1280, 1300, 1280, 1220, 1640, 1310, 1230]
    # Landing time differences of the routine pairs (bed 2 minus bed 1), ms.
    deltas = [7, -23, 41, 12, -66, 96, 432, 28, -52, 17]
    peaks1 = [3400, 3650, 3550, 3800, 3500, 3900, 3600, 3700, 3450, 3750]
    peaks2 = [3100, 3300, 3250, 3450, 3200, 3500, 3350, 3300, 3150, 3400]
    pos1 = [(8, 12), (-25, 30), (62, -10), (14, -58), (-70, 20), (30, 5), (-10, -20), (95, 40), (-40, 64), (18, -6)]
    pos2 = [(-12, 6), (35, -22), (-18, 48), (75, 15), (5, -70), (-60, -35), (20, 25), (-115, 10), (42, -12), (-8, 30)]
    lift1 = add_start(b1, 400, 640.0, (4.0, -6.0))
    lift2 = add_start(b2, 520, 560.0, (-6.0, 4.0))
    # Athlete 1 sets the rhythm; athlete 2 follows with the differences above.
    rng1 = random.Random(seed + 1)
    end1 = routine(b1, rng1, lift1, 640.0, [(300, 1500.0), (620, 2400.0)], flights1, peaks1, pos1,
                   (6.0, -4.0), 800)
    touchdowns1 = [c["touchdown"] for c in b1.contacts if c["kind"] == "routine"]
    touchdowns2 = [t + d for t, d in zip(touchdowns1, deltas)]
    rng2 = random.Random(seed + 2)
    end2 = routine(b2, rng2, lift2, 560.0, [(290, 1400.0), (600, 2200.0)], [0] * 10, peaks2, pos2,
                   (-5.0, 8.0), 820, touchdowns=touchdowns2)
    del rng
    quiet_tail({1: b1, 2: b2}, length, {1: end1, 2: end2})
    beds = {1: b1, 2: b2}
    rows = render(beds, length, seed + 1000)
    contacts = finish(beds, rows, 3)
    r1 = [c for c in contacts if c["bed"] == 1 and c["kind"] == "routine"]
    r2 = [c for c in contacts if c["bed"] == 2 and c["kind"] == "routine"]
    pairs = []
    for i, (a, b) in enumerate(zip(r1, r2)):
        d = abs(b["touchdown"] - a["touchdown"])
        pairs.append(dict(index=i, touchdown1=a["touchdown"], touchdown2=b["touchdown"], differenceMs=d,
                          notSynchronous=d >= 400))
    prep_end = max(c["takeoff"] for c in contacts if c["kind"] == "preparation")
    first_routine = min(r1[0]["touchdown"], r2[0]["touchdown"])
    assert first_routine - prep_end > 600
    info = dict(number=3, mode=3, samples=length, beds=[1, 2], routineWindowOpen=(prep_end + first_routine) // 2,
                contacts=contacts, pairs=pairs)
    return rows, info


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "src/usb/recordings/simulated_recordings.bin.z")
    truth_path = sys.argv[2] if len(sys.argv) > 2 else os.path.join(root, "tools/simulated_recordings_truth.json")

    rec1 = recording_individual(
        1, 1, LENGTHS[0], 11, 650.0,
        prep=[(250, 1400.0), (450, 2100.0), (700, 2800.0)],
        flights=[1220, 1310, 1250, 1400, 1270, 1220, 1330, 1240, 1450, 1260],
        peaks=[3200, 3450, 3380, 3900, 3600, 3300, 3750, 3500, 4100, 3650],
        positions=[(6, -10), (-32, 22), (64, 8), (-18, -61), (12, 35), (-78, -12), (118, 20), (28, 58),
                   (-45, -40), (-20, 4)],
        stick_pos=(10, -5), final_flight=820, empty_ms=450)
    rec2 = recording_individual(
        2, 2, LENGTHS[1], 22, 590.0,
        prep=[(260, 1300.0), (480, 2000.0), (720, 2700.0)],
        flights=[1260, 1230, 1380, 1290, 1250, 1520, 1240, 1310, 1260, 1330],
        peaks=[3000, 3250, 3150, 3500, 3300, 3600, 3200, 3450, 3350, 3550],
        positions=[(-8, 14), (40, -30), (-66, 18), (22, 70), (-12, -8), (90, -44), (-35, -112), (15, 20),
                   (-125, 62), (30, -15)],
        stick_pos=(-6, 9), final_flight=850, empty_ms=500)
    rec3 = recording_synchronized(LENGTHS[2], 33)

    table = bytearray(LEADING_ZERO_SAMPLES * 16)
    truth = dict(
        description="Ground truth of the simulated recordings; times in samples (1 ms) from the first "
                    "sample of the recording, positions in cm from the bed centre.",
        sampleBytes=16, leadingZeroSamples=LEADING_ZERO_SAMPLES, channels=8,
        bedLengthMm=BED_LENGTH_MM, bedWidthMm=BED_WIDTH_MM,
        idleRawValue=IDLE_RAW, baselines=[list(BASELINES[1]), list(BASELINES[2])],
        detectionTolerance=dict(timeMs=10, positionCm=1.5),
        recordings=[])
    first = LEADING_ZERO_SAMPLES
    for rows, info in (rec1, rec2, rec3):
        assert len(rows) == info["samples"] and len(rows) % 3 == 0
        info["firstSample"] = first
        first += len(rows)
        for row in rows:
            table += struct.pack("<8h", *row)
        truth["recordings"].append(info)

    os.makedirs(os.path.dirname(out), exist_ok=True)
    with open(out, "wb") as f:
        f.write(struct.pack(">I", len(table)) + zlib.compress(bytes(table), 9))
    with open(truth_path, "w") as f:
        json.dump(truth, f, indent=1)
        f.write("\n")


if __name__ == "__main__":
    main()
