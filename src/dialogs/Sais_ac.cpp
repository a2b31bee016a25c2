#include "dialogs/Sais_ac.h"

#include "dialogs/BaseDialogue.h"
#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "document/Langue.h"
#include "editor/Ed_fct.h"
#include "editor/RechercheDoigtes.h"
#include "editor/ReconnaissanceAccords.h"
#include "midi/EcouteAccord.h"
#include "midi/Lecture.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QValidator>

#include <algorithm>
#include <memory>
#include <string>

namespace {

constexpr int kContexteAide = 8;
constexpr int kLimiteNomAccord = 10;   // typed characters when a stored chord is shown
constexpr int kLimiteNomPerso = 20;    // and for a chord started from the beat's frets
constexpr int kFretteBaseMax = 20;
constexpr int kLargeurPopup = 58;
constexpr int kHauteurPopup = 63;

// Sets a flag for as long as it lives, then gives it its old value back.
class Garde {
public:
    explicit Garde(bool& drapeau) : drapeau_(drapeau), ancien_(drapeau) { drapeau_ = true; }
    ~Garde() { drapeau_ = ancien_; }
    Garde(const Garde&) = delete;
    Garde& operator=(const Garde&) = delete;

private:
    bool& drapeau_;
    bool ancien_;
};

void Ligne(QListWidget* liste, int32_t ligne)
{
    if (ligne >= 0 && ligne < liste->count())
        liste->setCurrentRow(ligne);
    else
        liste->setCurrentRow(-1);
}

void Index(QComboBox* boite, int32_t index)
{
    boite->setCurrentIndex(index >= 0 && index < boite->count() ? index : -1);
}

QListWidget* ListeTheorie(QWidget* parent, const char* nom, int x, int y, int largeur, int hauteur)
{
    auto* l = Placer(new QListWidget(parent), nom, x, y, largeur, hauteur);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    return l;
}

template <std::size_t N>
void Remplir(QListWidget* liste, const std::array<std::string_view, N>& textes)
{
    for (std::string_view t : textes)
        liste->addItem(VersQString(t));
}

QLabel* Etiquette(QWidget* parent, const char* nom, const QString& texte, int x, int y, int largeur)
{
    auto* l = Placer(new QLabel(texte, parent), nom, x, y, largeur, 13);
    return l;
}

} // namespace

// An edit's limit on typed characters only: an edit that makes the text longer than the limit
// (and longer than it was) is refused, whereas the text the dialog puts there, and the user's
// deletions in it, may be longer.
class LimiteSaisie : public QValidator {
public:
    using QValidator::QValidator;
    int Limite = kLimiteNomAccord;
    QString Precedent; // the text before the edit being checked

    State validate(QString& texte, int&) const override
    {
        return texte.size() > Limite && texte.size() > Precedent.size() ? Invalid : Acceptable;
    }
};

// ---- Construction ------------------------------------------------------------------------------

TSais_Ac_Form::TSais_Ac_Form(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TSais_Ac_Form"));
    setWindowTitle(QStringLiteral("Accord"));
    setMouseTracking(true);
    geometrie_ = GeometrieEcran();
    Construire();
    TraduireAccord();
}

TSais_Ac_Form::~TSais_Ac_Form()
{
    if (active_)
        DialogueAccordOuvert = false;
}

