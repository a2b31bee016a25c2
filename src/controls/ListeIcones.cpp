#include "controls/ListeIcones.h"

#include "controls/GifEcriture.h"
#include "platform/FichierEntier.h"

#include <algorithm>
#include <cstring>
#include <optional>

using platform::Couleur;

namespace {

uint16_t Mot(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Long(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
void EcrireLong(std::vector<uint8_t>& o, uint32_t v)
{
    // One by one: GCC 12 takes a brace-list insert into a growing buffer for an overflow.
    for (int decalage = 0; decalage < 32; decalage += 8)
        o.push_back(uint8_t(v >> decalage));
}

[[noreturn]] void ErreurLecture() { throw EReadError(SReadError); }

// Where the first image of an icon file lies, once its directory has been checked.
struct ImageIcone {
    std::size_t debut = 0;
    std::size_t taille = 0;
};

ImageIcone VerifierIcone(const std::vector<uint8_t>& o, int32_t& largeur, int32_t& hauteur)
{
    auto invalide = [] { throw EInvalidGraphic("Icon image is not valid"); };
    if (o.size() < 6 || Mot(o.data()) != 0 || Mot(o.data() + 2) != 1)
        invalide();
    const std::size_t nombre = Mot(o.data() + 4);
    if (nombre == 0 || 6 + 16 * nombre > o.size())
        invalide();
    ImageIcone premiere;
    for (std::size_t i = 0; i < nombre; ++i) {
        const uint8_t* e = o.data() + 6 + 16 * i;
        const std::size_t taille = Long(e + 8);
        const std::size_t debut = Long(e + 12);
        if (debut < 6 + 16 * nombre || debut > o.size() || taille > o.size() - debut)
            invalide();
        if (i == 0) {
            premiere = {debut, taille};
            largeur = e[0] == 0 ? 256 : e[0];
            hauteur = e[1] == 0 ? 256 : e[1];
        }
    }
    return premiere;
}

} // namespace

// ---------------------------------------------------------------------------------------------

void TIcon::Changer()
{
    if (onChange)
        onChange();
}

void TIcon::LoadFromBytes(const std::vector<uint8_t>& octets)
{
    int32_t l = 0, h = 0;
    VerifierIcone(octets, l, h);
    octets_ = octets;
    largeur_ = l;
    hauteur_ = h;
    Changer();
}

void TIcon::Assign(const TIcon* source)
{
    if (source == this)
        return;
    if (!source) {
        Clear();
        return;
    }
    octets_ = source->octets_;
    largeur_ = source->largeur_;
    hauteur_ = source->hauteur_;
    Changer();
}

void TIcon::Clear()
{
    octets_.clear();
    largeur_ = hauteur_ = 0;
    Changer();
}

void TIcon::Dessiner(ImagePixels& dest, int32_t x0, int32_t y0) const
{
    if (octets_.empty() || dest.Indexee())
        return;
    int32_t l = 0, h = 0;
    const ImageIcone im = VerifierIcone(octets_, l, h);
    const uint8_t* p = octets_.data() + im.debut;
    const std::size_t n = im.taille;
    if (n < 40 || Long(p) < 40 || Long(p) > n)
        return;
    const int32_t w = static_cast<int32_t>(Long(p + 4));
    const int32_t hDouble = static_cast<int32_t>(Long(p + 8));
    const int bits = Mot(p + 14);
    const uint32_t compression = Long(p + 16);
    if (w <= 0 || w > 256 || hDouble <= 0 || hDouble > 512 || compression != 0)
        return;
    const int32_t hauteur = hDouble / 2;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return;
    std::size_t entrees = 0;
    if (bits <= 8) {
        entrees = Long(p + 32);
        if (entrees == 0 || entrees > (std::size_t(1) << bits))
            entrees = std::size_t(1) << bits;
    }
    const std::size_t palette = Long(p);
    const std::size_t pixels = palette + 4 * entrees;
    const std::size_t ligneXor = ((std::size_t(w) * bits + 31) / 32) * 4;
    const std::size_t ligneEt = ((std::size_t(w) + 31) / 32) * 4;
    const std::size_t masque = pixels + ligneXor * std::size_t(hauteur);
    if (masque + ligneEt * std::size_t(hauteur) > n)
        return;
    for (int32_t y = 0; y < hauteur; ++y) {
        const int32_t dy = y0 + y;
        if (dy < 0 || dy >= dest.hauteur)
            continue;
        const std::size_t ligne = std::size_t(hauteur - 1 - y);   // bottom-up rows
        const uint8_t* xr = p + pixels + ligne * ligneXor;
        const uint8_t* et = p + masque + ligne * ligneEt;
        for (int32_t x = 0; x < w; ++x) {
            const int32_t dx = x0 + x;
            if (dx < 0 || dx >= dest.largeur || ((et[x / 8] >> (7 - x % 8)) & 1))
                continue;
            Couleur c;
            if (bits <= 8) {
                unsigned v = 0;
                if (bits == 8)
                    v = xr[x];
                else if (bits == 4)
                    v = (xr[x / 2] >> (x % 2 ? 0 : 4)) & 15;
                else
                    v = (xr[x / 8] >> (7 - x % 8)) & 1;
                if (v < entrees) {
                    const uint8_t* q = p + palette + 4 * v;
                    c = Couleur(q[2], q[1], q[0]);
                }
            } else {
                const uint8_t* q = xr + std::size_t(x) * std::size_t(bits / 8);
                c = Couleur(q[2], q[1], q[0]);
            }
            dest.couleurs[std::size_t(dy) * std::size_t(dest.largeur) + std::size_t(dx)] = c;
        }
    }
}

// ---------------------------------------------------------------------------------------------

void TIconList::Changed()
{
    if (miseAJour_ == 0 && OnChange)
        OnChange();
}

void TIconList::EndUpdate()
{
    if (miseAJour_ > 0 && --miseAJour_ == 0)
        Changed();
}

void TIconList::Verifier(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError();
}

void TIconList::Brancher(TIcon& icone)
{
    icone.onChange = [this] { Changed(); };
}

TIcon* TIconList::Get(int index) const
{
    Verifier(index);
    return icones_[std::size_t(index)].get();
}

void TIconList::Put(int index, const TIcon& icone)
{
    BeginUpdate();
    try {
        if (index == Count())
            icones_.emplace_back();
        Verifier(index);
        auto& entree = icones_[std::size_t(index)];
        if (!entree) {
            entree = std::make_unique<TIcon>();
            Brancher(*entree);
        }
        entree->Assign(&icone);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TIconList::Add(const TIcon& icone)
{
    auto nouvelle = std::make_unique<TIcon>();
    nouvelle->Assign(&icone);
    Brancher(*nouvelle);
    icones_.push_back(std::move(nouvelle));
    Changed();
    return Count() - 1;
}

void TIconList::Insert(int index, const TIcon& icone)
{
    if (index < 0 || index > Count())
        throw EListError();
    auto nouvelle = std::make_unique<TIcon>();
    nouvelle->Assign(&icone);
    Brancher(*nouvelle);
    icones_.insert(icones_.begin() + index, std::move(nouvelle));
    Changed();
}

void TIconList::Delete(int index)
{
    Verifier(index);
    if (icones_[std::size_t(index)])
        icones_[std::size_t(index)]->onChange = nullptr;
    icones_.erase(icones_.begin() + index);
    Changed();
}

void TIconList::Clear()
{
    BeginUpdate();
    for (int i = Count() - 1; i >= 0; --i)
        Delete(i);
    EndUpdate();
}

void TIconList::Exchange(int a, int b)
{
    Verifier(a);
    Verifier(b);
    std::swap(icones_[std::size_t(a)], icones_[std::size_t(b)]);
    Changed();
}

int TIconList::IndexOf(const TIcon* icone) const
{
    for (int i = 0; i < Count(); ++i)
        if (icones_[std::size_t(i)].get() == icone)
            return i;
    return -1;
}

void TIconList::Move(int depuis, int vers)
{
    Verifier(depuis);
    Verifier(vers);
    auto icone = std::move(icones_[std::size_t(depuis)]);
    icones_.erase(icones_.begin() + depuis);
    icones_.insert(icones_.begin() + vers, std::move(icone));
    Changed();
}

void TIconList::Assign(const TIconList* source)
{
    if (source == this)
        return;
    BeginUpdate();
    Clear();
    if (source)
        for (const auto& icone : source->icones_) {
            if (icone)
                Add(*icone);
            else
                Add(TIcon());
        }
    EndUpdate();
}

void TIconList::Assign(const TIcon& source)
{
    BeginUpdate();
    Clear();
    Add(source);
    EndUpdate();
}

std::vector<uint8_t> TIconList::WriteIcons() const
{
    std::vector<uint8_t> o;
    EcrireLong(o, static_cast<uint32_t>(icones_.size()));
    for (const auto& icone : icones_) {
        if (icone && !icone->Vide()) {
            EcrireLong(o, static_cast<uint32_t>(icone->Octets().size()));
            o.insert(o.end(), icone->Octets().begin(), icone->Octets().end());
        } else {
            EcrireLong(o, 0);
        }
    }
    return o;
}

void TIconList::ReadIcons(const std::vector<uint8_t>& octets)
{
    BeginUpdate();
    try {
        Clear();
        if (octets.size() < 4)
            ErreurLecture();
        const uint32_t nombre = Long(octets.data());
        // Every entry takes at least its 4-byte size: a larger count cannot be true.
        if (nombre > (octets.size() - 4) / 4)
            ErreurLecture();
        std::size_t pos = 4;
        for (uint32_t i = 0; i < nombre; ++i) {
            if (octets.size() - pos < 4)
                ErreurLecture();
            const uint32_t taille = Long(octets.data() + pos);
            pos += 4;
            if (taille > octets.size() - pos)
                ErreurLecture();
            auto icone = std::make_unique<TIcon>();
            if (taille >= 1)
                icone->LoadFromBytes(std::vector<uint8_t>(octets.begin() + long(pos), octets.begin() + long(pos + taille)));
            pos += taille;
            Brancher(*icone);
            icones_.push_back(std::move(icone));
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

bool TIconList::DoitEcrire(const TIconList* ancetre) const
{
    if (!ancetre)
        return Count() > 0;
    if (ancetre->Count() != Count())
        return true;
    for (int i = 0; i < Count(); ++i)
        if (ancetre->icones_[std::size_t(i)].get() != icones_[std::size_t(i)].get())
            return true;
    return false;
}

// ---------------------------------------------------------------------------------------------

TIcon& TIconFrame::Icon()
{
    if (!icon)
        icon = std::make_unique<TIcon>();
    return *icon;
}

void TIconFrame::Assign(const TIconFrame& source)
{
    if (&source == this)
        return;
    if (source.icon)
        Icon().Assign(source.icon.get());
    else
        icon.reset();
    isIcon = source.isIcon;
    std::memcpy(chunkId, source.chunkId, 4);
    chunkSize = source.chunkSize;
    hotSpotX = source.hotSpotX;
    hotSpotY = source.hotSpotY;
    displayRate = source.displayRate;
    sequence = source.sequence;
}

void TAnimatedCursorImage::Clear()
{
    frames.clear();
    header = TAniHeader{};
    title.clear();
    author.clear();
    iconColors = 0;
}

TIconFrame& TAnimatedCursorImage::Frame(int index) const
{
    if (index < 0 || index >= FrameCount())
        throw EListError();
    return *frames[std::size_t(index)];
}

namespace {

bool Id(const uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

// One icon of an "icon" chunk; a cursor directory is turned into an icon one and keeps its
// hot spot.
void LireIcone(const uint8_t* p, std::size_t n, TIconFrame& cadre, uint16_t& couleurs)
{
    std::vector<uint8_t> o(p, p + n);
    if (o.size() < 6)
        ErreurLecture();
    const uint16_t type = Mot(o.data() + 2);
    cadre.isIcon = type == 1;
    if (type == 2) {
        o[2] = 1;
        o[3] = 0;
    }
    const std::size_t nombre = Mot(o.data() + 4);
    if (6 + 16 * nombre > o.size())
        ErreurLecture();
    for (std::size_t i = 0; i < nombre; ++i) {
        const uint8_t* e = o.data() + 6 + 16 * i;
        const std::size_t debut = Long(e + 12);
        if (debut <= o.size() && o.size() - debut >= 16) {
            const uint16_t bits = Mot(o.data() + debut + 14);
            const uint16_t c = bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
            couleurs = std::max(couleurs, c);
        }
        cadre.hotSpotX = Mot(e + 4);
        cadre.hotSpotY = Mot(e + 6);
    }
    try {
        cadre.Icon().LoadFromBytes(o);
    } catch (const EInvalidGraphic&) {
        ErreurLecture();
    }
    if (type != 2) {
        cadre.hotSpotX = cadre.icon->Largeur() / 2;
        cadre.hotSpotY = cadre.icon->Hauteur() / 2;
    }
}

} // namespace

void TAnimatedCursorImage::LoadFromStream(const uint8_t* octets, std::size_t n)
{
    if (n < 12 || !Id(octets, "RIFF") || !Id(octets + 8, "ACON"))
        ErreurLecture();
    Clear();
    // No frame can come without at least a chunk header of its own.
    const std::size_t maxCadres = n / 8 + 1;
    std::size_t pos = 12;
    std::size_t prochainRate = 0;
    std::size_t prochainSeq = 0;
    auto nouveauCadre = [&](int32_t sequence) -> TIconFrame& {
        if (frames.size() >= maxCadres)
            ErreurLecture();
        auto f = std::make_unique<TIconFrame>();
        f->sequence = sequence;
        f->displayRate = static_cast<int32_t>(header.jifRate);
        frames.push_back(std::move(f));
        return *frames.back();
    };
    while (n - pos >= 8) {
        const uint8_t* ch = octets + pos;
        const std::size_t taille = Long(ch + 4);
        const std::size_t debut = pos + 8;
        const std::size_t dispo = std::min(taille, n - debut);
        const std::size_t saut = taille + (taille & 1);
        if (Id(ch, "anih")) {
            uint8_t h[36] = {};
            std::memcpy(h, octets + debut, std::min<std::size_t>(36, dispo));
            uint32_t* champs[9] = {&header.cbSizeOf, &header.cFrames, &header.cSteps, &header.cx, &header.cy,
                                   &header.cBitCount, &header.cPlanes, &header.jifRate, &header.flags};
            for (int i = 0; i < 9; ++i)
                *champs[i] = Long(h + 4 * i);
            if (!(header.flags & 1) || header.cSteps == 0)
                ErreurLecture();
            if (header.cFrames > maxCadres)
                ErreurLecture();
            for (uint32_t i = 0; i < header.cFrames; ++i)
                nouveauCadre(static_cast<int32_t>(i));
        } else if (Id(ch, "rate") || Id(ch, "seq ")) {
            const bool rate = Id(ch, "rate");
            std::size_t& suivant = rate ? prochainRate : prochainSeq;
            if (dispo >= 4 && suivant < frames.size()) {
                const auto v = static_cast<int32_t>(Long(octets + debut));
                if (rate)
                    frames[suivant]->displayRate = v;
                else
                    frames[suivant]->sequence = v;
            }
            ++suivant;
        } else if (Id(ch, "LIST")) {
            if (dispo < 4)
                break;
            const uint8_t* type = octets + debut;
            const std::size_t fin = debut + dispo;
            std::size_t p = debut + 4;
            if (Id(type, "fram")) {
                int32_t icones = 0;
                while (fin - p >= 8) {
                    const std::size_t t = Long(octets + p + 4);
                    if (t > fin - p - 8)
                        break;   // a truncated sub-chunk ends the walk
                    if (Id(octets + p, "icon")) {
                        TIconFrame lu;
                        std::memcpy(lu.chunkId, octets + p, 4);
                        lu.chunkSize = static_cast<uint32_t>(t);
                        LireIcone(octets + p + 8, t, lu, iconColors);
                        bool donne = false;
                        for (auto& f : frames)
                            if (f->sequence == icones) {
                                const int32_t rateGarde = f->displayRate;
                                const int32_t seqGarde = f->sequence;
                                f->Assign(lu);
                                f->displayRate = rateGarde;
                                f->sequence = seqGarde;
                                donne = true;
                            }
                        if (!donne) {
                            TIconFrame& f = nouveauCadre(-1);
                            const int32_t rateGarde = f.displayRate;
                            f.Assign(lu);
                            f.displayRate = rateGarde;
                            f.sequence = -1;
                        }
                        ++icones;
                    }
                    p = std::min(fin, p + 8 + t + (t & 1));
                }
            } else if (Id(type, "INFO")) {
                while (fin - p >= 8) {
                    const std::size_t t = Long(octets + p + 4);
                    if (t > fin - p - 8)
                        break;
                    std::string* cible = Id(octets + p, "INAM") ? &title : Id(octets + p, "IART") ? &author : nullptr;
                    if (cible) {
                        const char* texte = reinterpret_cast<const char*>(octets + p + 8);
                        const std::size_t k = std::min<std::size_t>(t, 255);
                        *cible = std::string(texte, strnlen(texte, k));
                    }
                    p = std::min(fin, p + 8 + t + (t & 1));
                }
            }
        }
        if (saut > n - debut)
            break;
        pos = debut + saut;
    }
    for (std::size_t i = frames.size(); i-- > 0;)
        if (!frames[i]->icon || frames[i]->icon->Vide())
            frames.erase(frames.begin() + long(i));
    header.cSteps = static_cast<uint32_t>(frames.size());
    if (frames.empty())
        ErreurLecture();
}

void TAnimatedCursorImage::LoadFromFile(const std::string& chemin)
{
    const std::optional<std::vector<uint8_t>> o = platform::LireFichierEntier<std::vector<uint8_t>>(chemin);
    if (!o)
        ErreurLecture();
    LoadFromStream(o->data(), o->size());
}

void TAnimatedCursorImage::SaveToStream(std::vector<uint8_t>&) const { throw EFonctionNonImplementee(); }

void TAnimatedCursorImage::Assign(const TAnimatedCursorImage* source)
{
    if (source == this)
        return;
    Clear();
    if (!source)
        return;
    header = source->header;
    title = source->title;
    author = source->author;
    iconColors = source->iconColors;
    for (const auto& f : source->frames) {
        auto copie = std::make_unique<TIconFrame>();
        copie->Assign(*f);
        frames.push_back(std::move(copie));
    }
}

void TAnimatedCursorImage::AssignTo(TIcon& icone) const
{
    icone.Assign(frames.empty() ? nullptr : frames[0]->icon.get());
}

void TAnimatedCursorImage::AssignTo(ImagePixels& bitmap, TColor fond) const
{
    if (frames.empty()) {
        bitmap = ImagePixels();
        return;
    }
    DrawStrip(bitmap, fond, false, true);
}

void TAnimatedCursorImage::AssignTo(TIconList& liste) const
{
    liste.BeginUpdate();
    try {
        liste.Clear();
        for (const auto& f : frames)
            liste.Add(f->icon ? *f->icon : TIcon());
    } catch (...) {
        liste.EndUpdate();
        throw;
    }
    liste.EndUpdate();
}

void TAnimatedCursorImage::DrawStrip(ImagePixels& bitmap, TColor fond, bool versLeBas, bool reduire) const
{
    int32_t w = 0, h = 0;
    for (const auto& f : frames)
        if (f->icon) {
            w = std::max(w, f->icon->Largeur());
            h = std::max(h, f->icon->Hauteur());
        }
    const auto n = static_cast<int32_t>(frames.size());
    const Couleur c = (fond == clNone || fond < 0) ? platform::clWhite : Couleur::DeValeur(fond);
    bitmap = ImagePixels::Couleurs(versLeBas ? w : w * n, versLeBas ? h * n : h, c);
    for (int32_t i = 0; i < n; ++i)
        if (frames[std::size_t(i)]->icon)
            frames[std::size_t(i)]->icon->Dessiner(bitmap, versLeBas ? 0 : i * w, versLeBas ? i * h : 0);
    if (reduire && iconColors > 0 && !bitmap.Vide())
        bitmap = QuantizeToPalette(bitmap, iconColors);
}

// ---------------------------------------------------------------------------------------------

void TGIFImage::Assign(const TAnimatedCursorImage& curseur)
{
    Clear();
    backgroundColor = clWindow;
    for (const auto& f : curseur.frames) {
        ImagePixels bmp = ImagePixels::Couleurs(f->icon ? f->icon->Largeur() : 0, f->icon ? f->icon->Hauteur() : 0,
                                                platform::clWhite);
        if (f->icon)
            f->icon->Dessiner(bmp, 0, 0);
        // An icon is a transparent graphic: what it leaves uncovered takes the brush colour.
        bmp.transparent = true;
        bmp.couleurTransparente = platform::clWhite.Valeur();
        AppendFrame(bmp);
        frames.back()->delay = static_cast<uint16_t>(std::clamp<int64_t>(int64_t(f->displayRate) * 100 / 6, 0, 65535));
    }
    Changed();
}

const char* RegisterClipboardIconFormat()
{
    static const char* const nom = CF_IconeNom;
    return nom;
}
