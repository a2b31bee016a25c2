#include "dialogs/SelMIDI.h"

#include "dialogs/Accordages.h"
#include "dialogs/BaseDialogue.h"
#include "dialogs/SaisieSpin.h"
#include "dialogs/Sais_ins.h"
#include "dialogs/SpeedT.h"
#include "document/Fenetre.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Routines.h"
#include "document/Variable.h"
#include "editor/Ed_fct.h"
#include "midi/Doigte.h"
#include "midi/ImportMidi.h"
#include "midi/Lecture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {

// Tuning rows: 300 ms, 200 ms after the first tick, 150 ms after the tenth, the step doubled
// at the thirtieth.
constexpr ReglageRepetition kRepetitionCordes{200, 150, 2};
// Instrument and frets: 300, 100, 50 ms, the step tripled at the thirtieth tick.
constexpr RepetitionSpin::Cadence kCadenceRapide{300, 100, 50, 30};

constexpr int kNoteMax = 119;
constexpr int kProgrammeMax = 127;
constexpr int kFretsMin = 3;
constexpr int kFretsMax = 24;
constexpr int kCordesMin = 4;
constexpr int kCordesMax = 6;
constexpr int kLongueurNomSong = 40;

// The weights: the field's text and the hidden label above it.
struct Poids {
    const char* Texte;
    const char* Legende;
};
const Poids kPoids[9] = {
    {"", ""},
    {"0.5", "Accord"},
    {"7", "Ac. -1"},
    {"3", "Ac. -2"},
    {"0", "Ac. -3"},
    {"0.35", "Proche du haut manche"},
    {"0.7", "Distance 0 avec autres notes de l'accords"},
    {"4", "Importance note aigue apres le deuxieme accord"},
    {"1000", "D\xC3\xA9passement fret"},
};

int32_t NbPistesChanson() { return std::clamp<int32_t>(Partition.NbPistes, 1, kNbPistes); }

QToolButton* Fleche(QWidget* parent, const char* nom, Qt::ArrowType fleche, int x, int y, int l, int h)
{
    auto* b = Placer(new QToolButton(parent), nom, x, y, l, h);
    b->setArrowType(fleche);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

// A note value with `crochets` flags: the grid a quantisation choice stands for.
QPixmap ImageNote(int crochets)
{
    QPixmap image(Pixels96(18), Pixels96(26));
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(EchelleEcran(), EchelleEcran());
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    p.drawEllipse(QRect(2, 19, 6, 5));
    p.drawLine(8, 21, 8, 2);
    for (int k = 0; k < crochets; ++k)
        p.drawLine(8, 2 + 4 * k, 13, 7 + 4 * k);
    return image;
}

void Montrer(QWidget* w, bool visible)
{
    if (w)
        w->setVisible(visible);
}

} // namespace

TSelMIDIForm::TSelMIDIForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("SelMIDIForm"));
    setWindowTitle(QStringLiteral("MIDI import"));
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, 520, HauteurClient);

    ConstruireOnglet();
    ConstruireAccordage();
    ConstruirePoids();

    BT_OK = Placer(new QPushButton(QStringLiteral("OK"), this), "BT_OK", 277, 337, 75, 25);
    BT_Annuler = Placer(new QPushButton(QStringLiteral("Cancel"), this), "BT_Annuler", 357, 337, 75, 25);
    BT_Aide = Placer(new QPushButton(QStringLiteral("Help"), this), "BT_Aide", 437, 337, 75, 25);
    BT_OK->setDefault(true);
    connect(BT_OK, &QPushButton::clicked, this, &TSelMIDIForm::BT_OKClick);
    connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(BT_Aide, &QPushButton::clicked, this, [] { FenetrePrincipale().AfficherAideDialogue(ContexteAide); });

    TitresOnglets();
    AppliquerTextes();
    LirePoidsDoigte();
}

TSelMIDIForm::~TSelMIDIForm() = default;

