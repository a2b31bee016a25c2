// The main window's layout: the rows at the top are placed here, the panels below by the layout
// of the editor; and the edit image with the painters' canvas on it.
#include "app/Main.h"

#include "app/Icones.h"
#include "app/Image.h"
#include "app/VuePartition.h"
#include "controls/CxPanel.h"
#include "document/Variable.h"
#include "editor/DessinSaisie.h"
#include "editor/Ed_fct.h"
#include "editor/Pistes.h"
#include "platform/Arrondi.h"
#include "platform/qt/CanevasQt.h"

#include <QFrame>
#include <QLayout>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>
#include <memory>

namespace {

QRect VersQRect(const TRectangle& r) { return QRect(r.Left, r.Top, std::max(r.Width, 0), std::max(r.Height, 0)); }

TRectangle VersRectangle(const QRect& r) { return TRectangle{r.x(), r.y(), r.width(), r.height()}; }

} // namespace

// ---- Layout ---------------------------------------------------------------------------------

void TForm1::resizeEvent(QResizeEvent* evenement)
{
    QMainWindow::resizeEvent(evenement);
    if (FermetureEnCours)
        return;
    if (premiereActivation_)
        DisposerPanneaux(); // no song yet: only the controls move
    else
        FormResize();
}

void TForm1::FormResize() { RedimensionnerFenetre(); }

// The panels for the window's size. The rows at the top (toolbar with the track name, title
// line with the track buttons at the right end) are the window's own; the panels below them
// are placed by the layout from the places they were designed with.
void TForm1::DisposerPanneaux()
{
    const int ppp = std::max(logicalDpiX(), 1);
    const auto echelle = [ppp](int pixels96) { return static_cast<int>(platform::Round(pixels96 * ppp / 96.0)); };
    const int m4 = echelle(4);
    // The menu bar takes its height first (before the first show the window's own layout has
    // not run yet).
    if (QLayout* disposition = layout())
        disposition->activate();
    const int l = fond_->width();
    const int h = fond_->height();

    // The toolbar, the track-name panel from its right end, the other speed buttons at the
    // row's right end. A toolbar too wide for the window wraps into more rows (the other
    // buttons then get a row of their own below it): no button is ever out of reach.
    const int gauche = echelle(5);
    const int haut = echelle(4);
    const int place = std::max(l - gauche - m4, 0);
    const int nomMin = echelle(40);
    const int largeur1 = toolbar_->sizeHint().width();
    const int largeur2 = barreMesures_->sizeHint().width();
    const bool uneRangee = largeur1 + nomMin + largeur2 <= place;
    toolbar_->setGeometry(gauche, haut, std::min(largeur1, std::max(place - nomMin, 0)), toolbar_->height());
    toolbar_->PositionControls(); // a hidden toolbar hears of its new width only when shown
    const int finBarre = toolbar_->x() + toolbar_->width();
    int basBarres = toolbar_->y() + toolbar_->height();
    int finNom = l - m4;
    if (uneRangee) {
        barreMesures_->setGeometry(l - m4 - largeur2, haut, largeur2, barreMesures_->height());
        finNom = barreMesures_->x();
    } else {
        barreMesures_->setGeometry(gauche, basBarres, std::min(largeur2, place), barreMesures_->height());
    }
    barreMesures_->PositionControls();
    basBarres = std::max(basBarres, barreMesures_->y() + barreMesures_->height());
    panelNomPiste_->setGeometry(finBarre, haut, std::max(finNom - finBarre, 0), toolbar_->height());

    // The track buttons, then the arrows, at the right end of the title line.
    const int yPistes = basBarres + echelle(3);
    const int cote = echelle(24);
    int x = l - m4 - 2 * cote;
    pisteDown_->setGeometry(x, yPistes, cote, cote);
    pisteUp_->setGeometry(x + cote, yPistes, cote, cote);
    for (int t = kNbPistes; t >= 1; --t) {
        x -= cote;
        boutonsPiste_[t]->setGeometry(x, yPistes, cote, cote);
    }

    // The places of the design; the layout sets what depends on the window's size and mode.
    const int hauteurRang = echelle(20);
    const int yAffichage = yPistes + cote + echelle(6);
    TDispositionFenetre d;
    d.Panel1 = {m4, yPistes, panel1_->width(), cote};
    d.BT_Piste1 = VersRectangle(boutonsPiste_[1]->geometry());
    d.BevelTop = {echelle(5), yPistes + cote + echelle(2), bevelTop_->width(), echelle(2)};
    d.PanelZoneAffScroll = {m4, yAffichage, panelZoneAffScroll_->width(), panelZoneAffScroll_->height()};
    d.ScrollBarZoneAffScroll = {scrollAffichage_->x(), yAffichage + 1, scrollAffichage_->sizeHint().width(),
                                scrollAffichage_->height()};
    d.PanelBarreBoutons2 = {m4, panelBarreBoutons2_->y(), panelBarreBoutons2_->width(), TailleIcone + echelle(8)};
    // The column beside the edit zone reaches from the edit panel's top to the status row's
    // bottom, and so gives the edit panel its height: the edit image and a margin.
    const int hauteurSaisie = kHauteurZoneSaisie + echelle(8);
    d.PanelBarreBoutons3 = {panelBarreBoutons3_->x(), panelBarreBoutons3_->y(), echelle(40),
                            hauteurSaisie + static_cast<int>(platform::Round(2.0 * ppp / 96.0)) + hauteurRang};
    d.PanelZoneSaisie = {m4, panelZoneSaisie_->y(), panelZoneSaisie_->width(), panelZoneSaisie_->height()};
    d.ZoneSaisie = VersRectangle(zoneSaisie_->geometry());
    d.ScrollBarZoneSaisie = {scrollSaisie_->x(), scrollSaisie_->y(), echelle(220), hauteurRang - 2};
    d.PanelNumMesure = {m4, panelNumMesure_->y(), echelle(90), hauteurRang};
    d.PanelNbTps = {m4 + echelle(92), panelNbTps_->y(), echelle(110), hauteurRang};
    d.PanelNbTps2 = {m4 + echelle(204), panelNbTps2_->y(), echelle(140), hauteurRang};
    d.PanelTextCom = {m4 + echelle(346), panelTextCom_->y(), panelTextCom_->width(), hauteurRang};

    // The window never gets smaller than its rows need, however many the toolbar wraps into: a
    // smaller one would lay the track buttons over the tool row and leave no score in view.
    // A window that grows for it is laid out again by its resize.
    const TTailleClient minimum = TailleClientMinimale(d, ppp);
    const QSize autour = size() - fond_->size();
    const QSize tailleMinimale(minimum.Largeur + autour.width(), minimum.Hauteur + autour.height());
    if (minimumSize() != tailleMinimale) {
        const QSize avant = size();
        setMinimumSize(tailleMinimale);
        if (size() != avant)
            return;
    }

    DisposerFenetre(d, l, h, ppp, PleinEcranActif);
    AppliquerDisposition(d);

    if (!premiereActivation_ && !FermetureEnCours && Partition.MesureCourante >= 1 &&
        Partition.MesureCourante <= Partition.NbMesures && Partition.Mesures[Partition.MesureCourante])
        TerminerDispositionFenetre(panelZoneSaisie_->width());
    else
        LargeurPanneauSaisie = panelZoneSaisie_->width();
}

