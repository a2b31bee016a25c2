#include "controls/Placemnt.h"

#include "controls/CadreFenetre.h"
#include "controls/PlacementStocke.h"
#include "controls/StrUtils.h"
#include "platform/Cp1252.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QScreen>
#include <QSplitter>
#include <QStringList>
#include <QWidget>
#include <QtDebug>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <exception>
#include <optional>

namespace {

constexpr const char* kFlags = "Flags";
constexpr const char* kShowCmd = "ShowCmd";
constexpr const char* kPixelsPerInch = "PixelsPerInch";
constexpr const char* kMinMaxPos = "MinMaxPos";
constexpr const char* kNormPos = "NormPos";
constexpr const char* kActiveControl = "ActiveControl";
constexpr const char* kVisible = "Visible";
// The window placement's flag: restore to maximised when leaving the minimised state.
constexpr int32_t WPF_RESTORETOMAXIMIZED = 2;

std::string Cp1252(const QString& s) { return platform::Utf8VersCp1252(s.toStdString()); }
QString DepuisCp1252(const std::string& s) { return QString::fromStdString(platform::Cp1252VersUtf8(s)); }

std::string Rogner(const std::string& s)
{
    const auto debut = s.find_first_not_of(" \t");
    if (debut == std::string::npos)
        return {};
    const auto fin = s.find_last_not_of(" \t");
    return s.substr(debut, fin - debut + 1);
}

void Signaler(const std::exception& e)
{
    // The window goes on showing or closing whatever became of its placement.
    qWarning("%s", platform::Cp1252VersUtf8(e.what()).c_str());
}

// ---- Property values as text ------------------------------------------------------------------

enum class Geometrie { Aucune = -1, Left, Top, Width, Height };
constexpr const char* kNomsGeometrie[] = {"Left", "Top", "Width", "Height"};

struct Propriete {
    Geometrie geometrie = Geometrie::Aucune;
    QMetaProperty meta;
    std::string nom; // empty: nothing that can be stored
};

Propriete Trouver(const QObject* objet, const std::string& nom)
{
    Propriete p;
    if (!objet || nom.empty())
        return p;
    if (qobject_cast<const QWidget*>(objet)) {
        for (int i = 0; i < 4; ++i) {
            if (platform::FichierIni::NomsEgaux(nom, kNomsGeometrie[i])) {
                p.geometrie = static_cast<Geometrie>(i);
                p.nom = kNomsGeometrie[i];
                return p;
            }
        }
    }
    const QMetaObject* mo = objet->metaObject();
    for (int i = 0; i < mo->propertyCount(); ++i) {
        const QMetaProperty m = mo->property(i);
        if (m.isReadable() && m.isWritable() && platform::FichierIni::NomsEgaux(nom, m.name())) {
            p.meta = m;
            p.nom = m.name();
            return p;
        }
    }
    return p;
}

int LireGeometrie(const QWidget* w, Geometrie g)
{
    switch (g) {
    case Geometrie::Left: return w->x();
    case Geometrie::Top: return w->y();
    case Geometrie::Width: return w->width();
    case Geometrie::Height: return w->height();
    default: return 0;
    }
}

// A pane of a splitter is sized by the splitter: the neighbour takes what the pane gives up or
// gains, and every other pane keeps at least its minimum.
bool DimensionnerDansSeparateur(QWidget* w, Qt::Orientation orientation, int valeur)
{
    auto* separateur = qobject_cast<QSplitter*>(w->parentWidget());
    if (!separateur || separateur->orientation() != orientation)
        return false;
    const int i = separateur->indexOf(w);
    QList<int> tailles = separateur->sizes();
    if (i < 0 || i >= tailles.size())
        return false;
    const bool horizontal = orientation == Qt::Horizontal;
    int total = 0;
    int minimumAutres = 0;
    for (int j = 0; j < tailles.size(); ++j) {
        total += tailles[j];
        if (j != i) {
            const QWidget* autre = separateur->widget(j);
            const QSize m = autre->minimumSize().expandedTo(autre->minimumSizeHint());
            minimumAutres += horizontal ? m.width() : m.height();
        }
    }
    if (total > 0)
        valeur = std::min(valeur, std::max(total - minimumAutres, horizontal ? w->minimumWidth() : w->minimumHeight()));
    const int ecart = valeur - tailles[i];
    tailles[i] = valeur;
    const int voisin = i + 1 < tailles.size() ? i + 1 : i - 1;
    if (voisin >= 0)
        tailles[voisin] = std::max(0, tailles[voisin] - ecart);
    separateur->setSizes(tailles);
    return true;
}

void EcrireGeometrie(QWidget* w, Geometrie g, int valeur)
{
    switch (g) {
    case Geometrie::Left: w->move(valeur, w->y()); break;
    case Geometrie::Top: w->move(w->x(), valeur); break;
    case Geometrie::Width:
        valeur = std::clamp(valeur, w->minimumWidth(), std::max(w->minimumWidth(), w->maximumWidth()));
        if (!DimensionnerDansSeparateur(w, Qt::Horizontal, valeur))
            w->resize(valeur, w->height());
        break;
    case Geometrie::Height:
        valeur = std::clamp(valeur, w->minimumHeight(), std::max(w->minimumHeight(), w->maximumHeight()));
        if (!DimensionnerDansSeparateur(w, Qt::Vertical, valeur))
            w->resize(w->width(), valeur);
        break;
    default: break;
    }
}

bool LireEntier64(const std::string& texte, long long& valeur)
{
    int32_t v32 = 0;
    if (platform::FichierIni::TexteVersEntier(texte, v32)) {
        valeur = v32;
        return true;
    }
    const char* fin = texte.data() + texte.size();
    const auto r = std::from_chars(texte.data(), fin, valeur);
    return r.ec == std::errc() && r.ptr == fin && !texte.empty();
}

bool LireReel(const std::string& texte, double& valeur)
{
    const char* fin = texte.data() + texte.size();
    const auto r = std::from_chars(texte.data(), fin, valeur, std::chars_format::general);
    return r.ec == std::errc() && r.ptr == fin && !texte.empty() && std::isfinite(valeur);
}

std::string EcrireReel(double valeur, int chiffres)
{
    char tampon[64];
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, valeur, std::chars_format::general, chiffres);
    return std::string(tampon, r.ptr);
}