void TSelMIDIForm::ConstruireOnglet()
{
    TabPiste = Placer(new QTabBar(this), "TabPiste", 8, 8, 504, 22);
    TabPiste->setExpanding(false);
    TabPiste->setDrawBase(false);
    auto* page = Placer(new QFrame(this), "Page", 8, 30, 504, 300);
    page->setFrameShape(QFrame::StyledPanel);
    page->lower();
    connect(TabPiste, &QTabBar::currentChanged, this, &TSelMIDIForm::ChoisirOnglet);

    // Left: the source, the octave and the grid.
    Lab_Sel_piste = Placer(new QLabel(QStringLiteral("Source in the MIDI file"), this), "Lab_Sel_piste", 18, 40, 222, 14);
    ListePiste = Placer(new QListWidget(this), "ListePiste", 18, 56, 222, 160);
    ListePiste->setSelectionMode(QAbstractItemView::SingleSelection);
    Lab_Sel_piste->setBuddy(ListePiste);
    connect(ListePiste, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListePisteClick(ListePiste->row(item)); });
    // A choice by the keyboard too; the focus alone (which only moves the current row) chooses
    // nothing.
    connect(ListePiste, &QListWidget::itemSelectionChanged, this, [this] {
        if (LigneSelectionnee() >= 0)
            ListePisteClick(LigneSelectionnee());
    });
    DeselectionnerPiste = Placer(new QPushButton(QStringLiteral("Deselect"), this), "DeselectionnerPiste", 18, 222, 110, 23);
    connect(DeselectionnerPiste, &QPushButton::clicked, this, &TSelMIDIForm::DeselectionnerPisteClick);
    Transposer = Placer(new QCheckBox(QStringLiteral("One octave lower"), this), "Transposer", 18, 252, 222, 17);
    Lab_Quantization = Placer(new QLabel(QStringLiteral("Quantization"), this), "Lab_Quantization", 18, 276, 222, 14);
    struct Grille {
        QRadioButton** radio;
        const char* nomRadio;
        QLabel** image;
        const char* nomImage;
        int crochets;
    };
    const Grille grilles[] = {
        {&CQuantize2, "CQuantize2", &Image5, "Image5", 1},
        {&CQuantize4, "CQuantize4", &Image3, "Image3", 2},
        {&CQuantize8, "CQuantize8", &Image2, "Image2", 3},
        {&CQuantize16, "CQuantize16", &Image1, "Image1", 4},
    };
    int x = 18;
    for (const Grille& g : grilles) {
        *g.radio = Placer(new QRadioButton(this), g.nomRadio, x, 298, 16, 17);
        *g.image = Placer(new QLabel(this), g.nomImage, x + 18, 292, 18, 26);
        (*g.image)->setPixmap(ImageNote(g.crochets));
        (*g.image)->installEventFilter(this);
        x += 54;
    }
    CQuantize4->setChecked(true);

    // Right: name, instrument, preset, strings and frets.
    Lab_NomPiste = Placer(new QLabel(QStringLiteral("Track name"), this), "Lab_NomPiste", 252, 40, 250, 14);
    NomPiste = Placer(new QLineEdit(this), "NomPiste", 252, 56, 250, 21);
    NomPiste->setMaxLength(100);
    Lab_NomPiste->setBuddy(NomPiste);
    connect(NomPiste, &QLineEdit::textChanged, this, &TSelMIDIForm::NomPisteChange);

    Lab_Instrument = Placer(new QLabel(QStringLiteral("Instrument"), this), "Lab_Instrument", 252, 82, 200, 14);
    PanelInstrument = Placer(new QFrame(this), "PanelInstrument", 252, 98, 206, 21);
    PanelInstrument->setFrameShape(QFrame::Panel);
    PanelInstrument->setFrameShadow(QFrame::Sunken);
    Instrument = Placer(new QLabel(PanelInstrument), "Instrument", 3, 2, 200, 17);
    InstrumentUp = Fleche(this, "InstrumentUp", Qt::UpArrow, 460, 98, 15, 11);
    InstrumentDown = Fleche(this, "InstrumentDown", Qt::DownArrow, 460, 109, 15, 10);
    BT_Instrument = Placer(new QPushButton(QStringLiteral("..."), this), "BT_Instrument", 478, 98, 24, 21);
    Lab_Instrument->setBuddy(BT_Instrument);
    connect(BT_Instrument, &QPushButton::clicked, this, &TSelMIDIForm::BT_InstrumentClick);
    repetitionInstrument_ = std::make_unique<RepetitionSpin>(this, kCadenceRapide, [this](int pas) { TickInstrument(pas); });
    repetitionInstrument_->Lier(InstrumentUp, 1);
    repetitionInstrument_->Lier(InstrumentDown, -1);
    connect(InstrumentUp, &QToolButton::clicked, this, [this] { InstrumentClick(1); });
    connect(InstrumentDown, &QToolButton::clicked, this, [this] { InstrumentClick(-1); });

    Lab_Biblio = Placer(new QLabel(QStringLiteral("Tuning library"), this), "Lab_Biblio", 252, 124, 250, 14);
    ModeleList = Placer(new QComboBox(this), "ModeleList", 252, 140, 250, 21);
    ModeleList->setMaxVisibleItems(12);
    Lab_Biblio->setBuddy(ModeleList);
    connect(ModeleList, &QComboBox::activated, this, &TSelMIDIForm::ModeleListChange);

    LabNbCordes = Placer(new QLabel(QStringLiteral("Strings"), this), "LabNbCordes", 252, 170, 60, 14);
    NbCordes = Placer(new QLineEdit(this), "NbCordes", 314, 166, 18, 21);
    NbCordes->setMaxLength(1);
    NbCordes->setReadOnly(true);
    LabNbCordes->setBuddy(NbCordes);
    BT_NbCordesUp = Fleche(this, "BT_NbCordesUp", Qt::UpArrow, 333, 166, 15, 11);
    BT_NbCordesDown = Fleche(this, "BT_NbCordesDown", Qt::DownArrow, 333, 177, 15, 10);
    connect(BT_NbCordesUp, &QToolButton::clicked, this, [this] { NbCordesClick(1); });
    connect(BT_NbCordesDown, &QToolButton::clicked, this, [this] { NbCordesClick(-1); });
    LierTouchesSpin(NbCordes, [this] { NbCordesClick(1); }, [this] { NbCordesClick(-1); });

    Lab_NbFrets = Placer(new QLabel(QStringLiteral("Frets"), this), "Lab_NbFrets", 376, 170, 62, 14);
    NbFrets = Placer(new QLineEdit(this), "NbFrets", 440, 166, 24, 21);
    FiltrerChiffres(NbFrets, 2);
    NbFrets->setReadOnly(true);
    Lab_NbFrets->setBuddy(NbFrets);
    BT_FretUp = Fleche(this, "BT_FretUp", Qt::UpArrow, 465, 166, 15, 11);
    BT_FretDown = Fleche(this, "BT_FretDown", Qt::DownArrow, 465, 177, 15, 10);
    repetitionFrets_ = std::make_unique<RepetitionSpin>(this, kCadenceRapide, [this](int pas) { TickFrets(pas); });
    repetitionFrets_->Lier(BT_FretUp, 1);
    repetitionFrets_->Lier(BT_FretDown, -1);
    connect(BT_FretUp, &QToolButton::clicked, this, [this] { FretClick(1); });
    connect(BT_FretDown, &QToolButton::clicked, this, [this] { FretClick(-1); });
    LierTouchesSpin(NbFrets, [this] { FretClick(1); }, [this] { FretClick(-1); });

    // The percussion notice over the tuning controls of tab 8.
    Cache = Placer(new QFrame(this), "Cache", 252, 124, 250, 80);
    Cache->setFrameShape(QFrame::Panel);
    Cache->setFrameShadow(QFrame::Raised);
    Lab_Cache1 = Placer(new QLabel(QString::fromUtf8("Piste r\xC3\xA9serv\xC3\xA9" "e aux percussions"), Cache),
                        "Lab_Cache1", 8, 10, 234, 16);
    Lab_Cache2 = Placer(new QLabel(QStringLiteral("Drum notes 27 to 87 are written"), Cache), "Lab_Cache2", 8, 32, 234, 14);
    Lab_Cache3 = Placer(new QLabel(QStringLiteral("on the tablature lines."), Cache), "Lab_Cache3", 8, 48, 234, 14);
    Lab_Cache1->setFont(PoliceDialogue(PixelsPolice(8, Pixels96(96)), true));
    Cache->hide();
}

