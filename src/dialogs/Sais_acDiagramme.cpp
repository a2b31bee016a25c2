// The chord dialog's diagrams: the working chord's diagram, drawn and edited with the mouse, the
// band of fingerings found, and the popup diagram of a list entry.
#include "dialogs/Sais_ac.h"

#include "dialogs/BaseDialogue.h"
#include "dialogs/Sais_acInterne.h"
#include "editor/RechercheDoigtes.h"
#include "editor/ReconnaissanceAccords.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>
#include <span>

// ---- Diagram view ------------------------------------------------------------------------------

void TSais_Ac_Form::AfficherDiagrammeAccord()
{
    const TAccordageDoigte accordage = AccordagePisteCourante();
    NommerDoigte(HauteursAccord(AccordTravail, accordage), BT_Diese->isChecked());
    {
        const Garde g(majControles_);
        DifferentsNoms->clear();
        for (int i = 1; i <= NbNomsProposes; ++i)
            DifferentsNoms->addItem(VersQString(NomsProposes[static_cast<std::size_t>(i)].Nom));
        DifferentsNoms->setCurrentRow(-1);
    }

    ImDiag->Effacer();
    ImDiag->Peindre([&](platform::Canevas& c) { PeindreDiagrammeAccord(c, AccordTravail, accordage, geometrie_); });

    NbComb->setText(NbSolutionsDoigte > 0 ? QStringLiteral("%1/%2").arg(SolutionCourante).arg(NbSolutionsDoigte)
                                          : QString());
    if (NbSolutionsDoigte > 0 && !chargementAccord_)
        EncadrerSolution();
}

void TSais_Ac_Form::AfficherSolutions()
{
    ScrollFret->setEnabled(false);
    SolutionEncadree = 0;
    ImListeDiag->Effacer();
    const int colonnes = ColonnesBande(ImListeDiag->Image.width());
    const int total = std::clamp<int32_t>(NbSolutionsDoigte, 0, kNbSolutionsDoigteMax);
    ImListeDiag->Peindre([&](platform::Canevas& c) {
        PeindreBande(c, std::span<const TAccord>(SolutionsDoigte.data() + 1, static_cast<std::size_t>(total)),
                     colonnes);
    });

    {
        const Garde g(majControles_);
        if (total == 0) {
            ScrollSol->setRange(1, 1);
            ScrollSol->setValue(1);
            ScrollSol->setEnabled(false);
        } else if (!chargementAccord_) {
            ScrollSol->setRange(1, total);
            ScrollSol->setValue(1);
            ScrollSol->setEnabled(true);
        }
    }
    if (total == 0 && !chargementAccord_)
        ReinitialiserAccordTravail();
    else if (total > 0 && !chargementAccord_)
        PrendreSolution(SolutionCourante, BT_Diese->isChecked());

    const int visible = ScrollBoxSol->viewport()->height();
    ImListeDiag->resize(ImListeDiag->Image.width(),
                        HauteurDefilementBande(total, colonnes, visible, ImListeDiag->Image.height()));
    ScrollBoxSol->verticalScrollBar()->setValue(0);

    if (!chargementAccord_)
        AfficherDiagrammeAccord();
}

void TSais_Ac_Form::EncadrerSolution()
{
    if (SolutionCourante == 0)
        return;
    const int colonnes = ColonnesBande(ImListeDiag->Image.width());
    auto cadre = [&](int32_t solution) {
        const platform::Point p = PositionVignette(solution - 1, colonnes);
        InverserRectangle(ImListeDiag->Image, p.x, p.y, p.x + kCoteCadreVignette, p.y + kCoteCadreVignette,
                          Qt::yellow);
        return p;
    };
    if (SolutionEncadree != 0)
        cadre(SolutionEncadree);
    const platform::Point p = cadre(SolutionCourante);
    SolutionEncadree = SolutionCourante;
    ImListeDiag->update();

    QScrollBar* barre = ScrollBoxSol->verticalScrollBar();
    barre->setValue(DefilementVersVignette(p.y, barre->value()));
}

void TSais_Ac_Form::ScrollSolChange()
{
    ScrollFret->setEnabled(false);
    SolutionCourante = ScrollSol->value();
    PrendreSolution(SolutionCourante, BT_Diese->isChecked());
    AfficherDiagrammeAccord();
}

void TSais_Ac_Form::ChoisirVignette(int x, int y)
{
    const int index = VignetteSousPoint(x, y, ColonnesBande(ImListeDiag->Image.width()));
    if (index < 1 || index > NbSolutionsDoigte)
        return;
    ScrollFret->setEnabled(false);
    SolutionCourante = index;
    const bool etaitInactif = !ScrollSol->isEnabled();
    const int avant = ScrollSol->value();
    {
        const Garde g(majControles_);
        ScrollSol->setEnabled(true);
        ScrollSol->setRange(1, NbSolutionsDoigte);
        ScrollSol->setValue(index);
    }
    if (etaitInactif || avant != index)
        ScrollSolChange();
}

