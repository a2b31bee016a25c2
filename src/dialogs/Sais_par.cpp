// The song properties dialog's window: its controls, how they are wired, and their captions.
#include "dialogs/Sais_par.h"

#include "dialogs/BaseDialogue.h"
#include "dialogs/SaisieSpin.h"
#include "dialogs/Sais_parInterne.h"
#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Variable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr int kLargeurForme = 529;
constexpr int kHauteurForme = 416;
// The tuning group and the drums panel over it, at the right of the track frame.
constexpr int kGaucheAccordage = 340;
// The pan and reverb captions' width in the design, at least.
constexpr int kLargeurLegendeDroite = 74;

QToolButton* BoutonSpin(QWidget* parent, const QString& nom, bool haut, int x, int y, int hauteur = 11)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(nom);
    b->setGeometry(Pixels96(x), Pixels96(y), Pixels96(15), Pixels96(hauteur));
    b->setArrowType(haut ? Qt::UpArrow : Qt::DownArrow);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QLabel* Etiquette(QWidget* parent, const char* nom, const QString& texte, int x, int y, int largeur)
{
    auto* l = Placer(new QLabel(texte, parent), nom, x, y, largeur, 13);
    return l;
}

QCheckBox* Case(QWidget* parent, const char* nom, const QString& texte, int x, int y, int largeur)
{
    return Placer(new QCheckBox(texte, parent), nom, x, y, largeur, 17);
}

QSlider* BarreMix(QWidget* parent, const char* nom, int x, int y, int largeur = 100)
{
    auto* s = Placer(new QSlider(Qt::Horizontal, parent), nom, x, y, largeur, 18);
    s->setRange(0, 20);
    s->setTickInterval(2);
    s->setTickPosition(QSlider::TicksBelow);
    s->setPageStep(2);
    return s;
}

// The picture of an open string: a black line, the three low strings thicker and wound (a grey
// line 3 pixels below their top).
class TraitCorde : public QWidget {
public:
    TraitCorde(QWidget* parent, bool filee) : QWidget(parent), filee_(filee) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        if (filee_ && height() > 3) {
            p.setPen(QColor(128, 128, 128));
            p.drawLine(0, 3, width() - 1, 3);
        }
    }

private:
    bool filee_;
};

// Eighth notes written straight (two beamed eighths) and as played with the triplet feel
// (a quarter and an eighth under a triplet "3").
QPixmap ImageTriplet(bool swing)
{
    QPixmap image(40, 26);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    const auto tete = [&](int x) { p.drawEllipse(QRect(x, 19, 6, 4)); };
    const auto hampe = [&](int x) { p.drawLine(x + 5, 20, x + 5, 6); };
    if (!swing) {
        tete(6);
        hampe(6);
        tete(24);
        hampe(24);
        p.fillRect(QRect(11, 6, 19, 3), Qt::black);
    } else {
        tete(6);
        hampe(6);
        tete(24);
        hampe(24);
        p.drawLine(29, 6, 34, 11);
        p.setFont(PoliceDialogue(9));
        p.drawText(QRect(14, 0, 12, 10), Qt::AlignCenter, QStringLiteral("3"));
    }
    return image;
}

// The headstock at the top right of the form.
QPixmap ImageTete()
{
    QPixmap image(64, 100);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QColor(64, 32, 0));
    p.setBrush(QColor(150, 90, 40));
    p.drawRoundedRect(QRect(16, 4, 32, 90), 6, 6);
    p.setBrush(QColor(200, 200, 200));
    for (int k = 0; k < 3; ++k) {
        p.drawEllipse(QRect(4, 14 + 26 * k, 10, 10));
        p.drawEllipse(QRect(50, 14 + 26 * k, 10, 10));
    }
    p.setPen(QColor(220, 220, 220));
    for (int k = 0; k < 6; ++k)
        p.drawLine(22 + 4 * k, 10, 22 + 4 * k, 99);
    return image;
}

} // namespace

// ---- Construction ------------------------------------------------------------------------------

TSais_Partition::TSais_Partition(QWidget* parent, Controles controles)
    : FenetreControlesDifferes(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TSais_Partition"));
    setWindowTitle(QString::fromUtf8("Propriétés de la partition"));
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, kLargeurForme, kHauteurForme);
    TimerRepetition = new QTimer(this);
    TimerRepetition->setObjectName(QStringLiteral("TimerRepetition"));
    connect(TimerRepetition, &QTimer::timeout, this, &TSais_Partition::TimerRepetitionTimer);
    ConstruireSelon(controles);
}