void TSelMIDIForm::ConstruireAccordage()
{
    LabAccordage = Placer(new QGroupBox(QStringLiteral(" Tuning "), this), "LabAccordage", 252, 192, 250, 116);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &TSelMIDIForm::Timer1Timer);
    const char* const nomsCordes[] = {"", "DesCorde1", "DesCorde2", "Shape3", "Shape4", "Shape5", "Shape6"};
    for (int r = 1; r <= kNbCordesMax; ++r) {
        const int y = 16 + (r - 1) * 16;
        const QByteArray n = QByteArray::number(r);
        Ecouter[static_cast<std::size_t>(r)] =
            Placer(new QToolButton(LabAccordage), QByteArray("Ecouter" + n).constData(), 6, y, 16, 15);
        QLineEdit* note = Placer(new QLineEdit(LabAccordage), QByteArray("NoteCorde" + n).constData(), 24, y, 32, 15);
        note->setMaxLength(3);
        note->setReadOnly(true);
        note->setAlignment(Qt::AlignCenter);
        NoteCorde[static_cast<std::size_t>(r)] = note;
        QToolButton* haut = Fleche(LabAccordage, QByteArray("BT_C" + n + "Up").constData(), Qt::UpArrow, 57, y, 12, 8);
        QToolButton* bas = Fleche(LabAccordage, QByteArray("BT_C" + n + "Down").constData(), Qt::DownArrow, 57, y + 8, 12, 7);
        BT_CUp[static_cast<std::size_t>(r)] = haut;
        BT_CDown[static_cast<std::size_t>(r)] = bas;
        for (const int direction : {1, -1}) {
            QToolButton* b = direction > 0 ? haut : bas;
            connect(b, &QToolButton::pressed, this, [this, r, direction] {
                CordeRepetee = r;
                DemarrerRepetition(*Timer1, CompteurRepetition, PasRepetition, direction);
            });
            connect(b, &QToolButton::released, Timer1, &QTimer::stop);
        }
        connect(haut, &QToolButton::clicked, this, [this, r] { CordeClick(r, 1); });
        connect(bas, &QToolButton::clicked, this, [this, r] { CordeClick(r, -1); });
        LierTouchesSpin(note, [haut] { haut->click(); }, [bas] { bas->click(); });

        // Rows 1 to 3 are the thin strings.
        auto* corde = Placer(new QFrame(LabAccordage), nomsCordes[r], 74, y + 6, 168, r <= 3 ? 4 : 5);
        corde->setFrameShape(QFrame::Box);
        corde->setStyleSheet(QStringLiteral("background-color: #808080; border: 1px solid #404040;"));
        Cordes[static_cast<std::size_t>(r)] = corde;
    }
    // The nut and two frets across the strings.
    for (int k = 7; k <= 9; ++k) {
        auto* barre = Placer(new QFrame(LabAccordage), QByteArray("Shape" + QByteArray::number(k)).constData(),
                             74 + (k - 7) * 80, 18, k == 7 ? 3 : 2, 88);
        barre->setStyleSheet(QStringLiteral("background-color: #404040;"));
        barre->lower();
        Cordes[static_cast<std::size_t>(k)] = barre;
    }
    for (int r = 1; r <= kNbCordesMax; ++r) {
        QToolButton* b = Ecouter[static_cast<std::size_t>(r)];
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setText(QStringLiteral("\u266A"));
        connect(b, &QToolButton::clicked, this, [this, r] { EcouterClick(r); });
    }
    EcouterTout = Placer(new QToolButton(this), "EcouterTout", 258, 310, 18, 17);
    EcouterTout->setCheckable(true);
    EcouterTout->setFocusPolicy(Qt::NoFocus);
    EcouterTout->setText(QStringLiteral("\u266B"));
    connect(EcouterTout, &QToolButton::clicked, this, &TSelMIDIForm::EcouterToutClick);
    PanelHB = Placer(new QFrame(this), "PanelHB", 278, 310, 32, 17);
    ToutUp = Fleche(PanelHB, "ToutUp", Qt::UpArrow, 0, 0, 16, 17);
    ToutDown = Fleche(PanelHB, "ToutDown", Qt::DownArrow, 16, 0, 16, 17);
    connect(ToutUp, &QToolButton::clicked, this, [this] { ToutClick(1); });
    connect(ToutDown, &QToolButton::clicked, this, [this] { ToutClick(-1); });
}

