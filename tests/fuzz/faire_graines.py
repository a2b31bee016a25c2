#!/usr/bin/env python3
"""Makes the small seed files of the fuzz corpora that are not copies of test data: MIDI
files, icons, animated cursors, icon-list streams, wave sounds, settings files and chord
library sections. Run from the repository root (python3 tests/fuzz/faire_graines.py); GIF seeds need ImageMagick's convert."""
import os, struct, subprocess, wave, io, shutil

racine = 'tests/fuzz/corpus'

def ecrire(cible, nom, octets):
    os.makedirs(f'{racine}/{cible}', exist_ok=True)
    with open(f'{racine}/{cible}/{nom}', 'wb') as f:
        f.write(octets)

# ---- MIDI -------------------------------------------------------------------------------
def vlq(n):
    o = [n & 0x7F]
    n >>= 7
    while n:
        o.insert(0, (n & 0x7F) | 0x80)
        n >>= 7
    return bytes(o)

def piste(evenements):
    d = b''.join(vlq(dt) + e for dt, e in evenements) + b'\x00\xff\x2f\x00'
    return b'MTrk' + struct.pack('>I', len(d)) + d

def smf(fmt, division, pistes):
    return b'MThd' + struct.pack('>IHHH', 6, fmt, len(pistes), division) + b''.join(pistes)

tempo = [(0, b'\xff\x51\x03\x07\xa1\x20'), (0, b'\xff\x58\x04\x03\x02\x18\x08')]
notes = [(0, b'\xc0\x19'), (0, b'\x90\x40\x64'), (240, b'\x80\x40\x00'), (0, b'\x90\x3c\x50'),
         (0, b'\x43\x50'), (480, b'\x80\x3c\x00'), (0, b'\x80\x43\x00'), (120, b'\x90\x2d\x70'),
         (720, b'\x2d\x00')]
batterie = [(0, b'\x99\x24\x64'), (480, b'\x89\x24\x00'), (0, b'\x99\x26\x64'), (480, b'\x89\x26\x00')]
ecrire('ImportMidiFuzz', 'format0.mid', smf(0, 480, [piste(tempo + notes)]))
ecrire('ImportMidiFuzz', 'format1.mid', smf(1, 480, [piste(tempo), piste([(0, b'\xff\x03\x05Basse')] + notes),
                                                     piste(batterie)]))
ecrire('ImportMidiFuzz', 'triolets.mid', smf(1, 96, [piste(tempo), piste(
    [(0, b'\x90\x40\x64'), (32, b'\x80\x40\x00'), (0, b'\x90\x41\x64'), (32, b'\x80\x41\x00'),
     (0, b'\x90\x43\x64'), (32, b'\x80\x43\x00'), (1000, b'\x90\x30\x64'), (5000, b'\x80\x30\x00')])]))