void TSais_Ac_Form::Construire()
{
    DimensionnerClient(this, 720, 476);
    AppliquerPoliceDialogue(this);

    // ---- Theory ----
    Fondamentale = ListeTheorie(this, "Fondamentale", 8, 8, 56, 200);
    for (int i = 0; i <= kFondamentalePerso; ++i)
        Fondamentale->addItem(QString());
    Typ = ListeTheorie(this, "Typ", 68, 8, 56, 222);
    for (const TTypeAccord& t : TypesAccord)
        Typ->addItem(VersQString(t.Texte));
    NeufOnzeTreize = ListeTheorie(this, "NeufOnzeTreize", 128, 8, 40, 62);
    Remplir(NeufOnzeTreize, TextesNeufOnzeTreize);
    DimAug = ListeTheorie(this, "DimAug", 128, 74, 40, 48);
    Remplir(DimAug, TextesDimAug);
    Add = Placer(new QCheckBox(QStringLiteral("add"), this), "Add", 128, 126, 44, 17);
    Quinte = ListeTheorie(this, "Quinte", 172, 8, 48, 48);
    Remplir(Quinte, TextesQuinte);
    Neuf = ListeTheorie(this, "Neuf", 172, 60, 48, 48);
    Remplir(Neuf, TextesNeuf);
    Onze = ListeTheorie(this, "Onze", 172, 112, 48, 48);
    Remplir(Onze, TextesOnze);

    BT_Diese = Placer(new QToolButton(this), "BT_Diese", 128, 164, 22, 22);
    BT_Diese->setText(QStringLiteral("#"));
    BT_Bemol = Placer(new QToolButton(this), "BT_Bemol", 152, 164, 22, 22);
    BT_Bemol->setText(QStringLiteral("b"));
    auto* groupeAlterations = new QButtonGroup(this);
    for (QToolButton* b : {BT_Diese, BT_Bemol}) {
        b->setCheckable(true);
        b->setAutoRaise(true);
        groupeAlterations->addButton(b);
    }
    groupeAlterations->setExclusive(true);
    BT_Diese->setChecked(true);

    Lab_Bass = Etiquette(this, "Lab_Bass", QStringLiteral("Bass"), 8, 236, 56);
    Basse = Placer(new QComboBox(this), "Basse", 8, 250, 56, 21);
    for (int i = 0; i < 12; ++i)
        Basse->addItem(QString());
    Lab_Renv = Etiquette(this, "Lab_Renv", QStringLiteral("Inversion"), 68, 236, 100);
    Renversement = Placer(new QComboBox(this), "Renversement", 68, 250, 100, 21);
    for (std::string_view t : TextesRenversement)
        Renversement->addItem(VersQString(t));
    NbComb = Placer(new QLabel(QStringLiteral("0/0"), this), "NbComb", 172, 254, 50, 13);

    Simplifie = Placer(new QRadioButton(QStringLiteral("Simple"), this), "Simplifie", 8, 276, 66, 17);
    Moyen = Placer(new QRadioButton(QStringLiteral("Medium"), this), "Moyen", 76, 276, 70, 17);
    Tout = Placer(new QRadioButton(QStringLiteral("All"), this), "Tout", 148, 276, 60, 17);
    Moyen->setChecked(true);

    // ---- Diagram ----
    auto* panneau = Placer(new QFrame(this), "PanelDiag", 228, 8, 145, 164);
    panneau->setAutoFillBackground(true);
    QPalette blanc = panneau->palette();
    blanc.setColor(QPalette::Window, Qt::white);
    panneau->setPalette(blanc);
    ImDiag = new TImageDiagramme(panneau);
    ImDiag->setObjectName(QStringLiteral("ImDiag"));
    ImDiag->move(Pixels96(2), Pixels96(2));
    ImDiag->Dimensionner(Pixels96(141), Pixels96(160));
    ImDiag->setCursor(Qt::PointingHandCursor);
    ImDiag->SourisPressee = [this](int x, int y) { ImDiagMouseDown(x, y); };
    ImDiag->SourisDeplacee = [this](int x, int y) { ImDiagMouseMove(x, y); };
    ImDiag->SourisRelachee = [this](int, int) { ImDiagMouseUp(); };

    ScrollFret = Placer(new QScrollBar(Qt::Vertical, this), "ScrollFret", 375, 8, 17, 164);
    ScrollFret->setRange(1, kFretteBaseMax);
    ScrollFret->setPageStep(1);
    ScrollSol = Placer(new QScrollBar(Qt::Horizontal, this), "ScrollSol", 228, 174, 145, 17);
    ScrollSol->setRange(1, 1);
    ScrollSol->setPageStep(1);
    ScrollSol->setEnabled(false);
    BoutonSon = Placer(new QToolButton(this), "BoutonSon", 375, 174, 22, 22);
    BoutonSon->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    BoutonSon->setToolTip(QStringLiteral("Listen"));

    static constexpr const char* nomsLab[] = {"", "Lab1", "Lab3", "Lab5", "Lab7", "Lab9", "Lab11", "Lab13"};
    static constexpr const char* nomsC[] = {"", "C1", "C3", "C5", "C7", "C9", "C11", "C13"};
    static constexpr const char* nomsNote[] = {"", "Note1", "Note3", "Note5", "Note7", "Note9", "Note11", "Note13"};
    static constexpr const char* degres[] = {"", "1'", "3'", "5'", "7'", "9'", "11'", "13'"};
    for (int k = 1; k <= kNbDegres; ++k) {
        const int x = 226 + (k - 1) * 21;
        Lab[k] = Etiquette(this, nomsLab[k], QString::fromLatin1(degres[k]), x, 198, 21);
        Lab[k]->setAlignment(Qt::AlignHCenter);
        C[k] = Placer(new QCheckBox(this), nomsC[k], x + 3, 212, 17, 17);
        Note[k] = Etiquette(this, nomsNote[k], QString(), x, 230, 21);
        Note[k]->setAlignment(Qt::AlignHCenter);
    }

    Ed_Accord = Placer(new QLineEdit(this), "Ed_Accord", 228, 248, 145, 21);
    Ed_Accord->setFont(PoliceDialogue(Pixels96(11), true));

    // ---- Fingerings ----
    ScrollBoxSol = Placer(new QScrollArea(this), "ScrollBoxSol", 8, 300, 366, 164);
    ScrollBoxSol->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBoxSol->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ScrollBoxSol->setWidgetResizable(false);
    ScrollBoxSol->setBackgroundRole(QPalette::Base);
    ImListeDiag = new TImageDiagramme;
    ImListeDiag->setObjectName(QStringLiteral("ImListeDiag"));
    ImListeDiag->Dimensionner(Pixels96(kLargeurBande96), Pixels96(kHauteurBande96));
    ImListeDiag->setCursor(Qt::PointingHandCursor);
    ScrollBoxSol->setWidget(ImListeDiag);
    ScrollBoxSol->verticalScrollBar()->setSingleStep(kHauteurVignette);
    ImListeDiag->SourisPressee = [this](int x, int y) { ImListeDiagMouseDown(x, y); };
    ImListeDiag->SourisDeplacee = [this](int x, int y) { ImListeDiagMouseMove(x, y); };
    ImListeDiag->SourisRelachee = [this](int, int) { ImListeDiagMouseUp(); };
    LabOmissions = Placer(new QLabel(QStringLiteral("Please choose omissions"), ImListeDiag), "LabOmissions", 10, 10,
                          300, 15);
    LabOmissions->hide();

    // ---- Lists ----
    Lab_DiffNames = Etiquette(this, "Lab_DiffNames", QStringLiteral("Different names"), 400, 8, 150);
    DifferentsNoms = ListeTheorie(this, "DifferentsNoms", 400, 22, 150, 100);
    Lab_DejaUsed = Etiquette(this, "Lab_DejaUsed", QStringLiteral("Used"), 400, 128, 150);
    DejaUtilises = new TListeAccordsDialogue(
        this, ListeUtilises(), {"DejaUtilises", "Add_Used", "Suppr_Used", "MAJ_Used", "Haut_Used", "Bas_Used"},
        CotePopup::Droite, *this, 400, 142, 150, 100);
    Lab_OnTop = Etiquette(this, "Lab_OnTop", QStringLiteral("On top"), 400, 270, 150);
    Imprimer = new TListeAccordsDialogue(
        this, ListeImprimer(), {"Imprimer", "Add_Print", "Suppr_Print", "MAJ_Print", "Haut_Print", "Bas_Print"},
        CotePopup::DroiteDessus, *this, 400, 284, 150, 100);
    Lab_Library = Etiquette(this, "Lab_Library", QStringLiteral("Library"), 562, 8, 150);
    Librairie = new TListeAccordsDialogue(
        this, ListeLibrairie(), {"Librairie", "Add_Lib", "Suppr_Lib", "MAJ_Lib", "Haut_Lib", "Bas_Lib"},
        CotePopup::Gauche, *this, 562, 22, 150, 362);

    // ---- Buttons ----
    AddDiag = Placer(new QCheckBox(QStringLiteral("Use diagram"), this), "AddDiag", 400, 414, 150, 17);
    AddDiag->setChecked(true);
    BT_OK = Placer(new QPushButton(QStringLiteral("OK"), this), "BT_OK", 400, 440, 75, 25);
    BT_OK->setDefault(true);
    BT_Annuler = Placer(new QPushButton(QStringLiteral("Cancel"), this), "BT_Annuler", 479, 440, 75, 25);
    BT_Clear = Placer(new QPushButton(QStringLiteral("Clear"), this), "BT_Clear", 558, 440, 75, 25);
    BT_Aide = Placer(new QPushButton(QStringLiteral("Help"), this), "BT_Aide", 637, 440, 75, 25);
    for (QPushButton* b : {BT_Annuler, BT_Clear, BT_Aide})
        b->setAutoDefault(false);

    // ---- Popup ----
    PanelImagePopup = new QFrame(this);
    PanelImagePopup->setObjectName(QStringLiteral("PanelImagePopup"));
    PanelImagePopup->setFrameShape(QFrame::Box);
    PanelImagePopup->setGeometry(-500, 0, kLargeurPopup, kHauteurPopup);
    PopupDiag = new TImageDiagramme(PanelImagePopup);
    PopupDiag->setObjectName(QStringLiteral("PopupDiag"));
    PopupDiag->move(1, 1);
    PopupDiag->Dimensionner(kLargeurPopup - 2, kHauteurPopup - 2);
    PanelImagePopup->hide();

    // ---- Handlers ----
    LierClicListe(Fondamentale, [this] { return majControles_; }, [this] { FondamentaleClick(); });
    for (QListWidget* l : {Typ, NeufOnzeTreize, DimAug, Quinte, Neuf, Onze})
        LierClicListe(l, [this] { return majControles_; }, [this] { TypClick(); });
    connect(Add, &QCheckBox::clicked, this, [this] { TypClick(); });
    for (int k = 1; k <= kNbDegres; ++k)
        connect(C[k], &QCheckBox::clicked, this, [this] { C1Click(); });
    connect(Basse, &QComboBox::currentIndexChanged, this, [this](int) {
        if (!majControles_)
            BasseChange();
    });
    connect(Renversement, &QComboBox::currentIndexChanged, this, [this](int) {
        if (!majControles_)
            RenversementChange();
    });
    for (QRadioButton* r : {Simplifie, Moyen, Tout})
        connect(r, &QRadioButton::clicked, this, [this] { SimplifieClick(); });
    for (QToolButton* b : {BT_Diese, BT_Bemol})
        connect(b, &QToolButton::clicked, this, [this] { BT_DieseClick(); });
    connect(ScrollFret, &QScrollBar::valueChanged, this, [this](int) { ScrollFretChange(); });
    connect(ScrollSol, &QScrollBar::valueChanged, this, [this](int) {
        if (!majControles_)
            ScrollSolChange();
    });
    LierClicListe(DifferentsNoms, [this] { return majControles_; }, [this] { DifferentsNomsClick(); });
    connect(BoutonSon, &QToolButton::clicked, this, [this] { BoutonSonClick(); });
    connect(BT_OK, &QPushButton::clicked, this, [this] { BT_OKClick(); });
    connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(BT_Clear, &QPushButton::clicked, this, [this] { BT_ClearClick(); });
    connect(BT_Aide, &QPushButton::clicked, this, [this] { BT_AideClick(); });

    // Typing is limited; what the dialog writes there is not.
    limiteNom_ = new LimiteSaisie(this);
    Ed_Accord->setValidator(limiteNom_);
    connect(Ed_Accord, &QLineEdit::textChanged, this, [this](const QString& texte) { limiteNom_->Precedent = texte; });

    ActualiserListesNotes();
}