bool EstListe(const QMetaProperty& m) { return m.typeId() == QMetaType::QStringList; }

// The value of a property as text; nothing when its kind is not stored.
std::optional<std::string> Texte(const QObject* objet, const Propriete& p)
{
    if (p.geometrie != Geometrie::Aucune)
        return std::to_string(LireGeometrie(static_cast<const QWidget*>(objet), p.geometrie));
    const QVariant v = p.meta.read(objet);
    if (p.meta.isEnumType()) {
        const QMetaEnum e = p.meta.enumerator();
        const int valeur = v.toInt();
        if (e.isFlag()) {
            const QByteArray noms = e.valueToKeys(valeur);
            return '[' + ReplaceAll(noms.toStdString(), "|", ",") + ']';
        }
        const char* nom = e.valueToKey(valeur);
        if (!nom)
            return std::nullopt;
        return std::string(nom);
    }
    switch (p.meta.typeId()) {
    case QMetaType::Bool: return std::string(v.toBool() ? "True" : "False");
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong: return std::to_string(v.toLongLong());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong: return std::to_string(v.toULongLong());
    case QMetaType::Double: return EcrireReel(v.toDouble(), 15);
    case QMetaType::Float: return EcrireReel(v.toFloat(), 7);
    case QMetaType::QChar: return Cp1252(QString(v.toChar()));
    case QMetaType::QString: return Cp1252(v.toString());
    default: return std::nullopt;
    }
}

