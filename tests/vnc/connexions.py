#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Knocks at a VNC server or an X server as a client would, up to the end of
authentication.

    connexions.py PORT offert        prints the security types the VNC server offers
    connexions.py PORT aucune        asks for no authentication (type 1)
    connexions.py PORT MOT_DE_PASSE  VNC authentication (type 2) with that password
    connexions.py x11 ECRAN          opens X display :ECRAN's local socket with no cookie

Exit 0 when the server lets the client in, 1 when it refuses, 2 on a fault.
The DES of the VNC authentication is written out here (standard library only).
"""
import socket
import struct
import sys

# ---------------------------------------------------------------- DES (FIPS 46-3)
PC1 = [57, 49, 41, 33, 25, 17, 9, 1, 58, 50, 42, 34, 26, 18, 10, 2, 59, 51, 43, 35, 27, 19, 11, 3,
       60, 52, 44, 36, 63, 55, 47, 39, 31, 23, 15, 7, 62, 54, 46, 38, 30, 22, 14, 6, 61, 53, 45, 37,
       29, 21, 13, 5, 28, 20, 12, 4]
PC2 = [14, 17, 11, 24, 1, 5, 3, 28, 15, 6, 21, 10, 23, 19, 12, 4, 26, 8, 16, 7, 27, 20, 13, 2,
       41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32]
DECALAGES = [1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1]
IP = [58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4, 62, 54, 46, 38, 30, 22, 14, 6,
      64, 56, 48, 40, 32, 24, 16, 8, 57, 49, 41, 33, 25, 17, 9, 1, 59, 51, 43, 35, 27, 19, 11, 3,
      61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7]
E = [32, 1, 2, 3, 4, 5, 4, 5, 6, 7, 8, 9, 8, 9, 10, 11, 12, 13, 12, 13, 14, 15, 16, 17,
     16, 17, 18, 19, 20, 21, 20, 21, 22, 23, 24, 25, 24, 25, 26, 27, 28, 29, 28, 29, 30, 31, 32, 1]
P = [16, 7, 20, 21, 29, 12, 28, 17, 1, 15, 23, 26, 5, 18, 31, 10,
     2, 8, 24, 14, 32, 27, 3, 9, 19, 13, 30, 6, 22, 11, 4, 25]
S = [
    [14, 4, 13, 1, 2, 15, 11, 8, 3, 10, 6, 12, 5, 9, 0, 7, 0, 15, 7, 4, 14, 2, 13, 1, 10, 6, 12, 11, 9, 5, 3, 8,
     4, 1, 14, 8, 13, 6, 2, 11, 15, 12, 9, 7, 3, 10, 5, 0, 15, 12, 8, 2, 4, 9, 1, 7, 5, 11, 3, 14, 10, 0, 6, 13],
    [15, 1, 8, 14, 6, 11, 3, 4, 9, 7, 2, 13, 12, 0, 5, 10, 3, 13, 4, 7, 15, 2, 8, 14, 12, 0, 1, 10, 6, 9, 11, 5,
     0, 14, 7, 11, 10, 4, 13, 1, 5, 8, 12, 6, 9, 3, 2, 15, 13, 8, 10, 1, 3, 15, 4, 2, 11, 6, 7, 12, 0, 5, 14, 9],
    [10, 0, 9, 14, 6, 3, 15, 5, 1, 13, 12, 7, 11, 4, 2, 8, 13, 7, 0, 9, 3, 4, 6, 10, 2, 8, 5, 14, 12, 11, 15, 1,
     13, 6, 4, 9, 8, 15, 3, 0, 11, 1, 2, 12, 5, 10, 14, 7, 1, 10, 13, 0, 6, 9, 8, 7, 4, 15, 14, 3, 11, 5, 2, 12],
    [7, 13, 14, 3, 0, 6, 9, 10, 1, 2, 8, 5, 11, 12, 4, 15, 13, 8, 11, 5, 6, 15, 0, 3, 4, 7, 2, 12, 1, 10, 14, 9,
     10, 6, 9, 0, 12, 11, 7, 13, 15, 1, 3, 14, 5, 2, 8, 4, 3, 15, 0, 6, 10, 1, 13, 8, 9, 4, 5, 11, 12, 7, 2, 14],
    [2, 12, 4, 1, 7, 10, 11, 6, 8, 5, 3, 15, 13, 0, 14, 9, 14, 11, 2, 12, 4, 7, 13, 1, 5, 0, 15, 10, 3, 9, 8, 6,
     4, 2, 1, 11, 10, 13, 7, 8, 15, 9, 12, 5, 6, 3, 0, 14, 11, 8, 12, 7, 1, 14, 2, 13, 6, 15, 0, 9, 10, 4, 5, 3],
    [12, 1, 10, 15, 9, 2, 6, 8, 0, 13, 3, 4, 14, 7, 5, 11, 10, 15, 4, 2, 7, 12, 9, 5, 6, 1, 13, 14, 0, 11, 3, 8,
     9, 14, 15, 5, 2, 8, 12, 3, 7, 0, 4, 10, 1, 13, 11, 6, 4, 3, 2, 12, 9, 5, 15, 10, 11, 14, 1, 7, 6, 0, 8, 13],
    [4, 11, 2, 14, 15, 0, 8, 13, 3, 12, 9, 7, 5, 10, 6, 1, 13, 0, 11, 7, 4, 9, 1, 10, 14, 3, 5, 12, 2, 15, 8, 6,
     1, 4, 11, 13, 12, 3, 7, 14, 10, 15, 6, 8, 0, 5, 9, 2, 6, 11, 13, 8, 1, 4, 10, 7, 9, 5, 0, 15, 14, 2, 3, 12],
    [13, 2, 8, 4, 6, 15, 11, 1, 10, 9, 3, 14, 5, 0, 12, 7, 1, 15, 13, 8, 10, 3, 7, 4, 12, 5, 6, 11, 0, 14, 9, 2,
     7, 11, 4, 1, 9, 12, 14, 2, 0, 6, 10, 13, 15, 3, 5, 8, 2, 1, 14, 7, 4, 10, 8, 13, 15, 12, 9, 0, 3, 5, 6, 11],
]
FP = [IP.index(i) + 1 for i in range(1, 65)]


def permuter(valeur, table, largeur):
    sortie = 0
    for position in table:
        sortie = (sortie << 1) | ((valeur >> (largeur - position)) & 1)
    return sortie


def des(cle: bytes, bloc: bytes) -> bytes:
    k = permuter(int.from_bytes(cle, "big"), PC1, 64)
    c, d = k >> 28, k & 0xFFFFFFF
    sous_cles = []
    for n in DECALAGES:
        c = ((c << n) | (c >> (28 - n))) & 0xFFFFFFF
        d = ((d << n) | (d >> (28 - n))) & 0xFFFFFFF
        sous_cles.append(permuter((c << 28) | d, PC2, 56))
    b = permuter(int.from_bytes(bloc, "big"), IP, 64)
    g, dr = b >> 32, b & 0xFFFFFFFF
    for sk in sous_cles:
        x = permuter(dr, E, 32) ^ sk
        f = 0
        for i in range(8):
            six = (x >> (42 - 6 * i)) & 0x3F
            ligne, colonne = ((six & 0x20) >> 4) | (six & 1), (six >> 1) & 0xF
            f = (f << 4) | S[i][ligne * 16 + colonne]
        g, dr = dr, g ^ permuter(f, P, 32)
    return permuter((dr << 32) | g, FP, 64).to_bytes(8, "big")


def reponse_vnc(mot_de_passe: str, defi: bytes) -> bytes:
    # The key is the password cut or padded to 8 bytes, each byte's bits reversed.
    cle = bytes(int(f"{o:08b}"[::-1], 2) for o in mot_de_passe.encode("latin-1")[:8].ljust(8, b"\0"))
    return des(cle, defi[:8]) + des(cle, defi[8:16])


# ---------------------------------------------------------------- RFB 3.8
def lire(s, n):
    data = b""
    while len(data) < n:
        morceau = s.recv(n - len(data))
        if not morceau:
            raise EOFError("connexion fermée")
        data += morceau
    return data


def x11(ecran):
    s = socket.socket(socket.AF_UNIX)
    s.settimeout(10)
    s.connect(f"/tmp/.X11-unix/X{ecran}")
    # Connection setup, little-endian, protocol 11.0, no authorisation.
    s.sendall(struct.pack("<cxHHHHxx", b"l", 11, 0, 0, 0))
    statut = lire(s, 1)[0]  # 0 failed, 1 success, 2 authenticate
    print("accepté" if statut == 1 else "refusé")
    return 0 if statut == 1 else 1


def main():
    if sys.argv[1] == "x11":
        return x11(sys.argv[2])
    port, demande = int(sys.argv[1]), sys.argv[2]
    s = socket.create_connection(("127.0.0.1", port), timeout=10)
    version = lire(s, 12)
    if not version.startswith(b"RFB 003."):
        print("pas un serveur RFB :", version)
        return 2
    s.sendall(b"RFB 003.008\n")
    types = list(lire(s, lire(s, 1)[0]))
    if demande == "offert":
        print(" ".join(str(t) for t in types))
        return 0
    choix = 1 if demande == "aucune" else 2
    s.sendall(bytes([choix]))
    try:
        if choix == 2:
            s.sendall(reponse_vnc(demande, lire(s, 16)))
        resultat = struct.unpack(">I", lire(s, 4))[0]
    except (EOFError, ConnectionResetError):
        resultat = 1  # the server hung up: refused
    print("accepté" if resultat == 0 else "refusé")
    return 0 if resultat == 0 else 1


if __name__ == "__main__":
    if sys.argv[1:] == ["auto-test"]:
        # FIPS 46 worked example.
        ok = des(bytes.fromhex("133457799BBCDFF1"), bytes.fromhex("0123456789ABCDEF")).hex() == "85e813540f0ab405"
        print("DES", "juste" if ok else "faux")
        sys.exit(0 if ok else 1)
    sys.exit(main())
