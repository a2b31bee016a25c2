#!/usr/bin/python3
"""Builds the song-file fixtures of tests/document/data byte by byte.

This writer is deliberately separate from the program's reader and writer: it encodes the
*.lrx layout from its own reading of the format, so that a fault shared by the C++ reader and
writer cannot hide behind a round trip. Run it again after changing a song below:

    /usr/bin/python3 tests/document/genere_partitions.py

Files written (all little-endian):
  partition_vNNN.lrx        the rich song as version NNN stores it (bytes of no meaning set
                            to JUNK, so that readers which look at them are caught)
  partition_vNNN_en221.lrx  what saving that file again must give: version 2.21, bytes of no
                            meaning zero, the conversions of the reader applied
  petite_v221.lrx           a small song, built identically by the C++ test, to hold the
                            writer to the exact bytes
  nouvelle_v221.lrx         the new empty song (track 8 named "Percussions")
"""

import copy
import os
import struct

JUNK = 0xA5

MARKS = {
    100: b"FICHIER LYRANDAXISE v1",
    101: b"FICHIER LYRANDAXISE v1.01",
    102: b"FICHIER LYRANDAXISE v1.02",
    103: b"FICHIER LYRANDAXISE v1.03",
    104: b"FICHIER LYRANDAXISE v1.04",
    220: b"FICHIER LYRANDAXIS v2.20",
    221: b"FICHIER LYRANDAXIS v2.21",
}

# Name that the C++ tests give track 8 where the song would otherwise carry the language's text.
PERCUSSION_NAME = b"Percussions"


# ---------------------------------------------------------------------------------------------
# Primitives


def u8(v):
    return struct.pack("<B", v & 0xFF)


def i32(v):
    return struct.pack("<i", v)


def f64(v):
    return struct.pack("<d", v)


def image(text, n, junk):
    """Length byte, the text, then n - len junk bytes."""
    assert len(text) <= n, (text, n)
    return u8(len(text)) + text + bytes([junk]) * (n - len(text))


def counted_image(text, n, junk):
    """The count byte (size of the image) in front of the image."""
    return u8(n + 1) + image(text, n, junk)


def pstr(text):
    assert len(text) <= 255
    return u8(len(text)) + text


# ---------------------------------------------------------------------------------------------
# The logical song


def empty_note():
    return {"fret": -1, "effet": 0, "bend": 1.0, "nuance": 6, "grace": None}


def note(fret, nuance=6, effet=0, bend=1.0, grace=None):
    return {"fret": fret, "effet": effet, "bend": bend, "nuance": nuance, "grace": grace}


def beat(ticks=480, code=0, **kw):
    b = {
        "ticks": ticks, "code": code, "text": b"", "chord": None, "effet": 0, "coupvib": 1.0,
        "rest": False, "dotted": False, "triplet": False, "pos": 0, "tied": False,
        "brush": 0, "dbrush": 0, "mix": None, "notes": [],
    }
    b.update(kw)
    return b


def chord(name, root=12, frets=(-1,) * 6, base=1, diese=True, typ=0, ext=0, basse=0, dimaug=0,
          quinte=0, neuf=0, onze=0, add=False, degres=(True,) * 7):
    return {
        "name": name, "diese": diese, "root": root, "typ": typ, "ext": ext, "basse": basse,
        "dimaug": dimaug, "quinte": quinte, "neuf": neuf, "onze": onze, "add": add,
        "degres": list(degres), "base": base, "frets": list(frets),
    }


def mix(instrument=-1, volume=-1, pan=-1, chorus=-1, reverb=-1, tempo=-1,
        tvolume=0, tpan=0, tchorus=0, treverb=0, ttempo=0):
    return {
        "instrument": instrument, "volume": volume, "pan": pan, "chorus": chorus,
        "reverb": reverb, "tempo": tempo, "tvolume": tvolume, "tpan": tpan,
        "tchorus": tchorus, "treverb": treverb, "ttempo": ttempo,
    }


def track(name=b"", instrument=24, frets=24, tuning=(64, 59, 55, 50, 45, 40), solo=False,
          mute=False, noexport=False, twelve=False, volume=100, pan=64, chorus=0, reverb=0,
          capo=0):
    return {
        "name": name, "instrument": instrument, "frets": frets, "tuning": list(tuning),
        "solo": solo, "mute": mute, "noexport": noexport, "twelve": twelve, "volume": volume,
        "pan": pan, "chorus": chorus, "reverb": reverb, "capo": capo,
    }