void TSelMIDIForm::ConstruirePoids()
{
    // Below the client area: out of view and out of reach.
    for (int i = 1; i <= 8; ++i) {
        const int x = 8 + (i - 1) * 63;
        auto* legende = Placer(new QLabel(QString::fromUtf8(kPoids[i].Legende), this),
                               QByteArray("Label" + QByteArray::number(i)).constData(), x, HauteurClient + 12, 60, 14);
        legende->setEnabled(false);
        QLineEdit* e = Placer(new QLineEdit(QString::fromLatin1(kPoids[i].Texte), this),
                              QByteArray("Edit" + QByteArray::number(i)).constData(), x, HauteurClient + 28, 60, 21);
        e->setEnabled(false);
        e->setFocusPolicy(Qt::NoFocus);
        Edit[static_cast<std::size_t>(i)] = e;
    }
}

// ---- Captions --------------------------------------------------------------------------------

void TSelMIDIForm::AppliquerTextes()
{
    const SectionLangue commun("DLG_000");
    if (!commun.Trouvee())
        return;
    std::string ok = commun.Brut(1), annuler = commun.Brut(2), aide = commun.Brut(5);
    BT_OK->setText(VersQString(ok));
    BT_Annuler->setText(VersQString(annuler));
    BT_Aide->setText(VersQString(aide));
    const SectionLangue impm("DLG_IMPM_000");
    if (!impm.Trouvee())
        return;
    setWindowTitle(impm.Texte(1));
    std::string selPiste = impm.Brut(2), deselectionner = impm.Brut(3), transposer = impm.Brut(4);
    Lab_Sel_piste->setText(VersQString(selPiste));
    DeselectionnerPiste->setText(VersQString(deselectionner));
    Transposer->setText(VersQString(transposer));
    Lab_Quantization->setText(impm.Texte(5));
    Lab_Cache2->setText(impm.Texte(6));
    Lab_Cache3->setText(impm.Texte(7));
    const SectionLangue prop("DLG_PROP_000");
    if (!prop.Trouvee())
        return;
    std::string nomPiste = prop.Brut(7), instrument = prop.Brut(8), biblio = prop.Brut(10), nbCordes = prop.Brut(11),
                accordage = prop.Brut(12), nbFrets = prop.Brut(13);
    Lab_NomPiste->setText(VersQString(nomPiste));
    Lab_Instrument->setText(VersQString(instrument));
    BT_Instrument->setToolTip(prop.Texte(9));
    Lab_Biblio->setText(VersQString(biblio));
    LabNbCordes->setText(VersQString(nbCordes));
    LabAccordage->setTitle(VersQString(accordage));
    Lab_NbFrets->setText(VersQString(nbFrets));

    std::string utilisees;
    BT_OK->setText(LegendeRaccourci(ok, utilisees));
    BT_Annuler->setText(LegendeRaccourci(annuler, utilisees));
    BT_Aide->setText(LegendeRaccourci(aide, utilisees));
    DeselectionnerPiste->setText(LegendeRaccourci(deselectionner, utilisees));
    Lab_NomPiste->setText(LegendeRaccourci(nomPiste, utilisees));
    Lab_Instrument->setText(LegendeRaccourci(instrument, utilisees));
    Lab_Biblio->setText(LegendeRaccourci(biblio, utilisees));
    LabNbCordes->setText(LegendeRaccourci(nbCordes, utilisees));
    Lab_NbFrets->setText(LegendeRaccourci(nbFrets, utilisees));
    const QString titreAccordage = LegendeRaccourci(accordage, utilisees);
    Transposer->setText(LegendeRaccourci(transposer, utilisees));
    Lab_Sel_piste->setText(LegendeRaccourci(selPiste, utilisees));
    LabAccordage->setTitle(LegendeGroupe(titreAccordage));
}