// Sets a property from its text; a text that does not convert leaves it.
void AppliquerTexte(QObject* objet, const Propriete& p, const std::string& texte)
{
    if (p.geometrie != Geometrie::Aucune) {
        int32_t v = 0;
        if (platform::FichierIni::TexteVersEntier(texte, v))
            EcrireGeometrie(static_cast<QWidget*>(objet), p.geometrie, v);
        return;
    }
    if (p.meta.isEnumType()) {
        const QMetaEnum e = p.meta.enumerator();
        auto valeurDe = [&e](const std::string& nom) -> std::optional<int> {
            for (int k = 0; k < e.keyCount(); ++k)
                if (platform::FichierIni::NomsEgaux(nom, e.key(k)))
                    return e.value(k);
            return std::nullopt;
        };
        int valeur = 0;
        if (e.isFlag()) {
            const std::string_view delimiteurs = " ,[]";
            for (std::size_t n = 1; n <= WordCount(texte, delimiteurs); ++n)
                if (const auto v = valeurDe(ExtractWord(n, texte, delimiteurs)))
                    valeur |= *v;
        } else if (const auto v = valeurDe(texte)) {
            valeur = *v;
        } else {
            return;
        }
        QVariant variante(valeur);
        if (variante.convert(p.meta.metaType()))
            p.meta.write(objet, variante);
        else
            p.meta.write(objet, valeur);
        return;
    }
    switch (p.meta.typeId()) {
    case QMetaType::Bool:
        if (platform::FichierIni::NomsEgaux(texte, "True"))
            p.meta.write(objet, true);
        else if (platform::FichierIni::NomsEgaux(texte, "False"))
            p.meta.write(objet, false);
        return;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        long long v = 0;
        if (LireEntier64(texte, v)) {
            QVariant variante(v);
            if (variante.convert(p.meta.metaType()) && variante.toLongLong() == v)
                p.meta.write(objet, variante);
        }
        return;
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        double v = 0;
        if (LireReel(texte, v))
            p.meta.write(objet, p.meta.typeId() == QMetaType::Float ? QVariant(static_cast<float>(v)) : QVariant(v));
        return;
    }
    case QMetaType::QChar:
        if (!texte.empty())
            p.meta.write(objet, QVariant::fromValue(DepuisCp1252(texte.substr(0, 1)).at(0)));
        return;
    case QMetaType::QString: p.meta.write(objet, DepuisCp1252(texte)); return;
    default: return;
    }
}

} // namespace

// ---- Default section ----------------------------------------------------------------------------

std::string SectionParDefaut(const QObject* composant)
{
    if (!composant)
        return {};
    const std::string nom = composant->objectName().toStdString();
    if (const auto* w = qobject_cast<const QWidget*>(composant)) {
        if (w->isWindow())
            return composant->metaObject()->className();
        if (const QWidget* forme = w->window(); forme && forme != w)
            return std::string(forme->metaObject()->className()) + nom;
        const QWidget* parent = w->parentWidget();
        return (parent ? parent->objectName().toStdString() : std::string()) + nom;
    }
    for (const QObject* o = composant->parent(); o; o = o->parent())
        if (const auto* w = qobject_cast<const QWidget*>(o))
            return std::string(w->window()->metaObject()->className()) + '.' + nom;
    return nom;
}

// ---- TFormPlacement ---------------------------------------------------------------------------

TFormPlacement::TFormPlacement(QWidget* fenetre) : fenetre_(fenetre)
{
    if (fenetre) {
        if (fenetre->isWindow())
            Options = fpState | fpPosition;
        fenetre->installEventFilter(this);
    }
}

TFormPlacement::~TFormPlacement()
{
    if (!fenetre_)
        return;
    fenetre_->removeEventFilter(this);
    FormDestroy();
    if (preventResize_ || !minMaxInfo_.DefaultMinMaxInfo()) {
        preventResize_ = false;
        minMaxInfo_ = {};
        AppliquerLimites();
    }
}

void TFormPlacement::FormDestroy()
{
    // The window goes while still open: its last placement is kept, marked so.
    if (fenetre_ && Active && !enregistre_ && !tentative_)
        Sauver(true);
}

