#include "print/PrefGeneral.h"

#include "controls/ToolEdit.h"
#include "dialogs/BaseDialogue.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>

namespace {

QGroupBox* Cadre(QWidget* page, const char* nom, const QString& titre, int x, int y, int largeur, int hauteur)
{
    return Placer(new QGroupBox(titre, page), nom, x, y, largeur, hauteur);
}

// The wave file's path is the file system's, not a text of the interface.
QString CheminQt(const std::string& chemin) { return QFile::decodeName(QByteArray::fromStdString(chemin)); }
std::string CheminFichier(const QString& chemin) { return QFile::encodeName(chemin).toStdString(); }

} // namespace

TPagePrefGeneral::TPagePrefGeneral(QWidget* parent) : TPagePreferences(parent, "General")
{
    musiques_ = new QButtonGroup(this);
    defilements_ = new QButtonGroup(this);

    StartingMusic = Cadre(this, "StartingMusic", QStringLiteral("Starting Music"), 8, 6, 245, 100);
    Music_LX = Radio(StartingMusic, musiques_, 1, "Music_LX", QStringLiteral("Lyrandaxis"), 12, 20, 200);
    Music_WAV = Radio(StartingMusic, musiques_, 2, "Music_WAV", QStringLiteral(".WAV"), 12, 46, 52);
    Music_File = Placer(new TFilenameEdit(StartingMusic), "Music_File", 66, 44, 169, 21);
    Music_File->SetDefaultExt(QStringLiteral(".WAV"));
    Music_File->SetFilter(QStringLiteral("Wave Files (*.WAV)|*.WAV"));
    Music_File->SetNumGlyphs(1);
    Music_Rien = Radio(StartingMusic, musiques_, 3, "Music_Rien", QStringLiteral("Nothing"), 12, 74, 200);

    GroupScrolling = Cadre(this, "GroupScrolling", QStringLiteral("Scrolling mode during playing"), 261, 6, 236, 100);
    ScrollingScreen = Radio(GroupScrolling, defilements_, 1, "ScrollingScreen", QStringLiteral("Screen per screen"),
                            12, 30, 215);
    ScrollingLine = Radio(GroupScrolling, defilements_, 2, "ScrollingLine", QStringLiteral("Staff per staff"), 12,
                          58, 215);

    GroupMetronome = Cadre(this, "GroupMetronome", QStringLiteral("Metronome"), 8, 112, 489, 100);
    Lab_Volume = Etiquette(GroupMetronome, "Lab_Volume", QStringLiteral("Volume"), 12, 22, 70);
    MetronomeVolume = Curseur(GroupMetronome, "MetronomeVolume", 0, 127, 86, 20, 200);
    MetronomeVolume->setTickPosition(QSlider::TicksBelow);
    MetronomeVolume->setTickInterval(8);
    MetronomeDuringScore = Case(GroupMetronome, "MetronomeDuringScore", QStringLiteral("During the score"), 12, 44,
                                230);
    FirstBarMetronome = Case(GroupMetronome, "FirstBarMetronome", QStringLiteral("Count in"), 250, 44, 230);
    DifferentMetronomeFirstSound = Case(GroupMetronome, "DifferentMetronomeFirstSound",
                                        QStringLiteral("Emphasise first beat"), 12, 62, 230);
    AlwaysUseMetronomeSpeedTrainer =
        Case(GroupMetronome, "AlwaysUseMetronomeSpeedTrainer",
             QStringLiteral("Always use metronome count in with Speed Trainer"), 12, 80, 470);

    GroupPlay = Cadre(this, "GroupPlay", QStringLiteral("Play"), 8, 218, 240, 58);
    PlayEffects = Case(GroupPlay, "PlayEffects", QStringLiteral("Effects"), 12, 18, 220);
    PlayRepeats = Case(GroupPlay, "PlayRepeats", QStringLiteral("Repeats"), 12, 36, 220);
    GroupExport = Cadre(this, "GroupExport", QStringLiteral("Export (MIDI)"), 257, 218, 240, 58);
    ExportEffects = Case(GroupExport, "ExportEffects", QStringLiteral("Effects"), 12, 18, 220);
    ExportRepeats = Case(GroupExport, "ExportRepeats", QStringLiteral("Repeats"), 12, 36, 220);

    BendConfig = Cadre(this, "BendConfig", QStringLiteral("Sound Card"), 8, 282, 489, 44);
    LimitBend = Case(BendConfig, "LimitBend", QStringLiteral("Limit Bend to 1 tone"), 12, 19, 190);
    LibBendConfig = Etiquette(BendConfig, "LibBendConfig", QStringLiteral("Use this option if the bend effect sounds wrong."),
                              206, 20, 276);

    GroupChord = Cadre(this, "GroupChord", QStringLiteral("Chord recognization"), 8, 332, 489, 42);
    AlwaysAddBass = Case(GroupChord, "AlwaysAddBass",
                         QStringLiteral("Always add the bass note in the name when it is different than the root"),
                         12, 18, 470);

    GeneralDefault = Bouton("GeneralDefault", QStringLiteral("Default"), 417, 380, 80);

    connect(Music_LX, &QRadioButton::toggled, this, [this] { ActiverMusicFile(); });
    connect(Music_WAV, &QRadioButton::toggled, this, [this] { ActiverMusicFile(); });
    connect(Music_Rien, &QRadioButton::toggled, this, [this] { ActiverMusicFile(); });
    connect(Music_File, &QLineEdit::textChanged, this, [this] { Signaler(); });
    connect(GeneralDefault, &QPushButton::clicked, this, &TPagePrefGeneral::GeneralDefaultClick);
    ActiverMusicFile();
}

