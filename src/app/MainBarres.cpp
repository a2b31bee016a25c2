// The main window's speed buttons built from the command list: the toolbar, the other buttons of
// its row, the row above the edit zone and the column beside it.
#include "app/Main.h"

#include "app/Icones.h"
#include "app/MainInterne.h"
#include "controls/CxButton.h"
#include "controls/CxPanel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QStringList>
#include <QVBoxLayout>
#include <vector>

TCxToolbarButton* TForm1::CreerBouton(QWidget* parent, Cmd c, bool parAction)
{
    const auto& d = Description(c);
    auto* b = new TCxToolbarButton(parent);
    b->setObjectName(d.Nom);
    b->setIcon(IconeBouton(d.Nom));
    b->setIconSize(QSize(TailleIcone, TailleIcone));
    b->setCheckable(d.Cochable);
    const Cmd action = d.ActionLiee ? *d.ActionLiee : c;
    const char* legende = Description(action).Legende;
    QString bulle = QString::fromUtf8(legende).remove("...").replace("&&", "\x01").remove('&').replace("\x01", "&");
    b->setToolTip(bulle);
    if (parAction && d.ActionLiee) {
        // Its action's enabled state and what a click runs; the down state stays the
        // command's own (a toggle is alone in its group and may be released).
        b->SetIgnoreActionCaption(true);
        b->SetHotNumGlyphs(0);
        int groupe = 0;
        switch (c) {
        case Cmd::Bt_Son_EnBoucle: groupe = 1; break;
        case Cmd::Bt_Son_Metronome: groupe = 2; break;
        case Cmd::Bt_Affichage_PleinEcran: groupe = 3; break;
        default: break;
        }
        if (groupe != 0) {
            b->SetGroupIndex(groupe);
            b->SetAllowAllUp(true);
        }
        b->SetAction(actions_[Indice(action)]);
    } else {
        connect(b, &QToolButton::clicked, this, [this, c] { ExecuterDepuisVue(c); });
    }
    boutons_[Indice(c)].push_back(b);
    return b;
}

// Groups of buttons side by side in a toolbar, a grooved spacer between two groups; the
// toolbar takes them in that order, by name.
void TForm1::GarnirBarre(TCxToolbar* barre, const std::vector<std::vector<Cmd>>& groupes, const QString& espaceurs,
                         bool parAction)
{
    QStringList noms;
    for (std::size_t g = 0; g < groupes.size(); ++g) {
        if (g > 0) {
            auto* s = new TCxSpacer(barre);
            s->setObjectName(espaceurs + QString::number(g));
            s->resize(6, 25);
            s->SetGrooved(true);
            noms << s->objectName();
        }
        for (Cmd c : groupes[g])
            noms << CreerBouton(barre, c, parAction)->objectName();
    }
    barre->SetToolbarControlNames(noms);
}

