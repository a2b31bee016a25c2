#include "print/ImpASCII.h"

#include "document/Configuration.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Variable.h"
#include "print/ImportASCII.h"
#include "document/Fenetre.h"
#include "print/OutilsASCII.h"
#include "platform/Cp1252.h"
#include "platform/FichierEntier.h"
#include "platform/Sablier.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStringDecoder>
#include <QToolButton>
#include <QVBoxLayout>

#include <iterator>
#include <optional>

namespace {

constexpr int kAideImport = 5;

// A tablature text is a few kilobytes; a file far beyond that is not one, and would only
// freeze the memo.
constexpr std::uintmax_t kTailleMaxFichier = 16u * 1024u * 1024u;

// A text file's lines: UTF-8 when the bytes are valid UTF-8 (its mark dropped), else
// Windows-1252, the system's own code page.
QStringList LignesTexte(const std::string& octets)
{
    std::string_view vue(octets);
    if (vue.substr(0, 3) == "\xEF\xBB\xBF")
        vue.remove_prefix(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    [[maybe_unused]] const QString texte = utf8(QByteArrayView(vue.data(), static_cast<qsizetype>(vue.size())));
    const bool enUtf8 = !utf8.hasError();
    QStringList lignes;
    for (const std::string& ligne : DecouperLignes(vue))
        lignes.push_back(enUtf8 ? QString::fromUtf8(ligne.data(), static_cast<qsizetype>(ligne.size()))
                                : TexteQtASCII(ligne));
    return lignes;
}

} // namespace

TImpASCIIForm::TImpASCIIForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMaximizeButtonHint)
{
    setObjectName(QStringLiteral("TImpASCIIForm"));
    setWindowTitle(QStringLiteral("Importation ASCII"));
    setFont(PoliceDialogueASCII());
    setSizeGripEnabled(true);
    const auto L = LongueurEcranASCII;
    resize(L(630), L(422));
    MessageFichierIllisible = "Le fichier ne peut pas être lu. Importation abandonnée.";
    MessageFichierIllisible = platform::Utf8VersCp1252(MessageFichierIllisible);

    auto* disposition = DispositionASCII(this);

    PanelHaut = PanneauASCII(this, "PanelHaut", L(33));
    BT_Ouvrir = BoutonGlypheASCII(PanelHaut, "BT_Ouvrir", "ouvrir");
    BT_Ouvrir->setGeometry(L(6), L(4), L(25), L(25));
    BT_Ouvrir->setToolTip(QStringLiteral("Ouvrir un fichier texte"));
    BT_Imprimer = BoutonGlypheASCII(PanelHaut, "BT_Imprimer", "imprimer");
    BT_Imprimer->setGeometry(L(33), L(4), L(25), L(25));
    BT_Imprimer->setToolTip(QStringLiteral("Imprimer"));
    Lab_ImporterEn = new QLabel(QStringLiteral("Importer &en"), PanelHaut);
    Lab_ImporterEn->setObjectName(QStringLiteral("Lab_ImporterEn"));
    Lab_ImporterEn->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Lab_ImporterEn->setGeometry(L(62), L(6), L(72), L(21));
    TypeImport = new QComboBox(PanelHaut);
    TypeImport->setObjectName(QStringLiteral("TypeImport"));
    TypeImport->setGeometry(L(138), L(6), L(124), L(21));
    for (const char* item : {"Durées variables", "Blanches", "Noires", "Croches", "Doubles croches"})
        TypeImport->addItem(QString::fromUtf8(item));
    Lab_ImporterEn->setBuddy(TypeImport);
    Image1 = new QLabel(PanelHaut);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(GlypheASCII("noire").pixmap(16, 16));
    Image1->setGeometry(L(266), L(6), L(16), L(21));
    Lab_DeuxPoints = new QLabel(QStringLiteral(":"), PanelHaut);
    Lab_DeuxPoints->setObjectName(QStringLiteral("Lab_DeuxPoints"));
    Lab_DeuxPoints->setGeometry(L(282), L(6), L(6), L(21));
    NbTirets = new QComboBox(PanelHaut);
    NbTirets->setObjectName(QStringLiteral("NbTirets"));
    NbTirets->setGeometry(L(290), L(6), L(40), L(21));
    for (int k = 1; k <= 8; ++k)
        NbTirets->addItem(QString::number(k));
    InfoImp = new QLabel(QStringLiteral("La tablature est importée dans la piste courante."), PanelHaut);
    InfoImp->setObjectName(QStringLiteral("InfoImp"));
    QFont italique = InfoImp->font();
    italique.setItalic(true);
    InfoImp->setFont(italique);
    QPalette bleu = InfoImp->palette();
    bleu.setColor(QPalette::WindowText, Qt::blue);
    InfoImp->setPalette(bleu);
    InfoImp->setGeometry(L(338), L(6), L(286), L(21));
    disposition->addWidget(PanelHaut);

    MemoASCII = CreerMemoASCII(this);
    MemoASCII->installEventFilter(this);
    disposition->addWidget(MemoASCII, 1);

    PanelBas = PanneauASCII(this, "PanelBas", L(41));
    CreerBoutonsBasASCII(PanelBas, "BT_Importer", "&Importer", BT_Importer, BT_Annuler, BT_Aide);
    BT_Importer->setDefault(true);
    disposition->addWidget(PanelBas);
    PanelHaut->installEventFilter(this);
    PanelBas->installEventFilter(this);

    connect(BT_Importer, &QPushButton::clicked, this, &TImpASCIIForm::BT_ImporterClick);
    connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(BT_Aide, &QPushButton::clicked, this, [this] { BT_AideClick(); });
    connect(BT_Ouvrir, &QToolButton::clicked, this, [this] { ChargerTexteASCII(); });
    connect(BT_Imprimer, &QToolButton::clicked, this, [this] { BT_ImprimerClick(); });
    connect(TypeImport, &QComboBox::currentIndexChanged, this, [this] { TypeImportChange(); });
    connect(NbTirets, &QComboBox::currentIndexChanged, this, [this] { NbTiretsChange(); });

    TraduireImportASCII();
    PlacerBoutons();
}