void TPagePrefGeneral::ActiverMusicFile()
{
    const bool actif = Music_WAV->isChecked();
    Music_File->setEnabled(actif);
}

void TPagePrefGeneral::Charger(const TValeursGeneral& v)
{
    CocherGroupe(defilements_, v.TypeScrolling);
    CocherGroupe(musiques_, v.StartingMusic);
    // Shown as the edit shows a chosen name, so that a path with blanks reads back whole.
    Music_File->setText(TFilenameEdit::NomAffiche(CheminQt(v.StartingFile)));
    ActiverMusicFile();
    MetronomeVolume->setValue(v.MetronomeVolume);
    MetronomeDuringScore->setChecked(v.MetronomeDuringScore);
    FirstBarMetronome->setChecked(v.FirstBarMetronome);
    DifferentMetronomeFirstSound->setChecked(v.DifferentMetronomeFirstSound);
    AlwaysUseMetronomeSpeedTrainer->setChecked(v.AlwaysUseMetronomeSpeedTrainer);
    PlayEffects->setChecked(v.PlayEffects);
    PlayRepeats->setChecked(v.PlayRepeats);
    ExportEffects->setChecked(v.ExportEffects);
    ExportRepeats->setChecked(v.ExportRepeats);
    LimitBend->setChecked(v.LimitBend);
    AlwaysAddBass->setChecked(v.AlwaysAddBass);
}

TValeursGeneral TPagePrefGeneral::Lire() const
{
    TValeursGeneral v;
    v.TypeScrolling = std::max(0, defilements_->checkedId());
    v.StartingMusic = std::max(0, musiques_->checkedId());
    v.StartingFile = CheminMusique();
    v.MetronomeVolume = MetronomeVolume->value();
    v.MetronomeDuringScore = MetronomeDuringScore->isChecked();
    v.FirstBarMetronome = FirstBarMetronome->isChecked();
    v.DifferentMetronomeFirstSound = DifferentMetronomeFirstSound->isChecked();
    v.AlwaysUseMetronomeSpeedTrainer = AlwaysUseMetronomeSpeedTrainer->isChecked();
    v.PlayEffects = PlayEffects->isChecked();
    v.PlayRepeats = PlayRepeats->isChecked();
    v.ExportEffects = ExportEffects->isChecked();
    v.ExportRepeats = ExportRepeats->isChecked();
    v.LimitBend = LimitBend->isChecked();
    v.AlwaysAddBass = AlwaysAddBass->isChecked();
    return v;
}

void TPagePrefGeneral::GeneralDefaultClick()
{
    Charger(ValeursGeneralParDefaut(CheminFichier(Music_File->text())));
    Signaler();
}

std::string TPagePrefGeneral::CheminMusique() const
{
    // Typed unquoted, a path with blanks is kept whole even when no such file exists yet.
    const QString texte = Music_File->text();
    return CheminFichier(texte.startsWith(QLatin1Char('"')) ? Music_File->FileName() : texte);
}
