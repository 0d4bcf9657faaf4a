#!/usr/bin/env python3
"""Prints data/mlist.fd: the velocity of the water-borne wave by inner diameter per material.

    python3 scripts/gen_materials.py > data/mlist.fd
    python3 scripts/gen_materials.py --markdown     # the tables of docs/materials.md

The velocity is the water-hammer (Korteweg) wave speed of a water-filled, thin-walled elastic
pipe free to move axially:

    c = c_w / sqrt(1 + K * D / (E * e))

with the water's speed of sound c_w and bulk modulus K, the pipe's inner diameter D, wall
thickness e and Young's modulus E. Water is taken at 10 degrees C, the usual temperature of a
buried main; K is derived from c_w and the density so that the two agree (K = rho * c_w^2).
"""

import math
import sys

WATER_TEMPERATURE_C = 10.0
WATER_SPEED = 1447.0        # m/s, pure water at 10 degrees C
WATER_DENSITY = 999.7       # kg/m^3 at 10 degrees C
WATER_BULK_MODULUS = WATER_DENSITY * WATER_SPEED ** 2   # Pa, about 2.09 GPa


def sdr_wall(outside, sdr, minimum=0.0):
    """Wall of a plastic pipe of a standard dimension ratio, rounded up to 0.1 mm."""
    return max(minimum, math.ceil(outside / sdr * 10.0 - 1e-9) / 10.0)


def ductile_k9_wall(dn):
    """EN 545 class K9 iron wall: e = 9 * (0.5 + 0.001 * DN), at least 6 mm."""
    return max(6.0, round(9.0 * (0.5 + 0.001 * dn), 1))


def outside_sizes(pairs):
    """(label, outside diameter, wall) -> (label, inner diameter, wall)."""
    return [(label, od - 2.0 * e, e) for label, od, e in pairs]


# Each material: index, default name, what it is (ASCII, for the data file), Young's modulus in GPa, where the walls come from, and the sizes
# as (size label, inner diameter mm, wall mm).
MATERIALS = [
    (0, "Eternit", "asbestos cement", 24.0,
     "pressure class about PN 10 (ISO 160 / EN 512 fibre-cement pressure pipes), typical walls",
     [(f"DN {dn}", float(dn), e) for dn, e in
      [(60, 9.0), (80, 10.0), (100, 11.0), (125, 12.0), (150, 14.0), (200, 17.0), (250, 20.0),
       (300, 24.0), (400, 30.0)]]),
    (1, "Kobber", "copper", 117.0,
     "EN 1057 copper tubes, common outside diameter x wall",
     outside_sizes([("12x1.0", 12.0, 1.0), ("15x1.0", 15.0, 1.0), ("18x1.0", 18.0, 1.0),
                    ("22x1.0", 22.0, 1.0), ("28x1.2", 28.0, 1.2), ("35x1.5", 35.0, 1.5),
                    ("42x1.5", 42.0, 1.5), ("54x2.0", 54.0, 2.0), ("76.1x2.0", 76.1, 2.0),
                    ("108x2.5", 108.0, 2.5)])),
    (2, "Dukt. stbj", "ductile iron", 170.0,
     "EN 545 class K9 walls on the EN 545 outside diameters; bore of the iron, lining ignored",
     outside_sizes([(f"DN {dn}", od, ductile_k9_wall(dn)) for dn, od in
                    [(80, 98.0), (100, 118.0), (125, 144.0), (150, 170.0), (200, 222.0),
                     (250, 274.0), (300, 326.0), (350, 378.0), (400, 429.0), (500, 532.0),
                     (600, 635.0)]])),
    (3, "PEH", "high-density polyethylene, PE 100", 1.4,
     "EN 12201-2, SDR 11 (PN 16 in PE 100)",
     outside_sizes([(f"d {od}", float(od), sdr_wall(od, 11.0, 3.0)) for od in
                    [32, 40, 50, 63, 75, 90, 110, 125, 160, 200, 250, 315]])),
    (4, "Støbejern", "grey cast iron", 100.0,
     "walls of the old grey-iron pressure pipes (about DIN 28610 class LA / BS 78 class B)",
     [(f"DN {dn}", float(dn), e) for dn, e in
      [(50, 7.0), (80, 7.5), (100, 8.0), (125, 8.5), (150, 9.0), (200, 10.0), (250, 11.0),
       (300, 12.0), (400, 14.0), (500, 15.5)]]),
    (5, "PEL", "low-density polyethylene, PE 32", 0.3,
     "service pipes of about SDR 6 (PE-LD PN 10)",
     outside_sizes([(f"d {od}", float(od), sdr_wall(od, 6.0)) for od in [20, 25, 32, 40, 50, 63]])),
    (6, "Bly", "lead", 16.0,
     "old lead service pipes by bore, walls of the heavier weight classes (about BS 602)",
     [(f"bore {bore}", float(bore), e) for bore, e in
      [(13, 4.0), (19, 4.5), (25, 5.0), (32, 5.5), (38, 6.0), (50, 7.0)]]),
    (7, "PEM", "medium-density polyethylene, PE 80", 1.0,
     "EN 12201-2, SDR 11 (PN 12.5 in PE 80)",
     outside_sizes([(f"d {od}", float(od), sdr_wall(od, 11.0, 2.0)) for od in
                    [20, 25, 32, 40, 50, 63, 75, 90, 110, 125, 160, 180]])),
    (8, "PVC", "unplasticised PVC", 3.3,
     "EN 1452-2, PN 10: SDR 21 up to d 90, SDR 26 from d 110",
     outside_sizes([(f"d {od}", float(od), sdr_wall(od, 21.0 if od <= 90 else 26.0)) for od in
                    [40, 50, 63, 75, 90, 110, 125, 160, 200, 250, 315, 400]])),
    (9, "Beton", "concrete", 30.0,
     "reinforced concrete pressure pipes (about EN 639 / EN 641), typical walls; steel ignored",
     [(f"DN {dn}", float(dn), e) for dn, e in
      [(300, 50.0), (400, 55.0), (500, 62.0), (600, 70.0), (700, 78.0), (800, 85.0),
       (1000, 100.0), (1200, 115.0)]]),
    (10, "Stål", "steel", 210.0,
     "EN 10255 medium series up to DN 100, EN 10220 / EN 10224 sizes above",
     outside_sizes([("DN 15", 21.3, 2.6), ("DN 20", 26.9, 2.6), ("DN 25", 33.7, 3.2),
                    ("DN 32", 42.4, 3.2), ("DN 40", 48.3, 3.2), ("DN 50", 60.3, 3.6),
                    ("DN 65", 76.1, 3.6), ("DN 80", 88.9, 4.0), ("DN 100", 114.3, 4.5),
                    ("DN 150", 168.3, 4.5), ("DN 200", 219.1, 6.3), ("DN 250", 273.0, 6.3),
                    ("DN 300", 323.9, 7.1)])),
]