void TSais_Ac_Form::TraduireAccord()
{
    std::string ok = "OK", annuler = "Cancel", aide = "Help", effacer = "Clear", diagramme = "Use diagram";
    const SectionLangue communs("DLG_000");
    if (communs.Trouvee()) {
        ok = communs.Brut(1);
        annuler = communs.Brut(2);
        aide = communs.Brut(5);
        effacer = communs.Brut(6);
    }
    const SectionLangue s("DLG_CHORD_000");
    if (s.Trouvee()) {
        setWindowTitle(s.Texte(1));
        Simplifie->setText(s.Texte(2));
        Moyen->setText(s.Texte(3));
        Tout->setText(s.Texte(4));
        Lab_Renv->setText(s.Texte(5));
        Lab_Bass->setText(s.Texte(6));
        LabOmissions->setText(s.Texte(7));
        Lab_DiffNames->setText(s.Texte(8));
        Lab_DejaUsed->setText(s.Texte(9));
        Lab_OnTop->setText(s.Texte(10));
        Lab_Library->setText(s.Texte(11));
        diagramme = s.Brut(12);
        for (TListeAccordsDialogue* l : {DejaUtilises, Imprimer, Librairie})
            l->DefinirBulles(s.Texte(13), s.Texte(14), s.Texte(15), s.Texte(16), s.Texte(17));
        BoutonSon->setToolTip(s.Texte(18));
    }
    std::string utilisees;
    BT_OK->setText(LegendeRaccourci(ok, utilisees));
    BT_Annuler->setText(LegendeRaccourci(annuler, utilisees));
    BT_Aide->setText(LegendeRaccourci(aide, utilisees));
    BT_Clear->setText(LegendeRaccourci(effacer, utilisees));
    AddDiag->setText(LegendeRaccourci(diagramme, utilisees));
}