def measure(num=4, den=4, duree=4.0, debut=False, fin=False, nbrenvois=1, repetition=False,
            numrep=1):
    return {
        "num": num, "den": den, "duree": duree, "debut": debut, "fin": fin,
        "nbrenvois": nbrenvois, "repetition": repetition, "numrep": numrep,
        "parts": [{"reelle": 0.0, "beats": []} for _ in range(8)],
    }


def new_song():
    tracks = [track() for _ in range(7)]
    tracks.append(track(name=PERCUSSION_NAME, instrument=0, frets=99, tuning=(0,) * 6))
    return {
        "title": b"", "author": b"", "comment": b"", "tempo": 120, "triplet": 0, "armure": 0,
        "tracks": tracks, "solo_mode": False, "solo_track": 0, "measures": [measure()],
        "chords": [],
    }


# ---------------------------------------------------------------------------------------------
# Encoder


def encode_mix(m):
    mask = 0
    for bit, key in enumerate(("instrument", "volume", "pan", "chorus", "reverb", "tempo")):
        if m[key] != -1:
            mask |= 1 << bit
    out = u8(mask)
    if mask & 32:
        out += i32(m["tempo"]) + u8(m["ttempo"])
    if mask & 16:
        out += u8(m["reverb"]) + u8(m["treverb"])
    if mask & 8:
        out += u8(m["chorus"]) + u8(m["tchorus"])
    if mask & 4:
        out += u8(m["pan"]) + u8(m["tpan"])
    if mask & 2:
        out += u8(m["volume"]) + u8(m["tvolume"])
    if mask & 1:
        out += u8(m["instrument"])
    return out


def encode_chord(c, version, junk):
    if version < 104:
        return u8(junk) + image(c["name"], 10, junk)
    out = pstr(c["name"]) + u8(1 if c["diese"] else 0) + i32(c["root"])
    if c["root"] < 12:
        for key in ("typ", "ext", "basse", "dimaug", "quinte", "neuf", "onze"):
            out += i32(c[key])
        bits = 1 if c["add"] else 0
        for k, on in enumerate(c["degres"]):
            if on:
                bits |= 2 << k
        out += i32(bits)
    if all(f == -1 for f in c["frets"]):
        out += i32(0)
    else:
        out += i32(max(1, c["base"]))
        for f in c["frets"]:
            out += i32(f)
    return out


def encode_notes(notes, n, version):
    fret_mask = tech_mask = grace_mask = 0
    for s in range(1, n + 1):
        x = notes[s - 1]
        bit = 1 << (n - s)
        if x["fret"] >= 0:
            fret_mask |= bit
            if x["effet"] > 0:
                tech_mask |= bit
        if x["grace"] is not None:
            grace_mask |= bit
    out = u8(fret_mask) + u8(tech_mask)
    if version >= 220:
        out += u8(grace_mask)
    for s in range(1, n + 1):
        x = notes[s - 1]
        bit = 1 << (n - s)
        if fret_mask & bit:
            out += u8(x["fret"])
            if version >= 220:
                out += u8(x["nuance"])
            if tech_mask & bit:
                out += u8(x["effet"])
                if x["effet"] in (5, 6):
                    out += f64(x["bend"])
        if version >= 220 and grace_mask & bit:
            g = x["grace"]
            out += u8(g[0]) + u8(g[1]) + u8(g[2])
    return out


def encode_beat(b, n, version, junk):
    ticks = b["ticks"]
    if version <= 101:
        assert ticks % 5 == 0
        ticks //= 5
    f1 = 0
    if b["text"]:
        f1 |= 1
    if b["chord"] is not None:
        f1 |= 2
    if b["effet"] > 0:
        f1 |= 4
    if b["rest"]:
        f1 |= 8
    if b["dotted"]:
        f1 |= 16
    if b["triplet"]:
        f1 |= 32
    if b["tied"]:
        f1 |= 64
    out = i32(ticks) + u8(b["code"]) + u8(f1)
    if version >= 220:
        f2 = (1 if b["brush"] > 0 else 0) | (2 if b["mix"] is not None else 0)
        out += u8(f2)
        if b["mix"] is not None:
            out += encode_mix(b["mix"])
        if b["brush"] > 0:
            out += u8(b["brush"]) + u8(b["dbrush"])
    if b["triplet"]:
        out += u8(b["pos"])
    if b["effet"] > 0:
        out += u8(b["effet"])
        if b["effet"] == 3:
            out += f64(b["coupvib"])
    if b["chord"] is not None:
        out += encode_chord(b["chord"], version, junk)
    if b["text"]:
        if version >= 104:
            out += pstr(b["text"])
        else:
            out += u8(junk) + image(b["text"], 40, junk)
    if not b["rest"] and not b["tied"]:
        out += encode_notes(b["notes"], n, version)
    return out