void TForm1::ConstruireBarres()
{
    // The toolbar: files, settings, printing, clipboard, measure editing, playback, layout; its
    // buttons run their actions.
    GarnirBarre(toolbar_,
                {
                    {Cmd::Bt_Fichier_Nouveau, Cmd::Bt_Fichier_Ouvrir, Cmd::Bt_Fichier_Enregistrer},
                    {Cmd::Bt_Fichier_Proprietes, Cmd::Bt_Options_Preferences},
                    {Cmd::Bt_Fichier_Imprimer, Cmd::Bt_Fichier_ApercuImp},
                    {Cmd::Bt_Edition_Couper, Cmd::Bt_Edition_Copier, Cmd::Bt_Edition_Coller},
                    {Cmd::Bt_Edition_Inserer, Cmd::Bt_Edition_Vider},
                    {Cmd::Bt_Son_LectureDebut, Cmd::Bt_Son_LecturePosEC, Cmd::Bt_Son_LectureMesureEC, Cmd::Bt_Son_Stop,
                     Cmd::Bt_Son_EnBoucle, Cmd::Bt_Son_Metronome},
                    {Cmd::Bt_Affichage_PleinEcran},
                },
                "CxSpacer", true);
    // The other speed buttons of the top row: mix table, measures, staff palette.
    GarnirBarre(barreMesures_,
                {
                    {Cmd::Bt_Edition_TableMix},
                    {Cmd::Bt_Mesure_Premiere, Cmd::Bt_Mesure_Precedente, Cmd::Bt_Mesure_AllerA,
                     Cmd::Bt_Mesure_Suivante, Cmd::Bt_Mesure_Derniere},
                    {Cmd::Bt_Mesure_Signature, Cmd::Bt_Mesure_RenvoiDebut, Cmd::Bt_Mesure_RenvoiFin,
                     Cmd::Bt_Mesure_Repetitions},
                    {Cmd::Bt_Ass_Solfege},
                },
                "EspaceurMesures", false);

    // Above the edit zone: note values, beat commands and the techniques.
    auto* l2 = new QHBoxLayout(panelBarreBoutons2_);
    l2->setContentsMargins(0, 0, 0, 0);
    l2->setSpacing(0);
    const std::vector<std::vector<Cmd>> groupes2 = {
        {Cmd::Bt_Note_Ronde, Cmd::Bt_Note_Blanche, Cmd::Bt_Note_Noire, Cmd::Bt_Note_Croche, Cmd::Bt_Note_DCroche,
         Cmd::Bt_Note_TCroche, Cmd::Bt_Note_QCroche},
        {Cmd::Bt_Note_Pointee, Cmd::Bt_Note_Triolet, Cmd::Bt_Note_Lier, Cmd::Bt_Note_Silence,
         Cmd::Bt_Note_NoteEtouffee, Cmd::Bt_Note_Accord, Cmd::Bt_Note_Annotation},
        {Cmd::Bt_Note_InsererTemps, Cmd::Bt_Note_SupprimerTemps, Cmd::Bt_Note_CopierTempsfin,
         Cmd::Bt_Note_DeplacerHaut, Cmd::Bt_Note_DeplacerBas},
        {Cmd::Bt_Effet_HO, Cmd::Bt_Effet_PO, Cmd::Bt_Effet_SlideUp, Cmd::Bt_Effet_SlideDown, Cmd::Bt_Effet_Bend,
         Cmd::Bt_Effet_BendRelease, Cmd::Bt_Effet_LetRing, Cmd::Bt_Effet_GraceNote, Cmd::Bt_Effet_GhostNote},
        {Cmd::Bt_Effet_VibMainGauche, Cmd::Bt_Effet_TremoloBar, Cmd::Bt_Effet_CoupDeVibrato, Cmd::Bt_Effet_HarmNat,
         Cmd::Bt_Effet_HarmArt, Cmd::Bt_Effet_FadeIn, Cmd::Bt_Effet_TappingMD, Cmd::Bt_Effet_Slap, Cmd::Bt_Effet_Pop},
        {Cmd::Bt_Effet_BrushUp, Cmd::Bt_Effet_BrushDown, Cmd::BT_DynaForm},
    };
    for (std::size_t g = 0; g < groupes2.size(); ++g) {
        if (g > 0)
            l2->addSpacing(6);
        for (Cmd c : groupes2[g])
            l2->addWidget(CreerBouton(panelBarreBoutons2_, c));
    }
    l2->addStretch(1);

    // Beside the edit zone: validate and cancel the measure.
    auto* l3 = new QVBoxLayout(panelBarreBoutons3_);
    l3->setContentsMargins(2, 2, 2, 2);
    l3->setSpacing(4);
    for (Cmd c : {Cmd::BT_Valider, Cmd::BT_AnnulerMesure}) {
        TCxToolbarButton* b = CreerBouton(panelBarreBoutons3_, c);
        b->setIconSize(QSize(TailleIcone + 4, TailleIcone + 4));
        b->setAutoRaise(false);
        l3->addWidget(b);
    }
    l3->addStretch(1);
}