void TSais_Partition::CreerControles()
{
    // The song.
    LabTitre = Etiquette(this, "LabTitre", QStringLiteral("&Titre"), 12, 12, 64);
    Titre = Placer(new QLineEdit(this), "Titre", 80, 9, 300, 21);
    Titre->setMaxLength(100);
    LabAuteur = Etiquette(this, "LabAuteur", QStringLiteral("A&uteur"), 12, 38, 64);
    Auteur = Placer(new QLineEdit(this), "Auteur", 80, 35, 300, 21);
    Auteur->setMaxLength(50);
    // Up to the field: "Commentaire" needs 66 pixels.
    LabCom = Etiquette(this, "LabCom", QStringLiteral("&Commentaire"), 12, 64, 67);
    Note = Placer(new QLineEdit(this), "Note", 80, 61, 300, 21);
    Note->setMaxLength(100);
    LabTempo = Etiquette(this, "LabTempo", QStringLiteral("Te&mpo"), 12, 90, 64);
    Tempo = Placer(new QLineEdit(this), "Tempo", 80, 87, 32, 21);
    Tempo->setMaxLength(3);
    // Pasted text goes through the same digits-only rule as typed keys.
    Tempo->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), Tempo));
    BT_TempoUp = BoutonSpin(this, QStringLiteral("BT_TempoUp"), true, 113, 87);
    BT_TempoDown = BoutonSpin(this, QStringLiteral("BT_TempoDown"), false, 113, 98);
    Triplet = Case(this, "Triplet", QStringLiteral("Triplet &feel :"), 150, 89, 100);
    TripletIm1 = Placer(new QLabel(this), "TripletIm1", 252, 84, 40, 26);
    TripletIm1->setPixmap(ImageTriplet(false));
    TripletIm2 = Placer(new QLabel(this), "TripletIm2", 296, 84, 40, 26);
    TripletIm2->setPixmap(ImageTriplet(true));
    Image4 = Placer(new QLabel(this), "Image4", kLargeurForme - 64 - 5, 6, 64, 100);
    Image4->setPixmap(ImageTete());
    LabTitre->setBuddy(Titre);
    LabAuteur->setBuddy(Auteur);
    LabCom->setBuddy(Note);
    LabTempo->setBuddy(Tempo);

    // The tracks: one tab per track over the controls they share.
    TabPiste = Placer(new QTabBar(this), "TabPiste", 8, 116, 513, 22);
    TabPiste->setExpanding(false);
    TabPiste->setUsesScrollButtons(false);
    for (int t = 1; t <= kNbPistes; ++t)
        TabPiste->addTab(t == kPistePercussions ? QStringLiteral("8 - Percussions")
                                                : QStringLiteral("%1 - Piste %1").arg(t));
    auto* cadre = Placer(new QFrame(this), "CadrePiste", 8, 137, 513, 238);
    cadre->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    cadre->lower();

    Lab_NomPiste = Etiquette(this, "Lab_NomPiste", QStringLiteral("&Nom de la piste"), 16, 148, 92);
    NomPiste = Placer(new QLineEdit(this), "NomPiste", 110, 145, 196, 21);
    NomPiste->setMaxLength(kLongueurNomSaisi);
    Lab_NomPiste->setBuddy(NomPiste);
    Lab_Instrument = Etiquette(this, "Lab_Instrument", QStringLiteral("&Instrument"), 16, 174, 92);
    Instrument = Placer(new QLabel(this), "Instrument", 110, 171, 180, 21);
    Instrument->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Instrument->setAutoFillBackground(true);
    Instrument->setStyleSheet(QStringLiteral("background-color: white;"));
    Instrument->setTextFormat(Qt::PlainText);
    InstrumentUp = BoutonSpin(this, QStringLiteral("InstrumentUp"), true, 291, 171);
    InstrumentDown = BoutonSpin(this, QStringLiteral("InstrumentDown"), false, 291, 182);
    InstrumentUp->setProperty("Tag", 1);
    InstrumentDown->setProperty("Tag", -1);
    BT_Instrument = Placer(new QToolButton(this), "BT_Instrument", 309, 171, 22, 21);
    BT_Instrument->setText(QStringLiteral("..."));
    BT_Instrument->setToolTip(QStringLiteral("Liste des instruments..."));
    Lab_Instrument->setBuddy(BT_Instrument);
    // Two lines of room around the row's middle: the caption is longer than its column in
    // some languages ("Bibliothèque d'accordages").
    Lab_Biblio = Placer(new QLabel(QString::fromUtf8("&Bibliothèque d'accordages"), this), "Lab_Biblio", 16, 193, 92, 27);
    Lab_Biblio->setWordWrap(true);
    Lab_Biblio->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ModeleList = Placer(new QComboBox(this), "ModeleList", 110, 197, 221, 21);
    ModeleList->setMaxVisibleItems(12);
    Lab_Biblio->setBuddy(ModeleList);
    LabNbCordes = Etiquette(this, "LabNbCordes", QStringLiteral("Cor&des"), 16, 226, 92);
    NbCordes = Placer(new QLineEdit(this), "NbCordes", 110, 223, 20, 21);
    NbCordes->setMaxLength(1);
    NbCordes->setReadOnly(true);
    BT_NbCordesUp = BoutonSpin(this, QStringLiteral("BT_NbCordesUp"), true, 131, 223);
    BT_NbCordesDown = BoutonSpin(this, QStringLiteral("BT_NbCordesDown"), false, 131, 234);
    LabNbCordes->setBuddy(NbCordes);
    Lab_NbFrets = Etiquette(this, "Lab_NbFrets", QStringLiteral("Nb &frets"), 166, 226, 54);
    NbFrets = Placer(new QLineEdit(this), "NbFrets", 222, 223, 24, 21);
    NbFrets->setMaxLength(2);
    NbFrets->setReadOnly(true);
    BT_FretUp = BoutonSpin(this, QStringLiteral("BT_FretUp"), true, 247, 223);
    BT_FretDown = BoutonSpin(this, QStringLiteral("BT_FretDown"), false, 247, 234);
    Lab_NbFrets->setBuddy(NbFrets);
    Lab_Capo = Etiquette(this, "Lab_Capo", QStringLiteral("Capo"), 16, 252, 92);
    Capo = Placer(new QLineEdit(this), "Capo", 110, 249, 24, 21);
    Capo->setMaxLength(2);
    Capo->setReadOnly(true);
    BT_CapoUp = BoutonSpin(this, QStringLiteral("BT_CapoUp"), true, 135, 249);
    BT_CapoDown = BoutonSpin(this, QStringLiteral("BT_CapoDown"), false, 135, 260);
    Lab_Capo->setBuddy(Capo);
    Solo = Case(this, "Solo", QStringLiteral("Solo"), 16, 278, 80);
    Muette = Case(this, "Muette", QStringLiteral("&Piste muette"), 110, 278, 130);
    PasExporter = Case(this, "PasExporter", QStringLiteral("Ne pas e&xporter"), 16, 298, 120);
    DouzeCordes = Case(this, "DouzeCordes", QStringLiteral("&Simuler 12 cordes"), 140, 298, 190);
    Lab_Volume = Etiquette(this, "Lab_Volume", QStringLiteral("&Volume"), 16, 326, 62);
    Volume = BarreMix(this, "Volume", 80, 322);
    // The right-hand captions ("Panoramique", "Réverbération") take room off their bars, which
    // end short of the tuning group: the pan bar's row runs beside the group's bottom rows.
    constexpr int kLargeurBarreDroite = kGaucheAccordage - 4 - 262;
    Lab_Panoramique = Etiquette(this, "Lab_Panoramique", QStringLiteral("&Panoramique"), 186, 326, kLargeurLegendeDroite);
    Panoramique = BarreMix(this, "Panoramique", 262, 322, kLargeurBarreDroite);
    Lab_Chorus = Etiquette(this, "Lab_Chorus", QStringLiteral("Chorus"), 16, 350, 62);
    Chorus = BarreMix(this, "Chorus", 80, 346);
    Lab_Reverb = Etiquette(this, "Lab_Reverb", QStringLiteral("Reverb"), 186, 350, kLargeurLegendeDroite);
    Reverb = BarreMix(this, "Reverb", 262, 346, kLargeurBarreDroite);
    Lab_Volume->setBuddy(Volume);
    Lab_Panoramique->setBuddy(Panoramique);
    Lab_Chorus->setBuddy(Chorus);
    Lab_Reverb->setBuddy(Reverb);

    ConstruireLignesAccordage();

    // Track 8: a panel over the string controls.
    Cache = Placer(new QFrame(this), "Cache", kGaucheAccordage, 145, 172, 192);
    Cache->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Lab_Cache1 = Placer(new QLabel(QString::fromUtf8("Piste réservée aux percussions"), Cache), "Lab_Cache1", 4, 60, 164, 16);
    Lab_Cache2 = Placer(new QLabel(QString::fromUtf8("Utiliser les notes 27 à 87"), Cache), "Lab_Cache2", 4, 84, 164, 16);
    Lab_Cache3 = Placer(new QLabel(QStringLiteral("sur les lignes de la tablature."), Cache), "Lab_Cache3", 4, 100, 164, 16);
    for (QLabel* l : {Lab_Cache1, Lab_Cache2, Lab_Cache3}) {
        l->setAlignment(Qt::AlignCenter);
        l->setWordWrap(true);
    }
    Cache->hide();
    Cache->raise();

    BT_OK = Placer(new QPushButton(QStringLiteral("&OK"), this), "BT_OK", 276, 383, 75, 25);
    BT_Annuler = Placer(new QPushButton(QStringLiteral("&Annuler"), this), "BT_Annuler", 358, 383, 75, 25);
    BT_Aide = Placer(new QPushButton(QStringLiteral("Aid&e"), this), "BT_Aide", 440, 383, 75, 25);
    BT_OK->setDefault(true);

    // ---- Handlers ----
    connect(BT_OK, &QPushButton::clicked, this, &TSais_Partition::BT_OKClick);
    connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(BT_Aide, &QPushButton::clicked, this, [] { FenetrePrincipale().AfficherAideDialogue(ContexteAide); });
    connect(TabPiste, &QTabBar::currentChanged, this, [this](int index) {
        if (index == PisteOnglet - 1 || index < 0)
            return;
        if (!TabPisteChanging()) {
            const QSignalBlocker bloque(TabPiste);
            TabPiste->setCurrentIndex(PisteOnglet - 1);
            return;
        }
        TabPisteChange();
    });
    connect(NomPiste, &QLineEdit::textChanged, this, &TSais_Partition::NomPisteChange);
    // The limit holds for typing only: a longer name read from a song shows whole and can be
    // shortened, never cut by merely showing the tab.
    connect(NomPiste, &QLineEdit::textEdited, this, [this](const QString& texte) {
        NomPiste->setMaxLength(std::max<int>(kLongueurNomSaisi, static_cast<int>(texte.size())));
    });
    // A change of state made by the program counts as a click too.
    connect(Solo, &QCheckBox::toggled, this, &TSais_Partition::SoloClick);
    connect(ModeleList, &QComboBox::activated, this, &TSais_Partition::ModeleListClick);
    connect(BT_Instrument, &QToolButton::clicked, this, &TSais_Partition::BT_InstrumentClick);

    ConstruireSpin(BT_TempoUp, BT_TempoDown, Spin::Tempo);
    ConstruireSpin(BT_CapoUp, BT_CapoDown, Spin::Capo);
    ConstruireSpin(BT_FretUp, BT_FretDown, Spin::Frettes);
    ConstruireSpin(InstrumentUp, InstrumentDown, Spin::Instrument);
    connect(BT_NbCordesUp, &QToolButton::clicked, this, [this] { ClicNbCordes(1); });
    connect(BT_NbCordesDown, &QToolButton::clicked, this, [this] { ClicNbCordes(-1); });
    connect(ToutUp, &QToolButton::clicked, this, [this] { ClicToutesLignes(1); });
    connect(ToutDown, &QToolButton::clicked, this, [this] { ClicToutesLignes(-1); });

    new FiltreSaisieSpin(Tempo, BT_TempoUp, BT_TempoDown, QStringLiteral("0123456789"));
    new FiltreSaisieSpin(Capo, BT_CapoUp, BT_CapoDown, QString());
    new FiltreSaisieSpin(NbFrets, BT_FretUp, BT_FretDown, QString());
    new FiltreSaisieSpin(NbCordes, BT_NbCordesUp, BT_NbCordesDown, QStringLiteral("456"));

    TraduirePartition();
    FillPresetList();
    connect(this, &TSais_Partition::LanguageChanged, this, &TSais_Partition::TraduirePartition);
    connect(this, &TSais_Partition::PresetsChanged, this, &TSais_Partition::FillPresetList);
    connect(this, &TSais_Partition::StringRowsChanged, this, &TSais_Partition::ShowStringRows);
    connect(this, &TSais_Partition::PlaybackLockChanged, this, &TSais_Partition::AppliquerVerrouLecture);
    connect(this, &TSais_Partition::AuditionStarting, this, &TSais_Partition::LireProprietesPiste);
}

