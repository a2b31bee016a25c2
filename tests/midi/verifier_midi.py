#!/usr/bin/python3
"""Reads a MIDI file with mido, an independent reader, and compares its events with a listing.

    verifier_midi.py FILE.mid EXPECTED.txt   exit 0 when the events are those listed, else 1
                                             with a diff; 2 when the file does not parse
    verifier_midi.py --lister FILE.mid       prints the listing of the file

The listing: a first line "format F tracks N division D", then for each track a line
"track K" followed by one line per event: absolute tick, mido's message type and its
attributes in mido's order. In the expected file, blank lines and text after '#' are ignored.
mido refuses data bytes of 128 or more, so a file that parses has none.
"""
import difflib
import sys

import mido


def lister(chemin):
    fichier = mido.MidiFile(chemin)
    lignes = ["format %d tracks %d division %d" % (fichier.type, len(fichier.tracks), fichier.ticks_per_beat)]
    for numero, piste in enumerate(fichier.tracks):
        lignes.append("track %d" % numero)
        tick = 0
        for message in piste:
            tick += message.time
            attributs = message.dict()
            attributs.pop("time")
            genre = attributs.pop("type")
            texte = " ".join("%s=%s" % (cle, valeur) for cle, valeur in attributs.items())
            lignes.append(("%d %s %s" % (tick, genre, texte)).rstrip())
    return lignes


def lire_attendu(chemin):
    lignes = []
    with open(chemin, encoding="utf-8") as f:
        for ligne in f:
            ligne = ligne.split("#", 1)[0].strip()
            if ligne:
                lignes.append(" ".join(ligne.split()))
    return lignes


def main(arguments):
    if len(arguments) == 2 and arguments[0] == "--lister":
        print("\n".join(lister(arguments[1])))
        return 0
    if len(arguments) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        obtenu = lister(arguments[0])
    except (OSError, ValueError, EOFError, KeyError) as erreur:
        print("%s: not a valid MIDI file: %s" % (arguments[0], erreur), file=sys.stderr)
        return 2
    attendu = lire_attendu(arguments[1])
    if obtenu == attendu:
        return 0
    sys.stdout.writelines(l + "\n" for l in difflib.unified_diff(attendu, obtenu, "expected", "file", lineterm=""))
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