def encode(song, version, junk):
    tracks_in_file = range(8) if version >= 103 else range(1)
    out = image(MARKS[version], 30, junk)
    out += counted_image(song["title"], 100, junk)
    out += counted_image(song["author"], 50, junk)
    out += counted_image(song["comment"], 100, junk)
    out += i32(song["tempo"])
    if version >= 101:
        out += i32(song["triplet"])
    if version >= 103:
        out += i32(song["armure"])
    for t in tracks_in_file:
        tuning = song["tracks"][t]["tuning"]
        out += i32(len(tuning)) + b"".join(i32(p) for p in tuning)
    out += i32(len(song["measures"]))
    if version >= 103:
        for tr in song["tracks"]:
            flags = ((1 if tr["solo"] else 0) | (2 if tr["mute"] else 0)
                     | (4 if tr["noexport"] else 0) | (8 if tr["twelve"] else 0))
            out += i32(tr["instrument"]) + i32(tr["frets"])
            out += counted_image(tr["name"], 40, junk) + u8(flags)
            for key in ("volume", "pan", "chorus", "reverb", "capo"):
                out += i32(tr[key])
        out += image(b"1" if song["solo_mode"] else b"0", 5, junk)
        out += i32(song["solo_track"])
    else:
        out += i32(song["tracks"][0]["instrument"])
    for m in song["measures"]:
        out += u8(m["num"]) + u8(m["den"]) + f64(m["duree"])
        for t in tracks_in_file:
            out += i32(len(m["parts"][t]["beats"])) + f64(m["parts"][t]["reelle"])
        flags = (1 if m["debut"] else 0) | (2 if m["fin"] else 0) | (4 if m["repetition"] else 0)
        out += u8(flags)
        if m["fin"]:
            out += u8(m["nbrenvois"])
        if m["repetition"]:
            out += u8(m["numrep"])
        for t in tracks_in_file:
            n = len(song["tracks"][t]["tuning"])
            for b in m["parts"][t]["beats"]:
                out += encode_beat(b, n, version, junk)
    if version >= 104:
        out += i32(len(song["chords"]))
        for c in song["chords"]:
            out += encode_chord(c, version, junk)
    return out


# ---------------------------------------------------------------------------------------------
# What each version can hold, and what the reader makes of it


def as_version(song, version):
    """The song as a file of this version holds it, which is also the song read from it."""
    s = copy.deepcopy(song)
    if version < 101:
        s["triplet"] = 0
    if version < 103:
        s["armure"] = 0
        first = s["tracks"][0]
        fresh = new_song()["tracks"]
        fresh[0]["instrument"] = first["instrument"]
        fresh[0]["tuning"] = first["tuning"]
        s["tracks"] = fresh
        s["solo_mode"] = False
        s["solo_track"] = 0
        for m in s["measures"]:
            for t in range(1, 8):
                m["parts"][t] = {"reelle": 0.0, "beats": []}
    for m in s["measures"]:
        if not m["fin"]:
            m["nbrenvois"] = 1
        if not m["repetition"]:
            m["numrep"] = 1
        for part in m["parts"]:
            for b in part["beats"]:
                if not b["triplet"]:
                    b["pos"] = 0
                if b["effet"] != 3:
                    b["coupvib"] = 1.0
                if version < 220:
                    b["brush"] = 0
                    b["dbrush"] = 0
                    b["mix"] = None
                if b["rest"] or b["tied"]:
                    b["notes"] = []
                for x in b["notes"]:
                    if x["fret"] < 0 or x["effet"] not in (5, 6):
                        x["bend"] = 1.0
                    if x["fret"] < 0:
                        x["effet"] = 0
                        x["nuance"] = 6
                    if version < 220:
                        x["nuance"] = 6
                        x["grace"] = None
                if version < 104 and b["chord"] is not None:
                    b["chord"] = chord(b["chord"]["name"][:10])
    if version < 104:
        s["chords"] = []
    return s


