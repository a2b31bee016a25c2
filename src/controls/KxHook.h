#pragma once
// Window hooks: a component lets its owner see every event of a widget before and after the
// widget handles it, without deriving from the widget. Several hooks may watch one widget;
// one shared record per widget (TControlHook, an event filter on it) calls them, the hook
// attached last first. The process-wide THookList keeps the records.
//
// The record hands an event to the widget itself between the before- and after-calls, so while
// a hook is attached, event filters installed on that widget before it no longer see its
// events. A widget's deferred deletion always reaches the widget, whatever a hook answers.
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class TControlHook;

class TKxWindowHook : public QObject {
    Q_OBJECT
public:
    explicit TKxWindowHook(QObject* proprietaire = nullptr);
    ~TKxWindowHook() override;

    using TMessageEvent = std::function<void(TKxWindowHook& sender, QEvent* message, bool& handled)>;
    TMessageEvent BeforeMessage;
    TMessageEvent AfterMessage;

    bool Active() const { return active_; }
    void SetActive(bool actif);
    // The watched widget; cleared when it is destroyed.
    QWidget* WinControl() const;
    void SetWinControl(QWidget* controle);
    // The watched widget is the owner's own window (stored as "IsForm" rather than by name).
    bool IsForm() const;

    // Attached to a record now.
    bool Accroche() const { return record_ != nullptr; }

private:
    friend class TControlHook;
    void Accrocher();
    void Decrocher();

    bool active_ = true;
    bool destruction_ = false;
    QPointer<QWidget> controle_;
    TControlHook* record_ = nullptr;
};

class TControlHook : public QObject {
    Q_OBJECT
public:
    explicit TControlHook(QWidget* controle);
    ~TControlHook() override;

    QWidget* Controle() const { return controle_; }
    const std::vector<TKxWindowHook*>& Hooks() const { return hooks_; }
    void Ajouter(TKxWindowHook* hook);
    void Retirer(TKxWindowHook* hook);

protected:
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    QPointer<QWidget> controle_;
    std::vector<TKxWindowHook*> hooks_;
    bool installe_ = false;
};

class THookList {
public:
    static THookList& Instance();
    // The record of a widget, made on demand.
    TControlHook* Record(QWidget* controle, bool creer);
    // A record without hooks is freed later, never inside its own event handling.
    void Liberer(TControlHook* record);
    int Count() const { return static_cast<int>(records_.size()); }
    void Oublier(TControlHook* record);

private:
    std::vector<TControlHook*> records_;
};
