#include "app/VuePartition.h"

#include "platform/qt/CanevasQt.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

#include <algorithm>

namespace {

QColor VersQColor(platform::Couleur c) { return QColor(c.r, c.g, c.b); }

QRect RectangleBande(const TBande& b) { return QRect(b.Gauche, b.Haut, b.Largeur, b.Hauteur); }

} // namespace

VuePartition::VuePartition(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("VuePartition"));
    // Every pixel is painted from the band images and the panel colour.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

VuePartition::~VuePartition()
{
    TerminerPeinture();
    if (&SurfacePartition() == this)
        InstallerSurfacePartition(nullptr);
}

void VuePartition::AttacherBarreDefilement(QScrollBar* barre)
{
    if (barre_)
        disconnect(barre_, nullptr, this, nullptr);
    barre_ = barre;
    if (!barre_)
        return;
    // The bar may be moved while disabled (a short song with its chord list above): the
    // position still counts.
    connect(barre_, &QScrollBar::valueChanged, this, [](int valeur) { DefinirPositionDefilement(valeur); });
    SynchroniserBarre();
}

void VuePartition::DefinirHauteurClient(std::function<int()> hauteurClient) { hauteurClient_ = std::move(hauteurClient); }

const QImage& VuePartition::ImageBande(int bande) const
{
    static const QImage vide;
    if (bande < 0 || bande > kNbBandesMax)
        return vide;
    return images_[static_cast<std::size_t>(bande)];
}

int VuePartition::HauteurClientFenetre() const
{
    if (hauteurClient_)
        return hauteurClient_();
    const QWidget* fenetre = window();
    return fenetre == this ? height() + 55 : fenetre->height();
}

bool VuePartition::Agrandir(int bande, int largeur, int hauteur)
{
    QImage& image = images_[static_cast<std::size_t>(bande)];
    if (image.width() >= largeur && image.height() >= hauteur)
        return !image.isNull();
    // A picture grows with its band and never shrinks; what it showed is kept. When the
    // memory is not there, the band keeps its old picture.
    QImage plus(std::max(image.width(), largeur), std::max(image.height(), hauteur), QImage::Format_RGB32);
    if (plus.isNull())
        return !image.isNull();
    plus.fill(VersQColor(AffichagePartition.CouleurFond));
    if (!image.isNull()) {
        QPainter copie(&plus);
        copie.drawImage(0, 0, image);
    }
    image = std::move(plus);
    return true;
}

platform::Canevas* VuePartition::CanevasBande(int bande)
{
    if (bande < 0 || bande > kNbBandesMax)
        return nullptr;
    const TBande& place = AffichagePartition.Bandes[static_cast<std::size_t>(bande)];
    const int largeur = std::max(place.Largeur, 0);
    const int hauteur = std::max(place.Hauteur, 0);
    const QImage& image = images_[static_cast<std::size_t>(bande)];
    const bool tropPetite = image.width() < largeur || image.height() < hauteur;
    if (bande == bandePeinte_ && canevas_ && !tropPetite)
        return canevas_.get();

    TerminerPeinture();
    if (largeur == 0 || hauteur == 0 || !Agrandir(bande, largeur, hauteur))
        return nullptr;
    peintre_ = std::make_unique<QPainter>(&images_[static_cast<std::size_t>(bande)]);
    canevas_ = std::make_unique<platform::CanevasQt>(*peintre_);
    bandePeinte_ = bande;
    return canevas_.get();
}

platform::Canevas* VuePartition::CanevasMesure()
{
    if (!mesure_) {
        imageMesure_ = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
        peintreMesure_ = std::make_unique<QPainter>(imageMesure_.get());
        mesure_ = std::make_unique<platform::CanevasQt>(*peintreMesure_);
    }
    return mesure_.get();
}

bool VuePartition::BandeSansImage(int bande) const { return ImageBande(bande).isNull(); }

void VuePartition::TerminerPeinture()
{
    canevas_.reset();
    if (peintre_) {
        peintre_->end();
        peintre_.reset();
    }
    bandePeinte_ = kBandeAucune;
}

void VuePartition::SynchroniserBarre()
{
    if (!barre_)
        return;
    const TDefilement& d = AffichagePartition.Defilement;
    const QSignalBlocker bloqueur(barre_);
    barre_->setRange(d.Min, std::max(d.Max, d.Min));
    // A bar with nothing to scroll shows its handle over the whole groove whatever its steps,
    // which would only repaint it (at start, the steps of the first layout); they are set once
    // there is something to scroll.
    if (barre_->maximum() > barre_->minimum()) {
        barre_->setSingleStep(std::max(d.PetitPas, 1));
        barre_->setPageStep(std::max(d.GrandPas, 1));
    }
    barre_->setEnabled(d.Actif);
    barre_->setValue(d.Position);
}

void VuePartition::ActualiserAffichage()
{
    TerminerPeinture();
    SynchroniserBarre();
    update();
}

void VuePartition::paintEvent(QPaintEvent* evenement)
{
    TerminerPeinture();
    const TAffichagePartition& af = AffichagePartition;
    QPainter p(this);
    p.fillRect(evenement->rect(), VersQColor(af.CouleurFond));
    for (int bande = 0; bande <= kNbBandesMax; ++bande) {
        const TBande& place = af.Bandes[static_cast<std::size_t>(bande)];
        const QImage& image = images_[static_cast<std::size_t>(bande)];
        const QRect cible = RectangleBande(place);
        if (image.isNull() || cible.isEmpty() || !cible.intersects(evenement->rect()))
            continue;
        // Only the band's own place shows, whatever the picture's size.
        p.drawImage(cible.topLeft(), image, QRect(0, 0, place.Largeur, place.Hauteur));
    }
    const TCadre& c = af.Selection;
    if (c.Largeur > 0 && c.Hauteur > 0) {
        p.setPen(QPen(VersQColor(af.CouleurSelection), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(c.Gauche, c.Haut, c.Largeur - 1, c.Hauteur - 1);
    }
}

void VuePartition::mousePressEvent(QMouseEvent* evenement)
{
    const QPoint point = evenement->position().toPoint();
    for (int bande = 1; bande <= kNbBandesMax; ++bande) {
        const TBande& place = AffichagePartition.Bandes[static_cast<std::size_t>(bande)];
        if (RectangleBande(place).contains(point)) {
            emit BandeCliquee(bande, point.x() - place.Gauche, point.y() - place.Haut, evenement->button(),
                              evenement->modifiers());
            return;
        }
    }
    QWidget::mousePressEvent(evenement);
}

void VuePartition::wheelEvent(QWheelEvent* evenement)
{
    // One notch (120) scrolls a quarter of a line, down for a wheel turned towards the user.
    rouletteRestante_ += evenement->angleDelta().y();
    while (rouletteRestante_ >= 120 || rouletteRestante_ <= -120) {
        const int sens = rouletteRestante_ > 0 ? -1 : 1;
        rouletteRestante_ += sens * 120;
        const TDefilement& d = AffichagePartition.Defilement;
        DefinirPositionDefilement(d.Position + sens * d.PetitPas);
    }
    evenement->accept();
}