void TSelMIDIForm::RemplirListeModeles()
{
    const QSignalBlocker bloque(ModeleList);
    ModeleList->clear();
    for (int32_t i = 0; i < NbModelesAccordage; ++i)
        ModeleList->addItem(VersQString(ModelesAccordage[static_cast<std::size_t>(i)].Nom));
    ModeleList->setCurrentIndex(-1);
}

// ---- Showing ---------------------------------------------------------------------------------

bool TSelMIDIForm::Executer()
{
    ImportValide = false;
    exec();
    return ImportValide;
}

void TSelMIDIForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormActivate();
}

void TSelMIDIForm::FormActivate()
{
    DimensionnerClient(this, 520, HauteurClient);
    {
        // The importer's sources, no entry selected.
        const QSignalBlocker bloque(ListePiste);
        ListePiste->clear();
        for (const std::string& source : ListePisteImport)
            ListePiste->addItem(VersQString(source));
        SelectionnerLigne(-1);
    }
    ImportValide = false;
    for (int32_t t = 1; t <= NbPistesChanson(); ++t) {
        ProprietesTempo.PisteSource[t] = 0;
        ProprietesTempo.OctaveInferieure[t] = false;
        ProprietesTempo.Quantification[t] = 4;
    }
    ActiverBoutonOK();
    PisteOnglet = 1;
    {
        const QSignalBlocker bloque(TabPiste);
        TabPiste->setCurrentIndex(0);
    }
    ChargerProprietes();
    TitresOnglets();
    {
        const QSignalBlocker bloque(TabPiste);
        TabPiste->setCurrentIndex(0);
    }
    ChargerOnglet();
    CordeEcoutee = -1;
    FermetureAutorisee = true;
    AfficherCordes();
    AfficherPercussions();
    NomPiste->setFocus(Qt::OtherFocusReason);
    NomPiste->selectAll();
}

void TSelMIDIForm::ChargerProprietes()
{
    for (int32_t t = 1; t <= NbPistesChanson(); ++t) {
        ProprietesTempo.NomPiste[t] = Partition.NomPiste[t].str();
        ProprietesTempo.Instrument[t] = Partition.Instrument[t];
        const int32_t n = std::clamp<int32_t>(Partition.NbCordes[t], 0, kNbCordesMax);
        ProprietesTempo.NbCordes[t] = Partition.NbCordes[t];
        for (int32_t s = 1; s <= n; ++s)
            ProprietesTempo.Accordage[t][s] = Partition.Accordage[t][s];
        ProprietesTempo.NbFrets[t] = Partition.NbFrettes[t];
    }
}

void TSelMIDIForm::TitresOnglets()
{
    const QSignalBlocker bloque(TabPiste);
    const int n = NbPistesChanson();
    while (TabPiste->count() > n)
        TabPiste->removeTab(TabPiste->count() - 1);
    while (TabPiste->count() < n)
        TabPiste->addTab(QString());
    for (int t = 1; t <= n; ++t)
        TabPiste->setTabText(t - 1, QString::number(t) + QStringLiteral(" - ") + VersQString(ProprietesTempo.NomPiste[t]));
}

void TSelMIDIForm::AfficherInstrument()
{
    const int32_t t = PisteOnglet;
    const int32_t programme = ProprietesTempo.Instrument[t];
    Instrument->setText(VersQString(t >= kPistePercussions ? NomKitBatterie(programme) : NomInstrument(programme)));
}

void TSelMIDIForm::SelectionnerLigne(int ligne)
{
    const QSignalBlocker bloque(ListePiste);
    if (ligne >= 0 && ligne < ListePiste->count()) {
        ListePiste->setCurrentRow(ligne);
    } else {
        ListePiste->clearSelection();
        ListePiste->setCurrentItem(nullptr);
    }
}

int TSelMIDIForm::LigneSelectionnee() const
{
    const QList<QListWidgetItem*> choisis = ListePiste->selectedItems();
    return choisis.isEmpty() ? -1 : ListePiste->row(choisis.front());
}

void TSelMIDIForm::ChargerOnglet()
{
    const int32_t t = PisteOnglet;
    ChargementOnglet = true;
    NomPiste->setText(VersQString(ProprietesTempo.NomPiste[t]));
    ChargementOnglet = false;
    AfficherInstrument();
    AfficherAccordage();
    AfficherCordes();
    SelectionnerLigne(ProprietesTempo.PisteSource[t] - 1);
    DeselectionnerPiste->setEnabled(LigneSelectionnee() >= 0);
    Transposer->setChecked(ProprietesTempo.OctaveInferieure[t]);
    switch (ProprietesTempo.Quantification[t]) {
    case 2: CQuantize2->setChecked(true); break;
    case 8: CQuantize8->setChecked(true); break;
    case 16: CQuantize16->setChecked(true); break;
    default: CQuantize4->setChecked(true); break;
    }
    NbFrets->setText(QString::number(ProprietesTempo.NbFrets[t]));
}