void TImpASCIIForm::TraduireImportASCII()
{
    std::string utilisees;
    const auto legende = [&utilisees](const std::string& texte) { return TexteQtASCII(AjouterRaccourci(texte, utilisees)); };
    const int commun = ChercherMarqueur("DLG_000");
    const int section = ChercherMarqueur("DLG_IMPA_000");
    if (section >= 0) {
        setWindowTitle(TexteQtASCII(TexteEntreeLangue(section, 1)));
        MessageFichierIllisible = TexteEntreeLangue(section, 2);
        BT_Importer->setText(legende(TexteEntreeLangue(section, 3)));
        BT_Ouvrir->setToolTip(TexteQtASCII(TexteEntreeLangue(section, 4)));
        BT_Imprimer->setToolTip(TexteQtASCII(TexteEntreeLangue(section, 5)));
        InfoImp->setText(TexteQtASCII(TexteEntreeLangue(section, 7)));
        remplissage_ = true;
        TypeImport->clear();
        for (int k = 10; k <= 14; ++k)
            TypeImport->addItem(TexteQtASCII(TexteEntreeLangue(section, k)));
        remplissage_ = false;
    }
    if (commun >= 0) {
        BT_Annuler->setText(legende(TexteEntreeLangue(commun, 2)));
        BT_Aide->setText(legende(TexteEntreeLangue(commun, 5)));
    }
    if (section >= 0)
        Lab_ImporterEn->setText(legende(TexteEntreeLangue(section, 6)));
    TitreDialogue = windowTitle();
}

void TImpASCIIForm::PlacerBoutons() { PlacerBoutonsBasASCII(PanelBas->width(), BT_Importer, BT_Annuler, BT_Aide); }

void TImpASCIIForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    PlacerBoutons();
    remplissage_ = true;
    const int32_t type = Configuration.TypeImport;
    TypeImport->setCurrentIndex(type >= 0 && type < TypeImport->count() ? type : ImportDureeVariable);
    remplissage_ = false;
    ActiverNbTirets();
    if (const QScreen* ecran = screen())
        move(ecran->availableGeometry().center() - rect().center());
}

bool TImpASCIIForm::eventFilter(QObject* objet, QEvent* e)
{
    if ((objet == PanelBas || objet == PanelHaut) && e->type() == QEvent::Resize)
        PlacerBoutons();
    if (objet == MemoASCII && e->type() == QEvent::KeyPress) {
        const auto* touche = static_cast<QKeyEvent*>(e);
        if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) {
            // Enter imports; Ctrl+Enter still breaks a line.
            if (touche->modifiers() & Qt::ControlModifier)
                MemoASCII->insertPlainText(QStringLiteral("\n"));
            else
                BT_Importer->click();
            return true;
        }
    }
    return QDialog::eventFilter(objet, e);
}

void TImpASCIIForm::TypeImportChange()
{
    if (remplissage_ || TypeImport->currentIndex() < 0)
        return;
    Configuration.TypeImport = TypeImport->currentIndex();
    ActiverNbTirets();
}