# ---------------------------------------------------------------------------------------------
# The songs


def rich_song():
    s = new_song()
    s["title"] = b"Caf\xe9 de la Gare: \"Blues\" en mi"
    s["author"] = b"J. D\xfcrer & co"
    s["comment"] = b"Un commentaire de cent caract\xe8res au plus, " + b"x" * 40
    s["tempo"] = 97
    s["triplet"] = 1
    s["armure"] = -3
    s["tracks"][0] = track(b"Lead \xab guitare \xbb", 29, 22, solo=True, volume=110, pan=20,
                           chorus=30, reverb=40, capo=2)
    s["tracks"][1] = track(b"Basse", 33, 20, (43, 38, 33, 28), mute=True, volume=90, pan=70)
    s["tracks"][2] = track(b"Cinq cordes", 25, 24, (64, 59, 55, 50, 45), noexport=True)
    s["tracks"][3] = track(b"Douze", 25, 19, twelve=True, reverb=127, capo=12)
    s["tracks"][4] = track(b"", 0, 24, (60, 55, 50, 45, 40, 35))
    s["tracks"][5] = track(b"N" * 40, 127, 3)
    s["tracks"][6] = track(b"Sept", 43, 24, (67, 62, 57, 52))
    s["tracks"][7] = track(PERCUSSION_NAME, 25, 99, (0,) * 6, volume=127, pan=0)
    s["solo_mode"] = True
    s["solo_track"] = 1

    am = chord(b"Am", root=9, typ=4, frets=(0, 1, 2, 2, 0, -1), base=1, diese=False,
               basse=-1, degres=(True, True, True, False, False, False, False))
    f_barre = chord(b"F", root=5, frets=(1, 1, 2, 3, 3, 1), base=1, add=True, ext=1,
                    dimaug=2, quinte=1, neuf=2, onze=1, typ=14)
    user_no_diagram = chord(b"Mon accord perso", root=12)
    high = chord(b"B7/9+ position 7", root=11, typ=1, frets=(7, 7, 8, 7, 9, 7), base=7,
                 basse=6, degres=(True, False, True, True, True, False, True))

    m1 = measure(debut=True)
    b = m1["parts"][0]["beats"]
    b.append(beat(480, 0, text=b"Intro \xe0 la main", chord=am, effet=3, coupvib=2.5,
                  mix=mix(0, 100, 10, 20, 30, 140, 1, 2, 3, 4, 8),
                  notes=[note(0, 8), note(1, 7, 1), note(2, 6, 2), note(2, 5, 3),
                         note(0, 4, 4), empty_note()]))
    b.append(beat(160, 1, triplet=True, pos=1, brush=1, dbrush=32, mix=mix(tempo=60, ttempo=2),
                  notes=[note(5, 3, 5, 1.5), note(7, 2, 6, 0.25), note(100, 1, 7),
                         empty_note(), note(24, 6, grace=(22, 4, 3)), empty_note()]))
    b.append(beat(160, 1, triplet=True, pos=2, rest=True, text=b"pause"))
    b.append(beat(160, 1, triplet=True, pos=3, tied=True))
    b.append(beat(720, 0, dotted=True, effet=9, brush=2, dbrush=1, chord=user_no_diagram,
                  notes=[empty_note(), empty_note(), empty_note(), empty_note(),
                         note(3, 6, grace=(100, 1, 1)), note(3, 6, 6, 3.0, grace=(0, 8, 2))]))
    b.append(beat(240, 1, effet=1, mix=mix(instrument=127),
                  notes=[note(12, 6, 3)] + [empty_note()] * 5))
    m1["parts"][0]["reelle"] = 3.0
    bass = m1["parts"][1]["beats"]
    bass.append(beat(1920, -2, notes=[empty_note(), note(3, 5, 4), empty_note(), note(0, 7)]))
    m1["parts"][1]["reelle"] = 4.0
    five = m1["parts"][2]["beats"]
    five.append(beat(960, -1, effet=2, notes=[empty_note()] * 4 + [note(7)]))
    five.append(beat(960, -1, effet=4, chord=high, notes=[note(9, 6, grace=(8, 6, 1))]
                     + [empty_note()] * 4))
    m1["parts"][2]["reelle"] = 4.0
    drums = m1["parts"][7]["beats"]
    for k in range(16):
        drums.append(beat(120, 2, notes=[note(35 + k, 1 + k % 8), note(99), empty_note(),
                                         empty_note(), empty_note(), note(42)]))
    m1["parts"][7]["reelle"] = 2.0

    m2 = measure(3, 4, 3.0, fin=True, nbrenvois=3)
    b = m2["parts"][0]["beats"]
    for e in (5, 6, 7, 8):
        b.append(beat(30, 4, effet=e, notes=[note(e)] + [empty_note()] * 5))
    b.append(beat(45, 4, dotted=True, chord=f_barre, text=b"t" * 40,
                  notes=[note(1), note(1), note(2), note(3), note(3), note(1)]))
    b.append(beat(60, 3, notes=[empty_note()] * 5 + [note(0, 6, 2)]))
    m2["parts"][0]["reelle"] = 0.344
    m2["parts"][3]["beats"].append(beat(1440, -1, dotted=True, notes=[note(10)] * 6))
    m2["parts"][3]["reelle"] = 3.0
    m2["parts"][6]["beats"].append(beat(480, 0, mix=mix(volume=0, tvolume=0, pan=127),
                                        notes=[note(0), note(1), note(2), note(3)]))
    m2["parts"][6]["reelle"] = 1.0

    m3 = measure(7, 8, 3.5, repetition=True, numrep=2)
    m3["parts"][0]["beats"].append(beat(1920, -2, rest=True))
    m3["parts"][0]["reelle"] = 4.0
    m4 = measure(6, 8, 3.0, debut=True, fin=True, nbrenvois=99, repetition=True, numrep=1)
    # 64 beats: the most the editor keeps in one track part.
    m4["parts"][4]["beats"] = [beat(30, 4, notes=[note(k % 25)] * 6) for k in range(64)]
    m4["parts"][4]["reelle"] = 4.0
    m5 = measure(1, 32, 0.125)
    m6 = measure(32, 16, 8.0)
    m6["parts"][5]["beats"].append(beat(480, 0, text=b"seul", notes=[empty_note()] * 6))
    s["measures"] = [m1, m2, m3, m4, m5, m6]
    s["chords"] = [am, f_barre, user_no_diagram, high]
    return s


