// Icon lists, animated cursors and their conversions, on files built here byte by byte.
#include "controls/GifEcriture.h"
#include "controls/ListeIcones.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <random>
#include <string>

using platform::Couleur;

namespace {

void Long(std::vector<uint8_t>& o, uint32_t v)
{
    o.insert(o.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}
void Mot(std::vector<uint8_t>& o, int v) { o.insert(o.end(), {uint8_t(v), uint8_t(v >> 8)}); }

// A one-image icon file of w x h pixels, 24 bits, all of colour `c` except the top-left pixel,
// which the AND mask leaves transparent. Type 2 makes it a cursor with the given hot spot.
std::vector<uint8_t> Icone(int w, int h, Couleur c, int type = 1, int hx = 0, int hy = 0)
{
    const int ligneXor = ((w * 24 + 31) / 32) * 4;
    const int ligneEt = ((w + 31) / 32) * 4;
    std::vector<uint8_t> image;
    Long(image, 40);
    Long(image, uint32_t(w));
    Long(image, uint32_t(2 * h));
    Mot(image, 1);
    Mot(image, 24);
    for (int i = 0; i < 6; ++i)
        Long(image, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            image.insert(image.end(), {c.b, c.g, c.r});
        image.resize(image.size() + std::size_t(ligneXor - w * 3), 0);
    }
    for (int y = 0; y < h; ++y) {
        std::vector<uint8_t> ligne(std::size_t(ligneEt), 0);
        if (y == h - 1)   // bottom-up: the last stored row is the top one
            ligne[0] = 0x80;
        image.insert(image.end(), ligne.begin(), ligne.end());
    }
    std::vector<uint8_t> o;
    Mot(o, 0);
    Mot(o, type);
    Mot(o, 1);
    o.insert(o.end(), {uint8_t(w), uint8_t(h), 0, 0});
    Mot(o, type == 2 ? hx : 1);
    Mot(o, type == 2 ? hy : 24);
    Long(o, uint32_t(image.size()));
    Long(o, 22);
    o.insert(o.end(), image.begin(), image.end());
    return o;
}

std::vector<uint8_t> Chunk(const char* id, const std::vector<uint8_t>& donnees)
{
    std::vector<uint8_t> o(id, id + 4);
    Long(o, uint32_t(donnees.size()));
    o.insert(o.end(), donnees.begin(), donnees.end());
    if (donnees.size() % 2)
        o.push_back(0);
    return o;
}

std::vector<uint8_t> Liste(const char* type, const std::vector<std::vector<uint8_t>>& sous)
{
    std::vector<uint8_t> d(type, type + 4);
    for (const auto& s : sous)
        d.insert(d.end(), s.begin(), s.end());
    return Chunk("LIST", d);
}

std::vector<uint8_t> Anih(uint32_t frames, uint32_t steps, uint32_t rate, uint32_t flags, std::size_t taille = 36)
{
    std::vector<uint8_t> d;
    for (uint32_t v : {uint32_t(36), frames, steps, 0u, 0u, 0u, 0u, rate, flags})
        Long(d, v);
    d.resize(taille, 0xEE);
    return Chunk("anih", d);
}

std::vector<uint8_t> Riff(const std::vector<std::vector<uint8_t>>& chunks)
{
    std::vector<uint8_t> d{'A', 'C', 'O', 'N'};
    for (const auto& c : chunks)
        d.insert(d.end(), c.begin(), c.end());
    std::vector<uint8_t> o{'R', 'I', 'F', 'F'};
    Long(o, uint32_t(d.size()));
    o.insert(o.end(), d.begin(), d.end());
    return o;
}

std::vector<uint8_t> Valeur(uint32_t v)
{
    std::vector<uint8_t> o;
    Long(o, v);
    return o;
}

const Couleur Rouge(200, 10, 20);
const Couleur Bleu(5, 30, 220);

std::vector<uint8_t> CurseurComplet()
{
    std::vector<uint8_t> rates = Valeur(12);
    const auto suite = Valeur(99);
    rates.insert(rates.end(), suite.begin(), suite.end());
    return Riff({
        Anih(2, 2, 6, 1, 40),
        Chunk("rate", rates),
        Liste("INFO", {Chunk("INAM", {'S', 'p', 'i', 'n', 0}), Chunk("IART", {'M', 'e'})}),
        Liste("fram", {Chunk("icon", Icone(4, 4, Rouge, 2, 3, 1)), Chunk("icon", Icone(32, 32, Bleu))}),
    });
}

} // namespace

TEST(Curseur, LectureComplete)
{
    TAnimatedCursorImage ani;
    const auto o = CurseurComplet();
    ani.LoadFromStream(o.data(), o.size());
    ASSERT_EQ(ani.FrameCount(), 2);
    EXPECT_EQ(ani.header.cSteps, 2u);
    EXPECT_EQ(ani.header.jifRate, 6u);
    EXPECT_EQ(ani.title, "Spin");
    EXPECT_EQ(ani.author, "Me");
    // One rate chunk holding an array changes the first frame only.
    EXPECT_EQ(ani.Frame(0).displayRate, 12);
    EXPECT_EQ(ani.Frame(1).displayRate, 6);
    // A cursor keeps its stored hot spot; a 32 x 32 icon gets its centre.
    EXPECT_EQ(ani.Frame(0).hotSpotX, 3);
    EXPECT_EQ(ani.Frame(0).hotSpotY, 1);
    EXPECT_EQ(ani.Frame(0).isIcon, 0);
    EXPECT_EQ(ani.Frame(1).hotSpotX, 16);
    EXPECT_EQ(ani.Frame(1).hotSpotY, 16);
    EXPECT_EQ(ani.Frame(1).isIcon, 1);
    EXPECT_EQ(ani.iconColors, 0);   // 24-bit icons count no colours
    // The cursor image was turned into an icon so that it loads as one.
    EXPECT_EQ(ani.Frame(0).icon->Octets()[2], 1);

    TIconList liste;
    ani.AssignTo(liste);
    EXPECT_EQ(liste.Count(), 2);
    TIcon icone;
    ani.AssignTo(icone);
    EXPECT_EQ(icone.Largeur(), 4);
    TAnimatedCursorImage copie;
    copie.Assign(&ani);
    EXPECT_EQ(copie.FrameCount(), 2);
    EXPECT_EQ(copie.title, "Spin");
    std::vector<uint8_t> sortie;
    EXPECT_THROW(ani.SaveToStream(sortie), EFonctionNonImplementee);
}

TEST(Curseur, BandeEtImageGIF)
{
    TAnimatedCursorImage ani;
    const auto o = Riff({Anih(2, 2, 9, 1), Liste("fram", {Chunk("icon", Icone(4, 4, Rouge)), Chunk("icon", Icone(4, 4, Bleu))})});
    ani.LoadFromStream(o.data(), o.size());
    ImagePixels bande;
    ani.DrawStrip(bande, Couleur(0, 255, 0).Valeur(), false, false);
    ASSERT_EQ(bande.largeur, 8);
    ASSERT_EQ(bande.hauteur, 4);
    EXPECT_EQ(bande.Pixel(0, 0), Couleur(0, 255, 0));   // masked out: the background
    EXPECT_EQ(bande.Pixel(1, 0), Rouge);
    EXPECT_EQ(bande.Pixel(3, 3), Rouge);
    EXPECT_EQ(bande.Pixel(4, 0), Couleur(0, 255, 0));
    EXPECT_EQ(bande.Pixel(5, 1), Bleu);
    ani.DrawStrip(bande, Couleur(0, 255, 0).Valeur(), true, false);
    EXPECT_EQ(bande.largeur, 4);
    EXPECT_EQ(bande.hauteur, 8);
    EXPECT_EQ(bande.Pixel(1, 5), Bleu);

    TGIFImage gif;
    gif.Assign(ani);
    ASSERT_EQ(gif.frames.size(), 2u);
    EXPECT_EQ(gif.backgroundColor, clWindow);
    EXPECT_EQ(gif.frames[0]->delay, 150);   // 9 sixtieths
    EXPECT_EQ(gif.version, 2);
    TGIFImage relu;
    relu.LoadFromBytes(gif.SaveToStream());
    ASSERT_EQ(relu.frames.size(), 2u);
    EXPECT_EQ(relu.frames[1]->DecodeBitmap().Pixel(2, 2), Bleu);
    EXPECT_EQ(relu.frames[1]->delay, 150);
}

TEST(Curseur, FichiersMalformes)
{
    const std::vector<uint8_t> icone = Chunk("icon", Icone(4, 4, Rouge));
    std::vector<uint8_t> mauvaiseIcone = icone;
    mauvaiseIcone[8 + 4] = 9;   // a directory of 9 entries in a few bytes
    struct Cas {
        const char* nom;
        std::vector<uint8_t> octets;
    };
    std::vector<uint8_t> pasAcon = Riff({Anih(1, 1, 1, 1)});
    pasAcon[8] = 'X';
    std::vector<uint8_t> pasRiff = Riff({Anih(1, 1, 1, 1)});
    pasRiff[0] = 'L';
    const Cas cas[] = {
        {"court", {'R', 'I', 'F', 'F', 0, 0}},
        {"pas RIFF", pasRiff},
        {"pas ACON", pasAcon},
        {"cadres bitmap", Riff({Anih(1, 1, 1, 0), Liste("fram", {icone})})},
        {"aucun pas", Riff({Anih(1, 0, 1, 1), Liste("fram", {icone})})},
        {"cadres innombrables", Riff({Anih(0xFFFFFFFFu, 1, 1, 1), Liste("fram", {icone})})},
        {"aucune icone", Riff({Anih(3, 3, 1, 1)})},
        {"icone invalide", Riff({Anih(1, 1, 1, 1), Liste("fram", {mauvaiseIcone})})},
        {"liste sans type", Riff({Anih(1, 1, 1, 1), Chunk("LIST", {'f', 'r'})})},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TAnimatedCursorImage ani;
        EXPECT_THROW(ani.LoadFromStream(c.octets.data(), c.octets.size()), EReadError);
    }
    // Cut at every byte: an error or the frames read so far, never a read past the end.
    const std::vector<uint8_t> complet = CurseurComplet();
    const auto debut = std::chrono::steady_clock::now();
    for (std::size_t n = 0; n < complet.size(); ++n) {
        const std::vector<uint8_t> tronque(complet.begin(), complet.begin() + long(n));
        TAnimatedCursorImage ani;
        try {
            ani.LoadFromStream(tronque.data(), tronque.size());
            EXPECT_GE(ani.FrameCount(), 1);
        } catch (const EReadError&) {
        }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(10));
}

TEST(ListeIcones, OperationsEtNotifications)
{
    TIcon rouge, bleu;
    rouge.LoadFromBytes(Icone(4, 4, Rouge));
    bleu.LoadFromBytes(Icone(8, 8, Bleu));
    TIconList liste;
    int changements = 0;
    liste.OnChange = [&] { ++changements; };
    liste.Add(rouge);
    liste.Add(bleu);
    EXPECT_EQ(changements, 2);
    liste.Insert(0, bleu);
    liste.Exchange(0, 1);   // 8 4 8 -> 4 8 8
    liste.Move(0, 2);       // -> 8 8 4
    EXPECT_EQ(changements, 5);
    EXPECT_EQ(liste.Get(0)->Largeur(), 8);
    EXPECT_EQ(liste.Get(1)->Largeur(), 8);
    EXPECT_EQ(liste.Get(2)->Largeur(), 4);
    // Changing an icon of the list is a change of the list.
    liste.Get(1)->LoadFromBytes(Icone(16, 16, Rouge));
    EXPECT_EQ(changements, 6);
    liste.Put(3, rouge);   // index = count appends
    EXPECT_EQ(changements, 7);
    EXPECT_EQ(liste.Count(), 4);
    EXPECT_EQ(liste.IndexOf(liste.Get(2)), 2);
    EXPECT_THROW(liste.Get(4), EListError);
    EXPECT_THROW(liste.Delete(-1), EListError);
    liste.Clear();
    EXPECT_EQ(changements, 8);
    EXPECT_EQ(liste.Count(), 0);
    EXPECT_THROW(rouge.LoadFromBytes({0, 0, 1, 0, 0, 0}), EInvalidGraphic);
}

TEST(ListeIcones, FluxIcons)
{
    TIconList vide;
    EXPECT_EQ(vide.WriteIcons(), (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_FALSE(vide.DoitEcrire(nullptr));
    TIconList ancetre;
    EXPECT_FALSE(vide.DoitEcrire(&ancetre));

    TIcon rouge;
    rouge.LoadFromBytes(Icone(4, 4, Rouge));
    TIconList liste;
    liste.Add(rouge);
    liste.Add(TIcon());   // an empty entry
    liste.Add(rouge);
    EXPECT_TRUE(liste.DoitEcrire(nullptr));
    ancetre.Assign(&liste);
    EXPECT_TRUE(liste.DoitEcrire(&ancetre));   // entries compared by identity
    const std::vector<uint8_t> flux = liste.WriteIcons();
    TIconList relue;
    relue.ReadIcons(flux);
    ASSERT_EQ(relue.Count(), 3);
    EXPECT_TRUE(relue.Get(1)->Vide());
    EXPECT_EQ(relue.Get(2)->Octets(), rouge.Octets());
    EXPECT_EQ(relue.WriteIcons(), flux);

    // Short streams and impossible counts are refused without reading beyond the bytes.
    for (std::size_t n = 0; n < flux.size(); ++n) {
        TIconList l;
        const std::vector<uint8_t> tronque(flux.begin(), flux.begin() + long(n));
        EXPECT_ANY_THROW(l.ReadIcons(tronque)) << n;
    }
    TIconList l;
    EXPECT_THROW(l.ReadIcons({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}), EReadError);
    EXPECT_THROW(l.ReadIcons({1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}), EReadError);
}

TEST(Curseur, OctetsAlteresAuHasard)
{
    const std::vector<uint8_t> sain = CurseurComplet();
    std::mt19937 alea(5);
    for (int essai = 0; essai < 3000; ++essai) {
        std::vector<uint8_t> o = sain;
        for (int k = 0; k < 1 + essai % 4; ++k)
            o[alea() % o.size()] = uint8_t(alea());
        TAnimatedCursorImage ani;
        try {
            ani.LoadFromStream(o.data(), o.size());
            ImagePixels bande;
            ani.DrawStrip(bande, clNone, essai % 2 == 0, true);
            TGIFImage gif;
            gif.Assign(ani);
        } catch (const EReadError&) {
        } catch (const EInvalidGraphic&) {
        }
    }
}
