#include "dialogs/Ass_bat.h"

#include "dialogs/BaseDialogue.h"
#include "dialogs/Percussions.h"
#include "dialogs/SaisiePalettes.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/Ed_fct.h"
#include "midi/Lecture.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

// Four columns of sixteen rows at the list's item height.
constexpr int kLargeurColonne = 135;
constexpr int kHauteurLigne = 13;
constexpr int kColonnes = 4;
constexpr int kLignes = 16;
constexpr int kBord = 2;

bool EstEntree(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

} // namespace

void TListePercussions::keyPressEvent(QKeyEvent* e)
{
    if (EstEntree(e)) {
        emit Entree();
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        emit Echappement();
        return;
    }
    const int avant = currentRow();
    QListWidget::keyPressEvent(e);
    if (currentRow() != avant)
        emit SelectionClavier();
}

TAssistant_Bat_Form::TAssistant_Bat_Form(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("Assistant_Bat_Form"));
    setWindowTitle(QStringLiteral("Assistant percussions"));
    AppliquerPoliceDialogue(this);

    const int largeur = kColonnes * kLargeurColonne + 2 * kBord;
    const int hauteur = kLignes * kHauteurLigne + 2 * kBord;
    Liste = Placer(new TListePercussions(this), "Liste", 0, 0, largeur, hauteur);
    Liste->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste->setFlow(QListView::TopToBottom);
    Liste->setWrapping(true);
    Liste->setResizeMode(QListView::Adjust);
    Liste->setUniformItemSizes(true);
    Liste->setGridSize(QSize(Pixels96(kLargeurColonne), Pixels96(kHauteurLigne)));
    Liste->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Liste->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int i = 0; i < kNbSonsPercussion; ++i)
        Liste->addItem(QString::fromLatin1(TexteSonPercussion(i).c_str()));
    // Nothing is selected until the user picks a sound.
    Liste->setCurrentRow(-1);

    // Below the client area: Enter reaches it, the eye does not.
    BitBtn1 = Placer(new QPushButton(this), "BitBtn1", 0, hauteur + 20, 75, 25);
    BitBtn1->setFocusPolicy(Qt::NoFocus);
    BitBtn1->setDefault(true);
    DimensionnerClient(this, largeur, hauteur);

    connect(Liste, &QListWidget::itemClicked, this, [this] { ListeClick(); });
    connect(Liste, &QListWidget::itemDoubleClicked, this, [this] { ListeDblClick(); });
    connect(Liste, &TListePercussions::SelectionClavier, this, [this] { ListeClick(); });
    connect(Liste, &TListePercussions::Entree, this, [this] { BitBtn1->click(); });
    connect(Liste, &TListePercussions::Echappement, this, [this] { Echap(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });

    Commandes().Enregistrer(Cmd::Ac_Ass_Percussion, [this](Cmd) { setVisible(!isVisible()); });
    TraduireAssistantBatterie();
}

TAssistant_Bat_Form::~TAssistant_Bat_Form() { Commandes().Enregistrer(Cmd::Ac_Ass_Percussion, nullptr); }

void TAssistant_Bat_Form::TraduireAssistantBatterie()
{
    const SectionLangue section("GENE_000");
    if (section.Trouvee())
        setWindowTitle(section.Texte(8));
}

int TAssistant_Bat_Form::NoteSelectionnee() const
{
    const int i = Liste->currentRow();
    return i >= 0 && i < kNbSonsPercussion ? i + kPremiereNotePercussion : 0;
}

void TAssistant_Bat_Form::ListeClick()
{
    // While a song plays the one media player is the song's.
    const int note = NoteSelectionnee();
    if (note == 0 || PleinEcranActif || !MidiDisponible || LectureEnCours())
        return;
    JouerPercussion(note);
}

void TAssistant_Bat_Form::ListeDblClick()
{
    const int note = NoteSelectionnee();
    if (note == 0 || !EntrerSonPercussion(note))
        return;
    if (cibleFocus_) {
        cibleFocus_->window()->activateWindow();
        cibleFocus_->setFocus();
    }
}

void TAssistant_Bat_Form::BitBtn1Click()
{
    ListeClick();
    ListeDblClick();
}

void TAssistant_Bat_Form::Echap()
{
    hide();
    Commandes().SetEnabled(Cmd::Ac_Ass_Percussion, PisteCourante == kPistePercussions);
}

void TAssistant_Bat_Form::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    Commandes().SetChecked(Cmd::Ac_Ass_Percussion, true);
    Commandes().SetEnabled(Cmd::Ac_Ass_Percussion, true);
    Liste->setFocus();
}

void TAssistant_Bat_Form::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    Commandes().SetChecked(Cmd::Ac_Ass_Percussion, false);
}

void TAssistant_Bat_Form::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        Echap();
        return;
    }
    if (EstEntree(e)) {
        BitBtn1->click();
        return;
    }
    QWidget::keyPressEvent(e);
}
