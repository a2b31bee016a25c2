#include "controls/KxBtnGlyph.h"

#include "controls/Cadres.h"
#include "controls/CxCommon.h"
#include "controls/VCLUtils.h"

#include <QPainter>
#include <QStringList>

#include <algorithm>

namespace {

bool MemeCouleur(QRgb pixel, QColor c) { return (pixel & 0x00FFFFFF) == (c.rgb() & 0x00FFFFFF); }

std::unique_ptr<TGlyphCache>& Cache()
{
    static std::unique_ptr<TGlyphCache> cache;
    return cache;
}
int utilisateurs = 0;

} // namespace

int NumGlyphsDe(QSize bitmap, int actuel)
{
    if (bitmap.height() <= 0 || bitmap.width() <= 0 || bitmap.width() % bitmap.height() != 0)
        return actuel;
    const int n = bitmap.width() / bitmap.height();
    return n > 5 ? 1 : n;
}

QImage GriserGlyphe(const QImage& image, QColor transparent, QColor face)
{
    QImage gris = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < gris.height(); ++y) {
        auto* ligne = reinterpret_cast<QRgb*>(gris.scanLine(y));
        for (int x = 0; x < gris.width(); ++x) {
            const QRgb p = ligne[x];
            if (MemeCouleur(p, transparent) || MemeCouleur(p, face))
                continue;
            const int g = (qRed(p) * 77 + qGreen(p) * 150 + qBlue(p) * 29) / 256;
            ligne[x] = qRgb(g, g, g);
        }
    }
    return gris;
}

QImage MasquerCouleur(const QImage& image, QColor cle)
{
    QImage masque = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masque.height(); ++y) {
        auto* ligne = reinterpret_cast<QRgb*>(masque.scanLine(y));
        for (int x = 0; x < masque.width(); ++x)
            if (MemeCouleur(ligne[x], cle))
                ligne[x] = 0;
    }
    return masque;
}

QSize PlaceLegende(QSize client, QSize glyphe, TButtonLayout disposition, int marge, int espacement, bool marque)
{
    glyphe = glyphe.expandedTo(QSize(0, 0));
    const bool vertical = disposition == blGlyphTop || disposition == blGlyphBottom;
    int l, h;
    if (vertical) {
        l = client.width() - 2;
        h = client.height() - glyphe.height() - 2;
    } else {
        l = client.width() - glyphe.width() - 2 - (marque ? 9 : 0);
        h = client.height() - 2;
    }
    int& axe = vertical ? h : l;
    if (marge != -1)
        axe -= marge;
    if (espacement != -1)
        axe -= espacement;
    return {std::max(0, l), std::max(0, h)};
}

DispositionBouton CalculerDisposition(QRect client, QSize glyphe, QSize legende, TButtonLayout disposition,
                                      int marge, int espacement, bool marque)
{
    // An invalid size (no glyph, no caption) is an empty one.
    const QSize zero(0, 0);
    glyphe = glyphe.expandedTo(zero);
    legende = legende.expandedTo(zero);
    QSize g = glyphe;
    QSize t = legende;
    if (marque) {
        if (!glyphe.isEmpty() && disposition != blGlyphLeft)
            g.rwidth() += 6;
        else
            t.rwidth() += 9;
    }
    const bool vertical = disposition == blGlyphTop || disposition == blGlyphBottom;
    QPoint pg, pt;
    if (vertical) {
        pg.setX(client.width() / 2 - g.width() / 2);
        pt.setX(client.width() / 2 - t.width() / 2);
    } else {
        pg.setY(client.height() / 2 - g.height() / 2);
        pt.setY(client.height() / 2 - t.height() / 2);
    }
    const int etendue = vertical ? client.height() : client.width();
    const int eg = vertical ? g.height() : g.width();
    const int et = vertical ? t.height() : t.width();
    if (et == 0 || eg == 0)
        espacement = 0;
    if (marge == -1) {
        if (espacement == -1)
            marge = espacement = (etendue - eg - et) / 3;
        else
            marge = etendue / 2 - (eg + espacement + et) / 2;
    } else if (espacement == -1) {
        espacement = (etendue - marge - eg) / 2 - et / 2;
    }
    int posG, posT;
    if (disposition == blGlyphLeft || disposition == blGlyphTop) {
        posG = marge;
        posT = posG + eg + espacement;
    } else {
        posG = etendue - marge - eg;
        posT = posG - espacement - et;
    }
    if (vertical) {
        pg.setY(posG);
        pt.setY(posT);
    } else {
        pg.setX(posG);
        pt.setX(posT);
    }
    return {pg + client.topLeft(), QRect(pt + client.topLeft(), legende)};
}

QString RaccourcirLegende(const QString& legende, const std::function<int(const QString&)>& mesure, int largeur)
{
    const QString points = QStringLiteral("...");
    QString texte = QString(legende).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    while (!texte.isEmpty() && (texte.back() == u' ' || texte.back() == u'\n' || texte.back() == u'\r'))
        texte.chop(1);
    QStringList lignes = texte.split(u'\n');
    for (QString& ligne : lignes) {
        if (mesure(ligne) <= largeur)
            continue;
        int n = std::max(0, static_cast<int>(ligne.size()) - 2);
        QString court = ligne.left(n) + points;
        while (n > 0 && mesure(court) > largeur)
            court = ligne.left(--n) + points;
        ligne = court;
    }
    return lignes.join(u'\n');
}

