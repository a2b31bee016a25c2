#include "dialogs/ChgtParam.h"

#include "dialogs/BaseDialogue.h"
#include "document/Langue.h"
#include "document/Routines.h"
#include "document/TableMix.h"
#include "document/Variable.h"
#include "editor/Ed_fct.h"
#include "platform/Arrondi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <QToolButton>

#include <algorithm>
#include <memory>

namespace {

// 300 ms, 100 ms after the first tick, 50 ms after the tenth, the step tripled at the thirtieth.
constexpr RepetitionSpin::Cadence kCadenceTempo{300, 100, 50, 30};
constexpr int kNbTransitions = 9; // 0 (at once) .. 8 quarter notes

int32_t PisteMix() { return std::clamp<int32_t>(PisteCourante, 1, kNbPistes); }

QSlider* Barre(QWidget* parent, const char* nom, int y)
{
    auto* s = Placer(new QSlider(Qt::Horizontal, parent), nom, 130, y, 160, 26);
    s->setRange(0, 20);
    s->setTickInterval(2);
    s->setTickPosition(QSlider::TicksBelow);
    s->setPageStep(2);
    return s;
}

QComboBox* ListeTransition(QWidget* parent, const char* nom, int y)
{
    auto* l = Placer(new QComboBox(parent), nom, 300, y + 2, 160, 21);
    l->setMaxVisibleItems(kNbTransitions);
    return l;
}

// Design texts of the transition items, used while the language lacks them.
QStringList TransitionsParDefaut()
{
    QStringList items{QStringLiteral("At once"), QStringLiteral("Over 1 quarter note")};
    for (int n = 2; n <= 8; ++n)
        items << QStringLiteral("Over %1 quarter notes").arg(n);
    return items;
}

// The edit's number; nothing for an empty edit.
bool Nombre(const QLineEdit* e, int& valeur)
{
    const std::optional<int32_t> v = e->text().isEmpty() ? std::nullopt : LireEntier(e->text());
    if (!v)
        return false;
    valeur = *v;
    return true;
}

int8_t Transition(const QComboBox* liste)
{
    return static_cast<int8_t>(std::clamp(liste->currentIndex(), 0, kNbTransitions - 1));
}

void ChoisirTransition(QComboBox* liste, int transition)
{
    if (liste->count() > 0)
        liste->setCurrentIndex(std::clamp(transition, 0, liste->count() - 1));
}

} // namespace

int32_t PositionDepuisValeurMix(int32_t valeur)
{
    return static_cast<int32_t>(platform::Round(valeur * 20.0 / 127.0));
}

int32_t ValeurMixDepuisPosition(int32_t position)
{
    return static_cast<int32_t>(platform::Round(position * 127.0 / 20.0));
}