void TFormPlacement::SetPreventResize(bool valeur)
{
    if (valeur == preventResize_)
        return;
    preventResize_ = valeur;
    if (fenetre_ && fenetre_->isWindow()) {
        const Qt::WindowFlags drapeaux = fenetre_->windowFlags();
        if (valeur)
            avaitMaximiser_ = drapeaux.testFlag(Qt::WindowMaximizeButtonHint);
        const bool maximiser = !valeur && avaitMaximiser_ && fenetre_->windowType() != Qt::Dialog;
        if (drapeaux.testFlag(Qt::WindowMaximizeButtonHint) != maximiser) {
            // Changing the flags hides the window: its show and hide must not count as the
            // user's.
            const bool actif = Active;
            const bool visible = fenetre_->isVisible();
            Active = false;
            fenetre_->setWindowFlag(Qt::WindowMaximizeButtonHint, maximiser);
            if (visible)
                fenetre_->show();
            Active = actif;
        }
    }
    AppliquerLimites();
}

void TFormPlacement::SetMinMaxInfo(const TWinMinMaxInfo& valeur)
{
    if (valeur == minMaxInfo_)
        return;
    minMaxInfo_ = valeur;
    AppliquerLimites();
}

void TFormPlacement::AppliquerLimites()
{
    if (!fenetre_)
        return;
    const bool impose = preventResize_ || !minMaxInfo_.DefaultMinMaxInfo();
    if (impose && !minimumPropre_.isValid()) {
        minimumPropre_ = fenetre_->minimumSize();
        maximumPropre_ = fenetre_->maximumSize();
    }
    if (!minimumPropre_.isValid())
        return;
    QSize minimum = minimumPropre_;
    QSize maximum = maximumPropre_;
    if (preventResize_) {
        // The size it is shown at, while it is shown.
        if (fenetre_->isVisible())
            minimum = maximum = fenetre_->size();
    } else {
        const TWinMinMaxInfo& m = minMaxInfo_;
        if (m.MinTrackWidth > 0)
            minimum.setWidth(m.MinTrackWidth);
        if (m.MinTrackHeight > 0)
            minimum.setHeight(m.MinTrackHeight);
        if (m.MaxTrackWidth > 0)
            maximum.setWidth(std::max(m.MaxTrackWidth, minimum.width()));
        if (m.MaxTrackHeight > 0)
            maximum.setHeight(std::max(m.MaxTrackHeight, minimum.height()));
    }
    fenetre_->setMinimumSize(minimum);
    fenetre_->setMaximumSize(maximum);
    if (!impose)
        minimumPropre_ = maximumPropre_ = QSize();
}

std::string TFormPlacement::NomFichierIni() const
{
    if (!IniFileName.empty())
        return IniFileName;
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return Cp1252(exe.isEmpty() ? QStringLiteral("lyrandaxis") : exe) + ".INI";
}

std::string TFormPlacement::Section() const
{
    return IniSection.empty() ? SectionParDefaut(fenetre_) : IniSection;
}

int32_t TFormPlacement::PixelsParPouceEcran()
{
    const QScreen* ecran = QGuiApplication::primaryScreen();
    return ecran ? static_cast<int32_t>(std::lround(ecran->logicalDotsPerInch())) : 96;
}

QSize TFormPlacement::ResolutionEcran()
{
    const QScreen* ecran = QGuiApplication::primaryScreen();
    return ecran ? ecran->geometry().size() : QSize(0, 0);
}

bool TFormPlacement::Redimensionnable() const
{
    return fenetre_ && !preventResize_ && fenetre_->minimumSize() != fenetre_->maximumSize();
}

bool TFormPlacement::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == fenetre_ && !evenement->spontaneous()) {
        switch (evenement->type()) {
        case QEvent::Show:
            if (Active)
                Restaurer();
            AppliquerLimites();
            break;
        case QEvent::Hide:
            // A hide that is not a minimising ends the window's showing: a granted close, a
            // dialog's end.
            if (Active && fenetre_->isWindow() && !fenetre_->isMinimized())
                Sauver(false);
            AppliquerLimites();
            break;
        default: break;
        }
    }
    return QObject::eventFilter(objet, evenement);
}

