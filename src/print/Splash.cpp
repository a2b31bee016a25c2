#include "print/Splash.h"

#include "document/Configuration.h"
#include "platform/Cp1252.h"
#include "platform/FichierEntier.h"
#include "platform/Repertoires.h"
#include "print/SonDemarrage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <filesystem>
#include <optional>
#include <system_error>

namespace {

constexpr int kLargeur = 279;
constexpr int kHauteur = 176;
constexpr int kPeriodeTimer = 100;
constexpr int64_t kAvantMasquage = 4000;     // ms after creation
constexpr int64_t kDureeAirIntegre = 11000;  // ms after creation: the built-in tune is over

int64_t HorlogeStable()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The configured file: its bytes as they are, else read as Windows-1252 text (a path typed in
// an older settings file).
std::optional<std::string> FichierExistant(const std::string& chemin)
{
    if (chemin.empty())
        return std::nullopt;
    std::error_code ec;
    if (std::filesystem::is_regular_file(chemin, ec))
        return chemin;
    const std::string utf8 = platform::Cp1252VersUtf8(chemin);
    if (utf8 != chemin && std::filesystem::is_regular_file(utf8, ec))
        return utf8;
    return std::nullopt;
}

// A window this one made always-on-top is an ordinary window again.
void RendreOrdinaire(QWindow& fenetre)
{
    if (!fenetre.property("lyrxAuDessusSplash").toBool())
        return;
    fenetre.setProperty("lyrxAuDessusSplash", QVariant());
    fenetre.setFlags(fenetre.flags() & ~Qt::WindowStaysOnTopHint);
}

} // namespace

TSplashForm::TSplashForm(std::unique_ptr<ILecteurWave> lecteur, Horloge horloge)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      lecteur_(lecteur ? std::move(lecteur) : CreerLecteurWave()),
      horloge_(horloge ? std::move(horloge) : Horloge(HorlogeStable))
{
    setObjectName(QStringLiteral("TSplashForm"));
    // It must never keep the program alive, nor end it.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(kLargeur, kHauteur);

    Image1 = new TGIFPicture(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, kLargeur, kHauteur);
    ChargerImage(Image1->Picture());
    Wave1.Name = "Wave1";
    Wave1.WaveData().LoadFromFile(platform::RepertoireProgrammeParDefaut() + "Splash.wav");

    if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        const QRect zone = ecran->availableGeometry();
        move(zone.center() - QPoint(kLargeur / 2, kHauteur / 2));
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kPeriodeTimer);
    connect(Timer1, &QTimer::timeout, this, &TSplashForm::Timer1Timer);

    FormCreate();
    Timer1->start();
    qApp->installEventFilter(this);
}

TSplashForm::~TSplashForm()
{
    if (&Splash() == static_cast<ISplash*>(this))
        InstallerSplash(nullptr);
    if (lecteur_)
        lecteur_->Fermer();
    // A box still open when this window goes stays above it no longer.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (QWindow* fenetre = w->windowHandle())
            RendreOrdinaire(*fenetre);
}

void TSplashForm::FormCreate()
{
    musiqueTerminee_ = false;
    FenetrePrincipalePrete = false;
    heureDebut_ = horloge_();
    musique_ = Configuration.StartingMusic;
    if (musique_ == 1) {
        Wave1.Play();
    } else if (musique_ == 2) {
        // A file that is gone, unreadable or not a wave the output can play counts as music
        // already over.
        const std::optional<std::string> fichier = FichierExistant(Configuration.StartingFile);
        std::optional<std::vector<uint8_t>> octets;
        if (fichier)
            octets = LireFichierWave(*fichier);
        if (!octets || !lecteur_->Jouer(std::move(*octets)))
            musiqueTerminee_ = true;
    }
}

int64_t TSplashForm::Ecoule() const { return horloge_() - heureDebut_; }

void TSplashForm::Montrer()
{
    show();
    raise();
    repaint();
    // Mapped and painted before the main window's construction keeps the loop busy.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSplashForm::Timer1Timer()
{
    // The player's end of play.
    if (musique_ == 2 && !musiqueTerminee_ && lecteur_->Termine())
        musiqueTerminee_ = true;

    const int64_t ecoule = Ecoule();
    if (FenetrePrincipalePrete && ecoule > kAvantMasquage && isVisible())
        hide();
    if (!FenetrePrincipalePrete || isVisible())
        return;
    // No music, and any value other than the two kinds of music, ends with the hiding: a
    // hidden window ticking for the rest of the run serves nothing.
    bool fin = false;
    if (musique_ == 1)
        fin = ecoule > kDureeAirIntegre;
    else if (musique_ == 2)
        fin = musiqueTerminee_;
    else
        fin = true;
    if (!fin)
        return;
    if (musique_ == 2)
        lecteur_->Fermer();
    Timer1->stop();
    deleteLater();
}

void TSplashForm::closeEvent(QCloseEvent* e) { e->ignore(); }

// A box raised during start-up (a command-line file that cannot be opened, say) would open
// under this always-on-top window, where nobody sees it while it holds the keyboard. Such a
// window is made always-on-top too for as long as it is shown, so it stacks above this one,
// and it is given the keyboard.
bool TSplashForm::eventFilter(QObject* objet, QEvent* evenement)
{
    const QEvent::Type type = evenement->type();
    if ((type != QEvent::Show && type != QEvent::Hide) || !objet->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(objet);
    if (w == this || !w->isWindow() || !w->windowHandle())
        return false;
    QWindow* fenetre = w->windowHandle();
    if (type == QEvent::Show && isVisible() && (w->windowType() == Qt::Dialog || w->isModal()) &&
        !(fenetre->flags() & Qt::WindowStaysOnTopHint)) {
        fenetre->setFlags(fenetre->flags() | Qt::WindowStaysOnTopHint);
        fenetre->setProperty("lyrxAuDessusSplash", true);
        QTimer::singleShot(0, w, [w] {
            w->raise();
            w->activateWindow();
        });
    } else if (type == QEvent::Hide) {
        RendreOrdinaire(*fenetre);
    }
    return false;
}

void TSplashForm::ChargerImage(TGIFImage& gif)
{
    // A missing or damaged picture leaves the window plain; the start goes on.
    const std::optional<std::vector<uint8_t>> octets =
        platform::LireFichierEntier<std::vector<uint8_t>>(platform::RepertoireProgrammeParDefaut() + "Splash.gif",
                                                          1u << 20);
    if (!octets)
        return;
    try {
        gif.LoadFromBytes(*octets);
    } catch (const std::exception&) {
        gif.Clear();
    }
}

TSplashForm* CreerSplash()
{
    auto* splash = new TSplashForm();
    InstallerSplash(splash);
    return splash;
}