// ---- Opening and closing -----------------------------------------------------------------------

void TSais_Ac_Form::EffacerDialogueAccord()
{
    {
        const Garde g(majControles_);
        const Garde b(MajBasse);
        const Garde r(MajRenversement);
        Basse->setCurrentIndex(-1);
        Renversement->setCurrentIndex(-1);
    }
    DefinirNom(QString());
    LabOmissions->hide();
    ImDiag->Effacer();
    ImListeDiag->Effacer();
}

void TSais_Ac_Form::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!active_)
        Activer();
}

void TSais_Ac_Form::Activer()
{
    if (active_)
        return;
    active_ = true;
    DialogueAccordOuvert = true;
    CacherPopupDiagramme();

    {
        const Garde g(majControles_);
        const int32_t niveau = Configuration.DiagSimpleMoyenTout;
        (niveau == kNiveauSimple ? Simplifie : niveau == kNiveauTout ? Tout : Moyen)->setChecked(true);
    }
    BoutonEnfonce = false;
    SolutionCourante = 0;
    SolutionEncadree = 0;
    MajOmissions = MajBasse = MajRenversement = MajFretteBase = false;
    chargementAccord_ = false;
    DerniereCordeEditee = -1;
    DerniereFretteEditee = -1;
    DejaUtilises->Remplir();

    const TTemps& temps = TempsCurseur();
    if (temps.AvecAccord && temps.Accord) {
        limiteNom_->Limite = kLimiteNomAccord;
        ChargerAccord(TAccord(*temps.Accord));
    } else {
        DemarrerAccordPerso();
    }

    Librairie->Remplir();
    Imprimer->Remplir();
    {
        const Garde g(majControles_);
        DifferentsNoms->setCurrentRow(-1);
    }
    AddDiag->setChecked(Configuration.AddDiag);
    Ed_Accord->setFocus(Qt::OtherFocusReason);
    Ed_Accord->selectAll();
}

