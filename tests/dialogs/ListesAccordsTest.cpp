// The chord dialog's three lists: their capacities (a full list refuses the next chord
// silently, never overflows), add, delete with its confirmation, update, the moves, taking an
// entry back into the dialog, the used list's sameness test, and the diagram popup.
#include "FixtureLectureDialogues.h"

#include "dialogs/ListesAccords.h"
#include "dialogs/Sais_ac.h"
#include "document/Mess.h"
#include "editor/RechercheDoigtes.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>

#include <string>
#include <vector>

namespace {

TAccord Accord(const std::string& nom, int32_t frette = 1)
{
    TAccord a;
    a.Nom = nom;
    a.Frettes = {0, 0, frette, -1, -1, -1, -1};
    return a;
}

std::vector<std::string> Noms(const TListeAccords& l)
{
    std::vector<std::string> n;
    for (int32_t i = 1; i <= l.Taille(); ++i)
        n.push_back(l.Entree(i)->Nom.str());
    return n;
}

std::vector<std::string> NomsAffiches(const QListWidget* liste)
{
    std::vector<std::string> n;
    for (int i = 0; i < liste->count(); ++i)
        n.push_back(liste->item(i)->text().toStdString());
    return n;
}

class ListesAccordsTest : public FixtureLectureDialogues {
protected:
    void SetUp() override
    {
        FixtureLectureDialogues::SetUp();
        Vider();
        ReinitialiserAccordTravail();
        Remplir(1, 1, 1, 0, false, false, -1);
        Entrer(1);
    }
    void TearDown() override
    {
        Vider();
        FixtureLectureDialogues::TearDown();
    }
    static void Vider()
    {
        for (auto& e : LibrairieAccords)
            e.reset();
        NbLibrairieAccords = 0;
        for (auto& e : AccordsPartition)
            e.reset();
        NbAccordsPartition = 0;
        for (auto& e : AccordsUtilises)
            e.reset();
        NbAccordsUtilises = 0;
    }
    static void Garnir(const TListeAccords& l, std::initializer_list<const char*> noms)
    {
        int32_t f = 1;
        for (const char* n : noms)
            ASSERT_TRUE(AjouterEntree(l, Accord(n, f++)));
    }
    // An opened dialog whose name field holds `nom`.
    static void Ouvrir(TSais_Ac_Form& d, const QString& nom = QStringLiteral("G"))
    {
        d.Activer();
        d.Ed_Accord->setText(nom);
    }
};

TEST_F(ListesAccordsTest, UneListePleineRefuseSansMessage)
{
    const struct {
        const char* nom;
        TListeAccords liste;
        int32_t capacite;
        TListeAccordsDialogue* TSais_Ac_Form::*boite;
    } cas[] = {
        {"library", ListeLibrairie(), 200, &TSais_Ac_Form::Librairie},
        {"on top", ListeImprimer(), 50, &TSais_Ac_Form::Imprimer},
        {"used", ListeUtilises(), 700, &TSais_Ac_Form::DejaUtilises},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(c.liste.Capacite(), c.capacite) << c.nom;
        for (int32_t i = 1; i < c.capacite; ++i)
            ASSERT_TRUE(AjouterEntree(c.liste, Accord("c" + std::to_string(i))));
        TSais_Ac_Form d;
        Ouvrir(d, QStringLiteral("last"));
        TListeAccordsDialogue& boite = *(d.*c.boite);
        boite.Remplir();

        boite.Ajouter->click(); // the last place
        EXPECT_EQ(*c.liste.Nombre, c.capacite) << c.nom;
        EXPECT_EQ(boite.Liste->currentRow(), c.capacite - 1) << c.nom << ": the new entry is selected";
        EXPECT_EQ(c.liste.Entree(c.capacite)->Nom, "last");

        d.Ed_Accord->setText(QStringLiteral("one more"));
        boite.Ajouter->click();
        EXPECT_EQ(*c.liste.Nombre, c.capacite) << c.nom;
        EXPECT_EQ(boite.Liste->count(), c.capacite) << c.nom;
        EXPECT_FALSE(AjouterEntree(c.liste, Accord("beyond"))) << c.nom;
        EXPECT_EQ(*c.liste.Nombre, c.capacite) << c.nom;
        EXPECT_TRUE(messages.empty()) << c.nom;
        d.reject();
    }
    // Neither does the automatic add of OK go past 700.
    EXPECT_FALSE(AjouterAccordUtilise(Accord("new")));
    EXPECT_EQ(NbAccordsUtilises, 700);
    TSais_Ac_Form d;
    Ouvrir(d, QStringLiteral("new"));
    d.BT_OK->click();
    EXPECT_TRUE(Temps(1, 1, 1).AvecAccord);
    EXPECT_EQ(NbAccordsUtilises, 700);
}

TEST_F(ListesAccordsTest, AjouterDemandeUnNom)
{
    ChargerAnglais();
    TSais_Ac_Form d;
    Ouvrir(d, QString());
    d.Librairie->Ajouter->click();
    EXPECT_EQ(NbLibrairieAccords, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Texte, "Please give the chord a name.");
    EXPECT_EQ(messages[0].Legende, Traduire("Dlg-Erreur"));
    EXPECT_EQ(messages[0].Icone, IconeErreur);
    EXPECT_EQ(messages[0].Boutons, BoutonOK);
}

TEST_F(ListesAccordsTest, AjouterPrendLAccordDuDialogue)
{
    TSais_Ac_Form d;
    d.Activer();
    d.Fondamentale->setCurrentRow(4); // E, first fingering selected
    const TAccord doigte = AccordTravail;
    d.Imprimer->Ajouter->click();
    ASSERT_EQ(NbAccordsPartition, 1);
    const TAccord& e = *AccordsPartition[1];
    EXPECT_EQ(e.Nom, "E");
    EXPECT_EQ(e.Fondamentale, 4);
    EXPECT_EQ(e.Basse, 4);
    EXPECT_EQ(e.Frettes, doigte.Frettes);
    d.AddDiag->setChecked(false);
    d.Imprimer->Ajouter->click();
    EXPECT_TRUE(AccordsPartition[2]->AvecDiagramme()) << "the lists always keep the diagram";
}

TEST_F(ListesAccordsTest, Deplacements)
{
    ChargerAnglais();
    Garnir(ListeLibrairie(), {"A", "B", "C"});
    TSais_Ac_Form d;
    Ouvrir(d);
    TListeAccordsDialogue& l = *d.Librairie;

    l.Liste->setCurrentRow(1);
    l.Monter->click();
    EXPECT_EQ(Noms(ListeLibrairie()), (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_EQ(NomsAffiches(l.Liste), (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_EQ(l.Liste->currentRow(), 0);
    l.Monter->click(); // already the first
    EXPECT_EQ(Noms(ListeLibrairie()), (std::vector<std::string>{"B", "A", "C"}));

    l.Descendre->click();
    EXPECT_EQ(Noms(ListeLibrairie()), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(l.Liste->currentRow(), 1);
    l.Liste->setCurrentRow(2);
    l.Descendre->click(); // already the last
    EXPECT_EQ(Noms(ListeLibrairie()), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(messages.empty());

    l.Liste->setCurrentRow(-1);
    l.Descendre->click();
    l.Monter->click();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].Texte, "Please select the chord to move.");
    EXPECT_EQ(Noms(ListeLibrairie()), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(ListesAccordsTest, SuppressionConfirmee)
{
    ChargerAnglais();
    Garnir(ListeImprimer(), {"A", "B", "C"});
    TSais_Ac_Form d;
    Ouvrir(d);
    TListeAccordsDialogue& l = *d.Imprimer;
    EnregistreurMessages reponses;

    // Without a selection: the error.
    l.Supprimer->click();
    ASSERT_EQ(reponses.Messages.size(), 1u);
    EXPECT_EQ(reponses.Messages[0].Texte, "Please select the chord to delete.");

    // No keeps it.
    l.Liste->setCurrentRow(2);
    reponses.Reponses = {ResultatNon};
    l.Supprimer->click();
    ASSERT_EQ(reponses.Messages.size(), 2u);
    EXPECT_EQ(reponses.Messages[1].Texte, "Do you really want to delete the chord C?");
    EXPECT_EQ(reponses.Messages[1].Boutons, BoutonOui | BoutonNon);
    EXPECT_EQ(reponses.Messages[1].BoutonDefaut, DefautOui);
    EXPECT_EQ(NbAccordsPartition, 3);

    // The last of three: the new last is selected and loaded.
    reponses.Reponses = {ResultatOui};
    l.Supprimer->click();
    EXPECT_EQ(Noms(ListeImprimer()), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(l.Liste->currentRow(), 1);
    EXPECT_EQ(d.Ed_Accord->text(), QStringLiteral("B"));
    EXPECT_EQ(AccordTravail.Frettes, Accord("B", 2).Frettes);

    // The first: the former second takes its place.
    l.Liste->setCurrentRow(0);
    reponses.Reponses = {ResultatOui};
    l.Supprimer->click();
    EXPECT_EQ(Noms(ListeImprimer()), (std::vector<std::string>{"B"}));
    EXPECT_EQ(l.Liste->currentRow(), 0);
    EXPECT_EQ(d.Ed_Accord->text(), QStringLiteral("B"));

    // The only one: empty, no selection, the dialog on the custom chord.
    reponses.Reponses = {ResultatOui};
    l.Supprimer->click();
    EXPECT_EQ(NbAccordsPartition, 0);
    EXPECT_EQ(l.Liste->count(), 0);
    EXPECT_EQ(l.Liste->currentRow(), -1);
    EXPECT_EQ(d.Fondamentale->currentRow(), kFondamentalePerso);
    EXPECT_EQ(d.Ed_Accord->text(), QString());
    EXPECT_FALSE(AccordTravail.AvecDiagramme());

    // On an empty list nothing happens.
    const std::size_t avant = reponses.Messages.size();
    l.Supprimer->click();
    EXPECT_EQ(reponses.Messages.size(), avant);

    // Cancel keeps what was deleted.
    d.reject();
    EXPECT_EQ(NbAccordsPartition, 0);
}

TEST_F(ListesAccordsTest, MiseAJour)
{
    ChargerAnglais();
    Garnir(ListeUtilises(), {"A", "B"});
    TSais_Ac_Form d;
    Ouvrir(d);
    TListeAccordsDialogue& l = *d.DejaUtilises;
    EXPECT_EQ(NomsAffiches(l.Liste), (std::vector<std::string>{"A", "B"})) << "filled at the opening";

    l.MettreAJour->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Texte, "Please select the chord to replace.");

    l.Liste->setCurrentRow(1); // loads B
    d.Ed_Accord->setText(QStringLiteral("B7"));
    l.MettreAJour->click();
    EXPECT_EQ(Noms(ListeUtilises()), (std::vector<std::string>{"A", "B7"}));
    EXPECT_EQ(AccordsUtilises[2]->Frettes, Accord("B", 2).Frettes);
    EXPECT_EQ(l.Liste->currentRow(), 1);

    d.Ed_Accord->clear();
    l.MettreAJour->click();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].Texte, "Please give the chord a name.");
    EXPECT_EQ(AccordsUtilises[2]->Nom, "B7");
}

TEST_F(ListesAccordsTest, UnClicChargeLEntree)
{
    TAccord am;
    am.Nom = "Am";
    am.Fondamentale = 9;
    am.Typ = kTypm;
    am.Basse = 9;
    am.Frettes = {0, 0, 1, 2, 2, 0, -1};
    for (int k = 4; k <= kNbDegres; ++k)
        am.Degres[k] = true;
    ASSERT_TRUE(AjouterEntree(ListeLibrairie(), am));
    ASSERT_TRUE(AjouterEntree(ListeLibrairie(), Accord("x", 4)));
    TSais_Ac_Form d;
    Ouvrir(d);
    d.Librairie->Liste->setCurrentRow(0);
    EXPECT_EQ(d.Ed_Accord->text(), QStringLiteral("Am"));
    EXPECT_EQ(d.Fondamentale->currentRow(), 9);
    EXPECT_EQ(AccordTravail.Frettes, am.Frettes);
    EXPECT_EQ(SolutionCourante, 0);

    // A click that leaves no selection (below the last entry) loads nothing.
    d.Ed_Accord->setText(QStringLiteral("kept"));
    d.Librairie->Liste->setCurrentRow(-1);
    d.Librairie->Click();
    EXPECT_EQ(d.Ed_Accord->text(), QStringLiteral("kept"));
    EXPECT_EQ(AccordTravail.Frettes, am.Frettes);
}

TEST_F(ListesAccordsTest, EgaliteDesAccordsUtilises)
{
    TAccord theorie;
    theorie.Nom = "C";
    theorie.Fondamentale = 0;
    theorie.Basse = 0;
    theorie.Frettes = {0, 0, 1, 0, 2, 3, -1};
    TAccord perso;
    perso.Nom = "riff";
    perso.Frettes = {0, 3, 3, -1, -1, -1, -1};

    auto varie = [](TAccord a, auto&& changer) {
        changer(a);
        return a;
    };
    const struct {
        const char* nom;
        TAccord a, b;
        bool egaux;
    } cas[] = {
        {"the same chord", theorie, theorie, true},
        {"another name", theorie, varie(theorie, [](TAccord& a) { a.Nom = "C maj"; }), false},
        {"flats", theorie, varie(theorie, [](TAccord& a) { a.Diese = false; }), false},
        {"another type", theorie, varie(theorie, [](TAccord& a) { a.Typ = kTyp7; }), false},
        {"a degree left out", theorie, varie(theorie, [](TAccord& a) { a.Degres[3] = false; }), false},
        {"another diagram", theorie, varie(theorie, [](TAccord& a) { a.Frettes[1] = 3; }), false},
        {"another base fret", theorie, varie(theorie, [](TAccord& a) { a.FretteBase = 2; }), false},
        {"barres are not compared", theorie, varie(theorie, [](TAccord& a) { a.NbBarres = 1; }), true},
        {"custom: other theory fields do not count", perso,
         varie(perso, [](TAccord& a) { a.Typ = 5; a.Basse = 3; a.Degres[2] = false; a.Add = true; }), true},
        {"custom: the diagram counts", perso, varie(perso, [](TAccord& a) { a.Frettes[2] = 5; }), false},
    };
    for (const auto& c : cas)
        EXPECT_EQ(AccordsEgaux(c.a, c.b), c.egaux) << c.nom;

    EXPECT_TRUE(AjouterAccordUtilise(theorie));
    EXPECT_FALSE(AjouterAccordUtilise(theorie));
    EXPECT_TRUE(AjouterAccordUtilise(varie(theorie, [](TAccord& a) { a.Frettes[6] = 8; })));
    EXPECT_EQ(NbAccordsUtilises, 2);
}

TEST_F(ListesAccordsTest, PopupDuDiagramme)
{
    Garnir(ListeLibrairie(), {"A", "B"});
    Garnir(ListeImprimer(), {"C"});
    Garnir(ListeUtilises(), {"D"});
    TSais_Ac_Form d;
    d.show();
    QCoreApplication::processEvents();
    QWidget* popup = d.PanelImagePopup;
    EXPECT_FALSE(popup->isVisible());

    auto survoler = [](TListeAccordsDialogue& l, int y) {
        const QPointF p(5, y);
        QMouseEvent e(QEvent::MouseMove, p, l.Liste->viewport()->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(l.Liste->viewport(), &e);
    };
    const int h = d.Librairie->Liste->visualItemRect(d.Librairie->Liste->item(0)).height();
    ASSERT_GT(h, 0);
    const QRect lib = d.Librairie->Liste->geometry();

    survoler(*d.Librairie, h + 1); // second entry
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->pos(), QPoint(lib.left() - popup->width(), lib.top() + 2 + h));
    EXPECT_NE(d.PopupDiag->Image.pixel(11 + 7, 13 + 7), QColor(Qt::white).rgb()) << "the grid is painted";

    survoler(*d.Librairie, 3 * h + 1); // below the last entry
    EXPECT_FALSE(popup->isVisible());

    const QRect haut = d.Imprimer->Liste->geometry();
    survoler(*d.Imprimer, 1);
    EXPECT_EQ(popup->pos(), QPoint(haut.right() + 1, haut.top() + 2 + h - popup->height()));
    const QRect util = d.DejaUtilises->Liste->geometry();
    survoler(*d.DejaUtilises, 1);
    EXPECT_EQ(popup->pos(), QPoint(util.right() + 1, util.top() + 2));

    // Moving over the diagram hides it.
    QMouseEvent e(QEvent::MouseMove, QPointF(3, 3), d.ImDiag->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                  Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(d.ImDiag, &e);
    EXPECT_FALSE(popup->isVisible());
    d.reject();
}

} // namespace