void TImpASCIIForm::NbTiretsChange()
{
    if (remplissage_ || NbTirets->currentIndex() < 0)
        return;
    Configuration.NbTirets = NbTirets->currentIndex();
}

void TImpASCIIForm::ActiverNbTirets()
{
    remplissage_ = true;
    if (TypeImport->currentIndex() == ImportDureeVariable) {
        const int32_t tirets = Configuration.NbTirets;
        NbTirets->setCurrentIndex(tirets >= 0 && tirets < NbTirets->count() ? tirets : 3);
        NbTirets->setEnabled(true);
    } else {
        NbTirets->setCurrentIndex(-1);
        NbTirets->setEnabled(false);
    }
    remplissage_ = false;
}

bool TImpASCIIForm::ChargerTexteASCII()
{
    std::string chemin;
    if (!DialoguesASCII().ChoisirFichierImport(this, chemin))
        return false;
    QCoreApplication::processEvents();
    return ChargerFichierASCII(chemin);
}

bool TImpASCIIForm::ChargerFichierASCII(const std::string& chemin)
{
    platform::Sablier sablier;
    const std::optional<std::string> octets = platform::LireFichierEntier<std::string>(chemin, kTailleMaxFichier);
    if (!octets || !EstTexteASCII(*octets)) {
        sablier.Terminer();
        AfficherMessage(Traduire("Dlg-Erreur"), MessageFichierIllisible, IconeErreur, BoutonOK, DefautOK, PlacementCentre);
        return false;
    }
    MemoASCII->hide();
    MemoASCII->setPlainText(LignesTexte(*octets).join(QLatin1Char('\n')));
    MemoASCII->show();
    FichierCharge = chemin;
    setWindowTitle(TitreDialogue + QStringLiteral(" - ") + QString::fromStdString(PartieNomFichier(chemin)));
    return true;
}

void TImpASCIIForm::BT_ImprimerClick()
{
    QPrinter imprimante;
    if (!DialoguesASCII().ChoisirImprimante(this, imprimante))
        return;
    QStringList lignes;
    for (const std::string& ligne : LignesMemoASCII(*MemoASCII))
        lignes.push_back(TexteQtASCII(ligne));
    ImprimerTexteASCII(imprimante, lignes, MemoASCII->font(), QString::fromStdString(PartieNomFichier(FichierCharge)));
}

void TImpASCIIForm::BT_AideClick() { FenetrePrincipale().AfficherAideDialogue(kAideImport); }

void TImpASCIIForm::BT_ImporterClick()
{
    // Importing a text without tablature would only empty the track: refused, the text stays
    // in the dialog to be mended or replaced.
    if (!TablatureTrouveeASCII(LignesMemoASCII(*MemoASCII))) {
        AfficherMessage(Traduire("Dlg-Erreur"), Traduire("ASCIIImp-AucuneTablature"), IconeErreur, BoutonOK, DefautOK,
                        PlacementCentre);
        return;
    }
    accept();
}

bool ImporterASCII(TImpASCIIForm& dialogue, TFrettesOmisesASCII* omises)
{
    return ImporterASCII(LignesMemoASCII(*dialogue.MemoASCII), omises);
}

int ExecuterImportASCII(QWidget* proprietaire, std::string& cheminTexte)
{
    cheminTexte.clear();
    TImpASCIIForm dialogue(proprietaire);
    dialogue.MemoASCII->clear();
    if (dialogue.exec() != QDialog::Accepted)
        return ResultatAnnuler;
    bool complet = true;
    TFrettesOmisesASCII omises;
    {
        platform::Sablier sablier;
        complet = ImporterASCII(dialogue, &omises);
    }
    cheminTexte = dialogue.FichierCharge;
    // What was left out, in one box: a warning when notes were.
    std::string texte;
    const bool frettesOmises = omises.Nombre > 0;
    if (frettesOmises)
        texte = FormaterMessage2(Traduire("ASCIIImp-FrettesHorsPiste"), std::to_string(omises.Nombre),
                                 std::to_string(omises.PremiereMesure));
    if (!complet)
        texte += (texte.empty() ? "" : "\n\n") + Traduire("ASCIIImp-LimiteMesures");
    if (!texte.empty())
        AfficherMessage(Traduire(frettesOmises ? "Dlg-Avertissement" : "Dlg-Information"), texte,
                        frettesOmises ? IconeAvertissement : IconeInformation, BoutonOK, DefautOK, PlacementCentre);
    return ResultatOK;
}