def small_song():
    """Mirrored by the C++ byte-exact writer test: keep the two in step."""
    s = new_song()
    s["title"] = b"Petite"
    s["author"] = b"Moi"
    s["tempo"] = 90
    s["tracks"][1] = track(b"Basse", 33, 24, (43, 38, 33, 28))
    m = s["measures"][0]
    m["num"], m["den"], m["duree"] = 3, 4, 3.0
    m["fin"], m["nbrenvois"] = True, 2
    c = chord(b"G", root=7, frets=(3, 0, 0, 0, 2, 3), base=1)
    m["parts"][0]["beats"] = [
        beat(480, 0, chord=c, text=b"Hi", notes=[note(3, 6), empty_note(), empty_note(),
                                                 empty_note(), note(2, 4, 5, 1.5),
                                                 note(3, 8, grace=(5, 6, 2))]),
        beat(480, 0, rest=True),
        beat(480, 0, mix=mix(tempo=100, ttempo=1, volume=80), brush=2, dbrush=8,
             notes=[note(0)] * 6),
    ]
    m["parts"][0]["reelle"] = 3.0
    m["parts"][1]["beats"] = [beat(1440, -1, dotted=True, notes=[empty_note(), empty_note(),
                                                                 empty_note(), note(3, 6, 1)])]
    m["parts"][1]["reelle"] = 3.0
    s["chords"] = [c, chord(b"X")]
    return s


def main():
    data = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data")
    os.makedirs(data, exist_ok=True)

    def write(name, content):
        with open(os.path.join(data, name), "wb") as f:
            f.write(content)

    fresh = encode(new_song(), 221, 0)
    assert len(fresh) == 1216, len(fresh)
    write("nouvelle_v221.lrx", fresh)
    write("petite_v221.lrx", encode(small_song(), 221, 0))

    rich = rich_song()
    for version in sorted(MARKS):
        song = as_version(rich, version)
        write("partition_v%d.lrx" % version, encode(song, version, JUNK))
        write("partition_v%d_en221.lrx" % version, encode(song, 221, 0))


if __name__ == "__main__":
    main()