void TSelMIDIForm::EnregistrerOnglet()
{
    const int32_t t = PisteOnglet;
    ProprietesTempo.NomPiste[t] = DepuisQString(NomPiste->text());
    ProprietesTempo.PisteSource[t] = LigneSelectionnee() + 1;
    ProprietesTempo.OctaveInferieure[t] = Transposer->isChecked();
    // The edit is read-only and always holds a number; should it not, the track keeps its count.
    if (const std::optional<int32_t> frets = LireEntier(NbFrets->text()))
        ProprietesTempo.NbFrets[t] = *frets;
    ProprietesTempo.Quantification[t] = CQuantize2->isChecked()    ? 2
                                        : CQuantize4->isChecked()  ? 4
                                        : CQuantize8->isChecked()  ? 8
                                        : CQuantize16->isChecked() ? 16
                                                                   : 4;
}

void TSelMIDIForm::ChoisirOnglet(int index)
{
    EnregistrerOnglet();
    PisteOnglet = std::clamp(index + 1, 1, NbPistesChanson());
    ChargerOnglet();
    AfficherAccordage();
    AfficherCordes();
    AfficherPercussions();
    if (isVisible() && isEnabled())
        NomPiste->setFocus(Qt::OtherFocusReason);
}

// ---- Strings and tuning ----------------------------------------------------------------------

void TSelMIDIForm::AfficherCordes()
{
    const int32_t n = ProprietesTempo.NbCordes[PisteOnglet];
    const bool lecture = FenetrePrincipale().CommandeActive("Ac_Son_Stop");
    // Row 1 holds a string on six-string tracks, row 2 from five strings on.
    for (int r = 1; r <= 2; ++r) {
        const auto i = static_cast<std::size_t>(r);
        const int32_t seuil = r == 1 ? 6 : 5;
        const bool presente = n >= seuil;
        const bool active = presente && !lecture;
        NoteCorde[i]->setVisible(presente);
        BT_CUp[i]->setEnabled(active);
        BT_CDown[i]->setEnabled(active);
        Cordes[i]->setVisible(presente);
        if (!active)
            Ecouter[i]->setChecked(false);
        Ecouter[i]->setEnabled(active);
    }
    for (int r = 3; r <= kNbCordesMax; ++r) {
        NoteCorde[static_cast<std::size_t>(r)]->setVisible(true);
        Cordes[static_cast<std::size_t>(r)]->setVisible(true);
    }
}

void TSelMIDIForm::AfficherAccordage()
{
    const int32_t t = PisteOnglet;
    const int32_t n = std::clamp<int32_t>(ProprietesTempo.NbCordes[t], 0, kNbCordesMax);
    {
        const QSignalBlocker bloque(ModeleList);
        const int32_t modele = ChercherModeleAccordage(t);
        ModeleList->setCurrentIndex(modele < ModeleList->count() ? modele : -1);
    }
    NbCordes->setText(QString::number(ProprietesTempo.NbCordes[t]));
    for (int32_t s = 1; s <= n; ++s)
        NoteCorde[static_cast<std::size_t>(kNbCordesMax - n + s)]->setText(
            VersQString(NomNoteOctave(ProprietesTempo.Accordage[t][s])));
}

void TSelMIDIForm::ModeleListChange(int index)
{
    if (!AppliquerModeleAccordage(index, PisteOnglet))
        return;
    AfficherAccordage();
    AfficherCordes();
}

void TSelMIDIForm::NbCordesClick(int direction)
{
    int32_t& n = ProprietesTempo.NbCordes[PisteOnglet];
    // A click that cannot change the count leaves the tuning alone: only a new count brings
    // the default tuning of that count.
    if (direction > 0 && n < kCordesMax)
        ++n;
    else if (direction < 0 && n > kCordesMin)
        --n;
    else
        return;
    AfficherCordes();
    AccordageParDefaut(PisteOnglet);
    AfficherAccordage();
}

void TSelMIDIForm::CordeClick(int rangee, int direction)
{
    CordeRepetee = rangee;
    const int32_t t = PisteOnglet;
    const int32_t s = rangee - (kNbCordesMax - ProprietesTempo.NbCordes[t]);
    if (s < 1 || s > kNbCordesMax)
        return;
    int32_t& note = ProprietesTempo.Accordage[t][s];
    note = direction > 0 ? std::min(note + 1, kNoteMax) : std::max(note - 1, 0);
    AfficherAccordage();
}

void TSelMIDIForm::Timer1Timer()
{
    const int pas = TicRepetition(*Timer1, CompteurRepetition, PasRepetition, kRepetitionCordes);
    const int32_t t = PisteOnglet;
    const int32_t s = CordeRepetee - (kNbCordesMax - ProprietesTempo.NbCordes[t]);
    if (s < 1 || s > kNbCordesMax)
        return;
    int32_t& note = ProprietesTempo.Accordage[t][s];
    note = std::clamp(note + pas, 0, kNoteMax);
    AfficherAccordage();
}

