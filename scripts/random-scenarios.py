#!/usr/bin/env python3
"""Writes random pipe scenarios for the verdict calibration: materials, lengths, sensors, leaks and
disturbances drawn at random, one JSON file each (r000.json, r001.json, ...).

    scripts/random-scenarios.py SEED COUNT FOLDER
    build/bin/korvanta-verdict-calibration --seeds 2 FOLDER/*.json
"""
import json
import random
import sys

# Inner diameter and wall (mm) of common pipes of each material.
MATERIALS = {
    'pvc': [(101.4, 4.3), (147.6, 6.2), (230.8, 9.6)],
    'pe100': [(90, 10), (130.8, 14.6), (147.2, 16.4)],
    'pe80': [(90, 10), (163.6, 8.2)],
    'ductile-iron': [(104, 6), (158, 6), (209.4, 6.3), (310, 7.5)],
    'cast-iron': [(100, 9), (150, 9)],
    'steel': [(107, 4.5), (154, 5)],
    'copper': [(26, 1), (25.6, 1.2)],
    'asbestos-cement': [(150, 15), (200, 18)],
    'concrete': [(400, 50)],
    'lead': [(20, 4)],
}
SERVICE_PIPES = ('copper', 'lead')
BURIABLE = ('pvc', 'pe100', 'pe80', 'ductile-iron', 'cast-iron', 'asbestos-cement', 'concrete', 'steel')


def section(rng):
    material = rng.choice(list(MATERIALS))
    diameter, wall = rng.choice(MATERIALS[material])
    lengths = [20, 30, 40] if material in SERVICE_PIPES else [20, 40, 60, 80, 120, 150, 200, 300]
    result = {'lengthM': rng.choice(lengths), 'material': material, 'innerDiameterMm': diameter, 'wallMm': wall}
    if material in BURIABLE and rng.random() < 0.5:
        result['soil'] = {}
    return result


def sensors(rng):
    if rng.random() < 0.5:
        return {'type': 'hydrophone', 'resonanceHz': 2000, 'resonanceQ': 2, 'selfNoisePerRootHz': 3e-4, 'lowCutHz': 2}
    return {'type': 'accelerometer', 'resonanceHz': 1800, 'resonanceQ': 3, 'noiseDb': rng.choice([-30, -40, -45])}


def disturbances(rng, total):
    found = {}
    if rng.random() < 0.6:
        found['traffic'] = {'levelDb': rng.choice([-30, -20, -15, -10, -5]), 'lowHz': 2, 'highHz': rng.choice([30, 40]),
                            'coherenceLengthM': rng.choice([100, 200, 300, 1000])}
    if rng.random() < 0.3:
        found['hum'] = {'frequencyHz': rng.choice([50, 60]), 'levelDb': rng.choice([-40, -30, -20])}
    if rng.random() < 0.4:
        found['background'] = {'levelDb': rng.choice([-30, -20, -10]), 'slopeDbPerOctave': -6, 'lowHz': 2,
                               'highHz': 1500}
    if rng.random() < 0.25:
        found['pipeNoise'] = [{'kind': rng.choice(['pump', 'water-use', 'pressure-valve']),
                               'positionM': rng.choice([-10, total + 10]), 'levelDb': rng.choice([-10, -6, 0])}]
    if rng.random() < 0.2:
        found['reflections'] = [{'positionM': round(rng.uniform(0, total), 1)}]
    return found


def scenario(rng, index):
    pipe = [section(rng) for _ in range(rng.choice([1, 1, 1, 2, 3]))]
    total = sum(s['lengthM'] for s in pipe)
    leaks = [{'positionM': round(rng.uniform(0.03, 0.97) * total, 1), 'lowHz': rng.choice([5, 10, 20]), 'highHz': 1500}]
    result = {'description': 'random %d' % index, 'leakPressurePa': rng.choice([0.5, 2, 5, 10, 20]), 'pipe': pipe,
              'sensorDefaults': sensors(rng), 'leaks': leaks}
    found = disturbances(rng, total)
    if rng.random() < 0.15:
        leaks.append({'positionM': round(rng.uniform(0.05, 0.95) * total, 1), 'levelDb': rng.choice([-12, -6]),
                      'lowHz': 10, 'highHz': 1500})
    if found:
        result['disturbances'] = found
    return result


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    rng = random.Random(int(sys.argv[1]))
    for index in range(int(sys.argv[2])):
        with open('%s/r%03d.json' % (sys.argv[3], index), 'w') as out:
            json.dump(scenario(rng, index), out, indent=1)


if __name__ == '__main__':
    main()