TChgtParamForm::TChgtParamForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("ChgtParamForm"));
    setWindowTitle(QStringLiteral("Mix table"));
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, 472, 300);

    Intro = Placer(new QLabel(QStringLiteral("Tick the values that change at this beat :"), this), "Intro", 10, 8, 452, 16);
    Lab_NewValue = Placer(new QLabel(QStringLiteral("New value"), this), "Lab_NewValue", 130, 30, 160, 14);
    Lab_Transition = Placer(new QLabel(QStringLiteral("Transition"), this), "Lab_Transition", 300, 30, 160, 14);

    const int y0 = 50, pas = 32;
    CB_Instrument = Placer(new QCheckBox(QStringLiteral("Instrument"), this), "CB_Instrument", 10, y0 + 4, 115, 18);
    CB_Volume = Placer(new QCheckBox(QStringLiteral("Volume"), this), "CB_Volume", 10, y0 + pas + 4, 115, 18);
    CB_Pan = Placer(new QCheckBox(QStringLiteral("Pan"), this), "CB_Pan", 10, y0 + 2 * pas + 4, 115, 18);
    CB_Chorus = Placer(new QCheckBox(QStringLiteral("Chorus"), this), "CB_Chorus", 10, y0 + 3 * pas + 4, 115, 18);
    CB_Reverb = Placer(new QCheckBox(QStringLiteral("Reverb"), this), "CB_Reverb", 10, y0 + 4 * pas + 4, 115, 18);
    CB_Tempo = Placer(new QCheckBox(QStringLiteral("Tempo"), this), "CB_Tempo", 10, y0 + 5 * pas + 4, 115, 18);

    L_Instrument = Placer(new QComboBox(this), "L_Instrument", 130, y0 + 2, 330, 21);
    L_Instrument->setMaxVisibleItems(16);
    J_Volume = Barre(this, "J_Volume", y0 + pas);
    J_Pan = Barre(this, "J_Pan", y0 + 2 * pas);
    J_Chorus = Barre(this, "J_Chorus", y0 + 3 * pas);
    J_Reverb = Barre(this, "J_Reverb", y0 + 4 * pas);
    J_Tempo = Placer(new QLineEdit(this), "J_Tempo", 130, y0 + 5 * pas + 2, 40, 21);
    FiltrerChiffres(J_Tempo, 3);
    BT_TempoUp = Placer(new QToolButton(this), "BT_TempoUp", 171, y0 + 5 * pas + 2, 15, 11);
    BT_TempoDown = Placer(new QToolButton(this), "BT_TempoDown", 171, y0 + 5 * pas + 13, 15, 11);
    BT_TempoUp->setArrowType(Qt::UpArrow);
    BT_TempoDown->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {BT_TempoUp, BT_TempoDown}) {
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    L_Volume = ListeTransition(this, "L_Volume", y0 + pas);
    L_Pan = ListeTransition(this, "L_Pan", y0 + 2 * pas);
    L_Chorus = ListeTransition(this, "L_Chorus", y0 + 3 * pas);
    L_Reverb = ListeTransition(this, "L_Reverb", y0 + 4 * pas);
    L_Tempo = ListeTransition(this, "L_Tempo", y0 + 5 * pas);
    for (QComboBox* l : {L_Volume, L_Pan, L_Chorus, L_Reverb, L_Tempo})
        l->addItems(TransitionsParDefaut());

    BT_OK = Placer(new QPushButton(QStringLiteral("OK"), this), "BT_OK", 150, 262, 100, 25);
    BT_Annuler = Placer(new QPushButton(QStringLiteral("Cancel"), this), "BT_Annuler", 256, 262, 100, 25);
    BT_Clear = Placer(new QPushButton(QStringLiteral("Clear"), this), "BT_Clear", 362, 262, 100, 25);
    BT_OK->setDefault(true);
    connect(BT_OK, &QPushButton::clicked, this, &TChgtParamForm::BT_OKClick);
    connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(BT_Clear, &QPushButton::clicked, this, &TChgtParamForm::BT_ClearClick);
    for (QCheckBox* cb : {CB_Instrument, CB_Volume, CB_Pan, CB_Chorus, CB_Reverb, CB_Tempo})
        connect(cb, &QCheckBox::toggled, this, &TChgtParamForm::AfficherControles);

    repetition_ = std::make_unique<RepetitionSpin>(this, kCadenceTempo, [this](int pas) { TickTempo(pas); });
    repetition_->Lier(BT_TempoUp, 1);
    repetition_->Lier(BT_TempoDown, -1);
    connect(BT_TempoUp, &QToolButton::clicked, this, [this] { ClicTempo(1); });
    connect(BT_TempoDown, &QToolButton::clicked, this, [this] { ClicTempo(-1); });
    LierTouchesSpin(J_Tempo, [this] { ClicTempo(1); }, [this] { ClicTempo(-1); });

    AppliquerTextes();
}

TChgtParamForm::~TChgtParamForm() = default;

void TChgtParamForm::AppliquerTextes()
{
    const SectionLangue commun("DLG_000");
    if (!commun.Trouvee())
        return;
    const SectionLangue mix("DLG_MIX_000");
    std::string ok = commun.Brut(1), annuler = commun.Brut(2), effacer = commun.Brut(6);
    if (mix.Trouvee()) {
        setWindowTitle(mix.Texte(1));
        Intro->setText(mix.Texte(2));
        CB_Instrument->setText(mix.Texte(3));
        CB_Volume->setText(mix.Texte(4));
        CB_Pan->setText(mix.Texte(5));
        CB_Chorus->setText(mix.Texte(6));
        CB_Reverb->setText(mix.Texte(7));
        CB_Tempo->setText(mix.Texte(8));
        QStringList items{mix.Texte(9), mix.Texte(10)};
        for (int n = 2; n <= 8; ++n)
            items << VersQString(RemplacerPremier(mix.Brut(11), "%s", std::to_string(n)));
        for (QComboBox* l : {L_Volume, L_Pan, L_Chorus, L_Reverb, L_Tempo}) {
            const int choisi = l->currentIndex();
            l->clear();
            l->addItems(items);
            ChoisirTransition(l, choisi);
        }
        Lab_NewValue->setText(mix.Texte(12));
        Lab_Transition->setText(mix.Texte(13));
        std::string utilisees;
        ok = AjouterRaccourci(ok, utilisees);
        annuler = AjouterRaccourci(annuler, utilisees);
        effacer = AjouterRaccourci(effacer, utilisees);
    }
    BT_OK->setText(VersQString(ok));
    BT_Annuler->setText(VersQString(annuler));
    BT_Clear->setText(VersQString(effacer));
}

void TChgtParamForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormActivate();
}

void TChgtParamForm::FormActivate()
{
    FermetureAutorisee = true;
    RemplirListeInstruments();
    ChargerTableMix();
    AfficherControles();
}

void TChgtParamForm::RemplirListeInstruments()
{
    L_Instrument->clear();
    for (int n = 0; n < 128; ++n)
        L_Instrument->addItem(QString::number(n) + QStringLiteral(" - ") + VersQString(NomsInstrumentsGM[static_cast<std::size_t>(n)]));
}

void TChgtParamForm::ChargerTableMix()
{
    const int32_t t = PisteMix();
    const int32_t programme = Partition.Instrument[t];
    L_Instrument->setCurrentIndex(programme >= 0 && programme < L_Instrument->count() ? programme : -1);
    J_Volume->setValue(PositionDepuisValeurMix(Partition.Volume[t]));
    J_Pan->setValue(PositionDepuisValeurMix(Partition.Panoramique[t]));
    J_Chorus->setValue(PositionDepuisValeurMix(Partition.Chorus[t]));
    J_Reverb->setValue(PositionDepuisValeurMix(Partition.Reverb[t]));
    J_Tempo->setText(QString::number(std::clamp<int32_t>(Partition.Tempo, 1, 999)));
    for (QComboBox* l : {L_Volume, L_Pan, L_Chorus, L_Reverb, L_Tempo})
        ChoisirTransition(l, 0);
    for (QCheckBox* cb : {CB_Instrument, CB_Volume, CB_Pan, CB_Chorus, CB_Reverb, CB_Tempo})
        cb->setChecked(false);

    const std::shared_ptr<const cTableMixEvent> mix = TempsCurseur().TableMix;
    if (!mix)
        return;
    // A negative value is "unchanged", whatever a file may have stored.
    if (mix->Instrument >= 0) {
        CB_Instrument->setChecked(true);
        L_Instrument->setCurrentIndex(mix->Instrument);
    }
    struct Valeur {
        int32_t valeur;
        int32_t transition;
        QCheckBox* boite;
        QSlider* barre;
        QComboBox* liste;
    };
    const Valeur valeurs[] = {
        {mix->Volume, mix->TransVolume, CB_Volume, J_Volume, L_Volume},
        {mix->Pan, mix->TransPan, CB_Pan, J_Pan, L_Pan},
        {mix->Chorus, mix->TransChorus, CB_Chorus, J_Chorus, L_Chorus},
        {mix->Reverb, mix->TransReverb, CB_Reverb, J_Reverb, L_Reverb},
    };
    for (const Valeur& v : valeurs) {
        if (v.valeur < 0)
            continue;
        v.boite->setChecked(true);
        v.barre->setValue(PositionDepuisValeurMix(v.valeur));
        ChoisirTransition(v.liste, v.transition);
    }
    if (mix->Tempo >= 0) {
        CB_Tempo->setChecked(true);
        J_Tempo->setText(QString::number(std::clamp<int32_t>(mix->Tempo, 1, 999)));
        ChoisirTransition(L_Tempo, mix->TransTempo);
    }
}