void TForm1::AppliquerDisposition(const TDispositionFenetre& d)
{
    panel1_->setGeometry(VersQRect(d.Panel1));
    bevelTop_->setGeometry(VersQRect(d.BevelTop));
    panelZoneAffScroll_->setGeometry(VersQRect(d.PanelZoneAffScroll));
    scrollAffichage_->setGeometry(VersQRect(d.ScrollBarZoneAffScroll));
    panelBarreBoutons2_->setGeometry(VersQRect(d.PanelBarreBoutons2));
    panelBarreBoutons3_->setGeometry(VersQRect(d.PanelBarreBoutons3));
    panelZoneSaisie_->setGeometry(VersQRect(d.PanelZoneSaisie));
    zoneSaisie_->move(zoneSaisie_->x(), d.ZoneSaisie.Top);
    scrollSaisie_->setGeometry(VersQRect(d.ScrollBarZoneSaisie));
    panelNumMesure_->setGeometry(VersQRect(d.PanelNumMesure));
    panelNbTps_->setGeometry(VersQRect(d.PanelNbTps));
    panelNbTps2_->setGeometry(VersQRect(d.PanelNbTps2));
    panelTextCom_->setGeometry(VersQRect(d.PanelTextCom));
    zoneAffichage_->setGeometry(panelZoneAffScroll_->contentsRect());

    // A playback hides the button column itself and shows it again at its end.
    if (!affichageLecture_)
        panelBarreBoutons3_->setVisible(d.PanelBarreBoutons3Visible);
    // In the score-only layout the score view lies over the edit zone and its tool row.
    if (d.ZoneAffichageDevant) {
        panelZoneAffScroll_->raise();
        scrollAffichage_->raise();
    } else {
        panelBarreBoutons2_->raise();
        panelZoneSaisie_->raise();
        scrollSaisie_->raise();
    }
    panelTextCom_->raise();
    menusNoteEffetsActifs_ = d.MenusNoteEffetsActifs;
    ActiverMenu(menuNote_, menusNoteEffetsActifs_ && !commandesEditionCoupees_);
    ActiverMenu(menuEffets_, menusNoteEffetsActifs_ && !commandesEditionCoupees_);
}

void TForm1::AppliquerPleinEcran(bool actif)
{
    (void)actif; // PleinEcranActif is set already: the layout reads it
    DisposerPanneaux();
}

// A new edit image, white, with the painters' canvas on it.
void TForm1::InstallerImageSaisie(int largeur, int hauteur)
{
    InstallerCanevasSaisie(nullptr);
    canevasSaisie_.reset();
    peintreSaisie_.reset();
    zoneSaisie_->Redimensionner(largeur, hauteur);
    peintreSaisie_ = std::make_unique<QPainter>(&zoneSaisie_->Picture());
    canevasSaisie_ = std::make_unique<platform::CanevasQt>(*peintreSaisie_);
    InstallerCanevasSaisie(canevasSaisie_.get());
}
