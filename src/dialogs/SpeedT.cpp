#include "dialogs/SpeedT.h"

#include "dialogs/BaseDialogue.h"
#include "document/Configuration.h"
#include "document/Fenetre.h"
#include "document/Langue.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/Ed_fct.h"
#include "midi/EtatLecture.h"
#include "midi/Lecture.h"
#include "midi/OrdreLecture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kLargeurClient = 290;

// 300 ms, 100 ms after the first tick, 50 ms after the tenth, the step tripled at the thirtieth.
constexpr RepetitionSpin::Cadence kCadence{300, 100, 50, 30};

// The entry's number; nothing for an empty entry.
bool Nombre(const QString& texte, int& valeur)
{
    const std::optional<int32_t> v = texte.isEmpty() ? std::nullopt : LireEntier(texte);
    if (!v)
        return false;
    valeur = *v;
    return true;
}

QToolButton* BoutonSpin(QWidget* parent, const char* nom, Qt::ArrowType fleche, int x, int y)
{
    auto* b = Placer(new QToolButton(parent), nom, x, y, 15, 11);
    b->setArrowType(fleche);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

int32_t NombreOuZero(const QString& texte)
{
    int v = 0;
    return Nombre(texte, v) ? v : 0;
}

QLineEdit* EditNombre(QWidget* parent, const char* nom, int x, int y, int longueurMax)
{
    auto* e = Placer(new QLineEdit(parent), nom, x, y, 36, 21);
    FiltrerChiffres(e, longueurMax);
    return e;
}

} // namespace

TSpeedT_Form::TSpeedT_Form(QWidget* parent, Controles controles)
    : FenetreControlesDifferes(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("SpeedT_Form"));
    setWindowTitle(QStringLiteral("Speed trainer"));
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, kLargeurClient, 150);
    for (int k = 1; k <= 5; ++k)
        repetitions_[k] = std::make_unique<RepetitionSpin>(this, kCadence, [this, k](int pas) { Tick(k, pas); });
    ConstruireSelon(controles);
}

void TSpeedT_Form::CreerControles()
{
    Lab_Mesure = Placer(new QLabel(QStringLiteral("Bars :"), this), "Lab_Mesure", 12, 16, 110, 13);
    Lab_Tempo = Placer(new QLabel(QStringLiteral("Tempo :"), this), "Lab_Tempo", 12, 48, 110, 13);
    Lab_Variation = Placer(new QLabel(QStringLiteral("Change per pass :"), this), "Lab_Variation", 12, 80, 110, 13);
    Lab_a = Placer(new QLabel(QStringLiteral("to"), this), "Lab_a", 180, 16, 30, 13);
    Lab_a2 = Placer(new QLabel(QStringLiteral("to"), this), "Lab_a2", 180, 48, 30, 13);

    // A song holds up to 1000 measures: the measure edits take four digits.
    MesDeb = EditNombre(this, "MesDeb", 124, 12, 4);
    MesFin = EditNombre(this, "MesFin", 214, 12, 4);
    TempoDeb = EditNombre(this, "TempoDeb", 124, 44, 3);
    TempoFin = EditNombre(this, "TempoFin", 214, 44, 3);
    Variation = EditNombre(this, "Variation", 124, 76, 3);
    MesDebUp = BoutonSpin(this, "MesDebUp", Qt::UpArrow, 161, 12);
    MesDebDown = BoutonSpin(this, "MesDebDown", Qt::DownArrow, 161, 23);
    MesFinUp = BoutonSpin(this, "MesFinUp", Qt::UpArrow, 251, 12);
    MesFinDown = BoutonSpin(this, "MesFinDown", Qt::DownArrow, 251, 23);
    TempoDebUp = BoutonSpin(this, "TempoDebUp", Qt::UpArrow, 161, 44);
    TempoDebDown = BoutonSpin(this, "TempoDebDown", Qt::DownArrow, 161, 55);
    TempoFinUp = BoutonSpin(this, "TempoFinUp", Qt::UpArrow, 251, 44);
    TempoFinDown = BoutonSpin(this, "TempoFinDown", Qt::DownArrow, 251, 55);
    VariationUp = BoutonSpin(this, "VariationUp", Qt::UpArrow, 161, 76);
    VariationDown = BoutonSpin(this, "VariationDown", Qt::DownArrow, 161, 87);
    Lab_Mesure->setBuddy(MesDeb);
    Lab_Tempo->setBuddy(TempoDeb);
    Lab_Variation->setBuddy(Variation);

    BT_OK = Placer(new QPushButton(QStringLiteral("OK"), this), "BT_OK", 31, 114, 75, 25);
    BT_Annuler = Placer(new QPushButton(QStringLiteral("Cancel"), this), "BT_Annuler", 111, 114, 75, 25);
    BT_Aide = Placer(new QPushButton(QStringLiteral("Help"), this), "BT_Aide", 191, 114, 75, 25);
    BT_OK->setDefault(true);
    connect(BT_OK, &QPushButton::clicked, this, &TSpeedT_Form::BT_OKClick);
    connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(BT_Aide, &QPushButton::clicked, this, [] { FenetrePrincipale().AfficherAideDialogue(ContexteAide); });

    QToolButton* hauts[] = {nullptr, MesDebUp, MesFinUp, TempoDebUp, TempoFinUp, VariationUp};
    QToolButton* bas[] = {nullptr, MesDebDown, MesFinDown, TempoDebDown, TempoFinDown, VariationDown};
    for (int k = 1; k <= 5; ++k) {
        Edit(k)->setText(entrees_[k]);
        connect(Edit(k), &QLineEdit::textChanged, this, [this, k](const QString& texte) { entrees_[k] = texte; });
        repetitions_[k]->Lier(hauts[k], 1);
        repetitions_[k]->Lier(bas[k], -1);
        connect(hauts[k], &QToolButton::clicked, this, [this, k] { Clic(k, 1); });
        connect(bas[k], &QToolButton::clicked, this, [this, k] { Clic(k, -1); });
        LierTouchesSpin(Edit(k), [this, k] { Clic(k, 1); }, [this, k] { Clic(k, -1); });
    }
    connect(this, &TSpeedT_Form::EntriesChanged, this, &TSpeedT_Form::ShowEntries);
}