void TSelMIDIForm::ToutClick(int direction)
{
    for (int r = 1; r <= kNbCordesMax; ++r) {
        QToolButton* b = direction > 0 ? BT_CUp[static_cast<std::size_t>(r)] : BT_CDown[static_cast<std::size_t>(r)];
        if (b->isEnabled())
            CordeClick(r, direction);
    }
}

// ---- Instrument and frets --------------------------------------------------------------------

void TSelMIDIForm::InstrumentClick(int direction)
{
    int32_t& programme = ProprietesTempo.Instrument[PisteOnglet];
    if (direction > 0 && programme < kProgrammeMax)
        ++programme;
    else if (direction < 0 && programme > 0)
        --programme;
    AfficherInstrument();
}

void TSelMIDIForm::TickInstrument(int pas)
{
    int32_t& programme = ProprietesTempo.Instrument[PisteOnglet];
    programme = std::clamp(programme + pas, 0, kProgrammeMax);
    AfficherInstrument();
}

void TSelMIDIForm::BT_InstrumentClick()
{
    ChoisirInstrument(PisteOnglet, Instrument, this);
}

void TSelMIDIForm::FretClick(int direction)
{
    const std::optional<int32_t> v = NbFrets->text().isEmpty() ? std::nullopt : LireEntier(NbFrets->text());
    if (!v)
        return;
    NbFrets->setText(QString::number(direction > 0 ? std::min(*v + 1, kFretsMax) : std::max(*v - 1, kFretsMin)));
    NbFrets->setFocus(Qt::OtherFocusReason);
    NbFrets->selectAll();
}

void TSelMIDIForm::TickFrets(int pas)
{
    const std::optional<int32_t> v = NbFrets->text().isEmpty() ? std::nullopt : LireEntier(NbFrets->text());
    if (!v)
        return;
    NbFrets->setText(QString::number(std::clamp(*v + pas, kFretsMin, kFretsMax)));
}

// ---- Sources and names -----------------------------------------------------------------------

void TSelMIDIForm::ListePisteClick(int ligne)
{
    if (ligne < 0 || ligne >= ListePiste->count())
        return;
    NomPiste->setText(ListePiste->item(ligne)->text());
    const auto k = static_cast<std::size_t>(ligne) + 1;
    if (k < ProgrammesPistesMidi.size())
        ProprietesTempo.Instrument[PisteOnglet] = std::clamp<int32_t>(ProgrammesPistesMidi[k], 0, kProgrammeMax);
    AfficherInstrument();
    DeselectionnerPiste->setEnabled(true);
    ActiverBoutonOK();
}

void TSelMIDIForm::DeselectionnerPisteClick()
{
    SelectionnerLigne(-1);
    NomPiste->clear();
    DeselectionnerPiste->setEnabled(false);
    ActiverBoutonOK();
}

void TSelMIDIForm::NomPisteChange()
{
    if (ChargementOnglet)
        return;
    ProprietesTempo.NomPiste[PisteOnglet] = DepuisQString(NomPiste->text());
    TitresOnglets();
    const QSignalBlocker bloque(TabPiste);
    TabPiste->setCurrentIndex(PisteOnglet - 1);
}

void TSelMIDIForm::ActiverBoutonOK()
{
    bool source = false;
    for (int32_t t = 1; t <= NbPistesChanson() && !source; ++t)
        source = t == PisteOnglet ? LigneSelectionnee() >= 0 : ProprietesTempo.PisteSource[t] > 0;
    BT_OK->setEnabled(source);
}

void TSelMIDIForm::AfficherPercussions()
{
    const bool percussions = PisteOnglet == kPistePercussions;
    Cache->setVisible(percussions);
    for (QWidget* w : std::initializer_list<QWidget*>{BT_Instrument, Lab_Biblio, ModeleList, LabNbCordes, NbCordes,
                                                      BT_NbCordesUp, BT_NbCordesDown, LabAccordage, EcouterTout, PanelHB,
                                                      Lab_NbFrets, NbFrets, BT_FretUp, BT_FretDown, Transposer})
        Montrer(w, !percussions);
    if (percussions)
        Cache->raise();
}

// ---- OK and closing --------------------------------------------------------------------------

void TSelMIDIForm::EnregistrerProprietes()
{
    for (int32_t t = 1; t <= NbPistesChanson(); ++t) {
        Partition.NomPiste[t] = std::string_view(ProprietesTempo.NomPiste[t]).substr(0, kLongueurNomSong);
        Partition.Instrument[t] = ProprietesTempo.Instrument[t];
        Partition.NbCordes[t] = ProprietesTempo.NbCordes[t];
        const int32_t n = std::clamp<int32_t>(ProprietesTempo.NbCordes[t], 0, kNbCordesMax);
        for (int32_t s = 1; s <= n; ++s)
            Partition.Accordage[t][s] = ProprietesTempo.Accordage[t][s];
        Partition.NbFrettes[t] = ProprietesTempo.NbFrets[t];
    }
}