void TFormPlacement::Sauver(bool destruction)
{
    // A save that failed is not tried again at the window's destruction, which would record a
    // closed window as left open.
    tentative_ = true;
    destruction_ = destruction;
    try {
        SaveFormPlacement();
    } catch (const std::exception& e) {
        Signaler(e);
    }
    destruction_ = false;
}

void TFormPlacement::Restaurer()
{
    try {
        RestoreFormPlacement();
    } catch (const std::exception& e) {
        Signaler(e);
    }
}

void TFormPlacement::SaveFormPlacement()
{
    if ((!restaure_ && Active) || !fenetre_)
        return;
    platform::FichierIni ini(NomFichierIni());
    ini.DifferEcritures();
    SavePlacement(ini);
    ini.UpdateFile();
    if (OnSavePlacement)
        OnSavePlacement();
    enregistre_ = true;
}

void TFormPlacement::RestoreFormPlacement()
{
    enregistre_ = false;
    tentative_ = false;
    if (!fenetre_)
        return;
    platform::FichierIni ini(NomFichierIni());
    RestorePlacement(ini);
    restaure_ = true;
    if (OnRestorePlacement)
        OnRestorePlacement();
    if (Options & fpActiveControl) {
        const std::string nom = ini.ReadString(Section(), kActiveControl, "");
        if (!nom.empty()) {
            auto* controle = fenetre_->findChild<QWidget*>(DepuisCp1252(nom));
            if (controle && controle->isEnabled() && controle->focusPolicy() != Qt::NoFocus)
                controle->setFocus();
        }
    }
}

void TFormPlacement::SavePlacement(platform::FichierIni& ini)
{
    if (!fenetre_ || !fenetre_->isWindow())
        return;
    const std::string section = Section();
    const Qt::WindowStates etat = fenetre_->windowState();
    int32_t drapeaux = 0;
    if (etat.testFlag(Qt::WindowMinimized) && etat.testFlag(Qt::WindowMaximized))
        drapeaux |= WPF_RESTORETOMAXIMIZED;
    const EtatFenetre etatFenetre = etat.testFlag(Qt::WindowMinimized)   ? EtatFenetre::Minimise
                                    : etat.testFlag(Qt::WindowMaximized) ? EtatFenetre::Maximise
                                                                         : EtatFenetre::Normal;
    ini.WriteInteger(section, kFlags, drapeaux);
    ini.WriteInteger(section, kShowCmd, ShowCmdDeEtat(etatFenetre));
    ini.WriteInteger(section, kPixelsPerInch, PixelsParPouceEcran());

    const QSize resolution = ResolutionEcran();
    // No minimised position is kept; the maximised one is where the frame goes off the screen.
    const QRect cadre = fenetre_->frameGeometry();
    const QRect client = fenetre_->geometry();
    const std::array<int32_t, 4> minMax{-1, -1, -(client.x() - cadre.x()), -(cadre.bottom() - client.bottom())};
    const std::string texteMinMax = EcrireQuatreEntiers(minMax);
    ini.WriteString(section, CleResolution(kMinMaxPos, resolution.width(), resolution.height()), texteMinMax);
    ini.WriteString(section, kMinMaxPos, texteMinMax);
    // The restored rectangle of the client area, so that a restore puts back exactly the size
    // the user left.
    const TRectEcran normal = RectEcranDe(fenetre_->normalGeometry());
    const std::string texteNormal = EcrireQuatreEntiers({normal.Left, normal.Top, normal.Right, normal.Bottom});
    ini.WriteString(section, CleResolution(kNormPos, resolution.width(), resolution.height()), texteNormal);
    ini.WriteString(section, kNormPos, texteNormal);

    if (Options & fpActiveControl) {
        if (const QWidget* actif = fenetre_->focusWidget(); actif && !actif->objectName().isEmpty())
            ini.WriteString(section, kActiveControl, Cp1252(actif->objectName()));
    }
    ini.WriteInteger(section, kVisible, Destruction() ? 1 : 0);
}

