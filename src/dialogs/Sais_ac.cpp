// The chord dialog's window: its controls, how they are wired, and their captions.

#include "dialogs/Sais_ac.h"

#include "dialogs/BaseDialogue.h"
#include "dialogs/Sais_acInterne.h"
#include "document/Langue.h"
#include "midi/Lecture.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>

#include <string>

namespace {

constexpr int kLargeurPopup = 58;
constexpr int kHauteurPopup = 63;

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