void TChgtParamForm::AfficherControles()
{
    L_Instrument->setVisible(CB_Instrument->isChecked());
    J_Volume->setVisible(CB_Volume->isChecked());
    L_Volume->setVisible(CB_Volume->isChecked());
    J_Pan->setVisible(CB_Pan->isChecked());
    L_Pan->setVisible(CB_Pan->isChecked());
    J_Chorus->setVisible(CB_Chorus->isChecked());
    L_Chorus->setVisible(CB_Chorus->isChecked());
    J_Reverb->setVisible(CB_Reverb->isChecked());
    L_Reverb->setVisible(CB_Reverb->isChecked());
    for (QWidget* w : {static_cast<QWidget*>(J_Tempo), static_cast<QWidget*>(BT_TempoUp),
                       static_cast<QWidget*>(BT_TempoDown), static_cast<QWidget*>(L_Tempo)})
        w->setVisible(CB_Tempo->isChecked());
    const bool entetes = CB_Volume->isChecked() || CB_Pan->isChecked() || CB_Chorus->isChecked() ||
                         CB_Reverb->isChecked() || CB_Tempo->isChecked();
    Lab_NewValue->setVisible(entetes);
    Lab_Transition->setVisible(entetes);
}

void TChgtParamForm::BT_ClearClick()
{
    for (QCheckBox* cb : {CB_Instrument, CB_Volume, CB_Pan, CB_Chorus, CB_Reverb, CB_Tempo})
        cb->setChecked(false);
}

void TChgtParamForm::ClicTempo(int direction)
{
    int v = 0;
    if (!Nombre(J_Tempo, v))
        return;
    J_Tempo->setText(QString::number(direction > 0 ? std::min(v + 1, 999) : std::max(v - 1, 1)));
    J_Tempo->selectAll();
}

void TChgtParamForm::TickTempo(int pas)
{
    int v = 0;
    if (!Nombre(J_Tempo, v))
        return;
    J_Tempo->setText(QString::number(std::clamp(v + pas, 1, 999)));
}

bool TChgtParamForm::VerifierTempo()
{
    // The tempo text counts only when the tempo changes here: refusing a hidden, unused field
    // would leave the user before a box that points at nothing visible.
    if (!CB_Tempo->isChecked())
        return true;
    int v = 0;
    if (Nombre(J_Tempo, v) && v > 0)
        return true;
    RefuserChamp(J_Tempo);
    FermetureAutorisee = false;
    return false;
}

void TChgtParamForm::BT_OKClick()
{
    if (!VerifierTempo()) {
        FermetureAutorisee = true; // the close query answers the flag and sets it back
        return;
    }
    FermetureAutorisee = true;
    TTemps& temps = TempsCurseur();
    const bool coche = CB_Instrument->isChecked() || CB_Volume->isChecked() || CB_Pan->isChecked() ||
                       CB_Chorus->isChecked() || CB_Reverb->isChecked() || CB_Tempo->isChecked();
    if (!coche) {
        temps.TableMix.reset();
        accept();
        return;
    }
    // A new record from the old one: the copies of the measure that share it stay as they were.
    auto mix = temps.TableMix ? std::make_shared<cTableMixEvent>(*temps.TableMix) : cTableMixEvent::Create();
    mix->Instrument = CB_Instrument->isChecked() ? static_cast<int8_t>(std::max(-1, L_Instrument->currentIndex())) : -1;
    const auto ecrire = [](QCheckBox* boite, QSlider* barre, QComboBox* liste, int8_t& valeur, int8_t& transition) {
        if (boite->isChecked()) {
            valeur = static_cast<int8_t>(ValeurMixDepuisPosition(barre->value()));
            transition = Transition(liste);
        } else {
            valeur = -1;
        }
    };
    ecrire(CB_Volume, J_Volume, L_Volume, mix->Volume, mix->TransVolume);
    ecrire(CB_Pan, J_Pan, L_Pan, mix->Pan, mix->TransPan);
    ecrire(CB_Chorus, J_Chorus, L_Chorus, mix->Chorus, mix->TransChorus);
    ecrire(CB_Reverb, J_Reverb, L_Reverb, mix->Reverb, mix->TransReverb);
    if (CB_Tempo->isChecked()) {
        int tempo = 0;
        Nombre(J_Tempo, tempo);
        mix->Tempo = tempo;
        mix->TransTempo = Transition(L_Tempo);
    } else {
        mix->Tempo = -1;
    }
    temps.TableMix = std::move(mix);
    accept();
}

bool ExecuterTableMix(QWidget* parent)
{
    TChgtParamForm dialogue(parent ? parent : QApplication::activeWindow());
    return dialogue.exec() == QDialog::Accepted;
}