void TFormPlacement::RestorePlacement(platform::FichierIni& ini)
{
    if (!fenetre_ || !fenetre_->isWindow())
        return;
    const std::string section = Section();
    if (Options & fpPosition)
        RestaurerPosition(ini, section);
    if (Options & fpState)
        RestaurerEtat(ini, section);
    fenetre_->update();
}

void TFormPlacement::RestaurerPosition(platform::FichierIni& ini, const std::string& section)
{
    const QSize resolution = ResolutionEcran();
    const auto lire = [&](const char* cle) {
        std::string texte = ini.ReadString(section, CleResolution(cle, resolution.width(), resolution.height()), "");
        if (texte.empty())
            texte = ini.ReadString(section, cle, "");
        return texte;
    };
    const std::string texteMinMax = lire(kMinMaxPos);
    const std::string texteNormal = lire(kNormPos);
    const int32_t ppp = ini.ReadInteger(section, kPixelsPerInch, PixelsParPouceEcran());
    // Positions taken at another resolution of the screen mean other pixels: they are dropped.
    if ((texteMinMax.empty() && texteNormal.empty()) || ppp != PixelsParPouceEcran())
        return;

    const QRect actuel = fenetre_->geometry();
    const std::array<int32_t, 4> n = LireQuatreEntiers(
        texteNormal, {actuel.x(), actuel.y(), actuel.x() + actuel.width(), actuel.y() + actuel.height()});
    TRectEcran rect{n[0], n[1], n[2], n[3]};
    if (rect.Largeur() <= 0)
        return;
    if (!Redimensionnable()) {
        rect.Right = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(rect.Left) + actuel.width(), INT32_MAX));
        rect.Bottom = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(rect.Top) + actuel.height(), INT32_MAX));
    }

    // Shown for the first time, the window has no frame yet: it is kept on the screen with the
    // frame of the last window of its kind, and the screen's guardian checks it again once the
    // window manager has framed it.
    if (const auto r = CorrigerRectangle(rect, LimitesFenetre(fenetre_))) {
        const int largeur = static_cast<int>(r->Largeur());
        const int hauteur = static_cast<int>(r->Hauteur());
        if (fenetre_->isMaximized())
            fenetre_->setWindowState(fenetre_->windowState() & ~Qt::WindowMaximized);
        // Placed explicitly, the window is no longer centred by the platform when shown.
        fenetre_->setGeometry(r->Left, r->Top, largeur, hauteur);
    }
}

void TFormPlacement::RestaurerEtat(platform::FichierIni& ini, const std::string& section)
{
    const EtatFenetre etat = EtatDeShowCmd(ini.ReadInteger(section, kShowCmd, 0), EtatFenetre::Normal);
    Qt::WindowStates etats = fenetre_->windowState() & ~Qt::WindowMinimized;
    // A window never comes back minimised: shown so, a modal window would leave the program
    // looking hung, with nothing to click.
    if (etat == EtatFenetre::Maximise && Redimensionnable())
        etats |= Qt::WindowMaximized;
    else
        etats &= ~Qt::WindowMaximized;
    if (etats != fenetre_->windowState())
        fenetre_->setWindowState(etats);
}

// ---- TPropsStorage ----------------------------------------------------------------------------

TPropsStorage::TPropsStorage(QObject* objet, QWidget* proprietaire, std::string prefixe, std::string section)
    : objet_(objet), proprietaire_(proprietaire), prefixe_(std::move(prefixe)), section_(std::move(section))
{
}

std::string TPropsStorage::ReadString(const std::string& section, const std::string& cle, const std::string& defaut)
{
    return OnReadString ? OnReadString(section, cle, defaut) : std::string();
}

void TPropsStorage::WriteString(const std::string& section, const std::string& cle, const std::string& valeur)
{
    if (OnWriteString)
        OnWriteString(section, cle, valeur);
}