# ---- Icons, cursors, icon lists -----------------------------------------------------------
def icone(w, h, bits=24, genre=1):
    ligne_xor = ((w * bits + 31) // 32) * 4
    ligne_et = ((w + 31) // 32) * 4
    palette = b''.join(bytes([i * 40 % 256, i * 90 % 256, i * 20 % 256, 0]) for i in range(1 << bits)) if bits <= 8 else b''
    entete = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, bits, 0, 0, 0, 0, 0, 0)
    pixels = bytes((x * 7 + y * 3) % 256 for y in range(h) for x in range(ligne_xor))
    # The top-left pixel is transparent (rows are stored bottom-up).
    masque = b''.join(bytes([0x80 if y == h - 1 else 0]) + bytes(ligne_et - 1) for y in range(h))
    image = entete + palette + pixels + masque
    return struct.pack('<HHH', 0, genre, 1) + bytes([w % 256, h % 256, 0, 0]) + \
        struct.pack('<HHII', 1, bits, len(image), 22) + image

ecrire('IconeFuzz', 'rvb_4x4.ico', icone(4, 4))
ecrire('IconeFuzz', 'palette8_8x8.ico', icone(8, 8, 8))
ecrire('IconeFuzz', 'palette4_5x3.ico', icone(5, 3, 4))
ecrire('IconeFuzz', 'mono_16x16.ico', icone(16, 16, 1))
ecrire('IconeFuzz', 'curseur.cur', icone(4, 4, 24, 2))

def liste_icones(icones):
    return struct.pack('<I', len(icones)) + b''.join(struct.pack('<I', len(i)) + i for i in icones)

ecrire('ListeIconesFuzz', 'deux.bin', liste_icones([icone(4, 4), icone(8, 8, 8)]))
ecrire('ListeIconesFuzz', 'vide_et_une.bin', liste_icones([b'', icone(5, 3, 4)]))

def morceau(ident, d):
    return ident + struct.pack('<I', len(d)) + d + (b'\x00' if len(d) % 2 else b'')

def liste(genre, sous):
    return morceau(b'LIST', genre + b''.join(sous))

def riff(genre, morceaux):
    d = genre + b''.join(morceaux)
    return b'RIFF' + struct.pack('<I', len(d)) + d

def anih(cadres, pas, vitesse, drapeaux):
    return morceau(b'anih', struct.pack('<9I', 36, cadres, pas, 0, 0, 0, 0, vitesse, drapeaux))

ecrire('CurseurAnimeFuzz', 'deux_cadres.ani', riff(b'ACON', [
    anih(2, 3, 10, 3), morceau(b'rate', struct.pack('<3I', 12, 6, 9)), morceau(b'seq ', struct.pack('<3I', 0, 1, 0)),
    liste(b'INFO', [morceau(b'INAM', b'Spin\x00'), morceau(b'IART', b'Me')]),
    liste(b'fram', [morceau(b'icon', icone(4, 4)), morceau(b'icon', icone(8, 8, 8))])]))
ecrire('CurseurAnimeFuzz', 'un_cadre.ani', riff(b'ACON', [anih(1, 1, 5, 1), liste(b'fram', [morceau(b'icon', icone(5, 3, 4, 2))])]))

# ---- Wave sounds ----------------------------------------------------------------------------
def son(canaux, largeur, frequence, trames):
    f = io.BytesIO()
    with wave.open(f, 'wb') as w:
        w.setnchannels(canaux)
        w.setsampwidth(largeur)
        w.setframerate(frequence)
        w.writeframes(bytes((i * 37) % 256 for i in range(trames * canaux * largeur)))
    return f.getvalue()

ecrire('WaveFuzz', 'mono8.wav', son(1, 1, 8000, 40))
ecrire('WaveFuzz', 'stereo16.wav', son(2, 2, 22050, 25))
extra = son(1, 2, 11025, 9)
extra = extra[:12] + morceau(b'LIST', b'INFOabc') + extra[12:]
extra = extra[:4] + struct.pack('<I', len(extra) - 8) + extra[8:]
ecrire('WaveFuzz', 'morceau_inconnu.wav', extra)
# The component's streamed properties: the property name as a short string, the binary value
# tag, then the data's count and bytes; a zero ends the list.
donnees = son(1, 1, 8000, 12)
nom = b'WaveData.Data'
ecrire('WaveFuzz', 'proprietes.bin', bytes([len(nom)]) + nom + b'\x0a' + struct.pack('<I', len(donnees)) + donnees + b'\x00')

# ---- GIF pictures -----------------------------------------------------------------------------
if shutil.which('convert'):
    os.makedirs(f'{racine}/GifFuzz', exist_ok=True)
    for nom, args in [('un.gif', ['-size', '6x5', 'gradient:red-blue']),
                      ('entrelace.gif', ['-size', '9x7', 'plasma:', '-colors', '16', '-interlace', 'GIF']),
                      ('anime.gif', ['-delay', '20', '-size', '4x4', 'xc:red', 'xc:blue', '-loop', '0']),
                      ('transparent.gif', ['-size', '5x5', 'xc:none', '-fill', 'black', '-draw', 'point 2,2']),
                      ('deux_couleurs.gif', ['-size', '12x3', 'pattern:checkerboard', '-colors', '2'])]:
        subprocess.run(['convert', *args, f'{racine}/GifFuzz/{nom}'], check=True)
    subprocess.run(['convert', '-size', '3x3', 'xc:green', '-comment', 'note', f'{racine}/GifFuzz/commentaire.gif'], check=True)

# ---- Settings and chord library -------------------------------------------------------------
accord = 'ONOOOOOOOAAAAAAABAABCBDEAC'
barre = 'ONOOOOOOOAAAAAAABBABCBDEADBGF'
ecrire('LibrairieAccordsFuzz', 'trois.txt', f'Total=3\r\nC001={accord}\r\nC002={barre}\r\nC003={accord[:-1]}Am\r\n'.encode())
ecrire('LibrairieAccordsFuzz', 'trou.txt', f'Total=4\nC001={accord}\nC003={barre}\n'.encode())
ecrire('FichierIniFuzz', 'Lyrx220.ini', (
    '[General]\r\nVersion=220\r\n[Config]\r\nPatcheLangue=English\r\nNbCordes=5\r\nNoteCorde1=$40\r\n'
    'TypeImport=2\r\nNbTirets=3\r\nHelpFile=0\r\nFichierRecent1=/nonexistent/a.lrx\r\n'
    '[ParamEcran]\r\nEspCordes=14\r\n; a comment\r\n[ChordsLib]\r\n'
    f'Total=2\r\nC001={accord}\r\nC002="{barre}"\r\n[Browser]\r\nX=0x1F\r\n').encode('cp1252'))
ecrire('FichierIniFuzz', 'simple.ini', b'[S]\nA = " b "\nB=-12\n[s]\na=2\n')
ecrire('FichierIniFuzz', 'marque-utf8.ini', b'\xef\xbb\xbf[Config]\r\nPatcheLangue=English\r\nNbCordes=5\r\n')
ecrire('FichierIniFuzz', 'macintosh.ini', b'[Config]\rPatcheLangue=English\r\r[S]\rA=1\r\nB=2\nC=3')

# ---- Copies of test data --------------------------------------------------------------------
for cible, source in [('LecteurPartitionFuzz', 'tests/document/data/petite_v221.lrx'),
                      ('LecteurPartitionFuzz', 'tests/document/data/partition_v100.lrx'),
                      ('LecteurPartitionFuzz', 'tests/document/data/partition_v103.lrx'),
                      ('LecteurPartitionFuzz', 'tests/document/data/partition_v104.lrx'),
                      ('LecteurPartitionFuzz', 'tests/document/data/partition_v221.lrx'),
                      ('LangueFuzz', 'tests/document/data/langue_coupe.lxl'),
                      ('LangueFuzz', 'tests/document/data/langue_minuscules.lxl'),
                      ('LangueFuzz', 'data/English.lxl'),
                      ('ImportASCIIFuzz', 'tests/print/data/demo_40.txt'),
                      ('ImportASCIIFuzz', 'tests/print/data/basse_renvois_40.txt')]:
    os.makedirs(f'{racine}/{cible}', exist_ok=True)
    shutil.copy(source, f'{racine}/{cible}/')
ecrire('ImportASCIIFuzz', 'main.txt', b'E|--0--3--|-5h7-x--|\nB|--1-----|---8b---|\nG|--0--0--|--------|\n'
       b'D|--2--0--|12------|\nA|--3--2--|--------|\nE|-----3--|--------|\n\ntext line\n--------5\r\n')