void TSais_Partition::ConstruireLignesAccordage()
{
    LabAccordage = Placer(new QGroupBox(QStringLiteral(" Acco&rdage "), this), "LabAccordage", kGaucheAccordage, 145, 172, 192);
    static const char* const nomsDessins[7] = {"", "DesCorde1", "DesCorde2", "Shape3", "Shape4", "Shape5", "Shape6"};
    for (int k = 1; k <= kNbCordesMax; ++k) {
        const int y = 18 + (k - 1) * 24;
        Ecouter[k] = Placer(new QToolButton(LabAccordage), QStringLiteral("Ecouter%1").arg(k).toLatin1().constData(), 6, y, 20, 20);
        Ecouter[k]->setCheckable(true);
        Ecouter[k]->setText(QString::fromUtf8("\u266A"));
        const bool basse = k >= 4;
        auto* trait = new TraitCorde(LabAccordage, basse);
        DessinCorde[k] = Placer<QWidget>(trait, nomsDessins[k], 30, y + 8, 60, basse ? 5 : 4);
        NoteCorde[k] = Placer(new QLineEdit(LabAccordage), QStringLiteral("NoteCorde%1").arg(k).toLatin1().constData(), 94, y, 34, 20);
        NoteCorde[k]->setMaxLength(3);
        NoteCorde[k]->setReadOnly(true);
        BT_CUp[k] = BoutonSpin(LabAccordage, QStringLiteral("BT_C%1Up").arg(k), true, 130, y, 10);
        BT_CDown[k] = BoutonSpin(LabAccordage, QStringLiteral("BT_C%1Down").arg(k), false, 130, y + 10, 10);
        BT_CUp[k]->setProperty("Tag", k);
        BT_CDown[k]->setProperty("Tag", k);
        ConstruireSpin(BT_CUp[k], BT_CDown[k], Spin::Ligne, k);
        new FiltreSaisieSpin(NoteCorde[k], BT_CUp[k], BT_CDown[k], QString());
        connect(Ecouter[k], &QToolButton::clicked, this, [this, k] { EcouterClick(k); });
        connect(Ecouter[k], &QToolButton::toggled, this, [this, k](bool enfonce) { ecoutesEnfoncees_[k] = enfonce; });
    }
    const int y = 18 + kNbCordesMax * 24 + 2;
    EcouterTout = Placer(new QToolButton(LabAccordage), "EcouterTout", 6, y, 20, 20);
    EcouterTout->setCheckable(true);
    EcouterTout->setText(QString::fromUtf8("\u266B"));
    connect(EcouterTout, &QToolButton::clicked, this, [this] { EcouterClick(0); });
    connect(EcouterTout, &QToolButton::toggled, this, [this](bool enfonce) { ecoutesEnfoncees_[0] = enfonce; });
    ToutUp = BoutonSpin(LabAccordage, QStringLiteral("ToutUp"), true, 130, y, 10);
    ToutDown = BoutonSpin(LabAccordage, QStringLiteral("ToutDown"), false, 130, y + 10, 10);
}