TSpeedT_Form::~TSpeedT_Form() = default;

QLineEdit* TSpeedT_Form::Edit(int numero) const
{
    QLineEdit* const edits[] = {nullptr, MesDeb, MesFin, TempoDeb, TempoFin, Variation};
    return edits[std::clamp(numero, 1, 5)];
}

RepetitionSpin& TSpeedT_Form::Repetition(int numero) const { return *repetitions_[std::clamp(numero, 1, 5)]; }

int TSpeedT_Form::MontrerModal() { return exec(); }

void TSpeedT_Form::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormActivate();
}

void TSpeedT_Form::AppliquerTextes()
{
    const SectionLangue commun("DLG_000");
    if (!commun.Trouvee())
        return;
    const SectionLangue st("DLG_ASS_ST_000");
    std::string ok = commun.Brut(1), annuler = commun.Brut(2), aide = commun.Brut(5);
    std::string mesure, tempo, a, variation;
    if (st.Trouvee()) {
        setWindowTitle(st.Texte(1));
        mesure = st.Brut(2);
        tempo = st.Brut(3);
        a = st.Brut(4);
        variation = st.Brut(5);
        std::string utilisees;
        for (std::string* legende : {&ok, &annuler, &aide, &mesure, &tempo, &variation})
            *legende = AjouterRaccourci(*legende, utilisees);
        Lab_Mesure->setText(VersQString(mesure));
        Lab_Tempo->setText(VersQString(tempo));
        Lab_a->setText(VersQString(a));
        Lab_a2->setText(VersQString(a));
        Lab_Variation->setText(VersQString(variation));
    }
    BT_OK->setText(VersQString(ok));
    BT_Annuler->setText(VersQString(annuler));
    BT_Aide->setText(VersQString(aide));
}

void TSpeedT_Form::FormActivate()
{
    AppliquerTextes();
    LayOutColumns();
    FermetureAutorisee = true;
    const auto remplir = [](QString& entree, int valeur) {
        if (entree.isEmpty())
            entree = QString::number(valeur);
    };
    remplir(entrees_[1], Partition.MesureCourante);
    remplir(entrees_[2], Partition.NbMesures);
    remplir(entrees_[3], Partition.Tempo);
    remplir(entrees_[4], Partition.Tempo);
    remplir(entrees_[5], 0);
    ShowEntries();
    MesDeb->setFocus(Qt::OtherFocusReason);
    MesDeb->selectAll();
}

void TSpeedT_Form::LayOutColumns()
{
    // The design's columns at 96 dpi: captions from 12 in 110, the first edits at 124 with
    // their spins 37 further, "to" at 180, the second edits at 214, their spins ending 24 short
    // of the window's right edge, and the buttons 31 from its left. A caption longer than its
    // column in the window's font (a language, a font size) widens the column, with room before
    // the edits: the columns after it and the window's right edge move by as much, the buttons
    // stay centred, and every margin is kept.
    int colonne = Pixels96(110);
    for (const QLabel* l : {Lab_Mesure, Lab_Tempo, Lab_Variation})
        colonne = std::max(colonne, l->sizeHint().width() + Pixels96(6));
    const int ecart = colonne - Pixels96(110);
    const auto placer = [ecart](QWidget* w, int x) { w->move(Pixels96(x) + ecart, w->y()); };
    for (QLabel* l : {Lab_Mesure, Lab_Tempo, Lab_Variation})
        l->setGeometry(Pixels96(12), l->y(), colonne, l->height());
    for (int k = 1; k <= 5; ++k)
        placer(Edit(k), k % 2 == 0 ? 214 : 124);
    placer(Lab_a, 180);
    placer(Lab_a2, 180);
    for (QToolButton* b : {MesDebUp, MesDebDown, TempoDebUp, TempoDebDown, VariationUp, VariationDown})
        placer(b, 161);
    for (QToolButton* b : {MesFinUp, MesFinDown, TempoFinUp, TempoFinDown})
        placer(b, 251);
    setFixedWidth(Pixels96(kLargeurClient) + ecart);
    const int boutons = Pixels96(31) + ecart / 2;
    BT_OK->move(boutons, BT_OK->y());
    BT_Annuler->move(boutons + Pixels96(80), BT_Annuler->y());
    BT_Aide->move(boutons + Pixels96(160), BT_Aide->y());
}

