#!/usr/bin/env python3
"""Makes Kanoze's demo music and the short tones the end-to-end tests play.

    python3 tools/gen_tune.py                          # demo/tune.wav
    python3 tools/gen_tune.py --melody evening OUT.wav # the second demo melody
    python3 tools/gen_tune.py --tone SECONDS HZ OUT.wav

Everything is synthesised here with the standard library alone: a music-box
melody (a few sine partials with a plucked envelope) over soft chords and a
bass line, 22050 Hz, 16-bit mono. The melodies are written to loop, since the
play-list starts them again when they end. The output is the same on every
run; demo/tune.wav is committed, so building or playing never needs this
script for it.
"""

import math
import os
import struct
import sys
import wave

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RATE = 22050

NOTE_NAMES = {'C': 0, 'D': 2, 'E': 4, 'F': 5, 'G': 7, 'A': 9, 'B': 11}


def frequency(note):
    """'A4', 'C#5', 'Bb3' -> Hz (equal temperament, A4 = 440 Hz)."""
    name, rest = note[0], note[1:]
    semitone = NOTE_NAMES[name]
    while rest and rest[0] in '#b':
        semitone += 1 if rest[0] == '#' else -1
        rest = rest[1:]
    midi = 12 * (int(rest) + 1) + semitone
    return 440.0 * 2 ** ((midi - 69) / 12)


# Each melody: tempo in beats a minute, then (note or None for a rest, beats)
# for the tune, chords one a bar (4 beats), and a bass note a bar.
MELODIES = {
    'tune': {
        'tempo': 96,
        'lead': [
            ('E5', 1), ('G5', 0.5), ('A5', 0.5), ('G5', 1), ('E5', 1),
            ('D5', 1), ('E5', 0.5), ('G5', 0.5), ('E5', 2),
            ('C5', 1), ('D5', 0.5), ('E5', 0.5), ('G5', 1), ('A5', 1),
            ('G5', 1.5), ('E5', 0.5), ('D5', 1), ('C5', 1),
        ],
        'chords': [['C4', 'E4', 'G4'], ['G3', 'B3', 'D4'], ['A3', 'C4', 'E4'], ['F3', 'A3', 'C4']],
        'bass': ['C3', 'G2', 'A2', 'F2'],
    },
    'evening': {
        'tempo': 84,
        'lead': [
            ('A4', 1), ('C5', 1), ('E5', 1.5), ('D5', 0.5),
            ('C5', 1), ('B4', 1), ('G4', 2),
            ('F4', 1), ('A4', 1), ('C5', 1.5), ('B4', 0.5),
            ('A4', 3), (None, 1),
        ],
        'chords': [['A3', 'C4', 'E4'], ['E3', 'G3', 'B3'], ['F3', 'A3', 'C4'], ['A3', 'C4', 'E4']],
        'bass': ['A2', 'E2', 'F2', 'A2'],
    },
}


def add_note(samples, start, length, hz, volume, partials, decay):
    """Adds a plucked note: sine partials under an exponential decay with a
    short attack and a release at the end, so nothing clicks."""
    first = int(start * RATE)
    count = int(length * RATE)
    attack = int(0.006 * RATE)
    release = int(0.04 * RATE)
    for i in range(count):
        n = first + i
        if n >= len(samples):
            break
        t = i / RATE
        envelope = math.exp(-t * decay)
        if i < attack:
            envelope *= i / attack
        if i > count - release:
            envelope *= (count - i) / release
        value = 0.0
        for k, weight in partials:
            value += weight * math.sin(2 * math.pi * hz * k * t)
        samples[n] += volume * envelope * value


def render_melody(name):
    melody = MELODIES[name]
    beat = 60.0 / melody['tempo']
    bars = len(melody['chords'])
    samples = [0.0] * int(bars * 4 * beat * RATE)
    box = [(1, 1.0), (2, 0.35), (3, 0.12), (4.2, 0.05)]
    pad = [(1, 1.0), (2, 0.2)]
    t = 0.0
    for note, beats in melody['lead']:
        if note:
            add_note(samples, t, beats * beat + 0.25, frequency(note), 0.30, box, 3.0)
        t += beats * beat
    for bar, chord in enumerate(melody['chords']):
        for half in range(2):
            start = (bar * 4 + half * 2) * beat
            for note in chord:
                add_note(samples, start, 2 * beat, frequency(note), 0.07, pad, 1.5)
        add_note(samples, bar * 4 * beat, 4 * beat, frequency(melody['bass'][bar]), 0.16, pad, 0.9)
    # Notes still sounding at the end fade out, so the loop does not click.
    fade = int(0.05 * RATE)
    for i in range(fade):
        samples[-1 - i] *= i / fade
    return samples


def render_tone(seconds, hz):
    samples = [0.0] * int(seconds * RATE)
    add_note(samples, 0.0, seconds, hz, 0.5, [(1, 1.0), (2, 0.2)], 0.5)
    return samples


def write_wav(path, samples):
    peak = max(1e-9, max(abs(s) for s in samples))
    gain = min(1.0, 0.9 / peak)
    frames = b''.join(struct.pack('<h', int(round(s * gain * 32767))) for s in samples)
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with wave.open(path, 'wb') as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def main(args):
    if not args:
        write_wav(os.path.join(ROOT, 'demo', 'tune.wav'), render_melody('tune'))
    elif args[0] == '--melody' and len(args) == 3 and args[1] in MELODIES:
        write_wav(args[2], render_melody(args[1]))
    elif args[0] == '--tone' and len(args) == 4:
        write_wav(args[3], render_tone(float(args[1]), float(args[2])))
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