void TSais_Ac_Form::DemarrerAccordPerso()
{
    {
        const Garde g(majControles_);
        Fondamentale->setCurrentRow(kFondamentalePerso);
        for (QListWidget* l : {Typ, NeufOnzeTreize, DimAug, Quinte, Neuf, Onze})
            l->setCurrentRow(0);
        Add->setChecked(false);
        const Garde r(MajRenversement);
        Renversement->setCurrentIndex(0);
    }
    ReglerScrollFret(1, ScrollFret->isEnabled());
    ActualiserListesNotes();
    FondamentaleClick(); // the working chord starts empty

    // The frets the beat sounds; a rest or a tied beat sounds none of its own.
    const TTemps& temps = TempsCurseur();
    const int nbCordes = std::clamp<int32_t>(Partition.NbCordes[std::clamp<int32_t>(PisteCourante, 1, kNbPistes)], 0,
                                             kNbCordesMax);
    int32_t haute = -1;
    int32_t basse = 0;
    if (!temps.Silence && !temps.Lie) {
        for (int s = 1; s <= nbCordes; ++s) {
            const int32_t f = temps.Notes[s].Frette;
            if (f < 0 || f >= kNoteMorte)
                continue;
            AccordTravail.Frettes[s] = f;
            haute = std::max(haute, f);
            if (f >= 1 && (basse == 0 || f < basse))
                basse = f;
        }
    }
    if (haute > 5) {
        // The base-fret bar stops at 20: a shape higher up starts its window there, which still
        // shows frets up to 24.
        const int32_t base = std::min(basse, kFretteBaseMax);
        AccordTravail.FretteBase = base;
        for (int s = 1; s <= kNbCordesMax; ++s)
            if (AccordTravail.Frettes[s] > base + 4)
                AccordTravail.Frettes[s] = -1;
        ReglerScrollFret(base, ScrollFret->isEnabled());
    }
    // The diagram shows its barres as every other diagram of the dialog does.
    RecalculerBarres(AccordTravail);

    limiteNom_->Limite = kLimiteNomPerso;
    DefinirNom(QString());
    AfficherDiagrammeAccord();
    if (NbNomsProposes > 0) {
        {
            const Garde g(majControles_);
            DifferentsNoms->setCurrentRow(0);
        }
        DifferentsNomsClick();
    }
}

