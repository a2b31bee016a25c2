// The MIDI import dialog's window: its controls, how they are wired, and their captions.
#include "dialogs/SelMIDI.h"

#include "dialogs/Accordages.h"
#include "dialogs/BaseDialogue.h"
#include "dialogs/SaisieSpin.h"
#include "document/Fenetre.h"
#include "document/Variable.h"

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
#include <QSignalBlocker>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

namespace {

// Instrument and frets: 300, 100, 50 ms, the step tripled at the thirtieth tick.
constexpr RepetitionSpin::Cadence kCadenceRapide{300, 100, 50, 30};

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

} // namespace

TSelMIDIForm::TSelMIDIForm(QWidget* parent, Controles controles)
    : FenetreControlesDifferes(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("SelMIDIForm"));
    setWindowTitle(QStringLiteral("MIDI import"));
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, 520, HauteurClient);
    SetDefaultWeights();
    LirePoidsDoigte();
    ConstruireSelon(controles);
}

TSelMIDIForm::~TSelMIDIForm() = default;

void TSelMIDIForm::CreerControles()
{
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
    ApplyCaptions();
    FillPresetList();
    connect(this, &TSelMIDIForm::LanguageChanged, this, &TSelMIDIForm::ApplyCaptions);
    connect(this, &TSelMIDIForm::PresetsChanged, this, &TSelMIDIForm::FillPresetList);
}

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
        connect(b, &QToolButton::toggled, this,
                [this, r](bool enfonce) { ecoutesEnfoncees_[static_cast<std::size_t>(r)] = enfonce; });
    }
    EcouterTout = Placer(new QToolButton(this), "EcouterTout", 258, 310, 18, 17);
    EcouterTout->setCheckable(true);
    EcouterTout->setFocusPolicy(Qt::NoFocus);
    EcouterTout->setText(QStringLiteral("\u266B"));
    connect(EcouterTout, &QToolButton::clicked, this, &TSelMIDIForm::EcouterToutClick);
    connect(EcouterTout, &QToolButton::toggled, this, [this](bool enfonce) { ecoutesEnfoncees_[0] = enfonce; });
    PanelHB = Placer(new QFrame(this), "PanelHB", 278, 310, 32, 17);
    ToutUp = Fleche(PanelHB, "ToutUp", Qt::UpArrow, 0, 0, 16, 17);
    ToutDown = Fleche(PanelHB, "ToutDown", Qt::DownArrow, 16, 0, 16, 17);
    connect(ToutUp, &QToolButton::clicked, this, [this] { ToutClick(1); });
    connect(ToutDown, &QToolButton::clicked, this, [this] { ToutClick(-1); });
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

// ---- Captions --------------------------------------------------------------------------------

void TSelMIDIForm::ApplyCaptions()
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
    // The drum notice's heading is the one of the song properties: the import section only has
    // its two other lines.
    Lab_Cache1->setText(prop.Texte(22));
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

void TSelMIDIForm::FillPresetList()
{
    const QSignalBlocker bloque(ModeleList);
    ModeleList->clear();
    for (int32_t i = 0; i < NbModelesAccordage; ++i)
        ModeleList->addItem(VersQString(ModelesAccordage[static_cast<std::size_t>(i)].Nom));
    ModeleList->setCurrentIndex(-1);
}