void TSais_Ac_Form::ImListeDiagMouseDown(int x, int y)
{
    BoutonEnfonce = true;
    ChoisirVignette(x, y);
}

void TSais_Ac_Form::ImListeDiagMouseMove(int x, int y)
{
    CacherPopupDiagramme();
    if (BoutonEnfonce)
        ChoisirVignette(x, y);
}

void TSais_Ac_Form::ImListeDiagMouseUp() { BoutonEnfonce = false; }

// ---- Diagram editing ---------------------------------------------------------------------------

void TSais_Ac_Form::PasserEnPersoEnGardantDiagramme(bool reglerBase)
{
    if (reglerBase)
        ReglerScrollFret(AccordTravail.FretteBase, ScrollFret->isEnabled());
    TAccord copie = AccordTravail;
    {
        const Garde g(majControles_);
        Fondamentale->setCurrentRow(kFondamentalePerso);
    }
    FondamentaleClick();
    copie.Fondamentale = kFondamentalePerso;
    AccordTravail = copie;
}

void TSais_Ac_Form::EditerCase(const TCaseDiagramme& c)
{
    if (Fondamentale->currentRow() != kFondamentalePerso)
        PasserEnPersoEnGardantDiagramme(true);
    const int32_t frette = FretteCase(c, AccordTravail.FretteBase);
    BasculerFrette(AccordTravail, c.Corde, frette);
    DerniereCordeEditee = c.Corde;
    DerniereFretteEditee = frette;

    NbSolutionsDoigte = 0;
    ImListeDiag->Effacer();
    AfficherDiagrammeAccord();
    {
        const Garde g(majControles_);
        ScrollSol->setEnabled(false);
    }
    ReglerScrollFret(AccordTravail.FretteBase, true);
}

void TSais_Ac_Form::ImDiagMouseDown(int x, int y)
{
    BoutonEnfonce = true;
    if (const auto c = CaseDiagramme(x, y, geometrie_, false))
        EditerCase(*c);
}

void TSais_Ac_Form::ImDiagMouseMove(int x, int y)
{
    CacherPopupDiagramme();
    if (!BoutonEnfonce)
        return;
    const auto c = CaseDiagramme(x, y, geometrie_, true);
    if (!c)
        return;
    if (c->Corde != DerniereCordeEditee || FretteCase(*c, AccordTravail.FretteBase) != DerniereFretteEditee)
        EditerCase(*c);
}

void TSais_Ac_Form::ImDiagMouseUp()
{
    BoutonEnfonce = false;
    DerniereCordeEditee = -1;
    DerniereFretteEditee = -1;
}

void TSais_Ac_Form::ScrollFretChange()
{
    if (MajFretteBase)
        return;
    // Read first: switching to the custom chord must not bring the bar back.
    const int32_t nouvelle = ScrollFret->value();
    NbSolutionsDoigte = 0;
    if (Fondamentale->currentRow() != kFondamentalePerso)
        PasserEnPersoEnGardantDiagramme(false);
    AncienneFretteBase = AccordTravail.FretteBase;
    DeplacerForme(AccordTravail, nouvelle);
    ImListeDiag->Effacer();
    AfficherDiagrammeAccord();
}

// ---- Popup of the lists --------------------------------------------------------------------------

void TSais_Ac_Form::MontrerPopupDiagramme(const TAccord& accord, int gauche, int haut, const void* cle)
{
    const QPoint place(gauche, haut);
    if (place != placePopup_ || cle != clePopup_ || !PanelImagePopup->isVisible()) {
        placePopup_ = place;
        clePopup_ = cle;
        PanelImagePopup->move(place);
        PopupDiag->Effacer();
        PopupDiag->Peindre([&](platform::Canevas& c) { AfficherPopupDiagramme(c, accord); });
    }
    PanelImagePopup->show();
    PanelImagePopup->raise();
}

void TSais_Ac_Form::CacherPopupDiagramme()
{
    PanelImagePopup->hide();
    PanelImagePopup->move(-500, PanelImagePopup->y());
    clePopup_ = nullptr;
    placePopup_ = QPoint(-500, PanelImagePopup->y());
}

int TSais_Ac_Form::LargeurPopup() const { return PanelImagePopup->width(); }
int TSais_Ac_Form::HauteurPopup() const { return PanelImagePopup->height(); }

void TSais_Ac_Form::mouseMoveEvent(QMouseEvent* e)
{
    CacherPopupDiagramme();
    QDialog::mouseMoveEvent(e);
}