void TSais_Ac_Form::done(int resultat)
{
    DialogueAccordOuvert = false;
    Configuration.DiagSimpleMoyenTout = Niveau();
    CacherPopupDiagramme();
    QDialog::done(resultat);
}

void TSais_Ac_Form::BT_OKClick()
{
    // A cursor past the free column (a part of 64 beats) has no beat to hold a chord.
    if (!PeutEcrireTempsCurseur()) {
        Configuration.AddDiag = AddDiag->isChecked();
        reject();
        return;
    }
    SauverAnnulation();
    TTemps& temps = TempsCurseur();
    const bool avecDiagramme = AddDiag->isChecked();
    if (Ed_Accord->text().isEmpty() && (!AccordTravail.AvecDiagramme() || !avecDiagramme)) {
        temps.AvecAccord = false;
        temps.Accord.reset();
    } else {
        TAccord enregistre;
        if (avecDiagramme) {
            enregistre = AccordDuDialogue();
        } else {
            ReinitialiserAccordTravail();
            AccordTravail.Nom = DepuisQString(Ed_Accord->text());
            enregistre = AccordTravail;
        }
        temps.AvecAccord = true;
        temps.Accord = std::make_shared<const TAccord>(enregistre);
        AjouterAccordUtilise(enregistre);
    }
    Configuration.AddDiag = avecDiagramme;
    accept();
}

void TSais_Ac_Form::BT_AideClick() { FenetrePrincipale().AfficherAideDialogue(kContexteAide); }

void TSais_Ac_Form::BoutonSonClick() { EcouterAccord(); }

// ---- Theory controls -----------------------------------------------------------------------------

int32_t TSais_Ac_Form::Niveau() const
{
    if (Simplifie->isChecked())
        return kNiveauSimple;
    if (Tout->isChecked())
        return kNiveauTout;
    return kNiveauMoyen;
}

void TSais_Ac_Form::LireTheorie()
{
    theorie_.Fondamentale = Fondamentale->currentRow();
    theorie_.Typ = Typ->currentRow();
    theorie_.NeufOnzeTreize = NeufOnzeTreize->currentRow();
    theorie_.DimAug = DimAug->currentRow();
    theorie_.Quinte = Quinte->currentRow();
    theorie_.Neuf = Neuf->currentRow();
    theorie_.Onze = Onze->currentRow();
    theorie_.Add = Add->isChecked();
    theorie_.Basse = Basse->currentIndex();
    theorie_.Renversement = Renversement->currentIndex();
    theorie_.Diese = BT_Diese->isChecked();
    for (int k = 1; k <= kNbDegres; ++k)
        theorie_.Coches[k] = C[k]->isChecked();
}

void TSais_Ac_Form::AfficherTheorie()
{
    const Garde g(majControles_);
    const Garde b(MajBasse);
    const TTheorieAccord& t = theorie_;
    Ligne(Fondamentale, t.Fondamentale);
    Ligne(Typ, t.Typ);
    Ligne(NeufOnzeTreize, t.NeufOnzeTreize);
    Ligne(DimAug, t.DimAug);
    Ligne(Quinte, t.Quinte);
    Ligne(Neuf, t.Neuf);
    Ligne(Onze, t.Onze);
    Add->setChecked(t.Add);
    Index(Basse, t.Basse);

    Typ->setEnabled(t.Actifs.Typ);
    NeufOnzeTreize->setEnabled(t.Actifs.NeufOnzeTreize);
    DimAug->setEnabled(t.Actifs.DimAug);
    Add->setEnabled(t.Actifs.Add);
    Quinte->setEnabled(t.Actifs.Quinte);
    Neuf->setEnabled(t.Actifs.Neuf);
    Onze->setEnabled(t.Actifs.Onze);
    Basse->setEnabled(t.Actifs.Basse);
    Renversement->setEnabled(t.Actifs.Renversement);
    for (QRadioButton* r : {Simplifie, Moyen, Tout})
        r->setEnabled(t.Actifs.Niveaux);

    Lab[2]->setText(VersQString(t.Lab3));
    Lab[4]->setText(VersQString(t.Lab7));
    const Garde o(MajOmissions);
    for (int k = 1; k <= kNbDegres; ++k) {
        C[k]->setEnabled(t.DegresPresents[k]);
        C[k]->setChecked(t.Coches[k]);
    }
    AfficherNotes();
}

