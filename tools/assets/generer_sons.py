#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Synthesise the game's three sounds into assets/sons/.

    python3 tools/assets/generer_sons.py [dossier_sortie]

Standard library only. Every random draw comes from a fixed seed, so two runs
write the same bytes. MEILLEUR is a French voice made by espeak-ng; without
espeak-ng that file is left as it is and a warning is printed.

Each file is a RIFF WAVE image laid out as: RIFF/WAVE header, 16-byte "fmt "
chunk (PCM), "data" chunk (plus a pad byte when odd), trailing "LIST" INFO
chunk. The sizes are fixed so that the whole images keep their exact lengths.
"""

import math
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import wave

LOGICIEL = b"KUBRIX v3.0\0"           # 12 bytes, even: no pad inside LIST

# name: (channels, rate, frames, LIST chunk size, title)
SONS = {
    "LANCER":   (1, 11025, 38545, 74, "Lancer des dés sur la table"),
    "BRAVO":    (2, 11128, 34944, 24, None),
    "MEILLEUR": (1, 11025, 11311, 74, "Je suis vraiment le meilleur !!!"),
}


# ---------------------------------------------------------------- RIFF image

def chunk(ident, donnees):
    """One RIFF chunk; an odd body gets its pad byte, not counted in the size."""
    entete = ident + struct.pack("<I", len(donnees))
    return entete + donnees + (b"\0" if len(donnees) % 2 else b"")


def chunk_list(taille, titre):
    """A LIST/INFO chunk body of exactly `taille` bytes."""
    corps = b"INFO" + chunk(b"ISFT", LOGICIEL)
    if titre is not None:
        reste = taille - len(corps) - 8          # room left for INAM's text
        texte = titre.encode("latin-1") + b"\0"
        if len(texte) > reste:
            texte = texte[:reste - 1] + b"\0"
        corps += chunk(b"INAM", texte.ljust(reste, b"\0"))
    if len(corps) != taille:
        raise ValueError("LIST de %d octets au lieu de %d" % (len(corps), taille))
    return corps


def image_wav(canaux, frequence, echantillons, taille_list, titre):
    """Whole WAV image from unsigned 8-bit samples (interleaved if stereo)."""
    fmt = struct.pack("<HHIIHH", 1, canaux, frequence, frequence * canaux,
                      canaux, 8)
    corps = (b"WAVE" + chunk(b"fmt ", fmt) + chunk(b"data", bytes(echantillons))
             + chunk(b"LIST", chunk_list(taille_list, titre)))
    return b"RIFF" + struct.pack("<I", len(corps)) + corps


def en_octets(signal, crete=0.92):
    """Float samples -> unsigned 8-bit, normalised to the given peak."""
    maxi = max(1e-9, max(abs(x) for x in signal))
    g = crete / maxi
    return [max(0, min(255, 128 + int(round(x * g * 127)))) for x in signal]


# ---------------------------------------------------------------- LANCER

def impact(sortie, debut, amp, rng, freq, aigu=1.0, sourd=1.0):
    """One die hitting wood: a short ring of the die, a thump of the table."""
    modes = [(rng.uniform(1900, 4800) * aigu, rng.uniform(0.0018, 0.0045),
              rng.uniform(0.5, 1.0)) for _ in range(3)]
    bois = (rng.uniform(140, 320), rng.uniform(0.012, 0.025), 0.9 * sourd)
    duree = int(0.09 * freq)
    for i in range(duree):
        k = debut + i
        if k >= len(sortie):
            break
        t = i / freq
        v = 0.0
        for f, tau, a in modes:
            v += a * math.exp(-t / tau) * math.sin(2 * math.pi * f * t)
        f, tau, a = bois
        v += a * math.exp(-t / tau) * math.sin(2 * math.pi * f * t)
        if i < 25:                                     # the contact itself
            v += rng.uniform(-1, 1) * (1 - i / 25)
        sortie[k] += amp * v


def son_lancer(freq, n):
    rng = random.Random(1975)
    s = [0.0] * n
    # Shaking in the cup: clusters of muffled knocks.
    for secousse in range(3):
        t0 = 0.05 + secousse * 0.27
        for _ in range(8):
            t = t0 + rng.uniform(0, 0.12)
            impact(s, int(t * freq), rng.uniform(0.3, 0.5), rng, freq,
                   aigu=0.55, sourd=0.3)
    # The throw: each die bounces with shorter and softer hops, then tumbles
    # over its edges, ever more slowly, until it lies still.
    for de in range(5):
        t = 1.0 + rng.uniform(0, 0.12)
        amp, ecart = rng.uniform(0.8, 1.0), rng.uniform(0.16, 0.22)
        while ecart > 0.04:
            impact(s, int(t * freq), amp, rng, freq)
            t += ecart * rng.uniform(0.85, 1.15)
            ecart *= 0.72
            amp *= 0.68
        fin = rng.uniform(2.6, 3.3)
        amp = rng.uniform(0.3, 0.4)
        while t < fin:
            impact(s, int(t * freq), amp * rng.uniform(0.6, 1.2), rng, freq)
            t += rng.uniform(0.06, 0.16) * (1 + (t - 1.5) * 0.4)
            amp *= 0.93
    # Dice knocking into each other, higher and drier.
    for _ in range(6):
        t = rng.uniform(1.05, 1.9)
        impact(s, int(t * freq), rng.uniform(0.2, 0.45), rng, freq,
               aigu=1.15, sourd=0.2)
    return s


# ---------------------------------------------------------------- BRAVO

def note(freq_midi):
    return 440.0 * 2 ** ((freq_midi - 69) / 12)


def cuivre(g, d, freq, debut, duree, hauteur, amp, pan, vibrato=0.0):
    """A brass-like note: harmonics grow brighter as the note swells."""
    n0, n = int(debut * freq), int(duree * freq)
    f0 = note(hauteur)
    phase = 0.0
    attaque, relache = 0.025, min(0.08, duree / 3)
    for i in range(n):
        k = n0 + i
        if k >= len(g):
            break
        t = i / freq
        env = min(1.0, t / attaque) * min(1.0, (duree - t) / relache)
        env *= 1 + 0.15 * math.exp(-t / 0.05)          # a small bite at the start
        vib = vibrato * min(1.0, t / 0.3) * math.sin(2 * math.pi * 5.5 * t)
        phase += 2 * math.pi * f0 * (1 + 0.006 * vib) / freq
        v = 0.0
        for h in range(1, 9):
            if f0 * h > freq / 2 - 200:
                break
            v += (env ** (0.5 + 0.35 * h)) / h * math.sin(h * phase)
        v *= amp
        g[k] += v * (1 - pan)
        d[k] += v * pan


def applaudissements(g, d, freq, debut, fin, rng):
    """A small crowd: each clap a burst of band-passed noise, panned."""
    for personne in range(14):
        pan = rng.uniform(0.1, 0.9)
        periode = rng.uniform(0.17, 0.26)
        t = debut + rng.uniform(0, periode)
        while t < fin:
            force = rng.uniform(0.5, 1.0) * min(1.0, (fin - t) / 0.9)
            fc = rng.uniform(900, 2000)
            # two-pole resonator on white noise
            r = math.exp(-math.pi * 700 / freq)
            c1, c2 = 2 * r * math.cos(2 * math.pi * fc / freq), -r * r
            y1 = y2 = 0.0
            k0 = int(t * freq)
            for i in range(int(0.05 * freq)):
                k = k0 + i
                if k >= len(g):
                    break
                x = rng.uniform(-1, 1) * math.exp(-i / (0.008 * freq))
                y = x + c1 * y1 + c2 * y2
                y2, y1 = y1, y
                g[k] += 0.1 * force * y * (1 - pan)
                d[k] += 0.1 * force * y * pan
            t += periode * rng.uniform(0.9, 1.1)


def son_bravo(freq, n):
    rng = random.Random(1996)
    g, d = [0.0] * n, [0.0] * n
    SOL4, DO5, MI5, SOL5, DO4, MI4, SOL3 = 67, 72, 76, 79, 60, 64, 55
    # "ta-ta-ta-taaa", then a climb to the held major chord
    phrase = [(0.00, 0.11, SOL4, MI4), (0.13, 0.11, SOL4, MI4),
              (0.26, 0.11, SOL4, MI4), (0.39, 0.46, DO5, SOL4),
              (0.90, 0.15, SOL4, MI4), (1.07, 0.13, DO5, SOL4),
              (1.22, 0.13, MI5, DO5)]
    for debut, duree, haut, bas in phrase:
        cuivre(g, d, freq, debut, duree, haut, 0.55, 0.35)
        cuivre(g, d, freq, debut, duree, bas, 0.40, 0.65)
    for haut, amp, pan in ((SOL5, 0.45, 0.3), (MI5, 0.40, 0.7),
                           (DO5, 0.40, 0.5), (DO4, 0.35, 0.45),
                           (SOL3, 0.30, 0.55)):
        cuivre(g, d, freq, 1.37, 1.45, haut, amp, pan, vibrato=1.0)
    applaudissements(g, d, freq, 1.45, 3.12, rng)
    maxi = max(max(abs(x) for x in g), max(abs(x) for x in d))
    gg, dd = en_octets(g + [maxi]), en_octets(d + [maxi])   # same gain both sides
    sortie = []
    for a, b in zip(gg[:n], dd[:n]):
        sortie += (a, b)
    return sortie


# ---------------------------------------------------------------- MEILLEUR

def lire_espeak(texte, vitesse, hauteur):
    with tempfile.TemporaryDirectory() as dossier:
        chemin = os.path.join(dossier, "voix.wav")
        subprocess.run(["espeak-ng", "-v", "fr", "-s", str(vitesse),
                        "-p", str(hauteur), "-w", chemin, texte], check=True)
        with wave.open(chemin, "rb") as w:
            if w.getsampwidth() != 2 or w.getnchannels() != 1:
                raise ValueError("espeak-ng: format inattendu")
            brut = w.readframes(w.getnframes())
            freq = w.getframerate()
    valeurs = struct.unpack("<%dh" % (len(brut) // 2), brut)
    return [v / 32768.0 for v in valeurs], freq


def sans_silences(s, seuil=0.02):
    debut = next(i for i, v in enumerate(s) if abs(v) > seuil)
    fin = len(s) - next(i for i, v in enumerate(reversed(s)) if abs(v) > seuil)
    return s[debut:fin]


def reechantillonner(s, de, vers):
    """Windowed-sinc resampling with a cut-off below the new Nyquist."""
    rapport = vers / de
    coupure = 0.45 * min(1.0, rapport)
    demi = 16
    sortie = []
    for j in range(int(len(s) * rapport)):
        centre = j / rapport
        i0 = int(centre)
        v = 0.0
        for i in range(i0 - demi + 1, i0 + demi + 1):
            if 0 <= i < len(s):
                x = centre - i
                fen = 0.5 + 0.5 * math.cos(math.pi * x / demi)
                sinc = 2 * coupure if x == 0 else math.sin(2 * math.pi * coupure * x) / (math.pi * x)
                v += s[i] * sinc * fen
        sortie.append(v)
    return sortie


def son_meilleur(freq, n):
    texte = "Je suis vraiment le meilleur !"
    marge = int(0.04 * freq)                   # a breath of silence each side
    for vitesse in range(200, 400, 10):        # fastest speech that still fits
        voix, f_voix = lire_espeak(texte, vitesse, 60)
        voix = sans_silences(voix)
        if len(voix) * freq / f_voix <= n - 2 * marge:
            break
    voix = reechantillonner(voix, f_voix, freq)
    s = [0.0] * marge + voix
    s += [0.0] * (n - len(s))
    return s[:n]


# ---------------------------------------------------------------- main

def main():
    racine = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    dossier = sys.argv[1] if len(sys.argv) > 1 else os.path.join(racine, "assets", "sons")
    os.makedirs(dossier, exist_ok=True)
    for nom, (canaux, freq, trames, taille_list, titre) in SONS.items():
        if nom == "LANCER":
            octets = en_octets(son_lancer(freq, trames))
        elif nom == "BRAVO":
            octets = son_bravo(freq, trames)
        else:
            if shutil.which("espeak-ng") is None:
                print("espeak-ng absent : MEILLEUR.wav n'est pas refait", file=sys.stderr)
                continue
            octets = en_octets(son_meilleur(freq, trames))
        assert len(octets) == trames * canaux
        image = image_wav(canaux, freq, octets, taille_list, titre)
        with open(os.path.join(dossier, nom + ".wav"), "wb") as f:
            f.write(image)
        print("%s.wav : %d octets" % (nom, len(image)))


if __name__ == "__main__":
    main()