void TSpeedT_Form::ShowEntries()
{
    // An edit that already shows its entry keeps its cursor and selection.
    for (int k = 1; k <= 5; ++k)
        if (Edit(k)->text() != entrees_[k])
            Edit(k)->setText(entrees_[k]);
}

void TSpeedT_Form::ViderChamps()
{
    entrees_.fill(QString());
    emit EntriesChanged();
}

int TSpeedT_Form::Minimum(int numero) const { return numero == 5 ? 0 : 1; }

int TSpeedT_Form::Maximum(int numero) const { return numero <= 2 ? Partition.NbMesures : 999; }

void TSpeedT_Form::Clic(int numero, int direction)
{
    QString& entree = entrees_[static_cast<std::size_t>(std::clamp(numero, 1, 5))];
    int v = 0;
    if (!Nombre(entree, v))
        return;
    if (direction > 0 && v < Maximum(numero))
        entree = QString::number(v + 1);
    else if (direction < 0 && v > Minimum(numero))
        entree = QString::number(v - 1);
    else
        return;
    emit EntriesChanged();
}

void TSpeedT_Form::Tick(int numero, int pas)
{
    QString& entree = entrees_[static_cast<std::size_t>(std::clamp(numero, 1, 5))];
    int v = 0;
    if (!Nombre(entree, v))
        return;
    entree = QString::number(std::clamp(v + pas, Minimum(numero), std::max(Minimum(numero), Maximum(numero))));
    emit EntriesChanged();
}

void TSpeedT_Form::Refuser(int numero)
{
    RefuserChamp(Edit(numero));
    FermetureAutorisee = false;
}

void TSpeedT_Form::BT_OKClick()
{
    int deb = 0, fin = 0, tempo = 0;
    if (!Nombre(entrees_[1], deb) || deb == 0 || deb > Partition.NbMesures)
        Refuser(1);
    else if (!Nombre(entrees_[2], fin) || fin == 0 || fin > Partition.NbMesures)
        Refuser(2);
    else if (fin < deb)
        Refuser(2);
    else if (!Nombre(entrees_[3], tempo) || tempo == 0)
        Refuser(3);
    else if (!Nombre(entrees_[4], tempo) || tempo == 0)
        Refuser(4);
    else if (!Nombre(entrees_[5], tempo))
        Refuser(5);
    // The close query answers the flag and sets it back.
    if (FermetureAutorisee)
        accept();
    FermetureAutorisee = true;
}

int32_t TSpeedT_Form::ValeurMesDeb() const { return NombreOuZero(entrees_[1]); }

int32_t TSpeedT_Form::ValeurMesFin() const { return NombreOuZero(entrees_[2]); }

int32_t TSpeedT_Form::ValeurTempoDeb() const { return NombreOuZero(entrees_[3]); }

int32_t TSpeedT_Form::ValeurTempoFin() const { return NombreOuZero(entrees_[4]); }

int32_t TSpeedT_Form::ValeurVariation() const { return NombreOuZero(entrees_[5]); }

void ViderChampsSpeedTrainer() { Saisie().SpeedT_Form->ViderChamps(); }

void Ac_Ass_SpeedTrainerExecute(TSpeedT_Form& fenetre)
{
    if (!MidiDisponible)
        return;
    if (!FenetrePrincipale().CommandeActive("Ac_Son_LectureDebut"))
        Ac_Son_StopExecute();
    if (fenetre.MontrerModal() != QDialog::Accepted)
        return;

    const int32_t debut = fenetre.ValeurMesDeb();
    const int32_t fin = fenetre.ValeurMesFin();
    if (!ConstruireOrdreLecture(debut, fin, Configuration.PlayRepeats))
        return;
    if (Configuration.CheckDuration && !ControlerDurees())
        return;

    const int32_t tempoDebut = fenetre.ValeurTempoDeb();
    const int32_t tempoFin = fenetre.ValeurTempoFin();
    const int32_t variation = fenetre.ValeurVariation();
    EtatLecture.TempoDebut = tempoDebut;
    EtatLecture.TempoFin = tempoFin;
    EtatLecture.PasTempo = tempoDebut > tempoFin ? -variation : variation;
    EtatLecture.TempoCourant = tempoDebut;
    MesureDebutSpeedTrainer = debut;
    MesureFinSpeedTrainer = fin;
    // Palettes closed and remembered, the pass written and started.
    LancerPasseSpeedTrainer();
}

void EnregistrerCommandeSpeedTrainer(TSpeedT_Form* fenetre)
{
    if (!fenetre)
        return;
    Commandes().Enregistrer(Cmd::Ac_Ass_SpeedTrainer, [fenetre](Cmd) { Ac_Ass_SpeedTrainerExecute(*fenetre); });
}
