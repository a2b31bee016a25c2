#include "controls/KxHook.h"

#include <QEvent>

#include <algorithm>

// ---- THookList ----

THookList& THookList::Instance()
{
    static THookList liste;
    return liste;
}

TControlHook* THookList::Record(QWidget* controle, bool creer)
{
    for (TControlHook* r : records_)
        if (r->Controle() == controle)
            return r;
    if (!creer || !controle)
        return nullptr;
    auto* r = new TControlHook(controle);
    records_.push_back(r);
    return r;
}

void THookList::Oublier(TControlHook* record) { std::erase(records_, record); }

void THookList::Liberer(TControlHook* record)
{
    if (!record || !record->Hooks().empty())
        return;
    Oublier(record);
    record->deleteLater();
}

// ---- TControlHook ----

TControlHook::TControlHook(QWidget* controle)
    : controle_(controle)
{
    // The record goes with its widget.
    connect(controle, &QObject::destroyed, this, [this] {
        for (TKxWindowHook* h : std::vector<TKxWindowHook*>(hooks_)) {
            h->record_ = nullptr;
            h->controle_ = nullptr;
        }
        hooks_.clear();
        THookList::Instance().Oublier(this);
        deleteLater();
    });
}

TControlHook::~TControlHook()
{
    THookList::Instance().Oublier(this);
    if (controle_ && installe_)
        controle_->removeEventFilter(this);
}

void TControlHook::Ajouter(TKxWindowHook* hook)
{
    if (std::find(hooks_.begin(), hooks_.end(), hook) == hooks_.end())
        hooks_.push_back(hook);
    if (!installe_ && controle_) {
        controle_->installEventFilter(this);
        installe_ = true;
    }
}

void TControlHook::Retirer(TKxWindowHook* hook)
{
    std::erase(hooks_, hook);
    if (hooks_.empty() && installe_ && controle_) {
        controle_->removeEventFilter(this);
        installe_ = false;
    }
}

bool TControlHook::eventFilter(QObject* objet, QEvent* e)
{
    if (objet != controle_ || hooks_.empty())
        return QObject::eventFilter(objet, e);
    // A hook may detach (or go away) while it is called: the chain is walked on a copy, and a
    // hook no longer in the chain is skipped.
    const std::vector<TKxWindowHook*> chaine(hooks_);
    auto encore = [this](TKxWindowHook* h) { return std::find(hooks_.begin(), hooks_.end(), h) != hooks_.end(); };
    bool traite = false;
    if (e->type() != QEvent::Quit) {
        for (auto it = chaine.rbegin(); it != chaine.rend() && !traite; ++it)
            if (encore(*it) && (*it)->BeforeMessage)
                (*it)->BeforeMessage(**it, e, traite);
    }
    if (e->type() == QEvent::DeferredDelete)
        return false; // the widget is deleted as asked; nothing of it remains for after-calls
    if (traite)
        return true;
    const bool avecApres = std::any_of(chaine.begin(), chaine.end(), [](TKxWindowHook* h) { return bool(h->AfterMessage); });
    if (!avecApres)
        return false;
    QPointer<QObject> garde(objet);
    static_cast<QObject*>(objet)->event(e);
    if (!garde)
        return true;
    traite = false;
    for (auto it = chaine.rbegin(); it != chaine.rend() && !traite; ++it)
        if (encore(*it) && (*it)->AfterMessage)
            (*it)->AfterMessage(**it, e, traite);
    // The widget has handled it: whether it propagates further is its acceptance flag's say.
    return true;
}

// ---- TKxWindowHook ----

TKxWindowHook::TKxWindowHook(QObject* proprietaire)
    : QObject(proprietaire)
{
}

TKxWindowHook::~TKxWindowHook()
{
    destruction_ = true;
    Decrocher();
    controle_ = nullptr;
}

QWidget* TKxWindowHook::WinControl() const { return record_ ? record_->Controle() : controle_.data(); }

bool TKxWindowHook::IsForm() const
{
    const QWidget* proprietaire = qobject_cast<const QWidget*>(parent());
    return controle_ && proprietaire && controle_ == proprietaire->window();
}

void TKxWindowHook::Accrocher()
{
    if (destruction_ || !controle_ || record_)
        return;
    record_ = THookList::Instance().Record(controle_, true);
    record_->Ajouter(this);
}

void TKxWindowHook::Decrocher()
{
    if (!record_)
        return;
    TControlHook* r = record_;
    record_ = nullptr;
    r->Retirer(this);
    THookList::Instance().Liberer(r);
}

void TKxWindowHook::SetActive(bool actif)
{
    active_ = actif;
    if (actif)
        Accrocher();
    else
        Decrocher();
}

void TKxWindowHook::SetWinControl(QWidget* controle)
{
    if (controle == WinControl())
        return;
    Decrocher();
    controle_ = controle;
    if (active_)
        Accrocher();
}