def wave_speed(inner_mm, wall_mm, modulus_gpa):
    ratio = WATER_BULK_MODULUS * inner_mm / (modulus_gpa * 1e9 * wall_mm)
    return WATER_SPEED / math.sqrt(1.0 + ratio)


def rows(sizes, modulus):
    result = []
    for label, inner, wall in sorted(sizes, key=lambda s: s[1]):
        result.append((label, round(inner, 1), wall, round(wave_speed(inner, wall, modulus))))
    return result


def check(materials):
    for index, name, _, modulus, _, sizes in materials:
        table = rows(sizes, modulus)
        assert 0 <= index < 20 and 0 < len(table) <= 20, name
        diameters = [d for _, d, _, _ in table]
        assert all(a < b for a, b in zip(diameters, diameters[1:])), name


def print_mlist(out):
    out.write("// Velocity of the water-borne wave by inner diameter: index (hex) \"diameter mm\" "
              "\"velocity m/s\".\n")
    out.write(f"// Generated by scripts/gen_materials.py: c = c_w / sqrt(1 + K*D/(E*e)), water at "
              f"{WATER_TEMPERATURE_C:.0f} C, c_w = {WATER_SPEED:.0f} m/s, "
              f"K = {WATER_BULK_MODULUS / 1e9:.3f} GPa.\n")
    for index, _, kind, modulus, _, sizes in MATERIALS:
        out.write(f"// {index:x} {kind}, E = {modulus:g} GPa\n")
        for _, inner, _, speed in rows(sizes, modulus):
            out.write(f"{index:x} \"{inner:.1f}\" \"{speed}\"\n")


def print_markdown(out):
    for index, name, kind, modulus, source, sizes in MATERIALS:
        out.write(f"### {index} {name} ({kind})\n\nE = {modulus:g} GPa; walls: {source}.\n\n")
        out.write("| size | inner D (mm) | wall e (mm) | c (m/s) |\n|---|---|---|---|\n")
        for label, inner, wall, speed in rows(sizes, modulus):
            out.write(f"| {label} | {inner:.1f} | {wall:.1f} | {speed} |\n")
        out.write("\n")


def main(argv):
    check(MATERIALS)
    if len(argv) > 1 and argv[1] == "--markdown":
        print_markdown(sys.stdout)
    else:
        print_mlist(sys.stdout)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