void TPropsStorage::EraseSection(const std::string& section)
{
    if (OnEraseSection)
        OnEraseSection(section);
}

std::string TPropsStorage::NomPropriete(const std::string& nom) const { return Trouver(objet_, nom).nom; }

void TPropsStorage::StoreProperty(const std::string& nom)
{
    const Propriete p = Trouver(objet_, nom);
    if (p.nom.empty())
        return;
    const std::string cle = CleDe(p.nom);
    if (p.geometrie == Geometrie::Aucune && EstListe(p.meta)) {
        const std::string sousSection = section_ + '.' + cle;
        EraseSection(sousSection);
        const QStringList liste = p.meta.read(objet_).toStringList();
        if (liste.isEmpty())
            return;
        WriteString(sousSection, "Count", std::to_string(liste.size()));
        for (qsizetype i = 0; i < liste.size(); ++i)
            WriteString(sousSection, "Item" + std::to_string(i), Cp1252(liste[i]));
        return;
    }
    if (const auto texte = Texte(objet_, p))
        WriteString(section_, cle, *texte);
}

void TPropsStorage::LoadProperty(const std::string& nom)
{
    const Propriete p = Trouver(objet_, nom);
    if (p.nom.empty())
        return;
    const std::string cle = CleDe(p.nom);
    if (p.geometrie == Geometrie::Aucune && EstListe(p.meta)) {
        const std::string sousSection = section_ + '.' + cle;
        long long compte = 0;
        if (!LireEntier64(Rogner(ReadString(sousSection, "Count", "")), compte))
            return;
        // A count beyond what a list holds in practice is a broken file, not a list to build.
        compte = std::clamp<long long>(compte, 0, 100000);
        QStringList liste;
        for (long long i = 0; i < compte; ++i)
            liste.append(DepuisCp1252(ReadString(sousSection, "Item" + std::to_string(i), "")));
        p.meta.write(objet_, liste);
        return;
    }
    const auto actuel = Texte(objet_, p);
    if (!actuel)
        return;
    AppliquerTexte(objet_, p, Rogner(ReadString(section_, cle, *actuel)));
}

// ---- TFormStorage -----------------------------------------------------------------------------

TFormStorage::~TFormStorage() { FormDestroy(); }

template <class F>
void TFormStorage::PourChaquePropriete(platform::FichierIni& ini, F&& action)
{
    QWidget* fenetre = Fenetre();
    if (!fenetre)
        return;
    const std::string section = Section();
    for (const std::string& entree : StoredProps) {
        const auto point = entree.find('.');
        if (point == std::string::npos)
            continue;
        const std::string composant = Rogner(entree.substr(0, point));
        const std::string propriete = Rogner(entree.substr(point + 1));
        if (composant.empty() || propriete.empty())
            continue;
        QObject* objet = fenetre->findChild<QObject*>(DepuisCp1252(composant));
        if (!objet)
            continue;
        TPropsStorage stockage(objet, fenetre, composant + '_', section);
        stockage.OnReadString = [&ini](const std::string& s, const std::string& c, const std::string& d) {
            return ini.ReadString(s, c, d);
        };
        stockage.OnWriteString = [&ini](const std::string& s, const std::string& c, const std::string& v) {
            ini.WriteString(s, c, v);
        };
        stockage.OnEraseSection = [&ini](const std::string& s) { ini.EraseSection(s); };
        action(stockage, propriete);
    }
}

void TFormStorage::SavePlacement(platform::FichierIni& ini)
{
    TFormPlacement::SavePlacement(ini);
    PourChaquePropriete(ini, [](TPropsStorage& s, const std::string& p) { s.StoreProperty(p); });
}

void TFormStorage::RestorePlacement(platform::FichierIni& ini)
{
    TFormPlacement::RestorePlacement(ini);
    PourChaquePropriete(ini, [](TPropsStorage& s, const std::string& p) { s.LoadProperty(p); });
}