void TSelMIDIForm::BT_OKClick()
{
    if (!BT_OK->isEnabled())
        return;
    FermetureAutorisee = true;
    EnregistrerOnglet();
    EnregistrerProprietes();
    PisteCourante = 1;
    IFenetrePrincipale& f = FenetrePrincipale();
    f.MontrerPalettePercussion(false);
    f.ActiverCommande("Ac_Ass_Percussion", false);
    ViderChampsSpeedTrainer();
    f.ActualiserMenuPistes();
    LirePoidsDoigte();
    ImportValide = true;
    accept();
}

void TSelMIDIForm::done(int resultat)
{
    if (CordeEcoutee >= 0)
        RelacherEcoutes();
    QDialog::done(resultat);
}

bool TSelMIDIForm::eventFilter(QObject* objet, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonPress) {
        if (objet == Image5)
            CQuantize2->setChecked(true);
        else if (objet == Image3)
            CQuantize4->setChecked(true);
        else if (objet == Image2)
            CQuantize8->setChecked(true);
        else if (objet == Image1)
            CQuantize16->setChecked(true);
    }
    return QDialog::eventFilter(objet, e);
}

// ---- Listening -------------------------------------------------------------------------------

bool TSelMIDIForm::BoutonEcouteEnfonce() const
{
    if (EcouterTout->isChecked())
        return true;
    for (int r = 1; r <= kNbCordesMax; ++r)
        if (Ecouter[static_cast<std::size_t>(r)]->isChecked())
            return true;
    return false;
}

void TSelMIDIForm::RelacherEcoutes()
{
    for (int r = 1; r <= kNbCordesMax; ++r)
        Ecouter[static_cast<std::size_t>(r)]->setChecked(false);
    EcouterTout->setChecked(false);
}

void TSelMIDIForm::EcouterClick(int rangee)
{
    // One group: the button pressed down raises the others.
    const bool enfonce = Ecouter[static_cast<std::size_t>(rangee)]->isChecked();
    if (enfonce) {
        for (int r = 1; r <= kNbCordesMax; ++r)
            if (r != rangee)
                Ecouter[static_cast<std::size_t>(r)]->setChecked(false);
    }
    if (!MidiDisponible)
        return;
    EcouterTout->setChecked(false);
    if (!BoutonEcouteEnfonce())
        return;
    CordeEcoutee = rangee;
    if (!MediaPlayer1().NotificationPending())
        EcouterAccordage();
}

void TSelMIDIForm::EcouterToutClick()
{
    if (EcouterTout->isChecked())
        for (int r = 1; r <= kNbCordesMax; ++r)
            Ecouter[static_cast<std::size_t>(r)]->setChecked(false);
    if (!MidiDisponible)
        return;
    if (!BoutonEcouteEnfonce())
        return;
    CordeEcoutee = 0;
    if (!MediaPlayer1().NotificationPending())
        EcouterAccordage();
}

void TSelMIDIForm::EcouterAccordage()
{
    EnregistrerOnglet();
    platform::LecteurMedia& mp = MediaPlayer1();
    mp.SetNotify(false);
    mp.Close();
    const std::string fichier = CheminFichierTemp();
    TEcouteCordes ecoute;
    ecoute.Piste = PisteOnglet;
    ecoute.Corde = CordeEcoutee;
    ecoute.Ecouter1Actif = Ecouter[1]->isEnabled();
    ecoute.Ecouter2Actif = Ecouter[2]->isEnabled();
    bool joue = EcrireMidiEcouteImport(fichier, ecoute);
    if (joue) {
        mp.SetFileName(fichier);
        mp.Open();
        mp.SetNotify(true);
        mp.Play();
        if (mp.Error() != platform::LecteurMedia::ErreurAucune) {
            mp.Stop();
            joue = false;
        }
    }
    // An audition that cannot play would be started again by every end of play: it ends here.
    if (!joue) {
        RelacherEcoutes();
        CordeEcoutee = -1;
    }
}

bool TSelMIDIForm::RelancerAudition()
{
    if (BoutonEcouteEnfonce()) {
        EcouterAccordage();
        return CordeEcoutee >= 0;
    }
    CordeEcoutee = -1;
    return false;
}

// ---- Fingering weights -----------------------------------------------------------------------

void TSelMIDIForm::LirePoidsDoigte() const
{
    double* const poids[] = {nullptr,
                             &PoidsDoigte.PoidsAccord,
                             &PoidsDoigte.PoidsAc1,
                             &PoidsDoigte.PoidsAc2,
                             &PoidsDoigte.PoidsAc3,
                             &PoidsDoigte.PoidsHautManche,
                             &PoidsDoigte.PoidsCordeAVide,
                             &PoidsDoigte.PoidsNoteSuivante,
                             &PoidsDoigte.PoidsDepassementFrette};
    for (int i = 1; i <= 8; ++i)
        if (const std::optional<double> v = LireReel(Edit[static_cast<std::size_t>(i)]->text()))
            *poids[i] = *v;
}
