#pragma once
// Form placement storage: a window gets its position, size and state back the next time it is
// shown (TFormPlacement), and chosen properties of its controls too (TFormStorage), from a
// section of an ini file. The song browser keeps its placement and the width of its left pane
// in section "Browser" of "Lyrx.ini", the print preview its placement in "Print_Preview".
//
// The placement watches its window's events: each time the window is shown it restores, and
// when the window is hidden after a close (the close event was granted, or a dialog's done())
// it saves. The window's own handlers run as before. Destroying the placement while its
// window is still open saves with "Visible" = 1; owners keep it as a member, so that it goes
// before the window does.
//
// What the file holds is not trusted: a window is restored on a screen, within its size
// limits and the screen's usable area, never minimised, and a key that does not convert keeps
// the value in force.
#include "platform/FichierIni.h"

#include <QObject>
#include <QPointer>
#include <QSize>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QEvent;
class QWidget;

enum TPlacementOption : unsigned { fpState = 1u, fpPosition = 2u, fpActiveControl = 4u };
using TPlacementOptions = unsigned;

// Size limits the window system is told of (0: the window's own). The maximised size and
// position are kept for the file's sake; the window system here decides those itself.
struct TWinMinMaxInfo {
    int32_t MaxPosLeft = 0;
    int32_t MaxPosTop = 0;
    int32_t MaxSizeHeight = 0;
    int32_t MaxSizeWidth = 0;
    int32_t MaxTrackHeight = 0;
    int32_t MaxTrackWidth = 0;
    int32_t MinTrackHeight = 0;
    int32_t MinTrackWidth = 0;

    bool DefaultMinMaxInfo() const { return *this == TWinMinMaxInfo{}; }
    bool operator==(const TWinMinMaxInfo&) const = default;
};

// The section used when none is named: a window's class name; a control on a window, the
// window's class name followed by the control's name; a control without a window, its
// parent's name followed by its name; another object owned by a window, the window's class
// name and the object's name joined by a point; otherwise the object's name.
std::string SectionParDefaut(const QObject* composant);

class TFormPlacement : public QObject {
public:
    explicit TFormPlacement(QWidget* fenetre);
    ~TFormPlacement() override;
    TFormPlacement(const TFormPlacement&) = delete;
    TFormPlacement& operator=(const TFormPlacement&) = delete;

    // Restore on show and save on close.
    bool Active = true;
    // The ini file: a bare name lives in the Windows directory; empty, the executable's name
    // with ".INI".
    std::string IniFileName;
    // Empty: SectionParDefaut of the window.
    std::string IniSection;
    // What is saved and restored; [fpState, fpPosition] for a top-level window, none otherwise.
    TPlacementOptions Options = 0;
    // Fired after a save and after a restore.
    std::function<void()> OnSavePlacement;
    std::function<void()> OnRestorePlacement;

    // The window keeps the size it is shown at and loses its maximise button.
    bool PreventResize() const { return preventResize_; }
    void SetPreventResize(bool valeur);
    const TWinMinMaxInfo& MinMaxInfo() const { return minMaxInfo_; }
    void SetMinMaxInfo(const TWinMinMaxInfo& valeur);

    QWidget* Fenetre() const { return fenetre_; }
    std::string NomFichierIni() const;
    std::string Section() const;

    // A save does nothing before a first restore: the file keeps what the window had when
    // last saved rather than the place its form put it before it was ever shown.
    void SaveFormPlacement();
    void RestoreFormPlacement();
    // The destroy handler: when the window goes while open (no save since the last restore),
    // saves with "Visible" = 1. The destructor runs it; a descendant's destructor runs it
    // first, so that what the descendant stores is saved too.
    void FormDestroy();
    bool Restaure() const { return restaure_; }
    bool Enregistre() const { return enregistre_; }

    // Screen pixels per inch and size as the file records them.
    static int32_t PixelsParPouceEcran();
    static QSize ResolutionEcran();

protected:
    virtual void SavePlacement(platform::FichierIni& ini);
    virtual void RestorePlacement(platform::FichierIni& ini);
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    // While a save runs from the destruction of a window still open.
    bool Destruction() const { return destruction_; }

private:
    void Sauver(bool destruction);
    void Restaurer();
    bool Redimensionnable() const;
    void AppliquerLimites();
    void RestaurerPosition(platform::FichierIni& ini, const std::string& section);
    void RestaurerEtat(platform::FichierIni& ini, const std::string& section);

    QPointer<QWidget> fenetre_;
    bool preventResize_ = false;
    TWinMinMaxInfo minMaxInfo_;
    // The window's own limits, given back when the placement stops imposing its own.
    QSize minimumPropre_;
    QSize maximumPropre_;
    bool avaitMaximiser_ = false;
    bool restaure_ = false;
    bool enregistre_ = false;
    bool tentative_ = false; // a save was tried since the last restore
    bool destruction_ = false;
};

// Writes and reads properties of one object (the window or one of its controls) as texts under
// one section, through three handlers; the key of a property is the prefix followed by the
// property's name. The properties are the object's Qt properties (integers, Booleans as
// "True"/"False", characters, enumerations by name, sets as "[a,b]", reals with a point
// whatever the locale, texts, text lists in a sub-section "section.key" of "Count" and
// "Item0".."ItemN"), and for a widget its geometry as Left, Top, Width and Height (the width
// of a pane of a splitter moves the splitter).
class TPropsStorage {
public:
    TPropsStorage(QObject* objet, QWidget* proprietaire, std::string prefixe, std::string section);
    virtual ~TPropsStorage() = default;

    std::function<std::string(const std::string& section, const std::string& cle, const std::string& defaut)>
        OnReadString;
    std::function<void(const std::string& section, const std::string& cle, const std::string& valeur)> OnWriteString;
    std::function<void(const std::string& section)> OnEraseSection;

    virtual std::string ReadString(const std::string& section, const std::string& cle, const std::string& defaut);
    virtual void WriteString(const std::string& section, const std::string& cle, const std::string& valeur);
    virtual void EraseSection(const std::string& section);
    virtual std::string CleDe(const std::string& propriete) const { return prefixe_ + propriete; }

    // The property's name as the object knows it ("Width" for "width"), empty when the object
    // has none that can be stored.
    std::string NomPropriete(const std::string& nom) const;
    // Writes the value of the property as text; nothing for a property that cannot be stored.
    void StoreProperty(const std::string& nom);
    // Reads it back, the value in force as the default: a missing key or a text that does not
    // convert leaves the property as it is.
    void LoadProperty(const std::string& nom);

private:
    QObject* objet_;
    QWidget* proprietaire_;
    std::string prefixe_;
    std::string section_;
};

// A placement that also keeps properties of the window's controls, each entry naming a control
// and a property ("Panel_Gauche.Width"), stored under the key control, underscore, property
// ("Panel_Gauche_Width"). An entry that is not of that form, or whose control the window does
// not hold, is left out.
class TFormStorage : public TFormPlacement {
public:
    using TFormPlacement::TFormPlacement;
    ~TFormStorage() override;

    std::vector<std::string> StoredProps;

protected:
    void SavePlacement(platform::FichierIni& ini) override;
    void RestorePlacement(platform::FichierIni& ini) override;

private:
    template <class F>
    void PourChaquePropriete(platform::FichierIni& ini, F&& action);
};
