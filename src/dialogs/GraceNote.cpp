#include "dialogs/GraceNote.h"

#include "document/Configuration.h"
#include "editor/Commandes.h"
#include "editor/Ed_fct.h"
#include "editor/LecteurSaisie.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kFretteFlecheMax = 24;
constexpr std::array<const char*, 9> kNuances{"", "ppp", "pp", "p", "mp", "mf", "f", "ff", "fff"};
constexpr std::array<const char*, 9> kBulles{"",           "(very) pianissimo", "pianissimo", "piano",
                                             "mezzo piano", "mezzo forte",       "forte",      "fortissimo",
                                             "(very) fortissimo"};

// A grace note: a small head with its stem, crossed, and one flag fewer for each longer code.
QPixmap ImageDuree(int code, int largeur, int hauteur)
{
    QPixmap image(largeur, hauteur);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::black);
    const int x = largeur / 2 - 4;
    const int yTete = hauteur - 8;
    p.drawEllipse(x - 3, yTete - 2, 6, 4);
    p.drawLine(x + 3, yTete, x + 3, 3);
    for (int f = 0; f < 4 - code; ++f)
        p.drawLine(x + 3, 3 + f * 4, x + 8, 7 + f * 4);
    p.drawLine(x - 1, yTete - 6, x + 8, yTete - 14);
    return image;
}

void JouerSiSaisie()
{
    if (Commandes().Checked(Cmd::Ac_Son_JouerSaisie) && LecteurSaisie().MidiDisponible())
        LecteurSaisie().JouerTempsSaisi();
}

int32_t FretteMaxCourante() { return FretteMax[std::clamp<int32_t>(PisteCourante, 1, kNbPistes)]; }

} // namespace

TGraceNoteForm::TGraceNoteForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("GraceNoteForm"));
    setWindowTitle(QStringLiteral("Grace Note"));
    setModal(true);
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, 300, 187);

    GBNote = Placer(new QGroupBox(QStringLiteral(" Note "), this), "GBNote", 8, 6, 140, 78);
    Radio1 = Placer(new QRadioButton(QStringLiteral("Dead note : X"), GBNote), "Radio1", 10, 20, 124, 17);
    Radio2 = Placer(new QRadioButton(QStringLiteral("Fret :"), GBNote), "Radio2", 10, 48, 56, 17);
    Radio2->setChecked(true);
    NbFrets = Placer(new QLineEdit(QStringLiteral("0"), GBNote), "NbFrets", 70, 46, 28, 21);
    FiltrerChiffres(NbFrets, 2);
    BT_FretUp = Placer(new QToolButton(GBNote), "BT_FretUp", 98, 46, 15, 11);
    BT_FretUp->setArrowType(Qt::UpArrow);
    BT_FretDown = Placer(new QToolButton(GBNote), "BT_FretDown", 98, 57, 15, 10);
    BT_FretDown->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {BT_FretUp, BT_FretDown})
        b->setFocusPolicy(Qt::NoFocus);

    GBDuration = Placer(new QGroupBox(QStringLiteral(" Duration "), this), "GBDuration", 156, 6, 136, 78);
    for (int c = 1; c <= 3; ++c) {
        const int x = 8 + (c - 1) * 42;
        Image[c] = Placer(new QLabel(GBDuration), ("Image" + std::to_string(c)).c_str(), x, 16, 36, 32);
        Image[c]->setPixmap(ImageDuree(c, Image[c]->width(), Image[c]->height()));
        Image[c]->installEventFilter(this);
        CDuration[c] = Placer(new QRadioButton(GBDuration), ("CDuration" + std::to_string(c)).c_str(), x + 10, 52, 17, 17);
        connect(CDuration[c], &QRadioButton::toggled, this, [this](bool coche) {
            if (coche)
                BT_DynaNote_1Click();
        });
    }
    CDuration[2]->setChecked(true);

    GDyna = Placer(new QGroupBox(QStringLiteral(" Dynamic "), this), "GDyna", 8, 88, 284, 54);
    groupeNuances_ = new QButtonGroup(this);
    groupeNuances_->setExclusive(true);
    QFont police = font();
    police.setBold(true);
    police.setItalic(true);
    for (int n = 1; n <= 8; ++n) {
        auto* b = Placer(new QToolButton(GDyna), ("BT_DynaNote_" + std::to_string(n)).c_str(), 8 + (n - 1) * 34, 18, 32, 26);
        b->setCheckable(true);
        b->setText(QString::fromLatin1(kNuances[n]));
        b->setToolTip(QString::fromLatin1(kBulles[n]));
        b->setFont(police);
        b->setFocusPolicy(Qt::NoFocus);
        b->setProperty("Tag", n);
        groupeNuances_->addButton(b, n);
        BT_DynaNote[n] = b;
    }
    BT_DynaNote[6]->setChecked(true);
    connect(groupeNuances_, &QButtonGroup::idClicked, this, [this](int) { BT_DynaNote_1Click(); });

    Ecouter = Placer(new QToolButton(this), "Ecouter", 8, 154, 25, 25);
    Ecouter->setCheckable(true);
    Ecouter->setIcon(style()->standardIcon(QStyle::SP_MediaVolume));
    Ecouter->setFocusPolicy(Qt::NoFocus);
    connect(Ecouter, &QToolButton::clicked, this, [this] { BT_DynaNote_1Click(); });

    BT_OK = PlacerBoutonOK(this, 130, 154);
    BT_Annuler = PlacerBoutonAnnuler(this, 214, 154);
    connect(BT_OK, &QPushButton::clicked, this, &TGraceNoteForm::BT_OKClick);

    for (QRadioButton* r : {Radio1, Radio2})
        connect(r, &QRadioButton::toggled, this, [this](bool coche) {
            if (coche && !radioParCode_)
                BT_DynaNote_1Click();
        });
    connect(NbFrets, &QLineEdit::textChanged, this, &TGraceNoteForm::NbFretsChange);
    connect(BT_FretUp, &QToolButton::clicked, this, &TGraceNoteForm::BT_FretUpClick);
    connect(BT_FretDown, &QToolButton::clicked, this, &TGraceNoteForm::BT_FretDownClick);
    LierTouchesSpin(NbFrets, [this] { BT_FretUpClick(); }, [this] { BT_FretDownClick(); });
    timer5_ = std::make_unique<RepetitionSpin>(this, RepetitionSpin::Cadence{300, 100, 50, 30}, [this](int pas) {
        if (const auto v = LireEntier(NbFrets->text()))
            NbFrets->setText(QString::number(std::clamp<int64_t>(int64_t{*v} + pas, 0, kFretteFlecheMax)));
    });
    timer5_->Lier(BT_FretUp, +1);
    timer5_->Lier(BT_FretDown, -1);

    TraduireGraceNote();
}