void TSais_Ac_Form::AfficherNotes()
{
    for (int k = 1; k <= kNbDegres; ++k)
        Note[k]->setText(VersQString(theorie_.NotesTextes[k]));
}

void TSais_Ac_Form::CalculerDegres()
{
    LireTheorie();
    CalculerDegresAccord(theorie_, chargementAccord_);
    AfficherTheorie();
}

void TSais_Ac_Form::Chercher()
{
    LireTheorie();
    ChercherDoigtes(theorie_, Niveau(), AccordagePisteCourante(), DepuisQString(Ed_Accord->text()),
                    chargementAccord_);
    {
        const Garde g(majControles_);
        const Garde r(MajRenversement);
        Index(Renversement, theorie_.Renversement);
    }
    LabOmissions->setVisible(theorie_.OmissionsDemandees);
    AfficherSolutions();
}

void TSais_Ac_Form::ReconstruireNom()
{
    LireTheorie();
    DefinirNom(VersQString(ConstruireNomAccord(theorie_)));
}

void TSais_Ac_Form::DefinirNom(const QString& nom)
{
    limiteNom_->Precedent = nom;
    Ed_Accord->setText(nom);
}

int TSais_Ac_Form::LimiteSaisieNom() const { return limiteNom_->Limite; }

void TSais_Ac_Form::ActualiserListesNotes()
{
    const bool diese = BT_Diese->isChecked();
    const Garde g(majControles_);
    const Garde b(MajBasse);
    std::array<std::string, 13> racines = TextesFondamentale(diese);
    if (racines[kFondamentalePerso] == TexteTraductionIntrouvable)
        racines[kFondamentalePerso] = "Custom";
    for (int i = 0; i <= kFondamentalePerso && i < Fondamentale->count(); ++i)
        Fondamentale->item(i)->setText(VersQString(racines[static_cast<std::size_t>(i)]));
    const std::array<std::string, 12> basses = TextesBasse(diese);
    for (int i = 0; i < 12 && i < Basse->count(); ++i)
        Basse->setItemText(i, VersQString(basses[static_cast<std::size_t>(i)]));
}

void TSais_Ac_Form::ReglerScrollFret(int32_t valeur, bool actif)
{
    const Garde g(MajFretteBase);
    ScrollFret->setValue(std::clamp<int32_t>(valeur, 1, kFretteBaseMax));
    ScrollFret->setEnabled(actif);
}

void TSais_Ac_Form::FondamentaleClick()
{
    LireTheorie();
    {
        const Garde g(majControles_);
        const Garde b(MajBasse);
        Index(Basse, theorie_.Fondamentale >= 0 && theorie_.Fondamentale < kFondamentalePerso ? theorie_.Fondamentale : -1);
    }
    CalculerDegres();
    Chercher();
    ReconstruireNom();
    if (Fondamentale->currentRow() == kFondamentalePerso)
        ScrollFret->setEnabled(true);
}

void TSais_Ac_Form::TypClick()
{
    if (chargementAccord_ || majControles_)
        return;
    CalculerDegres();
    Chercher();
    ReconstruireNom();
}

void TSais_Ac_Form::C1Click()
{
    if (MajOmissions)
        return;
    Chercher();
    ReconstruireNom();
}

void TSais_Ac_Form::BasseChange()
{
    if (MajBasse)
        return;
    Chercher();
    ReconstruireNom();
}

void TSais_Ac_Form::RenversementChange()
{
    if (MajRenversement)
        return;
    LireTheorie();
    AppliquerRenversement(theorie_, Renversement->currentIndex());
    {
        const Garde g(majControles_);
        const Garde b(MajBasse);
        const Garde r(MajRenversement);
        Index(Basse, theorie_.Basse);
        Index(Renversement, theorie_.Renversement);
    }
    Chercher();
    ReconstruireNom();
}

void TSais_Ac_Form::SimplifieClick() { Chercher(); }

void TSais_Ac_Form::BT_DieseClick()
{
    ActualiserListesNotes();
    if (MajOmissions)
        return;
    ReconstruireNom();
    AccordTravail.Diese = BT_Diese->isChecked();
    AfficherNotesAccord(theorie_, BT_Diese->isChecked());
    AfficherNotes();
    AfficherDiagrammeAccord();
}

void TSais_Ac_Form::BT_ClearClick() { PasserAccordPerso(); }

void TSais_Ac_Form::PasserAccordPerso()
{
    {
        const Garde g(majControles_);
        Fondamentale->setCurrentRow(kFondamentalePerso);
    }
    FondamentaleClick();
}