void TSais_Partition::ConstruireSpin(QToolButton* haut, QToolButton* bas, Spin spin, int ligne)
{
    for (const int direction : {1, -1}) {
        QToolButton* b = direction > 0 ? haut : bas;
        connect(b, &QToolButton::pressed, this, [this, spin, direction, ligne] { DemarrerSpin(spin, direction, ligne); });
        connect(b, &QToolButton::released, TimerRepetition, &QTimer::stop);
        connect(b, &QToolButton::clicked, this, [this, spin, direction, ligne] {
            switch (spin) {
            case Spin::Tempo: ClicTempo(direction); break;
            case Spin::Capo: ClicCapo(direction); break;
            case Spin::Frettes: ClicFrettes(direction); break;
            case Spin::Instrument: ClicInstrument(direction); break;
            case Spin::Ligne: ClicLigne(ligne, direction); break;
            case Spin::Aucun: break;
            }
        });
    }
}

// ---- Texts -------------------------------------------------------------------------------------

void TSais_Partition::TraduirePartition()
{
    const SectionLangue commun("DLG_000");
    if (!commun.Trouvee())
        return;
    std::string ok = commun.Brut(1), annuler = commun.Brut(2), aide = commun.Brut(5);
    const SectionLangue prop("DLG_PROP_000");
    if (!prop.Trouvee()) {
        BT_OK->setText(VersQString(ok));
        BT_Annuler->setText(VersQString(annuler));
        BT_Aide->setText(VersQString(aide));
        return;
    }
    setWindowTitle(prop.Texte(1));
    BT_Instrument->setToolTip(prop.Texte(9));
    Lab_Cache1->setText(prop.Texte(22));
    Lab_Cache2->setText(prop.Texte(23));
    Lab_Cache3->setText(prop.Texte(24));

    // Captions with accelerators, in the order the letters are handed out.
    struct Legende {
        std::string texte;
        std::function<void(const QString&)> poser;
    };
    const auto etiquette = [](QLabel* l) { return [l](const QString& s) { l->setText(s); }; };
    const auto bouton = [](QAbstractButton* b) { return [b](const QString& s) { b->setText(s); }; };
    std::vector<Legende> legendes = {
        {ok, bouton(BT_OK)},
        {annuler, bouton(BT_Annuler)},
        {aide, bouton(BT_Aide)},
        {prop.Brut(2), etiquette(LabTitre)},
        {prop.Brut(3), etiquette(LabAuteur)},
        {prop.Brut(4), etiquette(LabCom)},
        {prop.Brut(5), etiquette(LabTempo)},
        {prop.Brut(6), bouton(Triplet)},
        {prop.Brut(7), etiquette(Lab_NomPiste)},
        {prop.Brut(8), etiquette(Lab_Instrument)},
        {prop.Brut(10), etiquette(Lab_Biblio)},
        {prop.Brut(11), etiquette(LabNbCordes)},
        {prop.Brut(12), [this](const QString& s) { LabAccordage->setTitle(QStringLiteral(" ") + s + QStringLiteral(" ")); }},
        {prop.Brut(13), etiquette(Lab_NbFrets)},
        {"Capo", etiquette(Lab_Capo)},
        {prop.Brut(14), bouton(Solo)},
        {prop.Brut(15), bouton(Muette)},
        {prop.Brut(16), bouton(PasExporter)},
        {prop.Brut(17), bouton(DouzeCordes)},
        {prop.Brut(18), etiquette(Lab_Volume)},
        {prop.Brut(19), etiquette(Lab_Panoramique)},
        {prop.Brut(20), etiquette(Lab_Chorus)},
        {prop.Brut(21), etiquette(Lab_Reverb)},
    };
    std::string utilisees;
    for (Legende& l : legendes)
        l.poser(VersQString(AjouterRaccourci(l.texte, utilisees)));
    PlaceMixerCaptions();
}

void TSais_Partition::PlaceMixerCaptions()
{
    // The right-hand captions take the width the longer needs in the dialog's font, with room
    // before their bars, which start after them and end where they did, short of the tuning
    // group: a language or a font size never brings a caption's end against its bar.
    int largeur = Pixels96(kLargeurLegendeDroite);
    for (const QLabel* l : {Lab_Panoramique, Lab_Reverb})
        largeur = std::max(largeur, l->sizeHint().width() + Pixels96(6));
    const int barre = Lab_Panoramique->x() + largeur + Pixels96(2);
    for (QLabel* l : {Lab_Panoramique, Lab_Reverb})
        l->resize(largeur, l->height());
    for (QSlider* b : {Panoramique, Reverb})
        b->setGeometry(barre, b->y(), Pixels96(kGaucheAccordage - 4) - barre, b->height());
}