void TGraceNoteForm::TraduireGraceNote()
{
    std::string utilisees;
    TraduireBoutonsCommuns(utilisees, BT_OK, BT_Annuler);
    const SectionLangue section("DLG_GRACE_000");
    if (!section.Trouvee())
        return;
    setWindowTitle(section.Texte(1));
    GBNote->setTitle(LegendeGroupe(LegendeRaccourci(section.Brut(2), utilisees)));
    GBDuration->setTitle(LegendeGroupe(LegendeRaccourci(section.Brut(3), utilisees)));
    GDyna->setTitle(LegendeGroupe(section.Texte(4)));
    Radio1->setText(section.Texte(5));
    Radio2->setText(section.Texte(6));
}

void TGraceNoteForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Activer();
}

void TGraceNoteForm::Activer()
{
    if (copieFaite_)
        return;
    const int32_t duree = Configuration.GraceNoteDuration;
    if (duree >= 1 && duree <= 3)
        CDuration[duree]->setChecked(true);
    active_ = false;
    okPresse_ = false;
    const TNoteCorde& note = NoteCurseur();
    copie_ = note;
    copieFaite_ = true;
    if (note.Nuance >= 1 && note.Nuance <= 8)
        BT_DynaNote[note.Nuance]->setChecked(true);
    NbFrets->setFocus(Qt::OtherFocusReason);
    NbFrets->selectAll();
    active_ = true;
    Ecouter->setChecked(Configuration.EcouterGraceNote);
    BT_DynaNote_1Click();
}

int32_t TGraceNoteForm::DureeCochee() const
{
    for (int c = 1; c <= 3; ++c)
        if (CDuration[c]->isChecked())
            return c;
    return 2;
}

int32_t TGraceNoteForm::NuanceEnfoncee() const
{
    const int n = groupeNuances_->checkedId();
    return n >= 1 && n <= 8 ? n : 6;
}

bool TGraceNoteForm::ValiderFretteGraceNote(bool avecMessage)
{
    const auto f = LireEntier(NbFrets->text());
    if (f && *f >= 0 && *f <= FretteMaxCourante())
        return true;
    if (avecMessage)
        RefuserChamp(NbFrets);
    return false;
}

void TGraceNoteForm::EcrireGraceNote()
{
    TNoteCorde& note = NoteCurseur();
    note.FretteGrace = Radio1->isChecked() ? kNoteMorte : static_cast<int8_t>(LireEntier(NbFrets->text()).value_or(0));
    note.DureeGrace = static_cast<uint8_t>(DureeCochee());
    note.NuanceGrace = static_cast<uint8_t>(NuanceEnfoncee());
}

void TGraceNoteForm::BT_DynaNote_1Click()
{
    if (!ValiderFretteGraceNote(false) || !active_ || !Ecouter->isChecked())
        return;
    EcrireGraceNote();
    JouerSiSaisie();
}

void TGraceNoteForm::NbFretsChange()
{
    if (!Radio2->isChecked()) {
        // One preview for the change, not a second one for the radio it checks.
        radioParCode_ = true;
        Radio2->setChecked(true);
        radioParCode_ = false;
    }
    BT_DynaNote_1Click();
}

void TGraceNoteForm::BT_FretUpClick()
{
    if (const auto v = LireEntier(NbFrets->text()))
        NbFrets->setText(QString::number(std::min(*v + 1, kFretteFlecheMax)));
    NbFrets->setFocus(Qt::OtherFocusReason);
    NbFrets->selectAll();
}

void TGraceNoteForm::BT_FretDownClick()
{
    if (const auto v = LireEntier(NbFrets->text()))
        NbFrets->setText(QString::number(std::max(*v - 1, 0)));
    NbFrets->setFocus(Qt::OtherFocusReason);
    NbFrets->selectAll();
}

void TGraceNoteForm::BT_OKClick()
{
    okPresse_ = true;
    if (!ValiderFretteGraceNote(true)) {
        okPresse_ = false;
        return;
    }
    EcrireGraceNote();
    Configuration.GraceNoteDuration = DureeCochee();
    accept();
}

void TGraceNoteForm::done(int resultat)
{
    if (!okPresse_ && copieFaite_)
        NoteCurseur() = copie_;
    okPresse_ = false;
    Configuration.EcouterGraceNote = Ecouter->isChecked();
    QDialog::done(resultat);
}

bool TGraceNoteForm::eventFilter(QObject* objet, QEvent* e)
{
    if (e->type() == QEvent::MouseButtonPress)
        for (int c = 1; c <= 3; ++c)
            if (objet == Image[c]) {
                CDuration[c]->setChecked(true);
                return true;
            }
    return QDialog::eventFilter(objet, e);
}