// ---- Lists and cache ------------------------------------------------------------------------------

int TGlyphList::Add(const QImage& image)
{
    const auto libre = std::find(occupe_.begin(), occupe_.end(), false);
    const auto index = static_cast<std::size_t>(libre - occupe_.begin());
    if (libre == occupe_.end()) {
        images_.push_back(image);
        occupe_.push_back(true);
    } else {
        images_[index] = image;
        occupe_[index] = true;
    }
    ++utilises_;
    return static_cast<int>(index);
}

void TGlyphList::Delete(int index)
{
    if (index < 0 || index >= Capacite() || !occupe_[static_cast<std::size_t>(index)])
        return;
    occupe_[static_cast<std::size_t>(index)] = false;
    images_[static_cast<std::size_t>(index)] = QImage();
    --utilises_;
}

TGlyphCache& TGlyphCache::Instance()
{
    if (!Cache())
        Cache() = std::make_unique<TGlyphCache>();
    return *Cache();
}

TGlyphCache* TGlyphCache::Existant() { return Cache().get(); }

TGlyphList* TGlyphCache::GetList(int largeur, int hauteur)
{
    for (auto it = listes_.rbegin(); it != listes_.rend(); ++it)
        if ((*it)->Largeur() == largeur && (*it)->Hauteur() == hauteur)
            return it->get();
    listes_.push_back(std::make_unique<TGlyphList>(largeur, hauteur));
    return listes_.back().get();
}

void TGlyphCache::ReturnList(TGlyphList* liste)
{
    if (!liste || liste->Count() > 0)
        return;
    std::erase_if(listes_, [liste](const auto& l) { return l.get() == liste; });
}

void TGlyphCache::AjouterUtilisateur() { ++utilisateurs; }

void TGlyphCache::RetirerUtilisateur()
{
    if (--utilisateurs <= 0 && Cache() && Cache()->Empty())
        Cache().reset();
}

// ---- The glyph ------------------------------------------------------------------------------------

TKxButtonGlyph::TKxButtonGlyph() { TGlyphCache::AjouterUtilisateur(); }

TKxButtonGlyph::~TKxButtonGlyph()
{
    Invalidate();
    TGlyphCache::RetirerUtilisateur();
}

void TKxButtonGlyph::SetGlyph(const QImage& bitmap)
{
    QColor transparente = transparente_;
    if (!bitmap.isNull())
        transparente = bitmap.pixelColor(0, bitmap.height() - 1);
    SetGlyph(bitmap, transparente);
}

void TKxButtonGlyph::SetGlyph(const QImage& bitmap, QColor transparent)
{
    Invalidate();
    glyphe_ = bitmap;
    if (!bitmap.isNull()) {
        transparente_ = transparent;
        numGlyphs_ = NumGlyphsDe(bitmap.size(), numGlyphs_);
    }
    if (OnChange)
        OnChange();
}

void TKxButtonGlyph::SetNumGlyphs(int n)
{
    if (n <= 0)
        return;
    n = std::min(n, 5);
    if (n == numGlyphs_)
        return;
    Invalidate();
    numGlyphs_ = n;
    if (OnChange)
        OnChange();
}

QSize TKxButtonGlyph::TailleGlyphe() const
{
    if (glyphe_.isNull())
        return {0, 0};
    return {glyphe_.width() / numGlyphs_, glyphe_.height()};
}

QImage TKxButtonGlyph::Colonne(int i) const
{
    const QSize t = TailleGlyphe();
    return glyphe_.copy(i * t.width(), 0, t.width(), t.height());
}

void TKxButtonGlyph::Invalidate()
{
    if (!liste_)
        return;
    for (int& i : index_) {
        liste_->Delete(i);
        i = -1;
    }
    if (TGlyphCache* cache = TGlyphCache::Existant())
        cache->ReturnList(liste_);
    liste_ = nullptr;
}

const QImage* TKxButtonGlyph::ImageEtat(TKxButtonState etat)
{
    if (etat == bsDown && numGlyphs_ < 3)
        etat = bsUp;
    if (index_[etat] != -1)
        return &liste_->Image(index_[etat]);
    const QSize t = TailleGlyphe();
    if (t.isEmpty())
        return nullptr;
    if (!liste_)
        liste_ = TGlyphCache::Instance().GetList(t.width(), t.height());
    const int colonne = etat < numGlyphs_ ? etat : 0;
    QImage image;
    switch (etat) {
    case bsUp:
    case bsDown:
    case bsExclusive:
        image = MasquerCouleur(Colonne(colonne), transparente_);
        break;
    case bsDisabled:
        if (numGlyphs_ < 2)
            image = MasquerCouleur(MakeEmbossedBitmap(Colonne(0), Qt::black), CouleurSystemeQt(clBtnFace));
        else
            image = MasquerCouleur(Colonne(1), transparente_);
        break;
    case bsInactive:
        if (numGlyphs_ == 5)
            image = MasquerCouleur(Colonne(4), transparente_);
        else
            image = MasquerCouleur(GriserGlyphe(Colonne(0), transparente_, CouleurSystemeQt(clBtnFace)), transparente_);
        break;
    }
    index_[etat] = liste_->Add(image);
    return &liste_->Image(index_[etat]);
}