// ---- Loading a chord -----------------------------------------------------------------------------

// The criteria lists, bass and omissions showing `accord`, without their handlers running, and
// the fingering search started again from them.
void TSais_Ac_Form::MontrerCriteres(const TAccord& accord)
{
    {
        const Garde g(majControles_);
        const Garde b(MajBasse);
        Ligne(Fondamentale, accord.Fondamentale);
        Ligne(Typ, accord.Typ);
        Ligne(NeufOnzeTreize, accord.NeufOnzeTreize);
        Ligne(DimAug, accord.DimAug);
        Ligne(Quinte, accord.Quinte);
        Ligne(Neuf, accord.Neuf);
        Ligne(Onze, accord.Onze);
        Add->setChecked(accord.Add);
        Index(Basse, accord.Basse);
    }
    {
        const Garde o(MajOmissions);
        for (int k = 1; k <= kNbDegres; ++k)
            C[k]->setChecked(!accord.Degres[k]);
        BT_Diese->setChecked(accord.Diese);
        BT_Bemol->setChecked(!accord.Diese);
        ActualiserListesNotes();
    }

    NbSolutionsDoigte = 0;
    SolutionCourante = 0;
    SolutionEncadree = 0;
    CalculerDegres();
    Chercher();
}

// The count of fingerings found; the solution scroll bar waits for the user's choice.
void TSais_Ac_Form::MontrerNombreSolutions()
{
    NbComb->setText(NbSolutionsDoigte > 0 ? QString::number(NbSolutionsDoigte) : QString());
    {
        const Garde g(majControles_);
        ScrollSol->setEnabled(false);
    }
}

void TSais_Ac_Form::ChargerAccord(const TAccord& accord)
{
    AccordTravail = accord;
    AfficherDiagrammeAccord();
    DefinirNom(VersQString(accord.Nom.view()));
    const TAccord copie = AccordTravail;
    chargementAccord_ = true;

    MontrerCriteres(accord);

    chargementAccord_ = false;
    AccordTravail = copie;
    SolutionCourante = 0;
    SolutionEncadree = 0;
    MontrerNombreSolutions();
    ReglerScrollFret(accord.FretteBase, true);
}

void TSais_Ac_Form::DifferentsNomsClick()
{
    const int ligne = DifferentsNoms->currentRow();
    if (DifferentsNoms->count() == 0 || ligne < 0 || ligne >= NbNomsProposes)
        return;
    ChoisirNomPropose(NomsProposes[static_cast<std::size_t>(ligne + 1)], AccordTravail);
    const TAccord copie = AccordTravail;
    chargementAccord_ = true;
    MontrerCriteres(AccordTravail);
    ReconstruireNom();

    chargementAccord_ = false;
    AccordTravail = copie;
    MontrerNombreSolutions();
    ReglerScrollFret(AccordTravail.FretteBase, true);
}

TAccord TSais_Ac_Form::AccordDuDialogue() const
{
    TTheorieAccord t = theorie_;
    t.Fondamentale = Fondamentale->currentRow();
    t.Typ = Typ->currentRow();
    t.NeufOnzeTreize = NeufOnzeTreize->currentRow();
    t.DimAug = DimAug->currentRow();
    t.Quinte = Quinte->currentRow();
    t.Neuf = Neuf->currentRow();
    t.Onze = Onze->currentRow();
    t.Add = Add->isChecked();
    t.Basse = Basse->currentIndex();
    t.Diese = BT_Diese->isChecked();
    for (int k = 1; k <= kNbDegres; ++k)
        t.Coches[k] = C[k]->isChecked();
    TAccord a = AccordTravail;
    EcrireTheorieAccord(t, a);
    a.Nom = DepuisQString(Ed_Accord->text());
    return a;
}

bool TSais_Ac_Form::NomVide() const { return Ed_Accord->text().isEmpty(); }

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

void TSais_Ac_Form::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1) {
        BT_AideClick();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TSais_Ac_Form::mouseMoveEvent(QMouseEvent* e)
{
    CacherPopupDiagramme();
    QDialog::mouseMoveEvent(e);
}

// ---- The command's dialog ------------------------------------------------------------------------

bool ExecuterDialogueAccord(QWidget* parent, const std::function<int(QDialog&)>& executeur)
{
    TSais_Ac_Form d(parent);
    d.EffacerDialogueAccord();
    const int resultat = executeur ? executeur(d) : d.exec();
    return resultat == QDialog::Accepted;
}
